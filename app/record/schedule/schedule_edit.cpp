// The one-day editors of the record and capture schedules: one day of the
// selected channel's working record to the minute, all-day or in eight
// segments, copied to other days; Cancel gives the record back as it was.
#include <cstdio>
#include <cstring>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/day_editor.h"
#include "app/msgbox.h"
#include "app/record/schedule/schedule_page.h"
#include "app/record_pages.h"
#include "app/time_segments.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/control_paint.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace schedule {
namespace {

constexpr uint32_t kComboStyle = WS_CHILD | WS_VISIBLE | CBS_NOTIFY | CBS_DROPDOWNLIST, kCheckStyle = WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_AUTOCHECKBOX, kTimeStyle = WS_CHILD | WS_VISIBLE | CBS_NOTIFY | CBS_TIME;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
constexpr uint32_t kHeadExStyle = EDIT_CORNER_BOTTOMRIGHT | EDIT_CORNER_TOPRIGHT;
constexpr uint32_t kFirstRowExStyle = EDIT_CORNER_TOPRIGHT;
constexpr uint32_t kLastRowExStyle = EDIT_CORNER_BOTTOMRIGHT;
constexpr uint32_t kButtonExStyle = WS_EX_PLACE_X | WS_EX_PLACE_W;
constexpr int kTimeBoxMode = 4;

struct EditorKeys {
  const char* section;
  int dayId;  // all-day +1, all-day type +2, time box k at +1 + 2k, its type box one above
  const char* typeKey;
  const char* segmentTypeKey;  // "%d" appended
  const char* copy;
  const char* apply;
  const char* ok;
};
const EditorKeys kRecordKeys{"scheduleedit", 18960, "rec_type", "rec_type", "rec_copy", "apply", "ok"};
const EditorKeys kCaptureKeys{"scheduleedit_for_snap", 18960 + SEGMENT_CAPTURE_OFFSET, "snap_type", "snap_type",
                              "snap_copy", "snap_apply", "snap_ok"};

// One editor at a time, on the thread of the page that opened it.
struct EditorState {
  bool capture = false;
  int day = 0;
  bool keep = false;  // closing keeps the working record (OK)
  ChanRecordSched recordBackup{};
  CaptureConfig captureBackup{};
};
EditorState g_edit;

const EditorKeys& keys() { return g_edit.capture ? kCaptureKeys : kRecordKeys; }
pageframe::DayBoxes boxes() {
  const int base = keys().dayId;
  return pageframe::DayBoxes{base + 1, base + 2, base + 3};
}

Week workingWeek() {
  return g_edit.capture ? weekOf(getCurCaptureSched()->record) : weekOf(*getCurRecordSched());
}
void storeWorking(const Week& week) {
  if (g_edit.capture)
    storeWeek(week, &getCurCaptureSched()->record);
  else
    storeWeek(week, getCurRecordSched());
}

void backUp() {
  if (g_edit.capture)
    g_edit.captureBackup = getCurCaptureSched()->record;
  else
    g_edit.recordBackup = *getCurRecordSched();
}
void restore() {
  if (g_edit.capture)
    getCurCaptureSched()->record = g_edit.captureBackup;
  else
    *getCurRecordSched() = g_edit.recordBackup;
}

bool validDay(int day) { return day >= 0 && day < (kHolidayRow ? kDays : SCHED_DAYS); }

pageframe::DayEdit editOf(const Day& d) {
  pageframe::DayEdit edit{};
  edit.allDay = d.allDay != 0 ? 1 : 0;
  edit.allDayType = d.allDayType;
  for (int k = 0; k < kSegments; ++k) {
    edit.segments[k] = d.seg[k].time;
    edit.types[k] = d.seg[k].type;
  }
  return edit;
}

int saveEditedDay(WindowHandle dlg, int day) {
  if (!validDay(day)) return -1;
  Week week = workingWeek();
  Day& d = week.days[day];
  pageframe::DayEdit edit = editOf(d);
  const int rc = pageframe::saveDay(dlg, boxes(), &edit);
  if (rc != 0) return rc;
  d.allDay = edit.allDay;
  d.allDayType = edit.allDayType;
  for (int k = 0; k < kSegments; ++k) {
    d.seg[k].time = edit.segments[k];
    d.seg[k].type = edit.types[k];
  }
  storeWorking(week);
  return 0;
}

void loadEditedDay(WindowHandle dlg, int day) {
  if (!validDay(day)) return;
  pageframe::loadDay(dlg, boxes(), editOf(workingWeek().days[day]));
}

void enableSegmentBoxes(WindowHandle dlg) {
  const int editable = isChecked(dlg, boxes().allDayCheck) ? 0 : 1;
  for (int k = 0; k < kSegments; ++k) {
    enableLabeledCtrl(dlg, boxes().firstTimeBox + 2 * k, editable);
    enableLabeledCtrl(dlg, boxes().firstTimeBox + 2 * k + 1, editable);
  }
}

void copyEditedDay(WindowHandle dlg) {
  showCopyWeekDialog(dlg, g_edit.day);
  const uint64_t mask = getCopyWeekMask();
  if (mask != 0) {
    const int rc = saveEditedDay(dlg, g_edit.day);
    if (rc != 0) {
      showSetTimeError(dlg, rc);
      return;
    }
    Week week = workingWeek();
    const Day src = week.days[g_edit.day];
    const int last = g_edit.day == SCHEDULE_HOLIDAY ? SCHED_DAYS : kDays;
    for (int d = 0; d < last; ++d) {
      if (!((mask >> d) & 1u)) continue;
      Day& to = week.days[d];
      if (src.allDay != 0) {
        to.allDay = src.allDay;
        to.allDayType = src.allDayType;
        std::memcpy(to.headReserved, src.headReserved, sizeof to.headReserved);
      } else {
        to.allDay = 0;
        std::memcpy(to.seg, src.seg, sizeof to.seg);
      }
    }
    storeWorking(week);
  }
  enableApply(dlg, 0, 0);
}

// Apply and OK: the shown day into the record, which Cancel then keeps.
bool applyDay(WindowHandle dlg) {
  const int rc = saveEditedDay(dlg, g_edit.day);
  if (rc != 0) {
    showSetTimeError(dlg, rc);
    return false;
  }
  backUp();
  return true;
}

void changeDay(WindowHandle dlg) {
  const int next = comboValue(dlg, keys().dayId);
  const int rc = saveEditedDay(dlg, g_edit.day);
  if (rc == 0 && validDay(next)) {
    g_edit.day = next;
    loadEditedDay(dlg, next);
    return;
  }
  selectComboValue(dlg, keys().dayId, g_edit.day);
  showSetTimeError(dlg, rc);
}

void fillTypes(WindowHandle dlg, int id) {
  static const char* const kTypes[] = {"recordtype_time", "recordtype_motion", "recordtype_alarm",
                                       "recordtype_motionalarm", "recordtype_motion_alarm"};
  for (int v = 0; v < 5; ++v)
    if (const char* text = lookupText("typecfg", kTypes[v]))
      SendDlgItemMessage(dlg, id, CB_ADDSTRING, static_cast<WParam>(v), reinterpret_cast<LParam>(text));
}

void fillDays(WindowHandle dlg) {
  static const char* const kDayKeys[kDays] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun", "holiday"};
  for (int d = 0; d < (kHolidayRow ? kDays : SCHED_DAYS); ++d)
    if (const char* text = lookupText("commons", kDayKeys[d]))
      SendDlgItemMessage(dlg, keys().dayId, CB_ADDSTRING, static_cast<WParam>(d), reinterpret_cast<LParam>(text));
}

void createControls(WindowHandle dlg) {
  const EditorKeys& k = keys();
  const char* section = k.section;
  auto make = [&](const char* key, uint32_t style, uint32_t ex, int id) {
    pageframe::createFromKey(dlg, section, {style == kCheckStyle ? "button" : "combobox", key, style, ex, id, true});
  };
  make("weekday", kComboStyle, kHeadExStyle, k.dayId);
  make("chkbox_allday", kCheckStyle, kHeadExStyle, k.dayId + 1);
  make(k.typeKey, kComboStyle, kHeadExStyle, k.dayId + 2);
  for (int s = 1; s <= kSegments; ++s) {
    const uint32_t ex = s == 1 ? kFirstRowExStyle : s == kSegments ? kLastRowExStyle : 0;
    char segmentKey[24], typeKey[48];
    std::snprintf(segmentKey, sizeof segmentKey, "segment%d", s);
    std::snprintf(typeKey, sizeof typeKey, "%s%d", k.segmentTypeKey, s);
    make(segmentKey, kTimeStyle, ex, k.dayId + 1 + 2 * s);
    make(typeKey, kComboStyle, ex, k.dayId + 2 + 2 * s);
  }
  const int y = pageframe::bottomRow(dlg);
  auto button = [&](const char* key, uint32_t style, int id) {
    pageframe::createFromKey(dlg, section, {"button", key, style, kButtonExStyle, id, false}, y);
  };
  button(k.copy, kButtonStyle, PAGE_ID_COPY);
  button(k.apply, kButtonStyle | WS_DISABLED, PAGE_ID_APPLY);
  button(k.ok, kButtonStyle, PAGE_ID_OK);
  button("cancel", kButtonStyle, IDCANCEL);
}

void init(WindowHandle dlg) {
  backUp();
  g_edit.keep = false;
  setCtrlScale(4, 6);
  createControls(dlg);
  SetFocusChild(GetDlgItem(dlg, IDCANCEL));
  if (const CtrlResInfo* scale = pageframe::record("commons", "rirur_ctrl_scale")) {
    if (scale->x > 0 && scale->y > 0)
      setCtrlScale(scale->x, scale->y);
    else
      setCtrlScale(3, 7);
  }
  fillDays(dlg);
  fillTypes(dlg, keys().dayId + 2);
  for (int s = 1; s <= kSegments; ++s) fillTypes(dlg, keys().dayId + 2 + 2 * s);
  initSegmentTimeBoxes(dlg, boxes().firstTimeBox, kTimeBoxMode);
  g_edit.day = 0;
  selectComboValue(dlg, keys().dayId, 0);
  loadEditedDay(dlg, 0);
}

bool command(WindowHandle dlg, WParam wParam, LParam lParam) {
  const int id = pageframe::idOf(wParam), code = pageframe::codeOf(wParam), base = keys().dayId;
  if (id == base) {
    if (code == CBN_SELCHANGE) changeDay(dlg);
  } else if (id == base + 1) {
    enableSegmentBoxes(dlg);
    enableApply(dlg, 0, 0);
  } else if (id >= base + 2 && id <= base + 2 + 2 * kSegments) {
    if ((id - base) % 2 == 0)
      enableApplyOnNotify1(dlg, wParam, lParam);
    else
      onSegmentTimeChange(dlg, wParam, lParam);
  } else if (id == PAGE_ID_COPY) {
    copyEditedDay(dlg);
  } else if (id == PAGE_ID_APPLY) {
    if (applyDay(dlg)) SendDlgItemMessage(dlg, PAGE_ID_APPLY, MSG_ENABLE, 0, 0);
  } else if (id == PAGE_ID_OK) {
    if (applyDay(dlg)) {
      g_edit.keep = true;
      SendMessage(dlg, MSG_CLOSE, 0, 0);
    }
  } else if (id == IDCANCEL) {
    SendMessage(dlg, MSG_CLOSE, 0, 0);
  } else {
    return false;
  }
  return true;
}

// Every way out but OK gives the record back as it was (or as Apply left it).
void close(WindowHandle dlg) {
  if (!g_edit.keep) restore();
  EndDialog(dlg, 0);
}

const pageframe::DialogHooks kHooks{init, command, nullptr, close};

}  // namespace

int showEditDialog(WindowHandle parent, bool capture) {
  g_edit = EditorState{};
  g_edit.capture = capture;
  return pageframe::runDialog(keys().section, parent, pageframe::dialogProc<kHooks>);
}

}  // namespace schedule

extern "C" {
int showScheduleEditDialog(WindowHandle parent) { return schedule::showEditDialog(parent, false); }
int showSnapScheduleEditDialog(WindowHandle parent) { return schedule::showEditDialog(parent, true); }
}
