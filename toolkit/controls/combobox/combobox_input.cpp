// The combo box's keys, mouse, focus and activity, the drop-down hidden by
// a click outside it, and the commands of its children.
#include <cstring>

#include "controls/barkit/ctl_util.h"
#include "controls/combobox/combobox_internal.h"
#include "controls/listbox/control_measures.h"
#include "gui/keyboard.h"
#include "gui/listbox.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/startup.h"
#include "gui/cursor.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/nonclient.h"
#include "gui/window_attr.h"

namespace combobox {

namespace {

bool Spins(uint32_t kind) { return kind == CBS_SPINNUMBER || kind == CBS_SPINLIST; }
bool Drops(uint32_t kind) { return kind == CBS_DROPDOWNLIST || kind == CBS_DATE || kind == CBS_TIME; }

void ToggleTyping() { SetDialogCode(DialogCode() == kCodeTyping ? kCodeNormal : kCodeTyping); }

LResult SpinKey(WindowHandle hwnd, ComboBoxData& d, int scan, WParam wParam, LParam lParam) {
  const bool number = Kind(hwnd) == CBS_SPINNUMBER;
  switch (scan) {
    case KEY_ESC:
      if (DialogCode() & 0x4) SetDialogCode(kCodeNormal);
      return 0;
    case KEY_ENTER: case PANEL_KEY_TYPE: ToggleTyping(); return 0;
    case KEY_UP: case KEY_DOWN: {
      const bool down = scan == KEY_DOWN;
      SendMessage(hwnd, CB_SPIN, number ? down : !down, 0);
      if (number) NotifyAlways(hwnd, CBN_SPINSTEP);
      return 0;
    }
    case KEY_PAGEUP: case KEY_PAGEDOWN:
      SendMessage(hwnd, CB_FASTSPIN, scan == KEY_PAGEDOWN, 0);
      return 0;
    default: return Default(hwnd, MSG_KEYDOWN, wParam, lParam);
  }
}

// Opened by a key, the list takes the keyboard whichever key opened it:
// otherwise Escape would pass it by and close the page beneath.
void Open(WindowHandle hwnd, ComboBoxData& d, bool byEnter) {
  OpenList(hwnd, d, byEnter);
  SetDialogCode(kCodeListKeys);
  if (d.list) SetFocusChild(d.list);
}

// Opened by a click the list takes the keys too, or the dialog walks its
// group with the arrows and Enter finds no choice; the edit keeps the focus.
void OpenByClick(WindowHandle hwnd, ComboBoxData& d) {
  OpenList(hwnd, d, true);
  SetDialogCode(kCodeListKeys);
}

// The open list's marked row is the choice. The pointer marks rows without
// telling, so a click on the row it rests on changes no selection and the
// edit would keep the old value.
void TakeMarkedRow(WindowHandle hwnd, ComboBoxData& d) {
  char before[kMatchMax + 1], after[kMatchMax + 1];
  EditText(d, before, sizeof before);
  CopyCurrentToEdit(d);
  EditText(d, after, sizeof after);
  // Rows alike in text (pictures alone) differ by their place.
  const bool otherRow = d.list && (d.state & kOpen) && SendMessage(d.list, LB_GETCURSEL, 0, 0) != d.openedAt;
  if (otherRow || std::strcmp(before, after) != 0) Notify(hwnd, CBN_SELCHANGE);
}

LResult DropKey(WindowHandle hwnd, ComboBoxData& d, int scan, WParam wParam, LParam lParam) {
  const bool open = d.state & kOpen;
  switch (scan) {
    case KEY_ESC: case KEY_ENTER:
      if (!open && scan == KEY_ENTER) {
        Open(hwnd, d, true);
        return 0;
      }
      if (!open) return Default(hwnd, MSG_KEYDOWN, wParam, lParam);
      if (scan == KEY_ENTER) TakeMarkedRow(hwnd, d);
      CloseList(hwnd, d, scan == KEY_ENTER ? CBN_SELECTOK : CBN_SELECTCANCEL);
      SetDialogCode(kCodeNormal);
      if (d.edit) SetFocusChild(d.edit);
      return 0;
    case KEY_UP: case KEY_PAGEUP: case KEY_DOWN: case KEY_PAGEDOWN:
      // The open list walks whether or not it holds the focus (a click leaves it with the edit).
      if (open) return d.list ? SendMessage(d.list, MSG_KEYDOWN, wParam, lParam) : 0;
      Open(hwnd, d, false);
      return 0;
    default: return Default(hwnd, MSG_KEYDOWN, wParam, lParam);
  }
}

void Repaint(WindowHandle hwnd, const Rect& r) { InvalidateRect(hwnd, &r, TRUE); }

void Press(WindowHandle hwnd, ComboBoxData& d, int x, int y, WParam wParam, LParam lParam) {
  ClearInputHelperState();
  if (d.edit) IncludeWindowStyle(d.edit, kEditReadOnly);
  const uint32_t kind = Kind(hwnd);
  const bool first = Inside(d.first, x, y), second = !first && Inside(d.second, x, y);
  const bool onEdit = !first && !second && InsideEdit(d, hwnd, x, y);
  if (onEdit) {
    if (d.edit) SetFocusChild(d.edit);
    Notify(hwnd, CBN_SETFOCUS);
    d.state ^= kPressed;
    Repaint(hwnd, d.first);
  }
  if (!first && !second && (!onEdit || !Drops(kind))) {
    if (Drops(kind)) Default(hwnd, MSG_LBUTTONDOWN, wParam, lParam);
    return;
  }
  if (Spins(kind)) {
    const WParam down = kind == CBS_SPINNUMBER ? (first ? 0 : 1) : (first ? 1 : 0);
    SetCapture(hwnd);
    SendMessage(hwnd, CB_SPIN, down, 0);
    SetAutoRepeatMessage(hwnd, CB_FASTSPIN, down, 0);
    if (kind == CBS_SPINLIST) Notify(hwnd, CBN_EDITCHANGE);
  } else if (kind == CBS_DROPDOWNLIST) {
    if (d.state & kOpen)
      d.state &= ~kOpen;  // the same click already hid the list
    else
      OpenByClick(hwnd, d);
  } else if (kind == CBS_TIME) {
    ToggleSpinner(d);
  } else if (kind == CBS_DATE) {
    ToggleCalendar(hwnd, d);
  }
}

void Release(WindowHandle hwnd, ComboBoxData& d) {
  const uint32_t kind = Kind(hwnd);
  if (Spins(kind)) {
    SetAutoRepeatMessage(0, 0, 0, 0);
    if (kind == CBS_SPINLIST) Notify(hwnd, CBN_EDITCHANGE);
    ReleaseCapture();
  }
  NotifyAlways(hwnd, CBN_CLICKED);
}

void Wheel(WindowHandle hwnd, ComboBoxData& d, int msg, int x, int y) {
  const uint32_t kind = Kind(hwnd);
  const bool downward = msg == MSG_MOUSEWHEELDOWN;
  if (Spins(kind)) {
    if (!InsideEdit(d, hwnd, x, y)) return;
    CloseInputHelpers();
    SetFocusChild(hwnd);
    SendMessage(hwnd, CB_SPIN, kind == CBS_SPINNUMBER ? downward : !downward, 0);
    return;
  }
  if (kind != CBS_DROPDOWNLIST) return;
  if ((d.state & kOpen) && Inside(d.listRect, x, y)) {
    SendMessage(d.list, MSG_VSCROLL, downward ? 2 : 1, 0);
    return;
  }
  if (!InsideEdit(d, hwnd, x, y) || !d.edit || GetFocusChild(hwnd) != d.edit) return;
  CloseInputHelpers();
  SetFocusChild(hwnd);
  const int start = MatchEditText(d);
  if (start < 0 || d.count <= 0) return;
  const int count = static_cast<int>(SendMessage(d.list, LB_GETCOUNT, 0, 0));
  int index = start;
  do {
    index = (index + (downward ? 1 : -1) + count) % count;
  } while (index != start && SendMessage(hwnd, CB_SETCURSEL, static_cast<WParam>(index), 0) == LB_ERR_DISABLED);
  if (index == start) SendMessage(hwnd, CB_SETCURSEL, static_cast<WParam>(index), 0);
  NotifyAlways(hwnd, CBN_SELECTOK);
  if (count > 1) NotifyAlways(hwnd, CBN_SELCHANGE);
}

// Whether every window from the box up to its main window is its parent's
// focus child.
bool OnFocusPath(WindowHandle hwnd) {
  for (WindowHandle w = hwnd; IsControl(w); w = GetParent(w))
    if (GetFocusChild(GetParent(w)) != w) return false;
  return true;
}

}  // namespace

void MarkArrow(WindowHandle hwnd, ComboBoxData& d, int x, int y) {
  const uint16_t old = d.state & (kFirstMarked | kSecondMarked);
  uint16_t now = 0;
  if (Inside(d.first, x, y)) now = kFirstMarked;
  else if (Inside(d.second, x, y)) now = kSecondMarked;
  if (now == old) return;
  d.state = static_cast<uint16_t>((d.state & ~(kFirstMarked | kSecondMarked)) | now);
  Repaint(hwnd, d.first);
  Repaint(hwnd, d.second);
}

LResult OnKey(WindowHandle hwnd, ComboBoxData& d, int scan, WParam wParam, LParam lParam) {
  const uint32_t kind = Kind(hwnd);
  if (Spins(kind)) return SpinKey(hwnd, d, scan, wParam, lParam);
  if (kind == CBS_DROPDOWNLIST) return DropKey(hwnd, d, scan, wParam, lParam);
  if (kind == CBS_TIME) return TimeKey(hwnd, d, scan, wParam, lParam);
  if (kind == CBS_DATE) return DateKey(hwnd, d, scan, wParam, lParam);
  return Default(hwnd, MSG_KEYDOWN, wParam, lParam);
}

LResult OnMouse(WindowHandle hwnd, ComboBoxData& d, int msg, WParam wParam, LParam lParam) {
  const Point p = barkit::ClientPoint(hwnd, wParam, lParam);
  const int x = p.x, y = p.y;
  switch (msg) {
    case MSG_LBUTTONDOWN: Press(hwnd, d, x, y, wParam, lParam); break;
    case MSG_LBUTTONUP: Release(hwnd, d); break;
    case MSG_MOUSEMOVE:
      if (Spins(Kind(hwnd))) {
        MarkArrow(hwnd, d, x, y);
      } else {
        // The hover look ends when the pointer leaves the button.
        const bool over = Inside(d.first, x, y);
        if (over != static_cast<bool>(d.state & kPressed)) {
          d.state ^= kPressed;
          Repaint(hwnd, d.first);
        }
      }
      break;
    default: Wheel(hwnd, d, msg, x, y); break;
  }
  return 0;
}

void OnDropDownHidden(WindowHandle hwnd, ComboBoxData& d, WParam wParam, LParam lParam) {
  int x = ctlmeasure::PointX(lParam), y = ctlmeasure::PointY(lParam);
  if (wParam == 1) ScreenToClient(hwnd, &x, &y);
  if (d.state & kOpen) {
    d.state &= ~kOpen;
    SetDialogCode(kCodeNormal);
    NotifyAlways(hwnd, CBN_SELECTCANCEL);
    NotifyAlways(hwnd, CBN_CLOSEUP);
    if (d.spinner) SendMessage(d.spinner, CB_SETSPINFORMAT, 0, 0);
  }
  const uint32_t kind = Kind(hwnd);
  const bool onButton = kind >= CBS_SPINLIST && Inside(d.first, x, y);
  if (onButton || (Drops(kind) && InsideEdit(d, hwnd, x, y))) d.state |= kOpen;
}

void OnActive(WindowHandle hwnd, ComboBoxData& d, WParam on) {
  const uint32_t kind = Kind(hwnd);
  if (Spins(kind)) {
    if (!on) {
      SendMessage(hwnd, MSG_KILLFOCUS, 0, 0);
      const uint16_t marked = d.state & (kFirstMarked | kSecondMarked);
      d.state &= ~(kFirstMarked | kSecondMarked);
      if (marked & kFirstMarked) Repaint(hwnd, d.first);
      if (marked & kSecondMarked) Repaint(hwnd, d.second);
      return;
    }
    Point p{};
    GetCursorPos(&p);
    ScreenToClient(hwnd, &p.x, &p.y);
    SetFocusChild(hwnd);
    SendMessage(hwnd, MSG_SETFOCUS, 0, 0);
    MarkArrow(hwnd, d, p.x, p.y);
    return;
  }
  const bool pressable = (kind == CBS_DROPDOWNLIST || kind == CBS_DATE) && (GetWindowStyle(hwnd) & CBS_TRANSPARENT);
  if (pressable) {
    d.state = on ? (d.state | kPressed) : (d.state & ~kPressed);
    Repaint(hwnd, d.first);
  }
  // Leaving the box for its open drop-down (or past it) keeps the focus: the
  // drop-down closes by a choice, Escape or a click outside.
  if (!on) {
    if (!(d.state & kOpen)) SendMessage(hwnd, MSG_KILLFOCUS, 0, 0);
    return;
  }
  SetFocusChild(hwnd);
  SendMessage(hwnd, MSG_SETFOCUS, 0, 0);
}

void OnCommand(WindowHandle hwnd, ComboBoxData& d, WParam wParam) {
  const int id = static_cast<int>(wParam & 0xFFFF), code = static_cast<int>(wParam >> 16);
  const uint32_t kind = Kind(hwnd);
  if (id == CB_EDIT_ID) {
    if (code == EN_DBLCLK) Notify(hwnd, CBN_DBLCLK);
    if (code == EN_CLICKED && kind != CBS_SPINNUMBER) NotifyAlways(hwnd, CBN_CLICKED);
    if ((code == EN_UPDATE || code == EN_CHANGE) && d.list && d.edit && GetFocusChild(hwnd) == d.edit) {
      char text[kTextMax + 1];
      EditText(d, text, sizeof text);
      const LResult found = text[0] ? SendMessage(d.list, LB_FINDSTRING, 0, reinterpret_cast<LParam>(text)) : -1;
      if (found >= 0) SendMessage(d.list, LB_SETCURSEL, static_cast<WParam>(found), 0);
    }
    if (code == EN_UPDATE) Notify(hwnd, CBN_EDITCHANGE);
    return;
  }
  if (kind == CBS_DATE && id == CB_CALENDAR_ID && d.calendar) {
    CalendarChoice(hwnd, d, code);
    return;
  }
  if (id != CB_LIST_ID) return;
  if (kind == CBS_DROPDOWNLIST && (code == LBN_KILLFOCUS || code == LBN_CLICKED)) {
    if (!(d.state & kOpen)) return;
    TakeMarkedRow(hwnd, d);
    CloseList(hwnd, d, CBN_SELECTOK);
    return;
  }
  if (code == LBN_DBLCLK) Notify(hwnd, CBN_DBLCLK);
  if (code == LBN_SELCHANGE && kind == CBS_DROPDOWNLIST) {
    // The open list's walked row is only marked: Enter or a click chooses it.
    if (!(d.state & kOpen)) TakeMarkedRow(hwnd, d);
  } else if (code == LBN_SELCHANGE) {
    CopyCurrentToEdit(d);
    Notify(hwnd, CBN_SELCHANGE);
  }
}

void OnFocus(WindowHandle hwnd, ComboBoxData& d) {
  // A notice read after the focus moved on is dropped: giving the edit the
  // focus takes it back for every parent, and two boxes on sheet pages
  // switched before their notices were read took it from each other forever.
  if ((d.state & kFocused) || !OnFocusPath(hwnd)) return;
  d.state |= kFocused;
  if (d.edit) {
    // An edit that stayed the box's focus child hears nothing from being
    // made it again, and its focus was taken when the box lost it.
    const bool stayed = GetFocusChild(hwnd) == d.edit;
    SetFocusChild(d.edit);
    if (stayed) SendMessage(d.edit, MSG_SETFOCUS, 0, 0);
  }
  SendMessage(hwnd, MSG_FREESTANDING_EDIT, 1, 0);
  Notify(hwnd, CBN_SETFOCUS);
}

void OnBlur(WindowHandle hwnd, ComboBoxData& d) {
  if (!(d.state & kFocused)) return;
  d.state &= ~kFocused;
  if (Kind(hwnd) == CBS_TIME) TimeBlur(d);
  if (Kind(hwnd) == CBS_DATE) DateBlur(hwnd, d);
  SetDialogCode(kCodeNormal);
  if (Kind(hwnd) == CBS_DROPDOWNLIST && (d.state & kOpen)) CloseList(hwnd, d, CBN_SELECTCANCEL);
  ClearInputHelperState();
  if (d.edit) {
    IncludeWindowStyle(d.edit, kEditReadOnly);
    // Its text stays selected, and looks focused, until the edit hears it too.
    SendMessage(d.edit, MSG_KILLFOCUS, 0, 0);
  }
  SendMessage(hwnd, MSG_FREESTANDING_EDIT, 0, 0);
  Notify(hwnd, CBN_KILLFOCUS);
}

}  // namespace combobox
