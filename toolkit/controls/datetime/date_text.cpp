// Writing and reading the date boxes' texts.
#include "controls/datetime/date_text.h"

#include <cstdio>
#include <cstdlib>

#include "gui/monthcal.h"

namespace datetime {
namespace {

constexpr size_t kTextSize = 12;

// One decimal number, then the separator (or the end for the last part).
bool Part(const char*& at, bool last, int* out) {
  char* end = nullptr;
  const long v = std::strtol(at, &end, 10);
  if (end == at || v < -100000 || v > 100000) return false;
  if (!last && *end != '-') return false;
  *out = static_cast<int>(v);
  at = last ? end : end + 1;
  return true;
}

}  // namespace

std::string FormatDate(int format, const Date& date, bool withYear) {
  char out[kTextSize];
  const int y = date.year, m = date.month, d = date.day;
  if (format < 0 || format > 2)
    std::snprintf(out, sizeof out, "%4d-%02d-%02d", y, m, d);
  else if (!withYear)
    std::snprintf(out, sizeof out, "%02d-%02d", format == 2 ? d : m, format == 2 ? m : d);
  else if (format == 0)
    std::snprintf(out, sizeof out, "%4d-%02d-%02d", y, m, d);
  else
    std::snprintf(out, sizeof out, "%02d-%02d-%4d", format == 2 ? d : m, format == 2 ? m : d, y);
  return out;
}

bool ParseDate(const char* text, int format, DaysFn days, Date* out) {
  if (!text || !days) return false;
  int parts[3] = {};
  const char* at = text;
  for (int i = 0; i < 3; ++i)
    if (!Part(at, i == 2, &parts[i])) return false;
  Date date;
  switch (format) {
    case 1: date = Date{parts[2], parts[0], parts[1]}; break;
    case 2: date = Date{parts[2], parts[1], parts[0]}; break;
    default: date = Date{parts[0], parts[1], parts[2]};
  }
  if (date.year < MC_EARLIEST_YEAR || date.year > MC_LATEST_YEAR) return false;
  if (date.month < 1 || date.month > 12) return false;
  if (date.day < 1 || date.day > days(date.year, date.month)) return false;
  if (out) *out = date;
  return true;
}

std::string CheckedDateText(const char* typed, const char* restore, const DateBox& box, DaysFn days) {
  if (ParseDate(typed, box.format, days, nullptr)) return typed;
  if (ParseDate(restore, box.format, days, nullptr)) return restore;
  if (box.noDate) return box.noneText ? box.noneText : "";
  return FormatDate(box.format, box.calendar, !box.oneYear);
}

}  // namespace datetime
