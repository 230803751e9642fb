// The time box: its spinner drop-down, the field messages passed to the
// spinner, typing a time into the edit, and focus loss; the typing both
// the date and the time box share.
#include <string>

#include "controls/combobox/combobox_internal.h"
#include "controls/listbox/control_measures.h"
#include "controls/spintime/spintime_internal.h"
#include "gui/app_hooks.h"
#include "gui/display.h"
#include "gui/edit.h"
#include "gui/keyboard.h"
#include "gui/message.h"
#include "gui/startup.h"
#include "gui/window_attr.h"

namespace combobox {

namespace {

constexpr int kTimeTextMax = 15;

// The edit's time cut into the spinner's fields.
void ParseEdit(const ComboBoxData& d) {
  spintime::Data* s = d.spinner ? spintime::Record(d.spinner) : nullptr;
  if (!s) return;
  char text[kTimeTextMax + 1];
  EditText(d, text, sizeof text);
  spintime::ParseInto(*s, text);
}

void WriteBack(const ComboBoxData& d) {
  if (d.spinner) SendMessage(d.spinner, TSM_WRITEBACK, 0, 0);
}

int Limit(const ComboBoxData& d) {
  const spintime::Data* s = d.spinner ? spintime::Record(d.spinner) : nullptr;
  switch (s ? s->separatorMode : 0) {
    case 1: return 7;
    case 2: return 11;
    case 3: return 15;
    default: return 5;
  }
}

void EndTyping(ComboBoxData& d) {
  StopTyping(d);
  ParseEdit(d);
  WriteBack(d);  // the edit then shows the time as the fields hold it
  SetFocusChild(d.edit);
}

void Close(ComboBoxData& d) {
  d.state &= ~kOpen;
  SetDialogCode(kCodeNormal);
  if (d.spinner) ShowWindow(d.spinner, SW_HIDE);
}

}  // namespace

void CaretToEnd(const ComboBoxData& d) {
  CloseInputHelpersHeld();
  char text[kTextMax + 1];
  EditText(d, text, sizeof text);
  SendMessage(d.edit, EM_SETCARETPOS, 0, static_cast<LParam>(std::char_traits<char>::length(text)));
}

// Enter leaves the caret on the first digit, which typing then writes over
// (the text fills its limit: digits put in would be refused); the type key
// leaves it at the end.
void StartTyping(ComboBoxData& d, int scan, int limit) {
  ExcludeWindowStyle(d.edit, kEditReadOnly);
  IncludeWindowStyle(d.edit, kEditEditable);
  SendMessage(d.edit, EM_LIMITTEXT, static_cast<WParam>(limit), 0);
  SendMessage(d.edit, MSG_KEYDOWN, KEY_ENTER, 0);
  SetDialogCode(kCodeTyping);
  if (scan == PANEL_KEY_TYPE)
    CaretToEnd(d);
  else
    SendMessage(d.edit, EM_SETCARETPOS, 0, 0);
}

// While typing, a digit takes the place of the digit at the caret, stepping
// over a separator, so that a whole date or time is typed by its digits
// alone. Where no digit follows (the end, a text that is no date), or over
// a selection, the edit's own rule holds.
bool TypeOverDigit(const ComboBoxData& d, WParam ch) {
  if (!d.edit || (GetWindowStyle(d.edit) & kEditReadOnly) || ch < '0' || ch > '9') return false;
  const LResult caret = SendMessage(d.edit, EM_GETCARETPOS, 0, 0);
  if (SendMessage(d.edit, EM_GETSELPOS, 0, 0) != caret) return false;
  char text[kTextMax + 1];
  EditText(d, text, sizeof text);
  const LResult length = static_cast<LResult>(std::char_traits<char>::length(text));
  const auto digitAt = [&](LResult i) { return i >= 0 && i < length && text[i] >= '0' && text[i] <= '9'; };
  const LResult at = digitAt(caret) ? caret : caret + 1;
  if (!digitAt(at)) return false;
  SendMessage(d.edit, EM_SETCARETPOS, 0, at);
  SendMessage(d.edit, EM_SETSEL, 0, at + 1);
  SendMessage(d.edit, MSG_CHAR, ch, 0);
  return true;
}

// A drop-down still open keeps the keys: the next Escape closes it.
void StopTyping(ComboBoxData& d) {
  ClearInputHelperState();
  IncludeWindowStyle(d.edit, kEditReadOnly);
  SetDialogCode((d.state & kOpen) ? kCodeListKeys : kCodeNormal);
}

void CreateTimeSpinner(WindowHandle hwnd, ComboBoxData& d) {
  d.spinHeight = IsLowResDisplay(getCurOutputHook()) ? 30 : 36;
  const WindowHandle s = CreateWindowEx("spintime", "", 0, WS_EX_OWN_CLIPINFO, CB_SPINNER_ID, 0, 0, 10, 10, hwnd, 0);
  d.spinner = s == GUI_INVALID_HANDLE ? 0 : s;
}

// Below the box; a width outside 200..360 is brought inside, kept within
// the parent's client area when the left edge allows, else right-aligned.
void PlaceSpinner(WindowHandle hwnd, ComboBoxData& d) {
  if (!d.spinner) return;
  Rect r = d.spinRect;
  const int w = r.right - r.left;
  if (w < 200 || w > 360) {
    const int want = w < 200 ? 200 : 360;
    Rect self{}, parent{};
    GetWindowRect(hwnd, &self);
    GetClientRect(GetParent(hwnd), &parent);
    if (self.left + want <= parent.right) {
      r.right = r.left + want;
    } else {
      r.left = r.right - want;
    }
  }
  MoveWindow(d.spinner, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
}

bool TimeMessage(ComboBoxData& d, int msg, WParam wParam, LParam lParam, LResult* answer) {
  const int field = static_cast<int>(wParam);
  switch (msg) {
    case CB_SETFIELDCOUNT:
      *answer = d.spinner && spintime::SetFieldCount(d.spinner, field);
      // The limit typing left on the edit fits the old count: the new one's
      // text must not be cut by it.
      if (*answer && d.edit) {
        SendMessage(d.edit, EM_LIMITTEXT, static_cast<WParam>(Limit(d)), 0);
        WriteBack(d);
      }
      return true;
    case CB_GETFIELD: *answer = d.spinner ? spintime::GetField(d.spinner, field) : 0; return true;
    case CB_SETFIELD:
      *answer = d.spinner && spintime::SetField(d.spinner, field, static_cast<int>(lParam));
      return true;
    case CB_SETSEPARATORS: *answer = 0; return true;  // the spinner sets its own separators
    case CB_SETFIELDRANGE1: case CB_SETFIELDRANGE2: case CB_SETFIELDRANGE3: case CB_SETFIELDRANGE4:
      *answer = d.spinner && spintime::SetFieldRange(d.spinner, msg - CB_SETSEPARATORS, field, static_cast<int>(lParam));
      return true;
    default: return false;
  }
}

void ToggleSpinner(ComboBoxData& d) {
  if (d.state & kOpen) {
    Close(d);  // a click outside the spinner has mostly hidden it already
    WriteBack(d);
    return;
  }
  ParseEdit(d);
  d.state |= kOpen;
  SetDialogCode(kCodeListKeys);  // else Escape would pass it by and close the page beneath
  if (d.spinner) ShowWindow(d.spinner, SW_SHOW);
}

LResult TimeKey(WindowHandle hwnd, ComboBoxData& d, int scan, WParam wParam, LParam lParam) {
  if (!d.edit) return Default(hwnd, MSG_KEYDOWN, wParam, lParam);
  if (GetWindowStyle(d.edit) & kEditReadOnly) {
    if (scan == KEY_ESC && (d.state & kOpen)) {
      Close(d);
      SetFocusChild(d.edit);
      ParseEdit(d);
      return 0;
    }
    if (scan == KEY_ENTER || scan == PANEL_KEY_TYPE) {
      Notify(hwnd, CBN_SELCHANGE);
      StartTyping(d, scan, Limit(d));
      return 0;
    }
    return SendMessage(d.edit, MSG_KEYDOWN, wParam, lParam);
  }
  if (scan == PANEL_KEY_EDIT) CaretToEnd(d);
  if (scan == KEY_ENTER || scan == KEY_ESC) {
    EndTyping(d);
    return 0;
  }
  return SendMessage(d.edit, MSG_KEYDOWN, wParam, lParam);
}

void TimeBlur(ComboBoxData& d) {
  if (d.state & kOpen) {
    Close(d);
  } else {
    ParseEdit(d);
  }
  WriteBack(d);
}

}  // namespace combobox
