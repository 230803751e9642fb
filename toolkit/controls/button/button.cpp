// The button's messages: state word, clicks by mouse and keys, focus,
// check values, images and the bubble tip.
#include <new>

#include "controls/button/button_class.h"
#include "controls/button/button_internal.h"
#include "controls/button/check_mark.h"
#include "controls/painters/ctrl_text.h"
#include "controls/registry/control_registry.h"
#include "gui/control_class.h"
#include "gui/control_paint.h"
#include "gui/control_tip.h"
#include "gui/input.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/keyboard.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace button {

bool IsCheckKind(uint32_t kind) {
  switch (kind) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_RADIOBUTTON: case BS_3STATE: case BS_AUTO3STATE:
    case BS_AUTORADIOBUTTON: case BS_AUTO3STATESWITCH: case BS_ONOFF:
      return true;
    default: return false;
  }
}

Data* DataOf(WindowHandle hwnd) { return reinterpret_cast<Data*>(GetWindowAdditionalData2(hwnd)); }

}  // namespace button

namespace {

using button::Data;
using button::DataOf;
using button::KindOf;

constexpr uint32_t kFlagTipAlways = 0x1, kFlagTipCut = 0x2, kTipPlacements = 0x0F;

LResult Default(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  WindowProc proc = __gui_def_proc[2] ? __gui_def_proc[2] : DefaultControlProc;
  return proc(hwnd, msg, wParam, lParam);
}

bool Disabled(WindowHandle hwnd) { return GetWindowStyle(hwnd) & WS_DISABLED; }
uint32_t Content(uint32_t style) { return style & BS_CONTENTMASK; }

LResult DialogCode(uint32_t style) {
  switch (KindOf(style)) {
    case BS_PUSHBUTTON: case BS_ARROW: case BS_PLAINPUSHBUTTON: return DLGC_PUSHBUTTON;
    case BS_DEFPUSHBUTTON: return (style & BS_PLACEMASK) == BS_NOFRAME ? DLGC_STATIC : DLGC_DEFPUSHBUTTON;
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_AUTO3STATESWITCH: case BS_ONOFF: return 0x2008;
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: return 0x2400;
    case BS_3STATE: case BS_AUTO3STATE: return DLGC_3STATE;
    default: return 0;
  }
}

// Notifications other than "clicked" go out only with the notify style.
void Notify(WindowHandle hwnd, int code) {
  if (code == BN_CLICKED || (GetWindowStyle(hwnd) & BS_NOTIFY)) NotifyParentEx(hwnd, code, 0);
}

void Repaint(WindowHandle hwnd, bool erase = false) {
  if (KindOf(GetWindowStyle(hwnd)) != BS_BITMAPBUTTON) InvalidateRect(hwnd, nullptr, erase);
}

void FocusRepaint(WindowHandle hwnd) {
  const uint32_t style = GetWindowStyle(hwnd);
  if (style & BS_FRAMED) {
    InvalidateRect(hwnd, nullptr, TRUE);
  } else if (KindOf(style) == BS_AUTOCHECKBOX) {
    Rect r = button::TextRect(hwnd);
    r.left -= 2; r.top -= 2; r.right += 2; r.bottom += 2;
    InvalidateRect(hwnd, &r, FALSE);
  } else {
    InvalidateRect(hwnd, nullptr, FALSE);
    button::ClearOutlineBeyondPicture(hwnd);
  }
}

LResult SetCheck(WindowHandle hwnd, Data* d, WParam value) {
  const uint32_t old = d->state;
  switch (KindOf(GetWindowStyle(hwnd))) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: case BS_ONOFF:
      if (Disabled(hwnd)) break;
      d->state = (value & 1) ? d->state | BST_CHECKED : d->state & ~BST_CHECKED;
      break;
    case BS_3STATE: case BS_AUTO3STATE: case BS_AUTO3STATESWITCH:
      if (value <= 2) d->state = (d->state & ~3u) | static_cast<uint32_t>(value);
      break;
    default: break;
  }
  if (d->state != old) InvalidateRect(hwnd, nullptr, FALSE);
  return old;
}

LResult GetCheck(WindowHandle hwnd, const Data* d) {
  switch (KindOf(GetWindowStyle(hwnd))) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: case BS_ONOFF:
      return d->state & BST_CHECKED;
    case BS_3STATE: case BS_AUTO3STATE: case BS_AUTO3STATESWITCH:
      return (d->state & BST_INDETERMINATE) ? 2 : d->state & BST_CHECKED;
    default: return 0;
  }
}

