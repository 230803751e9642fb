// The check of a day's segments and the time boxes that edit them.
#include "app/msgbox.h"
#include "app/page_building.h"
#include "app/page_frame.h"
#include "app/time_segments.h"
#include "gui/combobox.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kFieldStartHour = 1, kFieldStartMinute = 2, kFieldEndHour = 3, kFieldEndMinute = 4;
constexpr int kLastHour = 24, kLastMinute = 59;

bool used(int32_t start, int32_t end) { return start != 0 || end != 0; }

int field(WindowHandle window, int id, int n) {
  return static_cast<int>(SendDlgItemMessage(window, id, CB_GETFIELD, static_cast<WParam>(n), 0));
}

void setField(WindowHandle window, int id, int n, int value) {
  SendDlgItemMessage(window, id, CB_SETFIELD, static_cast<WParam>(n), value);
}

int minuteBound(int hour) { return hour == kLastHour ? 0 : kLastMinute; }

uint8_t toByte(int value) { return static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value); }

}  // namespace

extern "C" {

int checkTimeSegments(int count, const int32_t* starts, const int32_t* ends) {
  if (count <= 0 || !starts || !ends) return 0;
  for (int i = 0; i < count; ++i)
    if (used(starts[i], ends[i]) && starts[i] >= ends[i]) return SEGMENT_ERR_ORDER;
  for (int i = 0; i < count; ++i) {
    if (!used(starts[i], ends[i])) continue;
    for (int j = i + 1; j < count; ++j) {
      if (!used(starts[j], ends[j])) continue;
      const bool beginsInside = starts[j] >= starts[i] && starts[j] < ends[i];
      const bool reachesIn = starts[j] <= starts[i] && ends[j] > starts[i];
      if (beginsInside || reachesIn) return SEGMENT_ERR_OVERLAP;
    }
  }
  return 0;
}

int showSetTimeError(WindowHandle window, int code) {
  if (code == SEGMENT_ERR_ORDER) showMsgBox(window, "handleset", "settimefailed", MSGBOX_INFO);
  if (code == SEGMENT_ERR_OVERLAP) showMsgBox(window, "handleset", "settimeerr", MSGBOX_INFO);
  return 0;
}

void initSegmentTimeBoxes(WindowHandle window, int first, int mode) {
  for (int k = 0; k < SEGMENTS_PER_DAY; ++k) {
    const int id = first + 2 * k;
    SendDlgItemMessage(window, id, CB_SETFIELDCOUNT, static_cast<WParam>(mode), 0);
    SendDlgItemMessage(window, id, CB_SETFIELDRANGE1, 0, kLastHour);
    SendDlgItemMessage(window, id, CB_SETFIELDRANGE3, 0, kLastHour);
  }
}

void limitSegmentMinutes(WindowHandle window, int id) {
  SendDlgItemMessage(window, id, CB_SETFIELDRANGE2, 0, minuteBound(field(window, id, kFieldStartHour)));
  SendDlgItemMessage(window, id, CB_SETFIELDRANGE4, 0, minuteBound(field(window, id, kFieldEndHour)));
}

LResult onSegmentTimeChange(WindowHandle window, WParam wParam, LParam) {
  if (pageframe::codeOf(wParam) != CBN_SELCHANGE) return static_cast<LResult>(wParam);
  limitSegmentMinutes(window, pageframe::idOf(wParam));
  return enableApply(window, 0, 0);
}

int readSegmentBoxes(WindowHandle window, int first, TimeSegment* out) {
  int32_t starts[SEGMENTS_PER_DAY] = {}, ends[SEGMENTS_PER_DAY] = {};
  for (int k = 0; k < SEGMENTS_PER_DAY; ++k) {
    const int id = first + 2 * k;
    const TimeSegment s{toByte(field(window, id, kFieldStartHour)), toByte(field(window, id, kFieldStartMinute)),
                        toByte(field(window, id, kFieldEndHour)), toByte(field(window, id, kFieldEndMinute))};
    if (out) out[k] = s;
    starts[k] = s.startHour * 60 + s.startMinute;
    ends[k] = s.endHour * 60 + s.endMinute;
  }
  return checkTimeSegments(SEGMENTS_PER_DAY, starts, ends);
}

void writeSegmentBox(WindowHandle window, int id, const TimeSegment* segment) {
  if (!segment) return;
  setField(window, id, kFieldStartHour, segment->startHour);
  SendDlgItemMessage(window, id, CB_SETFIELDRANGE2, 0, minuteBound(segment->startHour));
  setField(window, id, kFieldStartMinute, segment->startMinute);
  setField(window, id, kFieldEndHour, segment->endHour);
  SendDlgItemMessage(window, id, CB_SETFIELDRANGE4, 0, minuteBound(segment->endHour));
  setField(window, id, kFieldEndMinute, segment->endMinute);
}

}  // extern "C"
