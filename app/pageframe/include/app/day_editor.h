// Loading and saving one day of a schedule in an editor's boxes: the all-day
// check box and type box, and eight time boxes each followed by its record
// type box.
#pragma once

#include <cstdint>

#include "app/time_segments.h"

namespace pageframe {

struct DayBoxes {
  int allDayCheck;
  int allDayType;
  int firstTimeBox;  // time box k at first + 2k, its type box one above
};

struct DayEdit {
  uint8_t allDay;
  uint8_t allDayType;
  TimeSegment segments[SEGMENTS_PER_DAY];
  uint8_t types[SEGMENTS_PER_DAY];
};

// All-day keeps the segments as they are; otherwise the boxes are checked
// and a failing check (its code returned) changes nothing of the day.
int saveDay(WindowHandle window, const DayBoxes& boxes, DayEdit* day);
void loadDay(WindowHandle window, const DayBoxes& boxes, const DayEdit& day);

}  // namespace pageframe
