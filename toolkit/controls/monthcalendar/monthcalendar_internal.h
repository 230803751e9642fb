// Inside the month calendar: its record, the date arithmetic and the
// geometry that painting and hit tests share.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/bitmap.h"
#include "gui/monthcal.h"

namespace monthcalendar {

struct YearMonth {
  int year, month;
};

// 31, 30 or 28/29 days; 0 for a month outside 1..12.
int DaysIn(int year, int month);
// Weekday (0 Sunday) of a date through the local-time conversion.
int WeekdayOf(int year, int month, int day);
// Today from the wall clock.
MonthCalDate Today();

struct Skins {
  const Bitmap* year = nullptr;
  const Bitmap* week = nullptr;
  const Bitmap* day = nullptr;
  const Bitmap* focus = nullptr;
  const Bitmap* mark[3] = {};  // alarm, plan, record
};

struct Data {
  MonthCalDate today{};
  int latestYear = MC_LATEST_YEAR, earliestYear = MC_EARLIEST_YEAR;
  int month = 1, year = MC_EARLIEST_YEAR, day = 1;              // shown and selected
  int confMonth = 1, confYear = MC_EARLIEST_YEAR, confDay = 1;  // confirmed
  int firstWeekday = 0, monthDays = 31;
  int noneWidth = 2;
  uint32_t focusPart = 0;
  int pressedArrow = -1;  // arrow index held down, -1 none
  std::unique_ptr<MonthCalColors> colors;
  Skins skins;
  int32_t kinds[12][31] = {};
  uint32_t dayColorMask = 0;
  GalPixel dayColors[32] = {};
};

Data* Record(WindowHandle hwnd);

// Recomputes the first weekday and the month length after the shown month
// or year changed, reducing the selected day to the length.
void Refresh(Data& d);
bool MultiYear(const Data& d);

// Pixel geometry of one control at its present size.
struct Geometry {
  int margin = 0, cellW = 0, cellH = 0;
  int yearH = 0, weekH = 0, gridTop = 0;
  Rect monthText{}, yearText{};
  Rect arrows[4]{};  // month back, month forward, year back, year forward
  int arrowCount = 0;
};
Geometry Measure(WindowHandle hwnd, const Data& d, HDC hdc);
Rect CellRect(const Geometry& g, int index);  // index 0..41 row by row
// The cells of the "none" cell (after the last day): first index and width.
int NoneCellIndex(const Data& d);
Rect NoneCellRect(const Data& d, const Geometry& g);

void Paint(WindowHandle hwnd, HDC hdc, const Data& d);
void InvalidateDay(WindowHandle hwnd, const Data& d, int day);
void InvalidateAll(WindowHandle hwnd);

// Input.
void Click(WindowHandle hwnd, Data& d, int x, int y, bool twice);
void Release(WindowHandle hwnd, Data& d);
void Key(WindowHandle hwnd, Data& d, int scan);
uint32_t DialogCode();

// Steps of the shown month (+-1) and year (+-1) within the year range;
// false when the range end stops them.
bool StepMonth(Data& d, int delta);
bool StepYear(Data& d, int delta);
void Confirm(Data& d);
void Notify(WindowHandle hwnd, int code);

}  // namespace monthcalendar
