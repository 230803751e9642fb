// The holiday editor: name, on or off, and the period by date, by week of
// the month or by month and day; the table is written when the entry
// differs from the kept one, and the device's refusals are shown by code.
#include <atomic>
#include <cstdio>
#include <cstring>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/record/holiday/holiday.h"
#include "app/record_pages.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/edit.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace holiday {
namespace {

enum Id {
  kName = 18960, kEnable, kMode, kStart, kEnd,
  kStartMon1, kStartWeek, kStartWeekday, kStopMon1, kStopWeek, kStopWeekday,
  kStartMon2, kStartDay, kStopMon, kStopDay
};
constexpr int kNameLimit = 32;
constexpr uint32_t kEditStyle = WS_CHILD | WS_VISIBLE, kCheckStyle = WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_AUTOCHECKBOX, kComboStyle = WS_CHILD | WS_VISIBLE | CBS_NOTIFY | CBS_DROPDOWNLIST,
                   kDateStyle = WS_CHILD | WS_VISIBLE | CBS_NOTIFY | CBS_DATE, kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
constexpr uint32_t kButtonExStyle = WS_EX_PLACE_X | WS_EX_PLACE_W;

const ValueKeyRow kModes[] = {{"by_date", HOLIDAY_BY_DATE}, {"by_week", HOLIDAY_BY_WEEK}, {"by_mon", HOLIDAY_BY_MONTH}};
const ValueKeyRow kMonths[] = {{"Jan", 0}, {"Feb", 1}, {"Mar", 2}, {"Apr", 3}, {"May", 4},  {"June", 5},
                               {"July", 6}, {"Aug", 7}, {"Sep", 8}, {"Oct", 9}, {"Nov", 10}, {"Dec", 11}};
const ValueKeyRow kWeeks[] = {{"1st", 1}, {"2nd", 2}, {"3rd", 3}, {"4th", 4}, {"last", 5}};
const ValueKeyRow kWeekdays[] = {{"sun", 0}, {"mon", 1}, {"tue", 2}, {"wed", 3}, {"thu", 4}, {"fri", 5}, {"sat", 6}};

struct ModeControls {
  int mode, first, last;
};
constexpr ModeControls kModeControls[] = {
    {HOLIDAY_BY_DATE, kStart, kEnd}, {HOLIDAY_BY_WEEK, kStartMon1, kStopWeekday}, {HOLIDAY_BY_MONTH, kStartMon2, kStopDay}};

// One editor at a time; the page reads the changed flag afterwards.
int g_index = 0;
std::atomic<int> g_changed{0};

OutputLogin* login() { return getOutputLogin(getCurOutput()); }

uint8_t byteOf(int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

template <size_t N>
void fill(WindowHandle dlg, int id, const ValueKeyRow (&rows)[N], const char* section) {
  addValueComboItems(dlg, id, rows, static_cast<int>(N), section, 1);
}

// The day list for month 1..12, on day 1; another month leaves it alone.
void fillDays(WindowHandle dlg, int id, int month) {
  const int days = daysOfMonth(month);
  if (days == 0) return;
  SendDlgItemMessage(dlg, id, CB_DELETEALL, 0, 0);
  for (int d = 1; d <= days; ++d) {
    char text[12];
    std::snprintf(text, sizeof text, "%d", d);
    SendDlgItemMessage(dlg, id, CB_ADDSTRING, static_cast<WParam>(d), reinterpret_cast<LParam>(text));
  }
  selectComboValue(dlg, id, 1);
}

void showMode(WindowHandle dlg, int mode) {
  for (const ModeControls& m : kModeControls)
    if (m.mode != mode)
      for (int id = m.first; id <= m.last; ++id) showLabeledCtrl(dlg, id, 0);
  for (const ModeControls& m : kModeControls)
    if (m.mode == mode)
      for (int id = m.first; id <= m.last; ++id) showLabeledCtrl(dlg, id, 1);
}

void setDate(WindowHandle dlg, int id, int year, int month, int day) {
  char text[DATE_TEXT_SIZE] = "";
  formatDate(text, year, month, day);
  SetWindowText(GetDlgItem(dlg, id), text);
}

void loadEntry(WindowHandle dlg, const HolidayEntry& e) {
  char name[kNameLimit + 1] = "";
  std::memcpy(name, e.name, sizeof e.name);
  SetWindowText(GetDlgItem(dlg, kName), name);
  setChecked(dlg, kEnable, e.enable);
  selectComboValue(dlg, kMode, e.mode);
  showMode(dlg, e.mode);
  if (e.mode == HOLIDAY_BY_DATE) {
    const HolidayByDate& d = e.period.byDate;
    setDate(dlg, kStart, d.startYear, d.startMonth + 1, d.startDay);
    setDate(dlg, kEnd, d.endYear, d.endMonth + 1, d.endDay);
  } else if (e.mode == HOLIDAY_BY_WEEK) {
    const HolidayByWeek& w = e.period.byWeek;
    selectComboValue(dlg, kStartMon1, w.startMonth);
    selectComboValue(dlg, kStartWeek, w.startWeek);
    selectComboValue(dlg, kStartWeekday, w.startWeekday);
    selectComboValue(dlg, kStopMon1, w.endMonth);
    selectComboValue(dlg, kStopWeek, w.endWeek);
    selectComboValue(dlg, kStopWeekday, w.endWeekday);
  } else if (e.mode == HOLIDAY_BY_MONTH) {
    const HolidayByMonth& m = e.period.byMonth;
    selectComboValue(dlg, kStartMon2, m.startMonth);
    fillDays(dlg, kStartDay, m.startMonth + 1);
    selectComboValue(dlg, kStartDay, m.startDay);
    selectComboValue(dlg, kStopMon, m.endMonth);
    fillDays(dlg, kStopDay, m.endMonth + 1);
    selectComboValue(dlg, kStopDay, m.endDay);
  }
}

void createControls(WindowHandle dlg) {
  auto make = [&](const char* cls, const char* key, uint32_t style, int id, bool labelled) {
    pageframe::createFromKey(dlg, kEditSection, {cls, key, style, 0, id, labelled});
  };
  make("sledit", "name", kEditStyle, kName, true);
  make("button", "enable", kCheckStyle, kEnable, true);
  make("combobox", "mode", kComboStyle, kMode, true);
  make("combobox", "start", kDateStyle, kStart, true);
  make("combobox", "end", kDateStyle, kEnd, true);
  static const char* const kKeys[] = {"start_mon1", "start_monweek", "start_weekday", "stop_mon1",   "stop_monweek",
                                      "stop_weekday", "start_mon2",  "start_monday",  "stop_mon", "stop_monday"};
  for (int i = 0; i < 10; ++i) make("combobox", kKeys[i], kComboStyle, kStartMon1 + i, false);
  const int y = pageframe::bottomRow(dlg);
  auto button = [&](const char* key, uint32_t style, int id) {
    pageframe::createFromKey(dlg, kEditSection, {"button", key, style, kButtonExStyle, id, false}, y);
  };
  button("apply", kButtonStyle | WS_DISABLED, PAGE_ID_APPLY);
  button("ok", kButtonStyle, PAGE_ID_OK);
  button("cancel", kButtonStyle, IDCANCEL);
}

void fillLists(WindowHandle dlg) {
  fill(dlg, kMode, kModes, kEditSection);
  for (int id : {kStartMon1, kStopMon1, kStartMon2, kStopMon}) fill(dlg, id, kMonths, "commons");
  for (int id : {kStartWeek, kStopWeek}) fill(dlg, id, kWeeks, "displayset");
  for (int id : {kStartWeekday, kStopWeekday}) fill(dlg, id, kWeekdays, kEditSection);
  for (int id = kStartMon1; id <= kStartMon2; ++id) SendDlgItemMessage(dlg, id, CB_SETCURSEL, 0, 0);
  SendDlgItemMessage(dlg, kStopMon, CB_SETCURSEL, 0, 0);
  fillDays(dlg, kStartDay, comboValue(dlg, kStartMon2) + 1);
  fillDays(dlg, kStopDay, comboValue(dlg, kStopMon) + 1);
}

void init(WindowHandle dlg) {
  g_changed.store(0);
  int index = 0;
  getDiskDlgArgs(&index);
  g_index = index >= 0 && index < HOLIDAY_COUNT ? index : 0;
  createControls(dlg);
  SetFocusChild(GetDlgItem(dlg, IDCANCEL));
  SendDlgItemMessage(dlg, kName, EM_LIMITTEXT, kNameLimit, 0);
  fillLists(dlg);
  HolidayTable table;
  std::memset(&table, 0, sizeof table);
  getHolidayConfig(login(), &table);
  HolidayEntry entry = table.entries[g_index];
  // The stored entry is shown; only an empty one gets a name and a mode
  // (filling every entry would let OK overwrite a stored holiday).
  if (entry.name[0] == '\0') std::snprintf(entry.name, sizeof entry.name, "%s%d", "Holiday", g_index + 1);
  if (entry.mode < HOLIDAY_BY_MONTH || entry.mode > HOLIDAY_BY_DATE) entry.mode = HOLIDAY_BY_MONTH;
  loadEntry(dlg, entry);
}

HolidayEntry readEntry(WindowHandle dlg) {
  HolidayEntry e;
  std::memset(&e, 0, sizeof e);
  SendDlgItemMessage(dlg, kName, MSG_GETTEXT, sizeof e.name, reinterpret_cast<LParam>(e.name));
  e.name[sizeof e.name - 1] = '\0';
  e.enable = isChecked(dlg, kEnable) ? 1 : 0;
  e.mode = byteOf(comboValue(dlg, kMode));
  if (e.mode == HOLIDAY_BY_DATE) {
    HolidayByDate& d = e.period.byDate;
    d.startYear = static_cast<uint16_t>(SendDlgItemMessage(dlg, kStart, CB_GETYEAR, 0, 0));
    d.startMonth = byteOf(static_cast<int>(SendDlgItemMessage(dlg, kStart, CB_GETMONTH, 0, 0)) - 1);
    d.startDay = byteOf(static_cast<int>(SendDlgItemMessage(dlg, kStart, CB_GETDAY, 0, 0)));
    d.endYear = static_cast<uint16_t>(SendDlgItemMessage(dlg, kEnd, CB_GETYEAR, 0, 0));
    d.endMonth = byteOf(static_cast<int>(SendDlgItemMessage(dlg, kEnd, CB_GETMONTH, 0, 0)) - 1);
    d.endDay = byteOf(static_cast<int>(SendDlgItemMessage(dlg, kEnd, CB_GETDAY, 0, 0)));
  } else if (e.mode == HOLIDAY_BY_WEEK) {
    HolidayByWeek& w = e.period.byWeek;
    w.startMonth = byteOf(comboValue(dlg, kStartMon1));
    w.startWeek = byteOf(comboValue(dlg, kStartWeek));
    w.startWeekday = byteOf(comboValue(dlg, kStartWeekday));
    w.endMonth = byteOf(comboValue(dlg, kStopMon1));
    w.endWeek = byteOf(comboValue(dlg, kStopWeek));
    w.endWeekday = byteOf(comboValue(dlg, kStopWeekday));
  } else if (e.mode == HOLIDAY_BY_MONTH) {
    HolidayByMonth& m = e.period.byMonth;
    m.startMonth = byteOf(comboValue(dlg, kStartMon2));
    m.startDay = byteOf(comboValue(dlg, kStartDay));
    m.endMonth = byteOf(comboValue(dlg, kStopMon));
    m.endDay = byteOf(comboValue(dlg, kStopDay));
  }
  return e;
}

int saveHolidayEntry(WindowHandle dlg) {
  const HolidayEntry entry = readEntry(dlg);
  HolidayTable table;
  std::memset(&table, 0, sizeof table);
  getHolidayConfig(login(), &table);
  if (!holidayEntryDiffers(&entry, &table.entries[g_index])) return 0;
  g_changed.store(1);
  table.entries[g_index] = entry;
  if (entry.enable) showMsgBox(dlg, kEditSection, "holiday_schedule_hint", MSGBOX_INFO);
  const int rc = setHolidayConfig(login(), &table);
  return rc == 0 ? saveDeviceParams() : rc;
}

bool save(WindowHandle dlg) {
  const int rc = saveHolidayEntry(dlg);
  if (rc != 0) {
    showHolidayEditError(dlg, rc);
    return false;
  }
  SendDlgItemMessage(dlg, PAGE_ID_APPLY, MSG_ENABLE, 0, 0);
  return true;
}

bool command(WindowHandle dlg, WParam wParam, LParam lParam) {
  const int id = pageframe::idOf(wParam), code = pageframe::codeOf(wParam);
  switch (id) {
    case kName: enableApplyOnChange(dlg, wParam, lParam); break;
    case kEnable: enableApply(dlg, wParam, lParam); break;
    case kMode:
      if (code == CBN_SELCHANGE) {
        showMode(dlg, comboValue(dlg, kMode));
        enableApply(dlg, wParam, lParam);
      }
      break;
    case kStartMon2:
    case kStopMon:
      if (code == CBN_SELCHANGE) {
        fillDays(dlg, id + 1, comboValue(dlg, id) + 1);
        enableApply(dlg, wParam, lParam);
      }
      break;
    case PAGE_ID_APPLY: save(dlg); break;
    case PAGE_ID_OK:
      if (save(dlg)) SendMessage(dlg, MSG_CLOSE, 0, 0);
      break;
    case IDCANCEL: SendMessage(dlg, MSG_CLOSE, 0, 0); break;
    default:
      if (id < kStart || id > kStopDay) return false;
      enableApplyOnNotify1(dlg, wParam, lParam);
      break;
  }
  return true;
}

const pageframe::DialogHooks kEditHooks{init, command};

}  // namespace
}  // namespace holiday

