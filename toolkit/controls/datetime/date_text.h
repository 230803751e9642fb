// Date texts of the date boxes in the application's date format:
// 0 year-month-day, 1 month-day-year, 2 day-month-year.
#pragma once

#include <string>

namespace datetime {

struct Date {
  int year = 0, month = 0, day = 0;
};

// Days of a month as the calendar counts them.
using DaysFn = int (*)(int year, int month);

// "%4d-%02d-%02d" and the like; without the year "%02d-%02d" (month and
// day, or day and month in format 2). A format outside 0..2 writes the
// full year-month-day form either way.
std::string FormatDate(int format, const Date& date, bool withYear);

// Reads year, month and day in the format's order, separated by '-'; the
// date must lie in 1970..2037 with a month of 1..12 and a day the month
// has. A format outside 0..2 is read as format 0, the form it is written in.
bool ParseDate(const char* text, int format, DaysFn days, Date* out);

// What a date box shows once typing ends: the typed text when it is a good
// date, else the text it had when typing began when that is good, else the
// calendar's date (without the year for a one-year range), or the "none"
// text while the box has no date.
struct DateBox {
  int format = 0;
  bool oneYear = false, noDate = false;
  Date calendar;
  const char* noneText = "";
};
std::string CheckedDateText(const char* typed, const char* restore, const DateBox& box, DaysFn days);

}  // namespace datetime
