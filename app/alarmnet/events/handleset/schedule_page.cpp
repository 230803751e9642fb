// The sheet's arming schedule page: eight time segments for each weekday
// and the holiday, the holiday going through the shared exchange buffer.
#include <cstring>

#include "app/alarmnet/events/handleset/handleset.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/msgbox.h"
#include "app/page_building.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/control_paint.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/propsheet.h"

namespace handleset {
namespace {

enum : int { kDayBox = 21536, kFirstTimeBox = 21537, kLastTimeBox = 21544 };
constexpr uint32_t kDayStyle = WS_CHILD | WS_VISIBLE | CBS_NOTIFY | CBS_DROPDOWNLIST;
constexpr uint32_t kTimeStyle = WS_CHILD | WS_VISIBLE | CBS_NOTIFY | CBS_TIME;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
constexpr int kLastHour = 24, kLastMinute = 59;
enum Field { kStartHour = 1, kStartMinute, kEndHour, kEndMinute };
const char* const kDayKeys[SCHED_DAYS] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};
const char* const kTimeKeys[SCHED_SEGMENTS] = {"time1", "time2", "time3", "time4",
                                               "time5", "time6", "time7", "time8"};

constexpr size_t kWeekBytes = sizeof(TimeSegment) * SCHED_DAYS * SCHED_SEGMENTS;
constexpr size_t kDayBytes = sizeof(TimeSegment) * SCHED_SEGMENTS;

TimeSegment* holidayBuffer() { return reinterpret_cast<TimeSegment*>(getHandleSetSource()); }

void load() {
  State& s = state();
  s.segmentsPerDay = SCHED_SEGMENTS;
  const TimeSegment* week = scheduleOf(s.source);
  if (!week) {
    std::memset(s.schedule, 0, sizeof s.schedule);
    return;
  }
  std::memcpy(s.schedule, week, kWeekBytes);
  std::memcpy(s.schedule[SCHEDULE_HOLIDAY], holidayBuffer(), kDayBytes);
}

void createControls(WindowHandle page) {
  pageframe::createFromKey(page, kSection, {"combobox", "week", kDayStyle, EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT,
                                            kDayBox, true});
  for (int i = 0; i < SCHED_SEGMENTS; ++i) {
    const uint32_t ex = i == 0 ? EDIT_CORNER_TOPRIGHT : i == SCHED_SEGMENTS - 1 ? EDIT_CORNER_BOTTOMRIGHT : 0;
    pageframe::createFromKey(page, kSection, {"combobox", kTimeKeys[i], kTimeStyle, ex, kFirstTimeBox + i, true});
  }
  const int y = pageframe::bottomRow(page);
  pageframe::createFromKey(page, kSection, {"button", "sch_copy", kButtonStyle, 0, PAGE_ID_COPY, false}, y);
  createBottomButtons(page, "sch_ok", "sch_apply", "sch_cancel");
}

int field(WindowHandle page, int id, Field f) {
  return static_cast<int>(SendDlgItemMessage(page, id, CB_GETFIELD, static_cast<WParam>(f), 0));
}

uint8_t toByte(int value) { return static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value); }

void showDay(WindowHandle page, int day) {
  for (int i = 0; i < SCHED_SEGMENTS; ++i) writeSegmentBox(page, kFirstTimeBox + i, &state().schedule[day][i]);
}

void fillDays(WindowHandle page) {
  SendDlgItemMessage(page, kDayBox, CB_DELETEALL, 0, 0);
  for (int d = 0; d < SCHED_DAYS; ++d)
    if (const char* text = lookupText("commons", kDayKeys[d]))
      SendDlgItemMessage(page, kDayBox, CB_ADDSTRING, static_cast<WParam>(d), reinterpret_cast<LParam>(text));
  if (hasHolidaySchedule())
    if (const char* text = lookupText("commons", "holiday"))
      SendDlgItemMessage(page, kDayBox, CB_ADDSTRING, SCHEDULE_HOLIDAY, reinterpret_cast<LParam>(text));
}

