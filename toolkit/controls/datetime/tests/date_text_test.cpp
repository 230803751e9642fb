// Date texts: every date the calendar can show goes through the writer and
// back through the parser in each format, and typed texts are checked as
// the date box checks them.
#include <gtest/gtest.h>

#include "controls/datetime/date_text.h"
#include "controls/monthcalendar/monthcalendar_internal.h"

namespace {

using datetime::Date;

TEST(DateText, EveryDateOfTheRangeSurvivesWriterAndParserInEachFormat) {
  for (int format = 0; format <= 3; ++format)
    for (int y = MC_EARLIEST_YEAR; y <= MC_LATEST_YEAR; ++y)
      for (int m = 1; m <= 12; ++m)
        for (int d = 1; d <= monthcalendar::DaysIn(y, m); ++d) {
          const std::string text = datetime::FormatDate(format, Date{y, m, d}, true);
          Date back;
          ASSERT_TRUE(datetime::ParseDate(text.c_str(), format, monthcalendar::DaysIn, &back)) << format << " " << text;
          ASSERT_EQ(back.year * 10000 + back.month * 100 + back.day, y * 10000 + m * 100 + d) << format << " " << text;
        }
}

TEST(DateText, WritesEachFormatWithAndWithoutTheYear) {
  const Date march5{2026, 3, 5};
  const struct { int format; bool withYear; const char* text; } cases[] = {
      {0, true, "2026-03-05"}, {1, true, "03-05-2026"}, {2, true, "05-03-2026"}, {7, true, "2026-03-05"},
      {0, false, "03-05"},     {1, false, "03-05"},     {2, false, "05-03"},     {-1, false, "2026-03-05"}};
  for (const auto& c : cases)
    EXPECT_EQ(datetime::FormatDate(c.format, march5, c.withYear), c.text) << c.format << " " << c.withYear;
}

TEST(DateText, ParserTakesOnlyRealDatesOfTheRange) {
  const struct { const char* text; int format; int want; } cases[] = {
      {"2026-03-05", 0, 20260305}, {"03-05-2026", 1, 20260305}, {"05-03-2026", 2, 20260305},
      {"2026-3-5", 0, 20260305},   {"2026-03-05", 9, 20260305}, {"2036-02-29", 0, 20360229},
      {"2036-02-30", 0, 0},        {"2040-01-01", 0, 0},        {"1969-12-31", 0, 0},
      {"2026-13-01", 0, 0},        {"2026-00-10", 0, 0},        {"2026-04-31", 0, 0},
      {"05-03", 2, 0},             {"20260305", 0, 0},          {"2026/03/05", 0, 0},
      {"", 0, 0},                  {"-2026-03-05", 0, 0},       {"2026--03-05", 0, 0},
      {"99999999999-1-1", 0, 0}};
  for (const auto& c : cases) {
    Date d;
    const bool ok = datetime::ParseDate(c.text, c.format, monthcalendar::DaysIn, &d);
    EXPECT_EQ(ok ? d.year * 10000 + d.month * 100 + d.day : 0, c.want) << c.text << " format " << c.format;
  }
}

// Typed texts to what the box shows when typing ends.
TEST(DateText, TypedTextsFallBackToTheRestoreTextThenTheCalendar) {
  datetime::DateBox box;
  box.calendar = Date{2026, 3, 19};
  box.noneText = "None";
  datetime::DateBox oneYear = box, noDate = box, dayFirst = box;
  oneYear.oneYear = true;
  noDate.noDate = true;
  dayFirst.format = 2;
  const struct { const char* typed; const char* restore; const datetime::DateBox* box; const char* shown; } cases[] = {
      {"2026-04-01", "2026-01-01", &box, "2026-04-01"},   {"2040-01-01", "2026-01-01", &box, "2026-01-01"},
      {"2036-02-30", "2026-01-01", &box, "2026-01-01"},   {"abc", "", &box, "2026-03-19"},
      {"2026-13-01", "2026-00-01", &box, "2026-03-19"},   {"", "", &oneYear, "03-19"},
      {"", "", &noDate, "None"},                          {"2026-04-01", "", &noDate, "2026-04-01"},
      {"01-04-2026", "", &dayFirst, "01-04-2026"},        {"2026-04-01", "", &dayFirst, "19-03-2026"}};
  for (const auto& c : cases)
    EXPECT_EQ(datetime::CheckedDateText(c.typed, c.restore, *c.box, monthcalendar::DaysIn), c.shown) << c.typed;
}

}  // namespace
