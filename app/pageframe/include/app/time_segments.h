/* Time segments of a day schedule, the segment time boxes that edit them,
 * and the copy-to-days dialog of the schedule editors. */
#ifndef APP_TIME_SEGMENTS_H
#define APP_TIME_SEGMENTS_H

#include <stdint.h>

#include "app/device_records.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* TimeSegment (one segment of a day; 00:00-00:00 is unused, the end may be
 * 24:00) is the device record's own. */

#ifndef SEGMENTS_PER_DAY
#define SEGMENTS_PER_DAY SCHED_SEGMENTS
#endif
/* Day indexes: 0 Monday .. 6 Sunday, 7 the holiday. */
#define SCHEDULE_HOLIDAY 7
#define SEGMENT_ERR_ORDER (-3)   /* a used segment does not end after it starts */
#define SEGMENT_ERR_OVERLAP (-2) /* two used segments overlap */
/* Time box k (1..8) of the record editor; the capture editor's are 32 higher. */
#define SEGMENT_TIME_BOX_FIRST 18963
#define SEGMENT_CAPTURE_OFFSET 32

/* 0, SEGMENT_ERR_ORDER or SEGMENT_ERR_OVERLAP for `count` segments given as
 * minutes of the day; touching segments are valid, unused ones skipped. */
int checkTimeSegments(int count, const int32_t* starts, const int32_t* ends);
/* The information box of a check's error code; nothing for other codes. */
int showSetTimeError(WindowHandle window, int code);

/* The eight time boxes of the record editor (`first` = its first box id). */
void initSegmentTimeBoxes(WindowHandle window, int first, int mode);
/* Minute bounds follow the hours: 0 at hour 24, else 59. */
void limitSegmentMinutes(WindowHandle window, int id);
/* Command handler of a time box: code 1 limits its minutes and enables
 * Apply (the send's result); other codes return wParam unchanged. */
LResult onSegmentTimeChange(WindowHandle window, WParam wParam, LParam lParam);
/* Reads the eight boxes from `first` into `out` (always) and checks them. */
int readSegmentBoxes(WindowHandle window, int first, TimeSegment* out);
/* Writes one segment into time box `id`. */
void writeSegmentBox(WindowHandle window, int id, const TimeSegment* segment);

/* The copy-to-days dialog over `parent` for the day being edited; its
 * result. getCopyWeekMask gives the chosen days (bit d = day d), 0 after
 * Cancel. */
int showCopyWeekDialog(WindowHandle parent, int sourceDay);
uint64_t getCopyWeekMask(void);

GUI_EXTERN_C_END

#ifdef __cplusplus
static_assert(sizeof(TimeSegment) == 4, "a segment is four bytes in the device records");
#endif

#endif
