// The camera pages' event sources: the motion preview, and the holiday
// segments and record channels of each channel's events.
#include "app/core/device/fill.h"
#include "app/core/device/kept.h"
#include "app/device_backend.h"
#include "app/device_test_seam.h"

using devsim::Kind;

namespace {

bool validEventKind(int kind) { return kind >= 1 && kind <= 5; }

int eventKey(int channel, int kind) { return kind << 16 | channel; }

constexpr size_t kHolidayBytes = sizeof(TimeSegment) * HOLIDAY_SEGMENTS;

}  // namespace

extern "C" {

// The row words go into the log: nothing on screen shows the preview.
int setMotionPreview(int channel, int sensitivity, const uint32_t* rows) {
  DEVICE_ENTER(setMotionPreview, nullptr, 0, channel, sensitivity, rows ? static_cast<int64_t>(rows[0]) : -1,
               rows ? static_cast<int64_t>(rows[MOTION_PREVIEW_ROWS - 1]) : -1);
  return 0;
}

int getHolidaySegments(OutputLogin*, int channel, int kind, TimeSegment out[HOLIDAY_SEGMENTS]) {
  DEVICE_ENTER(getHolidaySegments, out, out ? kHolidayBytes : 0, channel, kind);
  if (!out || !validEventKind(kind) || !devsim::hasChannel(channel)) return -1;
  if (!devsim::fetch(Kind::HolidaySegments, eventKey(channel, kind), out, kHolidayBytes))
    zeroFill(out, kHolidayBytes);
  return 0;
}

int setHolidaySegments(OutputLogin*, int channel, int kind, const TimeSegment in[HOLIDAY_SEGMENTS]) {
  DEVICE_ENTER(setHolidaySegments, nullptr, 0, channel, kind);
  if (!in || !validEventKind(kind) || !devsim::hasChannel(channel)) return -1;
  devsim::keep(Kind::HolidaySegments, eventKey(channel, kind), in, kHolidayBytes);
  return 0;
}

int getRecordChanMask(OutputLogin*, int channel, int kind, uint64_t* out) {
  DEVICE_ENTER(getRecordChanMask, out, out ? sizeof *out : 0, channel, kind);
  if (!out || !validEventKind(kind) || !devsim::hasChannel(channel)) return -1;
  *out = devsim::fetchValue<uint64_t>(Kind::RecordChanMask, eventKey(channel, kind), 0);
  return 0;
}

int setRecordChanMask(OutputLogin*, int channel, int kind, uint64_t mask) {
  DEVICE_ENTER(setRecordChanMask, nullptr, 0, channel, kind, static_cast<int64_t>(mask));
  if (!validEventKind(kind) || !devsim::hasChannel(channel)) return -1;
  devsim::keepValue(Kind::RecordChanMask, eventKey(channel, kind), mask);
  return 0;
}

}  // extern "C"
