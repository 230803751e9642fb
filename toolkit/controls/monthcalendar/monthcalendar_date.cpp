// Date arithmetic of the calendar and the one wall clock that "today" of
// the calendars and the date boxes reads.
#include <atomic>
#include <ctime>

#include "controls/monthcalendar/monthcalendar_internal.h"
#include "gui/fixstr.h"

namespace {

std::atomic<WallClockFn> g_clock{nullptr};

bool Leap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

}  // namespace

extern "C" void SetWallClock(WallClockFn clock) { g_clock.store(clock); }

extern "C" time_t WallClockNow(void) {
  WallClockFn clock = g_clock.load();
  return clock ? clock() : GetTimeNow(nullptr);
}

namespace monthcalendar {

int DaysIn(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && Leap(year) ? 29 : kDays[month - 1];
}

int WeekdayOf(int year, int month, int day) {
  struct tm tm {};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = 12;  // clear of any daylight-saving jump at midnight
  tm.tm_isdst = -1;
  MakeTime(&tm);
  return tm.tm_wday;
}

MonthCalDate Today() {
  const time_t now = WallClockNow();
  struct tm tm {};
  localtime_r(&now, &tm);
  return MonthCalDate{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_wday};
}

void Refresh(Data& d) {
  d.monthDays = DaysIn(d.year, d.month);
  if (d.day > d.monthDays) d.day = d.monthDays;
  if (d.day < 1) d.day = 1;
  d.firstWeekday = WeekdayOf(d.year, d.month, 1);
}

bool MultiYear(const Data& d) { return d.latestYear > d.earliestYear; }

bool StepMonth(Data& d, int delta) {
  int month = d.month + delta, year = d.year;
  if (month > 12) month = 1, ++year;
  if (month < 1) month = 12, --year;
  if (year > d.latestYear || year < d.earliestYear) return false;
  d.month = month;
  d.year = year;
  Refresh(d);
  return true;
}

bool StepYear(Data& d, int delta) {
  const int year = d.year + delta;
  if (year > d.latestYear || year < d.earliestYear) return false;
  d.year = year;
  Refresh(d);
  return true;
}

void Confirm(Data& d) {
  d.confMonth = d.month;
  d.confYear = d.year;
  d.confDay = d.day;
}

}  // namespace monthcalendar