extern "C" {

int showHolidayEditDialog(WindowHandle parent) {
  return pageframe::runDialog(holiday::kEditSection, parent, pageframe::dialogProc<holiday::kEditHooks>);
}

int isHolidayChanged(void) { return holiday::g_changed.load(); }

int showHolidayEditError(WindowHandle dialog, int code) {
  struct Named {
    int code;
    const char* key;
    int focus;
  };
  static const Named kNamed[] = {{HOLIDAY_ERR_NO_NAME, "nameisnull", holiday::kName},
                                 {HOLIDAY_ERR_BAD_NAME, nullptr, holiday::kName},
                                 {HOLIDAY_ERR_NO_MODE, "modeisnull", holiday::kMode},
                                 {HOLIDAY_ERR_BAD_DATE, "dateiserror", 0},
                                 {HOLIDAY_ERR_DATE_ORDER, "dateismis", 0}};
  if (code == 0) return 0;
  for (const Named& n : kNamed) {
    if (n.code != code) continue;
    if (n.key)
      showMsgBox(dialog, holiday::kEditSection, n.key, MSGBOX_INFO);
    else
      showNameHint(dialog, holiday::kEditSection, "name");
    if (n.focus) SetFocusChild(GetDlgItem(dialog, n.focus));
    return 0;
  }
  showMsgBoxNum(dialog, "commons", "savefailed_code", code);
  return 0;
}

}  // extern "C"
