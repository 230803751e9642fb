// A week of a record or capture schedule as the grid edits it: seven days
// and the holiday, each all-day with one type or eight typed segments; the
// drag edits over the grid's cells, and the conversions from and to the
// device records.
#pragma once

#include <cstdint>

#include "app/device_records.h"
#include "gui/common.h"

namespace schedule {

constexpr int kDays = SCHED_DAYS + 1;  // the holiday is day 7
constexpr int kSegments = SCHED_SEGMENTS;
constexpr int kDayMinutes = 1440;
constexpr int kHours = 24;
constexpr int kEraser = 255;

struct Day {
  uint16_t allDay;  // the record's flag as stored
  uint8_t allDayType;
  uint8_t headReserved[2];
  RecordSchedSegment seg[kSegments];
};

struct Week {
  Day days[kDays];
};

// The working copy of one channel, and whether the page changed it.
struct ChanRecordSched {
  uint32_t changed;
  RecordConfig record;
  HolidaySchedule holiday;
};
struct ChanCaptureSched {
  uint32_t changed;
  CaptureConfig record;
};

Week weekOf(const ChanRecordSched& chan);
void storeWeek(const Week& week, ChanRecordSched* chan);
Week weekOf(const CaptureConfig& record);
void storeWeek(const Week& week, CaptureConfig* record);

int startMinute(const TimeSegment& t);
int endMinute(const TimeSegment& t);
bool used(const RecordSchedSegment& s);

// The cells a drag covers: days first..last, minutes [start, end); false
// when the grid is unusable or the drag leaves the 8 x 24 cells.
struct Grid {
  Rect area;
  int hourWidth;
  int rowHeight;
};
struct Cells {
  int firstDay, lastDay, start, end;
};
bool dragCells(const Rect& drag, const Grid& grid, Cells* out);

// One day: [start, end) takes `type` (merging with touching segments of
// that type, trimming or splitting others) or is erased. False, with the
// day unchanged, when the result needs more than eight segments.
bool paintDay(Day* day, int start, int end, int type);
bool eraseDay(Day* day, int start, int end);
// By start minute (unused last), stable.
void sortDay(Day* day);

// Over the covered days of a week: 0, or -1 (nothing changed) for a bad
// grid, a negative pen or a drag outside the cells. A day without room for
// the result stays as it was.
int applyScheduleDrag(Week* week, const Rect& drag, const Grid& grid, int pen);
int eraseScheduleDrag(Week* week, const Rect& drag, const Grid& grid);
// Sorts every day the drag's rows cover.
void sortDraggedDays(Week* week, const Rect& drag, const Grid& grid);

Rect normalised(const Rect& r);

}  // namespace schedule
