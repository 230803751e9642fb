// Mouse, keys, characters, focus and input modes of the single-line edit,
// with the soft keyboard and the input method following the mode.
#include <algorithm>
#include <cctype>

#include "controls/sledit/sledit.h"
#include "gui/caret.h"
#include "gui/desktop.h"
#include "gui/keyboard.h"
#include "gui/layout.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/startup.h"
#include "gui/text_entry.h"
#include "gui/window.h"
#include "gui/window_attr.h"

using namespace entry;

namespace sledit {
namespace {

constexpr uint32_t kShift = 0x3, kCtrl = 0x30, kIpKeyboardStyle = 0x1;
constexpr int kGbLanguage = 2;

bool Editable(uint32_t style) { return !IsReadOnly(style) && !IsRangeField(style); }
bool HasIcon(uint32_t style) { return Editable(style) && !(style & kNoIcon); }
WindowHandle Parent(WindowHandle hwnd) { return GetParent(hwnd); }
bool InIpEdit(WindowHandle hwnd) { return (Style(hwnd) & kIpField) && HostKind(hwnd) == 2; }

void ToKeyboard(int which, int value) {
  if (WindowHandle skb = LiveSoftKeyboard()) SendMessage(skb, MSG_DT_SKBCMD, static_cast<WParam>(which), value);
}

void ToIme(int which, int value) {
  if (WindowHandle ime = LiveIme()) SendMessage(ime, MSG_DT_IMECMD, static_cast<WParam>(which), value);
}

void SetMode(SLEditData* d, uint32_t mode) {
  d->status = (d->status & ~kModeMask) | mode;
  SetSoftKeyboardMode(static_cast<int>(mode));
}

uint32_t Letters() { return GetSoftKeyboardCapsLock() ? kModeUpper : kModeLower; }

bool OnIcon(WindowHandle hwnd, const SLEditData* d, int x, int y) {
  if (!HasIcon(Style(hwnd)) || !KeyboardServes()) return false;
  Rect client{};
  GetClientRect(hwnd, &client);
  return x >= client.right - IconWidth() && x < client.right && y >= d->textRect.top && y < d->textRect.bottom;
}

void CycleTwoWay(WindowHandle hwnd, SLEditData* d) {
  const uint32_t mode = d->status & kModeMask;
  if (mode == kModeLower || mode == kModeUpper) {
    SetMode(d, kModeNumber);
    ToKeyboard(2, 1);
  } else if (mode == kModeNumber) {
    SetMode(d, Letters());
    ToKeyboard(2, 0);
  }
  SendMessage(hwnd, MSG_PLACEIME, hwnd, 0);
}

void CycleThreeWay(WindowHandle hwnd, SLEditData* d) {
  const uint32_t mode = d->status & kModeMask;
  if (mode == kModeNumber) {
    SetMode(d, Letters());
    ToKeyboard(2, 0);
    SendMessage(hwnd, MSG_PLACEIME, hwnd, 0);
  } else if (mode == kModeChinese || mode == kModePunct) {
    SetMode(d, kModeNumber);
    ToKeyboard(2, 1);
    if (LiveIme()) SendMessage(hwnd, MSG_PLACEIME, hwnd, 0);
  } else if (mode == kModeLower || mode == kModeUpper) {
    SetMode(d, kModeChinese);
    ToKeyboard(2, 2);
    ToKeyboard(3, 0);
    ToIme(1, 1);
    ToIme(3, 1);
    SendMessage(hwnd, MSG_PLACEIME, hwnd, 1);
  }
}

void CycleMode(WindowHandle hwnd, SLEditData* d) {
  const uint32_t style = Style(hwnd);
  ShowArrowCursor();
  const bool twoWay = (style & kPassword) || GetSysInfoLanguage() != kGbLanguage ||
                      (style & (kNoChinese | kNumberFirst));
  if (twoWay)
    CycleTwoWay(hwnd, d);
  else
    CycleThreeWay(hwnd, d);
  Repaint(hwnd);
}

// The first press on an editable field opens the typing: room for the icon
// and the first mode.
void StartTyping(WindowHandle hwnd, SLEditData* d) {
  const uint32_t style = Style(hwnd);
  SetKeyboardServes(true);
  SendMessage(hwnd, MSG_CALCCLIENTRECT, 0, 0);
  const bool numbers = IsRangeField(style) || (style & (kPassword | kNumberFirst));
  SetMode(d, numbers ? kModeNumber : Letters());
  ToKeyboard(2, numbers ? 1 : 0);
  SendMessage(hwnd, MSG_PLACEIME, hwnd, 0);
  Repaint(hwnd);
}

void PressInIpField(WindowHandle hwnd, SLEditData* d) {
  WindowHandle parent = Parent(hwnd);
  if ((GetWindowStyle(parent) & kIpKeyboardStyle) && LiveSoftKeyboard()) {
    ToKeyboard(2, 1);
    d->status = kModeNumber;
    SetSoftKeyboardMode(kModeNumber);
  }
  SetKeyboardServes(true);
  Repaint(hwnd);
}

void SetSelection(WindowHandle hwnd, SLEditData* d, int start, int end) {
  EditModel& m = d->model;
  const int oldStart = m.selStart, oldEnd = m.selEnd;
  m.selStart = std::min(start, end);
  m.selEnd = std::max(start, end);
  UpdateCaretVisibility(hwnd, d);
  if (m.selStart != oldStart || m.selEnd != oldEnd) Repaint(hwnd);
}

}  // namespace

void OnPress(WindowHandle hwnd, SLEditData* d, int x, int y) {
  const uint32_t style = Style(hwnd);
  SetScrollDragFlag(1);
  if (d->status & kSwallowPress) {
    d->status &= ~kSwallowPress;
    return;
  }
  if (y < d->textRect.top || y > d->textRect.bottom) return;
  const bool onIcon = OnIcon(hwnd, d, x, y);
  if (!onIcon) {
    d->model.caret = PositionAt(hwnd, d, x);
    PlaceCaret(hwnd, d);
  }
  const int kind = HostKind(hwnd);
  if (kind != 1 && kind != 3) {
    ActiveCaret(hwnd);
    ShowCaret(hwnd);
    SetCapture(hwnd);
  }
  if (d->model.HasSelection()) {
    d->model.Collapse();
    Repaint(hwnd);
  }
  WindowHandle skb = LiveSoftKeyboard();
  if (skb && !IsWindowVisible(skb)) SetKeyboardServes(false);
  if ((style & kNoIcon) && IsControlOfClass(Parent(hwnd), "ipedit")) {
    PressInIpField(hwnd, d);
  } else if (KeyboardServes()) {
    if (onIcon)
      CycleMode(hwnd, d);
    else
      Repaint(hwnd);
  } else if (!IsReadOnly(style)) {
    StartTyping(hwnd, d);
  }
}

// Dragging with the capture held: the position comes on the screen.
void OnMouseMove(WindowHandle hwnd, SLEditData* d, LParam lParam) {
  int x = LowX(lParam), y = HighY(lParam);
  const uint32_t style = Style(hwnd);
  if (GetCapture() != hwnd) {
    if (KeyboardServes() && !IsRangeField(style) && !IsReadOnly(style) && OnIcon(hwnd, d, x, y)) ShowArrowCursor();
    return;
  }
  ScreenToClient(hwnd, &x, &y);
  Rect client{};
  GetClientRect(hwnd, &client);
  EditModel& m = d->model;
  const int length = m.text.Length();
  if (y >= client.bottom) {
    SetSelection(hwnd, d, m.caret, length);
    ShowPosition(hwnd, d, length);
  } else if (y < client.top) {
    SetSelection(hwnd, d, 0, m.caret);
    d->scroll = 0;
  } else if (x < client.left) {
    if (m.SelHigh() == length && m.HasSelection())
      SetSelection(hwnd, d, m.caret, 0);
    else if (m.SelLow() > 0)
      SetSelection(hwnd, d, m.SelLow() - CharLenBefore(hwnd, d, m.SelLow()), m.SelHigh());
    ShowPosition(hwnd, d, m.SelLow());
  } else if (x >= client.right) {
    if (m.SelLow() == 0 && m.HasSelection())
      SetSelection(hwnd, d, 0, PositionAt(hwnd, d, client.right));
    else if (m.SelHigh() < length)
      SetSelection(hwnd, d, m.SelLow(), m.SelHigh() + CharLenAfter(hwnd, d, m.SelHigh()));
    ShowPosition(hwnd, d, m.SelHigh());
  } else {
    const int p = PositionAt(hwnd, d, x);
    SetSelection(hwnd, d, m.caret, p);
    ShowPosition(hwnd, d, p);
  }
}

namespace {

void CloseTyping() { CloseInputHelpers(); }

void ClearSelection(WindowHandle hwnd, SLEditData* d) {
  if (!d->model.HasSelection()) return;
  d->model.Collapse();
  Repaint(hwnd);
}

void KeyHome(WindowHandle hwnd, SLEditData* d, bool shift) {
  EditModel& m = d->model;
  if (shift) {
    SetSelection(hwnd, d, 0, m.caret);
    d->scroll = 0;
    PlaceCaret(hwnd, d);
    Notify(hwnd, EN_SELCHANGE);
    return;
  }
  m.caret = 0;
  ClearSelection(hwnd, d);
  ScrollToCaret(hwnd, d);
}

void KeyEnd(WindowHandle hwnd, SLEditData* d, bool shift) {
  EditModel& m = d->model;
  if (shift) {
    SetSelection(hwnd, d, m.caret, m.text.Length());
    Notify(hwnd, EN_SELCHANGE);
    return;
  }
  m.caret = m.text.Length();
  if (!IsReadOnly(Style(hwnd))) ClearSelection(hwnd, d);
  ScrollToCaret(hwnd, d);
}

void KeyLeft(WindowHandle hwnd, SLEditData* d, bool shift) {
  EditModel& m = d->model;
  if (shift) {
    if (!m.HasSelection()) m.selStart = m.selEnd = m.caret;
    if (m.selStart < m.caret || !m.HasSelection())
      m.selStart -= CharLenBefore(hwnd, d, m.selStart);
    else
      m.selEnd -= CharLenBefore(hwnd, d, m.selEnd);
    if (ShowPosition(hwnd, d, m.selStart)) PlaceCaret(hwnd, d);
    UpdateCaretVisibility(hwnd, d);
    Repaint(hwnd);
    Notify(hwnd, EN_SELCHANGE);
    return;
  }
  const bool had = m.HasSelection();
  m.caret -= CharLenBefore(hwnd, d, m.caret);
  m.Collapse();
  ScrollToCaret(hwnd, d);
  if (had || OnAuxOutput()) Repaint(hwnd);
}

void KeyRight(WindowHandle hwnd, SLEditData* d, bool shift) {
  EditModel& m = d->model;
  if (shift) {
    if (!m.HasSelection()) m.selStart = m.selEnd = m.caret;
    if (!m.HasSelection() || m.caret < m.selEnd)
      m.selEnd += CharLenAfter(hwnd, d, m.selEnd);
    else
      m.selStart += CharLenAfter(hwnd, d, m.selStart);
    if (ShowPosition(hwnd, d, m.selEnd)) PlaceCaret(hwnd, d);
    UpdateCaretVisibility(hwnd, d);
    Repaint(hwnd);
    Notify(hwnd, EN_SELCHANGE);
    return;
  }
  const bool had = m.HasSelection();
  m.caret += CharLenAfter(hwnd, d, m.caret);
  m.Collapse();
  ScrollToCaret(hwnd, d);
  if (had || OnAuxOutput()) Repaint(hwnd);
}

void KeyDelete(WindowHandle hwnd, SLEditData* d) {
  if (IsReadOnly(Style(hwnd))) return;
  EditModel& m = d->model;
  if (!m.HasSelection()) {
    const int n = CharLenAfter(hwnd, d, m.caret);
    if (n == 0) return;
    m.caret += n;
    m.Collapse();
    ApplyEdit(hwnd, d, nullptr, -n);
    return;
  }
  ApplyEdit(hwnd, d, nullptr, -1);
}

void DialogKey(WindowHandle hwnd, SLEditData* d, int scan) {
  if (scan == KEY_ENTER) {
    if (DialogCode() & DLGC_WANTALLKEYS) {
      CloseTyping();
      SetDialogCode(kDlgIdle);
    } else {
      SetDialogCode(kDlgEditing);
    }
  } else if (scan == PANEL_KEY_TYPE) {
    if (!(DialogCode() & DLGC_WANTALLKEYS)) SetDialogCode(kDlgEditing);
  } else if (scan == KEY_ESC) {
    SetDialogCode(kDlgIdle);
    ClearSelection(hwnd, d);
    ShowCaret(hwnd);
    CloseTyping();
    SendMessage(hwnd, MSG_EDITSKBMODE, 0, 0);
  }
}

}  // namespace

void OnKey(WindowHandle hwnd, SLEditData* d, int scan, LParam state) {
  DialogKey(hwnd, d, scan);
  const bool shift = state & kShift;
  EditModel& m = d->model;
  switch (scan) {
    case KEY_ENTER:
      if (m.HasSelection()) KeyEnd(hwnd, d, false);
      Notify(hwnd, EN_ENTER);
      break;
    case KEY_A:
      if (state & kCtrl) SetSelection(hwnd, d, 0, m.text.Length());
      break;
    case KEY_HOME: KeyHome(hwnd, d, shift); break;
    case KEY_LEFT: KeyLeft(hwnd, d, shift); break;
    case KEY_RIGHT: KeyRight(hwnd, d, shift); break;
    case KEY_END: KeyEnd(hwnd, d, shift); break;
    case KEY_INSERT: d->status ^= kOverwrite; break;
    case KEY_DELETE: KeyDelete(hwnd, d); break;
    default: break;
  }
}

void OnChar(WindowHandle hwnd, SLEditData* d, WParam ch) {
  const uint32_t style = Style(hwnd);
  unsigned char bytes[3] = {static_cast<unsigned char>(ch & 0xFF), static_cast<unsigned char>((ch >> 8) & 0xFF),
                            static_cast<unsigned char>((ch >> 16) & 0xFF)};
  if (bytes[0] == 127) bytes[0] = 8;
  if (IsReadOnly(style)) return;
  const bool ipField = InIpEdit(hwnd);
  const int n = bytes[2] ? 3 : bytes[1] ? 2 : 1;
  if (IsRangeField(style) && n == 1) {
    const unsigned char c = bytes[0];
    if ((c == '.' || c == ' ') && ipField && d->model.caret != 0) SendMessage(Parent(hwnd), MSG_IPEDIT_MOVEFIELD, 0, 1);
    if (!((c >= '0' && c <= '9') || c == 8 || c == '-')) return;
  } else if (IsRangeField(style)) {
    return;
  }
  if (n == 1) {
    if (style & kUpper) bytes[0] = static_cast<unsigned char>(std::toupper(bytes[0]));
    if (style & kLower) bytes[0] = static_cast<unsigned char>(std::tolower(bytes[0]));
    if (bytes[0] < 0x20 && bytes[0] != 8) return;
  }
  if (n == 1 && bytes[0] == 8) {
    if (d->model.HasSelection() || d->model.caret > 0)
      ApplyEdit(hwnd, d, nullptr, d->model.HasSelection() ? -1 : -CharLenBefore(hwnd, d, d->model.caret));
    else if (ipField)
      SendMessage(Parent(hwnd), MSG_IPEDIT_MOVEFIELD, 0, 0);
    return;
  }
  ApplyEdit(hwnd, d, reinterpret_cast<const char*>(bytes), n);
  if (ipField && d->model.caret == d->model.limit) SendMessage(Parent(hwnd), MSG_IPEDIT_MOVEFIELD, 0, 1);
}

void OnFocus(WindowHandle hwnd, SLEditData* d) {
  if (d->status & kFocused) return;
  const uint32_t style = Style(hwnd);
  d->status |= kFocused;
  ActiveCaret(hwnd);
  if (!IsReadOnly(style)) ShowCaret(hwnd);
  bool repainted = false;
  WindowHandle skb = LiveSoftKeyboard();
  if (!(style & kKeepCaret) && !(skb && IsWindowVisible(skb))) {
    d->model.selStart = 0;
    d->model.selEnd = d->model.caret = d->model.text.Length();
    UpdateCaretVisibility(hwnd, d);
    PlaceCaret(hwnd, d);
    if (d->model.text.Length() > 0 || (style & kTip)) {
      Repaint(hwnd);
      repainted = true;
    }
  }
  if (style & kKeepCaret) ShowCaret(hwnd);
  if (!repainted) SendMessage(hwnd, MSG_FREESTANDING_EDIT, 1, 0);
  Notify(hwnd, EN_SETFOCUS);
}

void OnBlur(WindowHandle hwnd, SLEditData* d) {
  if (!(d->status & kFocused)) return;
  const uint32_t style = Style(hwnd);
  d->status &= ~kFocused;
  HideCaret(hwnd);
  bool needed = d->model.HasSelection() || ((style & kTip) && d->model.text.Length() == 0) ||
                (OnAuxOutput() && !KeyboardServes());
  d->model.Collapse();
  bool repainted = false;
  if (KeyboardServes()) {
    SetKeyboardServes(false);
    d->status &= ~kModeMask;
    Layout(hwnd, d, false);
    Repaint(hwnd);
    repainted = true;
    if (HostKind(hwnd) != 2) ClearInputHelperState();
  }
  if (DialogCode() & DLGC_WANTALLKEYS) SetDialogCode(kDlgIdle);
  if (!(style & kPlain) || needed) {
    Repaint(hwnd);
    repainted = true;
  }
  Notify(hwnd, EN_KILLFOCUS);
  if (d->changed) {
    d->changed = false;
    Notify(hwnd, EN_CHANGEDONBLUR);
  }
  if (!repainted) SendMessage(hwnd, MSG_FREESTANDING_EDIT, 0, 0);
}

void OnSetMode(WindowHandle hwnd, SLEditData* d, WParam mode) {
  const uint32_t style = Style(hwnd);
  switch (mode) {
    case kModeLower: case kModeNumber: case kModeChinese: case kModeUpper: case kModePunct:
      if (!IsRangeField(style) && !IsReadOnly(style)) SetKeyboardServes(true);
      if (mode != kModeChinese || !(style & kNoChinese)) d->status = (d->status & ~kModeMask) | static_cast<uint32_t>(mode);
      break;
    case 0:
      d->status &= ~kModeMask;
      SetKeyboardServes(false);
      break;
    default: d->status |= static_cast<uint32_t>(mode); break;
  }
  Layout(hwnd, d, false);
  Repaint(hwnd);
}

}  // namespace sledit
