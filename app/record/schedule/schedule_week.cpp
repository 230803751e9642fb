// The edits of the week grid on one channel's schedule.
#include "app/record/schedule/schedule_week.h"

#include <algorithm>
#include <cstring>

namespace schedule {
namespace {

void setTime(RecordSchedSegment* s, int start, int end) {
  s->time.startHour = static_cast<uint8_t>(start / 60);
  s->time.startMinute = static_cast<uint8_t>(start % 60);
  s->time.endHour = static_cast<uint8_t>(end / 60);
  s->time.endMinute = static_cast<uint8_t>(end % 60);
}

RecordSchedSegment segment(int start, int end, int type) {
  RecordSchedSegment s{};
  setTime(&s, start, end);
  s.type = static_cast<uint8_t>(type);
  return s;
}

// Puts the segments into the unused slots in order; false when one finds
// no slot.
bool place(Day* day, const RecordSchedSegment* add, int count) {
  int slot = 0;
  for (int i = 0; i < count; ++i) {
    while (slot < kSegments && used(day->seg[slot])) ++slot;
    if (slot == kSegments) return false;
    day->seg[slot++] = add[i];
  }
  return true;
}

// An all-day day turned into segments: the parts of the day outside
// [start, end) keep the all-day type; `inside` (when given) fills the rest.
void splitAllDay(Day* day, int start, int end, const RecordSchedSegment* inside) {
  const int oldType = day->allDayType;
  day->allDay = 0;
  std::memset(day->seg, 0, sizeof day->seg);
  RecordSchedSegment parts[3];
  int n = 0;
  if (inside) parts[n++] = *inside;
  if (start > 0) parts[n++] = segment(0, start, oldType);
  if (end < kDayMinutes) parts[n++] = segment(end, kDayMinutes, oldType);
  place(day, parts, n);
}

// Cuts [start, end) out of the segment; a part right of the cut when the
// segment spans it on both sides goes to `rest`.
void cut(RecordSchedSegment* s, int start, int end, RecordSchedSegment* rest, int* restCount) {
  const int a = startMinute(s->time), b = endMinute(s->time);
  if (a >= start && b <= end) {
    *s = RecordSchedSegment{};
  } else if (a < start && b > end) {
    RecordSchedSegment right = *s;
    setTime(&right, end, b);
    rest[(*restCount)++] = right;
    setTime(s, a, start);
  } else if (a < start) {
    setTime(s, a, start);
  } else {
    setTime(s, end, b);
  }
}

bool commit(Day* day, const Day& next, const RecordSchedSegment* add, int count) {
  Day placed = next;
  if (!place(&placed, add, count)) return false;
  *day = placed;
  return true;
}

int64_t cellOf(int v, int origin, int size) { return (static_cast<int64_t>(v) - origin) / size; }

}  // namespace

int startMinute(const TimeSegment& t) { return t.startHour * 60 + t.startMinute; }
int endMinute(const TimeSegment& t) { return t.endHour * 60 + t.endMinute; }
bool used(const RecordSchedSegment& s) { return startMinute(s.time) != 0 || endMinute(s.time) != 0; }

Rect normalised(const Rect& r) {
  return Rect{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
              std::max(r.top, r.bottom)};
}

bool dragCells(const Rect& drag, const Grid& grid, Cells* out) {
  const Rect& a = grid.area;
  if (!out || a.right <= a.left || a.bottom <= a.top || grid.hourWidth < 1 || grid.rowHeight < 1) return false;
  const Rect r = normalised(drag);
  const int64_t d0 = cellOf(r.top, a.top, grid.rowHeight), d1 = cellOf(r.bottom, a.top, grid.rowHeight);
  const int64_t h0 = cellOf(r.left, a.left, grid.hourWidth), h1 = cellOf(r.right, a.left, grid.hourWidth);
  // A point left of or above the grid is outside the cells as well.
  if (r.top < a.top || r.left < a.left || d1 >= kDays || h1 >= kHours) return false;
  *out = Cells{static_cast<int>(d0), static_cast<int>(d1), static_cast<int>(h0) * 60, static_cast<int>(h1 + 1) * 60};
  return true;
}

bool paintDay(Day* day, int start, int end, int type) {
  const RecordSchedSegment fresh = segment(start, end, type);
  if (day->allDay != 0) {
    if (type != day->allDayType) splitAllDay(day, start, end, &fresh);
    return true;
  }
  Day next = *day;
  int newStart = start, newEnd = end, restCount = 0;
  RecordSchedSegment add[kSegments + 1];
  for (RecordSchedSegment& s : next.seg) {
    if (!used(s)) continue;
    const int a = startMinute(s.time), b = endMinute(s.time);
    if (b < start || a > end) continue;
    if (s.type == type) {
      newStart = std::min(newStart, a);
      newEnd = std::max(newEnd, b);
      s = RecordSchedSegment{};
    } else if (restCount < kSegments) {
      cut(&s, start, end, add, &restCount);
    }
  }
  RecordSchedSegment grown = fresh;
  setTime(&grown, newStart, newEnd);
  add[restCount] = grown;
  return commit(day, next, add, restCount + 1);
}

bool eraseDay(Day* day, int start, int end) {
  if (day->allDay != 0) {
    splitAllDay(day, start, end, nullptr);
    return true;
  }
  Day next = *day;
  int restCount = 0;
  RecordSchedSegment rest[kSegments];
  for (RecordSchedSegment& s : next.seg) {
    if (!used(s)) continue;
    const int a = startMinute(s.time), b = endMinute(s.time);
    if (b > start && a < end && restCount < kSegments) cut(&s, start, end, rest, &restCount);
  }
  return commit(day, next, rest, restCount);
}

void sortDay(Day* day) {
  auto key = [](const RecordSchedSegment& s) { return used(s) ? startMinute(s.time) : kDayMinutes; };
  for (int pass = 0; pass < kSegments - 1; ++pass) {
    bool swapped = false;
    for (int i = kSegments - 2; i >= 0; --i) {
      if (key(day->seg[i]) > key(day->seg[i + 1])) {
        std::swap(day->seg[i], day->seg[i + 1]);
        swapped = true;
      }
    }
    if (!swapped) break;
  }
}

int applyScheduleDrag(Week* week, const Rect& drag, const Grid& grid, int pen) {
  Cells c{};
  if (!week || pen < 0 || !dragCells(drag, grid, &c)) return -1;
  for (int d = c.firstDay; d <= c.lastDay; ++d) paintDay(&week->days[d], c.start, c.end, pen);
  return 0;
}

int eraseScheduleDrag(Week* week, const Rect& drag, const Grid& grid) {
  Cells c{};
  if (!week || !dragCells(drag, grid, &c)) return -1;
  for (int d = c.firstDay; d <= c.lastDay; ++d) eraseDay(&week->days[d], c.start, c.end);
  return 0;
}

void sortDraggedDays(Week* week, const Rect& drag, const Grid& grid) {
  Cells c{};
  if (!week || !dragCells(drag, grid, &c)) return;
  for (int d = c.firstDay; d <= c.lastDay; ++d) sortDay(&week->days[d]);
}

Week weekOf(const ChanRecordSched& chan) {
  Week w{};
  for (int d = 0; d < SCHED_DAYS; ++d) {
    const DaySchedHead& h = chan.record.days[d];
    w.days[d].allDay = h.allDay;
    w.days[d].allDayType = h.allDayType;
    w.days[d].headReserved[0] = h.reserved;
    std::memcpy(w.days[d].seg, chan.record.segments[d], sizeof w.days[d].seg);
  }
  Day& hol = w.days[SCHED_DAYS];
  hol.allDay = chan.holiday.head.allDay;
  hol.allDayType = chan.holiday.head.allDayType;
  hol.headReserved[0] = chan.holiday.head.reserved;
  std::memcpy(hol.seg, chan.holiday.segments, sizeof hol.seg);
  return w;
}

void storeWeek(const Week& week, ChanRecordSched* chan) {
  auto head = [](const Day& day, DaySchedHead* h) {
    h->allDay = day.allDay;
    h->allDayType = day.allDayType;
    h->reserved = day.headReserved[0];
  };
  for (int d = 0; d < SCHED_DAYS; ++d) {
    head(week.days[d], &chan->record.days[d]);
    std::memcpy(chan->record.segments[d], week.days[d].seg, sizeof week.days[d].seg);
  }
  head(week.days[SCHED_DAYS], &chan->holiday.head);
  std::memcpy(chan->holiday.segments, week.days[SCHED_DAYS].seg, sizeof chan->holiday.segments);
}

namespace {
void captureHead(const CaptureDayHead& h, const RecordSchedSegment* segs, Day* day) {
  day->allDay = h.allDay;
  day->allDayType = h.allDayType;
  std::memcpy(day->headReserved, h.reserved, sizeof day->headReserved);
  std::memcpy(day->seg, segs, sizeof day->seg);
}
void storeCapture(const Day& day, CaptureDayHead* h, RecordSchedSegment* segs) {
  h->allDay = static_cast<uint8_t>(day.allDay);
  h->allDayType = day.allDayType;
  std::memcpy(h->reserved, day.headReserved, sizeof h->reserved);
  std::memcpy(segs, day.seg, sizeof day.seg);
}
}  // namespace

Week weekOf(const CaptureConfig& record) {
  Week w{};
  for (int d = 0; d < SCHED_DAYS; ++d) captureHead(record.days[d], record.segments[d], &w.days[d]);
  captureHead(record.holidayHead, record.holidaySegments, &w.days[SCHED_DAYS]);
  return w;
}

void storeWeek(const Week& week, CaptureConfig* record) {
  for (int d = 0; d < SCHED_DAYS; ++d) storeCapture(week.days[d], &record->days[d], record->segments[d]);
  storeCapture(week.days[SCHED_DAYS], &record->holidayHead, record->holidaySegments);
}

}  // namespace schedule
