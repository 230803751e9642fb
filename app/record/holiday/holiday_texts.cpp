// Texts of a holiday's period and the comparison of two entries.
#include <cstdio>
#include <cstring>

#include "app/formatting.h"
#include "app/msgbox.h"
#include "app/record/holiday/holiday.h"
#include "gui/layout.h"

namespace holiday {
namespace {

constexpr int kMonthOrderLanguage = 2;  // month first, no separators
constexpr const char* kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "June",
                                     "July", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* kWeeks[5] = {"1st", "2nd", "3rd", "4th", "last"};
constexpr const char* kWeekdays[7] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};

template <size_t N>
const char* textOf(const char* section, const char* const (&keys)[N], int index) {
  return index >= 0 && static_cast<size_t>(index) < N ? lookupText(section, keys[index]) : nullptr;
}

bool monthFirst() { return GetSysInfoLanguage() == kMonthOrderLanguage; }

bool ready(char* buffer, int size) {
  if (!buffer || size < 1) return false;
  std::memset(buffer, 0, static_cast<size_t>(size));
  return true;
}

}  // namespace

int daysOfMonth(int month) {
  switch (month) {
    case 2: return 29;
    case 4: case 6: case 9: case 11: return 30;
    case 1: case 3: case 5: case 7: case 8: case 10: case 12: return 31;
    default: return 0;
  }
}

void formatPeriod(const HolidayEntry& e, bool end, char* out, int size) {
  if (!ready(out, size)) return;
  switch (e.mode) {
    case HOLIDAY_BY_DATE: {
      const HolidayByDate& d = e.period.byDate;
      char date[64] = "";
      if (end)
        formatDate(date, d.endYear, d.endMonth + 1, d.endDay);
      else
        formatDate(date, d.startYear, d.startMonth + 1, d.startDay);
      std::snprintf(out, static_cast<size_t>(size), "%s", date);
      break;
    }
    case HOLIDAY_BY_WEEK: {
      const HolidayByWeek& w = e.period.byWeek;
      if (end)
        formatHolidayWeekDate(out, size, w.endMonth, w.endWeek - 1, w.endWeekday);
      else
        formatHolidayWeekDate(out, size, w.startMonth, w.startWeek - 1, w.startWeekday);
      break;
    }
    case HOLIDAY_BY_MONTH: {
      const HolidayByMonth& m = e.period.byMonth;
      char date[96] = "";
      formatHolidayMonthDate(date, sizeof date, end ? m.endMonth : m.startMonth, end ? m.endDay : m.startDay);
      const char* day = lookupText(kPageSection, "day");
      std::snprintf(out, static_cast<size_t>(size), "%s%s", date, day ? day : "");
      break;
    }
    default: break;
  }
}

}  // namespace holiday

using holiday::textOf;

extern "C" {

int formatHolidayMonthDate(char* buffer, int size, int month, int day) {
  if (!holiday::ready(buffer, size)) return -1;
  const char* name = textOf("commons", holiday::kMonths, month);
  if (!name) return -1;
  if (holiday::monthFirst())
    std::snprintf(buffer, static_cast<size_t>(size), "%s%d", name, day);
  else
    std::snprintf(buffer, static_cast<size_t>(size), "%d.%s", day, name);
  return 0;
}

int formatHolidayWeekDate(char* buffer, int size, int month, int weekIndex, int weekday) {
  if (!holiday::ready(buffer, size)) return -1;
  const char* m = textOf("commons", holiday::kMonths, month);
  const char* w = textOf("displayset", holiday::kWeeks, weekIndex);
  const char* d = textOf(holiday::kEditSection, holiday::kWeekdays, weekday);
  if (!m || !w || !d) return -1;
  if (holiday::monthFirst())
    std::snprintf(buffer, static_cast<size_t>(size), "%s%s%s", m, w, d);
  else
    std::snprintf(buffer, static_cast<size_t>(size), "%s %s.%s", w, d, m);
  return 0;
}

int holidayEntryDiffers(const HolidayEntry* a, const HolidayEntry* b) {
  if (!a || !b) return a != b;
  if (a->enable != b->enable || a->mode != b->mode ||
      std::strncmp(a->name, b->name, sizeof a->name) != 0)
    return 1;
  switch (a->mode) {
    case HOLIDAY_BY_MONTH: {
      const HolidayByMonth &x = a->period.byMonth, &y = b->period.byMonth;
      return x.startMonth != y.startMonth || x.startDay != y.startDay || x.endMonth != y.endMonth ||
             x.endDay != y.endDay;
    }
    case HOLIDAY_BY_WEEK: {
      const HolidayByWeek &x = a->period.byWeek, &y = b->period.byWeek;
      return x.startMonth != y.startMonth || x.startWeek != y.startWeek || x.startWeekday != y.startWeekday ||
             x.endMonth != y.endMonth || x.endWeek != y.endWeek || x.endWeekday != y.endWeekday;
    }
    case HOLIDAY_BY_DATE: {
      const HolidayByDate &x = a->period.byDate, &y = b->period.byDate;
      return x.startYear != y.startYear || x.startMonth != y.startMonth || x.startDay != y.startDay ||
             x.endYear != y.endYear || x.endMonth != y.endMonth || x.endDay != y.endDay;
    }
    default: return 0;
  }
}

}  // extern "C"