// What a click does to the check value of the automatic kinds.
void ClickAction(Data* d, uint32_t kind) {
  switch (kind) {
    case BS_AUTOCHECKBOX: case BS_AUTORADIOBUTTON: case BS_ONOFF: d->state ^= BST_CHECKED; break;
    case BS_AUTO3STATE: d->state = (d->state & ~3u) | (((d->state & 3u) + 1) % 3); break;
    case BS_AUTO3STATESWITCH: d->state = (d->state & ~3u) | ((d->state & 3u) == 0 ? 1u : 0u); break;
    default: break;
  }
}

void Press(WindowHandle hwnd, Data* d) {
  if (GetCapture() == hwnd || Disabled(hwnd)) return;
  SetCapture(hwnd);
  d->state |= BST_PUSHED | BST_FOCUS;
  Notify(hwnd, BN_PUSHED);
  Repaint(hwnd);
}

bool Inside(WindowHandle hwnd, LParam screenPos) {
  int x = static_cast<int16_t>(screenPos & 0xFFFF), y = static_cast<int16_t>((screenPos >> 16) & 0xFFFF);
  ScreenToClient(GetParent(hwnd), &x, &y);
  Rect r{};
  GetWindowRect(hwnd, &r);
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// A release reaches the button through its capture with a screen position,
// or, when it followed the press too closely for the capture to be in place,
// routed by its parent with a client position.
LParam ScreenPosition(WindowHandle hwnd, WParam keys, LParam pos) {
  if (keys & KS_CAPTURED) return pos;
  int x = static_cast<int16_t>(pos & 0xFFFF), y = static_cast<int16_t>((pos >> 16) & 0xFFFF);
  ClientToScreen(hwnd, &x, &y);
  return static_cast<LParam>((static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16) | static_cast<uint16_t>(x));
}

void Release(WindowHandle hwnd, Data* d, LParam screenPos) {
  if (Disabled(hwnd)) return;
  // A release routed to the pushed button ends its press even when the
  // capture is gone: the parent's own mouse-up may have released it before
  // this release, which overtook the capture, arrived here.
  const bool held = GetCapture() == hwnd;
  if (!held && !(d->state & BST_PUSHED)) return;
  if (held) ReleaseCapture();
  if (Inside(hwnd, screenPos)) {
    ClickAction(d, KindOf(GetWindowStyle(hwnd)));
    d->state &= ~BST_PUSHED;
    Notify(hwnd, BN_UNPUSHED);
    Notify(hwnd, BN_CLICKED);
    Repaint(hwnd);
  } else if (d->state & BST_PUSHED) {
    d->state &= ~BST_PUSHED;
    Notify(hwnd, BN_UNPUSHED);
    Repaint(hwnd);
  }
}

bool ClickKey(WindowHandle hwnd, WParam scan) {
  const uint32_t kind = KindOf(GetWindowStyle(hwnd));
  if (scan == KEY_SPACE || scan == KEY_ENTER) return true;
  return scan == PANEL_KEY_EDIT && (kind == BS_AUTOCHECKBOX || kind == BS_AUTORADIOBUTTON ||
                                 kind == BS_AUTO3STATESWITCH || kind == BS_ONOFF);
}

void KeyUp(WindowHandle hwnd, Data* d) {
  if (GetCapture() != hwnd) return;
  d->state &= ~BST_PUSHED;
  ReleaseCapture();
  Repaint(hwnd);
  ClickAction(d, KindOf(GetWindowStyle(hwnd)));
  Notify(hwnd, BN_CLICKED);
  Notify(hwnd, BN_UNPUSHED);
}

void TypedCheck(WindowHandle hwnd, Data* d, WParam ch) {
  const uint32_t kind = KindOf(GetWindowStyle(hwnd));
  if (kind != BS_CHECKBOX && kind != BS_AUTOCHECKBOX && kind != BS_AUTORADIOBUTTON && kind != BS_ONOFF) return;
  if (ch > 0xFF) return;
  const uint32_t old = d->state;
  if (ch == '+' || ch == '=') d->state |= BST_CHECKED;
  if (ch == '-') d->state &= ~BST_CHECKED;
  if (d->state != old) InvalidateRect(hwnd, nullptr, FALSE);
}

void FocusGained(WindowHandle hwnd, Data* d) {
  if (Disabled(hwnd)) return;
  if ((d->state & (BST_FOCUS | button::kSwallowFocus)) == (BST_FOCUS | button::kSwallowFocus)) {
    d->state &= ~button::kSwallowFocus;
    return;
  }
  d->state |= BST_FOCUS;
  Notify(hwnd, BN_SETFOCUS);
  FocusRepaint(hwnd);
}

void FocusLost(WindowHandle hwnd, Data* d) {
  if (!(d->state & BST_FOCUS) && (d->state & button::kSwallowFocus)) {
    d->state &= ~button::kSwallowFocus;
    return;
  }
  d->state &= ~BST_FOCUS;
  if (GetCapture() == hwnd) {
    ReleaseCapture();
    d->state &= ~BST_PUSHED;
  }
  Notify(hwnd, BN_KILLFOCUS);
  FocusRepaint(hwnd);
}

void FocusByMessage(WindowHandle hwnd, Data* d, WParam on) {
  if (Disabled(hwnd)) return;
  if (on) {
    d->state |= BST_FOCUS;
    SetFocusChild(hwnd);
    Notify(hwnd, BN_SETFOCUS);
    d->state |= button::kSwallowFocus;  // for the focus message SetFocusChild queues
  } else {
    // The loss sent to itself arrives at once; the marker must already be
    // set for it, or the parent hears of the loss twice.
    d->state = (d->state & ~BST_FOCUS) | button::kSwallowFocus;
    SendMessage(hwnd, MSG_KILLFOCUS, 0, 0);
    Notify(hwnd, BN_KILLFOCUS);
  }
  FocusRepaint(hwnd);
}

void Enable(WindowHandle hwnd, Data* d, bool enable) {
  if (enable) {
    ExcludeWindowStyle(hwnd, WS_DISABLED);
  } else {
    IncludeWindowStyle(hwnd, WS_DISABLED);
    d->state = 0;
  }
  InvalidateRect(hwnd, nullptr, TRUE);
}

LResult TipQuery(WindowHandle hwnd) {
  const uint32_t content = Content(GetWindowStyle(hwnd));
  if (content == BS_TIPALWAYS) return 1;
  if (content != BS_ELLIPSIS) return 0;
  const Rect r = button::TextRect(hwnd);
  return painters::TextWidth(hwnd, GetWindowCaption(hwnd)) > r.right - r.left ? TIP_OFFER_CUT : 0;
}

LResult TipText(WindowHandle hwnd, WParam wParam) {
  auto* tip = reinterpret_cast<BubbleTipExchange*>(wParam);
  if (!tip) return 0;
  const uint32_t content = Content(GetWindowStyle(hwnd));
  // The tip keeps one record for every control: an earlier answer's
  // placement kind must not linger beside this one.
  if (content == BS_TIPALWAYS) tip->flags = (tip->flags & ~kTipPlacements) | kFlagTipAlways;
  if (content == BS_ELLIPSIS) tip->flags = (tip->flags & ~kTipPlacements) | kFlagTipCut;
  return painters::CopyTipText(GetWindowCaption(hwnd) ? GetWindowCaption(hwnd) : "", tip);
}

LResult SetImage(WindowHandle hwnd, Data* d, WParam how, LParam image) {
  const uintptr_t old = d->image;
  if (how == 1) IncludeWindowStyle(hwnd, BS_BITMAP);
  if (how == 2) ExcludeWindowStyle(hwnd, BS_BITMAP);
  if (image) {
    d->image = static_cast<uintptr_t>(image);
    InvalidateRect(hwnd, nullptr, TRUE);
  }
  return static_cast<LResult>(old);
}

LResult Create(WindowHandle hwnd) {
  Data* d = new (std::nothrow) Data{};
  if (!d) return -1;
  d->image = static_cast<uintptr_t>(GetWindowAdditionalData(hwnd));
  SetWindowAdditionalData2(hwnd, reinterpret_cast<LParam>(d));
  const uint32_t style = GetWindowStyle(hwnd), kind = KindOf(style);
  if (kind == BS_PUSHBUTTON || kind == BS_IMAGEBUTTON || kind == BS_FRAMEBUTTON) {
    ExcludeWindowStyle(hwnd, 0x80u);
    IncludeWindowStyle(hwnd, BS_ELLIPSIS);
  }
  if (!(style & BS_FRAMED) && button::IsCheckKind(kind)) IncludeWindowExStyle(hwnd, WS_EX_TRANSPARENT);
  return 0;
}

// Messages that need the button's data; the rest pass to Default.
bool Handle(WindowHandle hwnd, Data* d, int msg, WParam wParam, LParam lParam, LResult* out) {
  switch (msg) {
    case MSG_PAINT: button::Paint(hwnd); return (*out = 0), true;
    case MSG_GETDLGCODE: return (*out = DialogCode(GetWindowStyle(hwnd))), true;
    case MSG_ENABLE: Enable(hwnd, d, wParam != 0); return (*out = 0), true;
    case MSG_TIPQUERY: return (*out = TipQuery(hwnd)), true;
    case MSG_TIPTEXT: return (*out = TipText(hwnd, wParam)), true;
    case BM_GETCHECK: return (*out = GetCheck(hwnd, d)), true;
    case BM_SETCHECK: return (*out = SetCheck(hwnd, d, wParam)), true;
    case BM_GETSTATE: return (*out = d->state), true;
    case BM_SETSTATE: {
      const uint32_t old = d->state & BST_PUSHED;
      d->state = wParam ? d->state | BST_PUSHED : d->state & ~BST_PUSHED;
      if ((d->state & BST_PUSHED) != old) InvalidateRect(hwnd, nullptr, FALSE);
      return (*out = old), true;
    }
    case BM_GETIMAGE: {
      const bool image = Content(GetWindowStyle(hwnd)) == BS_BITMAP;
      if (image && wParam) *reinterpret_cast<int*>(wParam) = 1;
      return (*out = image ? static_cast<LResult>(d->image) : 0), true;
    }
    case BM_SETIMAGE: return (*out = SetImage(hwnd, d, wParam, lParam)), true;
    case MSG_LBUTTONUP: Release(hwnd, d, ScreenPosition(hwnd, wParam, lParam)); return (*out = 0), true;
    case MSG_SIZECHANGING: case MSG_CALCCLIENTRECT:
      return (*out = button::SizeCalc(hwnd, msg, reinterpret_cast<const Rect*>(wParam),
                                      reinterpret_cast<Rect*>(lParam))), true;
    case MSG_HITTEST: {
      const bool inside = Inside(hwnd, static_cast<LParam>((wParam & 0xFFFF) | ((lParam & 0xFFFF) << 16)));
      return (*out = inside ? HT_CLIENT : HT_OUT), true;
    }
    default: break;
  }
  // Effects that fall through to the default procedure afterwards.
  switch (msg) {
    case MSG_LBUTTONDOWN: Press(hwnd, d); break;
    case MSG_LBUTTONDBLCLK:  // a press first: its release must find the capture to end
      Press(hwnd, d);
      Notify(hwnd, BN_DBLCLK);
      break;
    case MSG_KEYDOWN:
      if (ClickKey(hwnd, wParam)) Press(hwnd, d);
      break;
    case MSG_CHAR: TypedCheck(hwnd, d, wParam); break;
    case MSG_KEYUP:
      if (ClickKey(hwnd, wParam)) KeyUp(hwnd, d);
      break;
    case MSG_SETFOCUS: FocusGained(hwnd, d); break;
    case MSG_KILLFOCUS: FocusLost(hwnd, d); break;
    case MSG_MOUSEENTER: FocusByMessage(hwnd, d, wParam); break;
    case MSG_SETTEXT:
      SetWindowCaption(hwnd, reinterpret_cast<const char*>(lParam));
      InvalidateRect(hwnd, nullptr, FALSE);
      break;
    case BM_SETSTYLE: {
      const uint32_t style = GetWindowStyle(hwnd);
      ExcludeWindowStyle(hwnd, style & 0xFFFFu & ~static_cast<uint32_t>(wParam));
      IncludeWindowStyle(hwnd, static_cast<uint32_t>(wParam) & 0xFFFFu);
      if (lParam & 0xFFFF) InvalidateRect(hwnd, nullptr, FALSE);
      break;
    }
    case BM_CLICK: {
      const uint32_t kind = KindOf(GetWindowStyle(hwnd));
      if (kind == BS_AUTOCHECKBOX || kind == BS_AUTORADIOBUTTON || kind == BS_ONOFF)
        SetCheck(hwnd, d, !(d->state & BST_CHECKED));
      if (kind == BS_AUTO3STATE || kind == BS_AUTO3STATESWITCH) SetCheck(hwnd, d, 2 - (d->state & 3u));
      Notify(hwnd, BN_CLICKED);
      InvalidateRect(hwnd, nullptr, FALSE);
      break;
    }
    default: break;
  }
  return false;
}

LResult ButtonProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_CREATE) {
    if (Create(hwnd) != 0) return -1;
    return Default(hwnd, msg, wParam, lParam);
  }
  if (msg == MSG_ERASEBKGND) {
    if (GetWindowStyle(hwnd) & BS_FRAMED)
      EraseEditFrameBkgnd(hwnd, static_cast<HDC>(wParam), reinterpret_cast<const Rect*>(lParam));
    return 0;
  }
  Data* d = DataOf(hwnd);
  if (msg == MSG_DESTROY) {
    delete d;
    SetWindowAdditionalData2(hwnd, 0);
    return Default(hwnd, msg, wParam, lParam);
  }
  LResult result = 0;
  if (d && Handle(hwnd, d, msg, wParam, lParam, &result)) return result;
  return Default(hwnd, msg, wParam, lParam);
}

}  // namespace

namespace controls {

BOOL RegisterButtonControl() {
  if (!GetCheckMarkBitmap()) button::BuildCheckMark();
  return RegisterBuiltinClass("button", 0, WinElementColors[WEC_BKC_CONTROL_NORMAL], ButtonProc);
}

}  // namespace controls
