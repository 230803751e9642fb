// The date box: its calendar drop-down, the date texts it shows, the value
// messages, typing a date into the edit, and focus loss.
#include <cstring>
#include <string>

#include "controls/combobox/combobox_internal.h"
#include "controls/datetime/date_text.h"
#include "controls/listbox/control_measures.h"
#include "controls/monthcalendar/monthcalendar_internal.h"
#include "gui/app_hooks.h"
#include "gui/display.h"
#include "gui/keyboard.h"
#include "gui/layout.h"
#include "gui/message.h"
#include "gui/monthcal.h"
#include "gui/startup.h"
#include "gui/text.h"

namespace combobox {

namespace {

constexpr int kDateTextMax = 12;   // bytes read from the edit
constexpr int kRestoreMax = 10;    // characters kept from before typing
constexpr int kNoDateMode = 3;     // the calendar's "none" cell has the focus

// The text before typing began: one box is edited at a time.
char g_restore[kRestoreMax + 1];

using datetime::Date;

bool OneYear(const ComboBoxData& d) {
  int first = 0, last = 0;
  SendMessage(d.calendar, MCM_GETYEARRANGE, reinterpret_cast<WParam>(&first), reinterpret_cast<LParam>(&last));
  return first == last && first > 0;
}

bool NoDate(const ComboBoxData& d) { return SendMessage(d.calendar, MCM_GETFOCUSPART, 0, 0) == kNoDateMode; }

const char* NoneText() {
  CtrlResInfo* info = nullptr;
  return GetCtrlResInfo("preview", "mc_none_static", &info) && info && info->caption ? info->caption : nullptr;
}

Date CalendarDate(const ComboBoxData& d) {
  MonthCalDate m{};
  SendMessage(d.calendar, MCM_GETCURDATE, 0, reinterpret_cast<LParam>(&m));
  return Date{m.year, m.month, m.day};
}

void GiveCalendar(const ComboBoxData& d, const Date& date) {
  MonthCalDate m{date.year, date.month, date.day, 0};
  SendMessage(d.calendar, MCM_SETCURDATE, 0, reinterpret_cast<LParam>(&m));
}

std::string CalendarText(const ComboBoxData& d) {
  if (NoDate(d)) {
    const char* none = NoneText();
    return none ? none : "";
  }
  return datetime::FormatDate(getDateFormatHook(), CalendarDate(d), !OneYear(d));
}

bool Parse(const char* text, Date* out) { return datetime::ParseDate(text, getDateFormatHook(), monthcalendar::DaysIn, out); }

// The edit's date; else the restore text's, shown again; else the calendar's
// own date is shown and false answered.
bool EditOrRestore(const ComboBoxData& d, Date* out) {
  char text[kDateTextMax + 1];
  EditText(d, text, sizeof text);
  if (Parse(text, out)) return true;
  if (Parse(g_restore, out)) {
    SetEditText(d, g_restore);
    return true;
  }
  SetEditText(d, CalendarText(d).c_str());
  return false;
}

// What the edit shows once a typed text has been checked.
void ShowChecked(const ComboBoxData& d) {
  char text[kDateTextMax + 1];
  EditText(d, text, sizeof text);
  const char* none = NoneText();
  datetime::DateBox box{getDateFormatHook(), OneYear(d), NoDate(d), CalendarDate(d), none ? none : ""};
  SetEditText(d, datetime::CheckedDateText(text, g_restore, box, monthcalendar::DaysIn).c_str());
}

void Close(WindowHandle hwnd, ComboBoxData& d, int code) {
  if (d.calendar) ShowWindow(d.calendar, SW_HIDE);
  d.state &= ~kOpen;
  SetDialogCode(kCodeNormal);
  Notify(hwnd, code);
  Notify(hwnd, CBN_CLOSEUP);
}

// -1 puts the box into no-date mode when the layout has the "none" text.
void SetPart(const ComboBoxData& d, WParam value, int calendarMsg) {
  const int mode = static_cast<int>(SendMessage(d.calendar, MCM_GETFOCUSPART, 0, 0));
  if (static_cast<LParam>(value) == -1) {
    const char* none = NoneText();
    if (!none) return;
    SendMessage(d.calendar, MCM_SETFOCUSPART, static_cast<WParam>(mode | kNoDateMode), 0);
    SetEditText(d, none);
    return;
  }
  SendMessage(d.calendar, MCM_SETFOCUSPART, static_cast<WParam>(mode & ~kNoDateMode), 0);
  SendMessage(d.calendar, calendarMsg, value, 0);
}

LResult ShowToday(const ComboBoxData& d) {
  const MonthCalDate t = monthcalendar::Today();
  const Date today{t.year, t.month, t.day};
  GiveCalendar(d, today);
  const std::string text = datetime::FormatDate(getDateFormatHook(), today, true);
  return d.edit ? SendMessage(d.edit, MSG_SETTEXT, 0, reinterpret_cast<LParam>(text.c_str())) : 0;
}

}  // namespace

void CreateCalendar(WindowHandle hwnd, ComboBoxData& d) {
  uint32_t style = (GetWindowStyle(hwnd) & CBS_CALENDARSTYLE) ? 0x40000058u : 0x40000018u;
  style |= GetSysInfoLanguage() == 2 ? 0x1u : 0x3u;
  const WindowHandle c =
      CreateWindowEx("MonthCalendar", "", style, WS_EX_OWN_CLIPINFO, CB_CALENDAR_ID, 0, 0, 10, 10, hwnd, 0);
  d.calendar = c == GUI_INVALID_HANDLE ? 0 : c;
  if (!d.calendar) return;
  SendMessage(d.calendar, MCM_SETTODAY, 0, 0);
  ShowToday(d);
}

// Below the box, or above it, 2 pixels away, when the parent has no room.
void PlaceCalendar(WindowHandle hwnd, ComboBoxData& d) {
  if (!d.calendar) return;
  const bool lowRes = IsLowResDisplay(getCurOutputHook());
  Rect client{}, self{}, parent{};
  GetClientRect(hwnd, &client);
  GetWindowRect(hwnd, &self);
  GetClientRect(GetParent(hwnd), &parent);
  const int least = (GetSysCharWidth() + 3) * 14, most = lowRes ? 300 : 360;
  int w = client.right;
  if (w < least) w = least;
  if (w > most) w = most;
  const int h = 8 * GetSysCharHeight() + (lowRes ? 0 : 48);
  MoveWindow(d.calendar, d.listRect.left, d.listRect.top, w, h, FALSE);
  // The calendar may round its height to whole rows: place it by the height it took.
  Rect taken{};
  GetWindowRect(d.calendar, &taken);
  const int th = taken.bottom - taken.top;
  if (self.bottom + th + 2 > parent.bottom) MoveWindow(d.calendar, d.listRect.left, -th - 2, w, th, FALSE);
}

bool DateMessage(ComboBoxData& d, int msg, WParam wParam, LParam lParam, LResult* answer) {
  if (!d.calendar) return false;
  Date date{};
  char text[kDateTextMax + 1];
  switch (msg) {
    case MSG_SETTEXT:
      if (lParam && Parse(reinterpret_cast<const char*>(lParam), &date)) GiveCalendar(d, date);
      *answer = d.edit ? SendMessage(d.edit, msg, wParam, lParam) : 0;
      return true;
    case CB_GETYEAR:
      if (NoDate(d)) {
        *answer = -1;
      } else {
        *answer = EditOrRestore(d, &date) ? date.year : CalendarDate(d).year;
      }
      return true;
    case CB_GETMONTH: case CB_GETDAY:
      EditText(d, text, sizeof text);
      if (NoDate(d)) {
        *answer = -1;
      } else {
        *answer = Parse(text, &date) ? (msg == CB_GETMONTH ? date.month : date.day) : 0;
      }
      return true;
    case CB_SETYEAR: SetPart(d, wParam, MCM_SETYEAR); return true;
    case CB_SETMONTH: SetPart(d, wParam, MCM_SETMONTH); return true;
    case CB_SETDAY: SetPart(d, wParam, MCM_SETDAY); return true;
    case CB_SETDATEKIND: *answer = SendMessage(d.calendar, MCM_SETDATEKIND, wParam, lParam); return true;
    case CB_SETYEARRANGE:
      *answer = SendMessage(d.calendar, MCM_SETYEARRANGE, wParam, lParam);
      if (OneYear(d)) SetEditText(d, datetime::FormatDate(getDateFormatHook(), CalendarDate(d), false).c_str());
      return true;
    case CB_SETTODAY: *answer = ShowToday(d); return true;
    default: return false;
  }
}

void ToggleCalendar(WindowHandle hwnd, ComboBoxData& d) {
  if (d.state & kOpen) {
    d.state &= ~kOpen;
    SetDialogCode(kCodeNormal);
    if (d.calendar) ShowWindow(d.calendar, SW_HIDE);  // mostly hidden already by the click outside it
    return;
  }
  if (!d.calendar) return;
  ShowWindow(d.calendar, SW_SHOW);
  Date date{};
  if (EditOrRestore(d, &date)) GiveCalendar(d, date);
  // Open even when nothing parsed, so that the next click closes it.
  d.state |= kOpen;
  SetDialogCode(kCodeListKeys);  // else Escape would pass it by and close the page beneath
  Notify(hwnd, CBN_DROPDOWN);
}

void CalendarChoice(WindowHandle hwnd, ComboBoxData& d, int code) {
  if (code != 1 && code != 2 && code != 3 && code != 5) return;
  const Date date{static_cast<int>(SendMessage(d.calendar, MCM_GETYEAR, 0, 0)),
                  static_cast<int>(SendMessage(d.calendar, MCM_GETMONTH, 0, 0)),
                  static_cast<int>(SendMessage(d.calendar, MCM_GETDAY, 0, 0))};
  if (NoDate(d)) {
    const char* none = NoneText();
    SetEditText(d, none ? none : "");
  } else {
    SetEditText(d, datetime::FormatDate(getDateFormatHook(), date, !OneYear(d)).c_str());
  }
  if ((code == 2 || code == 3) && (d.state & kOpen)) Close(hwnd, d, CBN_SELECTOK);
  Notify(hwnd, CBN_SELCHANGE);
}

// Any key first closes an open calendar (Escape does no more), and the
// dialog has the keys again.
LResult DateKey(WindowHandle hwnd, ComboBoxData& d, int scan, WParam wParam, LParam lParam) {
  if (d.state & kOpen) {
    if (d.calendar) ShowWindow(d.calendar, SW_HIDE);
    d.state &= ~kOpen;
    if (DialogCode() == kCodeListKeys) SetDialogCode(kCodeNormal);
  }
  if (!d.edit) return Default(hwnd, MSG_KEYDOWN, wParam, lParam);
  if (GetWindowStyle(d.edit) & kEditReadOnly) {
    if (scan != KEY_ENTER && scan != PANEL_KEY_TYPE) return SendMessage(d.edit, MSG_KEYDOWN, wParam, lParam);
    NotifyAlways(hwnd, CBN_SELCHANGE);
    StartTyping(d, scan, kRestoreMax);
    EditText(d, g_restore, sizeof g_restore);
    return 0;
  }
  if (scan == PANEL_KEY_EDIT) CaretToEnd(d);
  if (scan != KEY_ENTER && scan != KEY_ESC) return SendMessage(d.edit, MSG_KEYDOWN, wParam, lParam);
  ShowChecked(d);
  StopTyping(d);
  Notify(hwnd, CBN_SELECTOK);
  Notify(hwnd, CBN_CLOSEUP);
  SetFocusChild(d.edit);
  return 0;
}

void DateBlur(WindowHandle hwnd, ComboBoxData& d) {
  if (d.state & kOpen) {
    Close(hwnd, d, CBN_SELECTCANCEL);
  } else {
    ShowChecked(d);
  }
}

}  // namespace combobox