void show(WindowHandle page) {
  fillDays(page);
  state().day = 0;
  selectComboValue(page, kDayBox, 0);
  for (int id = kFirstTimeBox; id <= kLastTimeBox; ++id) {
    SendDlgItemMessage(page, id, CB_SETFIELDCOUNT, 4, 0);
    SendDlgItemMessage(page, id, CB_SETFIELDRANGE1, 0, kLastHour);
    SendDlgItemMessage(page, id, CB_SETFIELDRANGE3, 0, kLastHour);
    SendDlgItemMessage(page, id, CB_SETFIELDRANGE2, 0, kLastMinute);
    SendDlgItemMessage(page, id, CB_SETFIELDRANGE4, 0, kLastMinute);
  }
  showDay(page, 0);
}

}  // namespace

// Reads the boxes into the day being edited and checks them: 0 or the
// check's code (the boxes keep what the user typed either way).
int readArmingSegments(WindowHandle page) {
  State& s = state();
  if (s.day < 0 || s.day >= kDays) return 0;
  int32_t starts[SCHED_SEGMENTS] = {}, ends[SCHED_SEGMENTS] = {};
  for (int i = 0; i < SCHED_SEGMENTS; ++i) {
    const int id = kFirstTimeBox + i;
    TimeSegment& t = s.schedule[s.day][i];
    t = {toByte(field(page, id, kStartHour)), toByte(field(page, id, kStartMinute)), toByte(field(page, id, kEndHour)),
         toByte(field(page, id, kEndMinute))};
    starts[i] = t.startHour * 60 + t.startMinute;
    ends[i] = t.endHour * 60 + t.endMinute;
  }
  return checkTimeSegments(SCHED_SEGMENTS, starts, ends);
}

namespace {

void onDayChange(WindowHandle page) {
  State& s = state();
  const int day = comboValue(page, kDayBox);
  if (day != s.day) {
    if (const int rc = readArmingSegments(page)) {
      showSetTimeError(page, rc);
      selectComboValue(page, kDayBox, s.day);
      return;
    }
    if (day < 0 || day >= kDays) return;
    // Another day shown is no edit: Apply stays as the edits left it.
    s.day = day;
    showDay(page, day);
  }
}

void onCopy(WindowHandle page) {
  State& s = state();
  showCopyWeekDialog(page, s.day);
  const uint64_t mask = getCopyWeekMask();
  if (mask == 0) return;  // closed or nothing chosen: nothing changed
  if (const int rc = readArmingSegments(page)) {
    showSetTimeError(page, rc);
    return;
  }
  for (int d = 0; d < kDays; ++d)
    if (d != s.day && ((mask >> d) & 1u)) std::memcpy(s.schedule[d], s.schedule[s.day], kDayBytes);
  enableApply(page, 0, 0);
}

// The segment check's code when a segment is wrong: nothing is stored.
int store(WindowHandle page) {
  State& s = state();
  if (const int rc = readArmingSegments(page)) return rc;
  if (TimeSegment* week = scheduleOf(s.source)) {
    std::memcpy(week, s.schedule, kWeekBytes);
    std::memcpy(holidayBuffer(), s.schedule[SCHEDULE_HOLIDAY], kDayBytes);
  }
  return 0;
}

void report(WindowHandle page, int code) { showSetTimeError(page, code); }

void command(WindowHandle page, int id, int code) {
  if (id == kDayBox) {
    if (code == CBN_SELCHANGE) onDayChange(page);
  } else if (id >= kFirstTimeBox && id <= kLastTimeBox) {
    onSegmentTimeChange(page, pageframe::commandWord(id, code), 0);
  } else if (id == PAGE_ID_COPY) {
    onCopy(page);
  } else if (id == PAGE_ID_OK) {
    if (const int rc = store(page))
      report(page, rc);
    else
      finishSheet(page);
  }
}

void init(WindowHandle page) {
  load();
  createControls(page);
  show(page);
}

const pageframe::PageHooks kHooks{init, paintDialogBackground, command, store, report, nullptr, closeSheet};

}  // namespace

LResult schedulePageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace handleset
