// The "combine" procedure: a caption over a list-spin combo box or an edit,
// its highlight and focus colours, keys, clicks and the clear mark.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

#include "controls/combine/combine_class.h"
#include "controls/combine/combine_internal.h"
#include "controls/listbox/control_measures.h"
#include "core/element_color.h"
#include "gui/app_hooks.h"
#include "gui/combobox.h"
#include "controls/registry/control_registry.h"
#include "gui/control_class.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/display.h"
#include "gui/element.h"
#include "gui/font.h"
#include "gui/keyboard.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/text.h"

namespace combine {

namespace {

constexpr char kClearText[] = "X";
constexpr uint32_t kEditStyle = WS_CHILD | WS_VISIBLE | ES_READONLY | ES_KEEPCARET | ES_NOCHINESE;
constexpr uint32_t kComboStyle = WS_CHILD | WS_VISIBLE | CBS_READONLY | CBS_SPINLIST;

std::atomic<int> g_dialogCode{kCodeNormal};

LResult Default(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  WindowProc proc = __gui_def_proc[2] ? __gui_def_proc[2] : DefaultControlProc;
  return proc(hwnd, msg, wParam, lParam);
}

void Notify(WindowHandle hwnd, int code) {
  if (GetWindowStyle(hwnd) & CMBS_NOTIFY) NotifyParentEx(hwnd, code, 0);
}

void CopyCaption(CombineData& d, const char* text) {
  const size_t n = std::min(std::strlen(text), static_cast<size_t>(CMB_CAPTION_MAX));
  std::memcpy(d.caption, text, n);
  d.caption[n] = '\0';
}

// The edit variant's background: highlighted or not.
GalPixel EditBackground(const CombineData& d) {
  return (d.state & kHighlighted) ? GetExtraColorEx(WEC_EX_BKC_CONTROL_SELECTED_LV) : Color(WEC_BKC_CONTROL_DISABLED);
}

void CreateChild(WindowHandle hwnd, CombineData& d) {
  const uint32_t style = GetWindowStyle(hwnd);
  const bool disabled = style & WS_DISABLED;
  const int cw = GetSysCharWidth(), ch = GetSysCharHeight();
  Rect client{};
  GetClientRect(hwnd, &client);
  WindowHandle child;
  if (EditVariant(hwnd)) {
    const int w = (IsLowResDisplay(getMainOutputHook()) ? 4 : 6) * cw + 20;
    child = CreateWindowEx("sledit", "", kEditStyle | (disabled ? WS_DISABLED : 0u), 0, CMB_EDIT_ID,
                           (client.right - w) / 2, (client.bottom - ch + 2) / 2, w, ch + 2, hwnd, 0);
  } else {
    const int w = 6 * cw + 20;
    uint32_t childStyle = kComboStyle | ((style & CMBS_NOTIFY) ? CBS_NOTIFY : 0u);
    if (disabled) childStyle |= WS_DISABLED;
    child = CreateWindowEx("combobox", "", childStyle, 0, CMB_COMBO_ID, (client.right - w) / 2,
                           (client.bottom - ch + 2) / 2, w, ch + 2, hwnd, 0);
  }
  d.child = child == GUI_INVALID_HANDLE ? 0 : child;
}

LResult Create(WindowHandle hwnd) {
  CombineData* d = new (std::nothrow) CombineData{};
  if (!d) return -1;
  SetWindowAdditionalData2(hwnd, reinterpret_cast<LParam>(d));
  g_dialogCode = kCodeNormal;
  const char* caption = GetWindowCaption(hwnd);
  CopyCaption(*d, caption ? caption : "");
  CreateChild(hwnd, *d);
  return 0;
}

void Layout(WindowHandle hwnd, const CombineData& d) {
  if (!d.child) return;
  Rect client{}, child{};
  GetClientRect(hwnd, &client);
  GetWindowRect(d.child, &child);
  const int w = child.right - child.left, h = child.bottom - child.top;
  const int font = GetSysFontHeight(getCurOutputHook() == getMainOutputHook() ? 0 : 6);
  int y = (client.bottom - h) / 2;
  if (y < font + 3) y = font + 6;
  MoveWindow(d.child, (client.right - w) / 2, y, w, h, TRUE);
}

void Focus(WindowHandle hwnd, CombineData& d) {
  if (d.state & kFocused) return;
  d.state |= kFocused;
  WindowHandle parent = GetParent(hwnd);
  if (GetFocusChild(parent) != hwnd) SetFocusChild(hwnd);
  if (EditVariant(hwnd)) {
    SetWindowBkColor(hwnd, EditBackground(d));
    InvalidateRect(hwnd, nullptr, FALSE);
  } else {
    SetWindowBkColor(hwnd, Color(WEC_BKC_CONTROL_HILITE));
    InvalidateRect(hwnd, nullptr, TRUE);
  }
  Notify(hwnd, CMBN_SETFOCUS);
}

void Blur(WindowHandle hwnd, CombineData& d) {
  if (!(d.state & kFocused)) return;
  d.state &= ~kFocused;
  SetWindowBkColor(hwnd, EditBackground(d));
  InvalidateRect(hwnd, nullptr, !EditVariant(hwnd));
  if (d.child) SendMessage(d.child, MSG_KILLFOCUS, 0, 0);
  Notify(hwnd, CMBN_KILLFOCUS);
}

void Activate(WindowHandle hwnd, CombineData& d, WParam on) {
  if (GetFocusChild(GetParent(hwnd)) != hwnd) SetFocusChild(hwnd);
  if (EditVariant(hwnd))
    SetWindowBkColor(hwnd, EditBackground(d));
  else
    SetWindowBkColor(hwnd, Color(on ? WEC_BKC_CONTROL_HILITE : WEC_BKC_CONTROL_DISABLED));
  SendMessage(hwnd, on ? MSG_SETFOCUS : MSG_KILLFOCUS, 0, 0);
  InvalidateRect(hwnd, nullptr, !EditVariant(hwnd));
}

void Clear(WindowHandle hwnd, const CombineData& d) {
  if (d.child) SendMessage(d.child, MSG_SETTEXT, 0, reinterpret_cast<LParam>(kClearText));
  Notify(hwnd, CMBN_CLEARED);
}

LResult Key(WindowHandle hwnd, CombineData& d, WParam wParam, LParam lParam) {
  const int scan = static_cast<int>(wParam);
  const bool enter = scan == KEY_ENTER || scan == PANEL_KEY_TYPE;
  if (!EditVariant(hwnd)) {
    if (enter) {
      g_dialogCode = g_dialogCode == kCodeTyping ? kCodeNormal : kCodeTyping;
      return Default(hwnd, MSG_KEYDOWN, wParam, lParam);
    }
    if (d.child) SendMessage(d.child, MSG_KEYDOWN, wParam, lParam);
    return 0;
  }
  if (enter) Notify(hwnd, CMBN_CLICKED);
  if (scan == PANEL_KEY_CLEAR && HasClearMark(hwnd)) Clear(hwnd, d);
  return 0;
}

// Inside the combo box's edit, in this control's client coordinates.
bool OnComboEdit(const CombineData& d, int x, int y) {
  WindowHandle edit = 0;
  if (!d.child) return false;
  SendMessage(d.child, CB_GETCHILDREN, reinterpret_cast<WParam>(&edit), 0);
  Rect child{}, r{};
  if (!edit || !GetWindowRect(d.child, &child) || !GetWindowRect(edit, &r)) return false;
  return x >= child.left + r.left && x < child.left + r.right && y >= child.top + r.top && y < child.top + r.bottom;
}

LResult Mouse(WindowHandle hwnd, CombineData& d, int msg, WParam wParam, LParam lParam) {
  const int x = ctlmeasure::PointX(lParam), y = ctlmeasure::PointY(lParam);
  if (msg == MSG_LBUTTONDOWN) {
    if (EditVariant(hwnd) || OnComboEdit(d, x, y)) return 0;
    return Default(hwnd, msg, wParam, lParam);
  }
  if (msg == MSG_LBUTTONUP) {
    Rect mark{};
    if (ClearMarkRect(hwnd, d, &mark) && x >= mark.left && x < mark.right && y >= mark.top && y < mark.bottom)
      Clear(hwnd, d);
    else
      Notify(hwnd, CMBN_CLICKED);
    return 0;
  }
  return 0;  // double clicks, moves and the other buttons
}

LResult GetCaption(const CombineData& d, WParam wParam, LParam lParam) {
  char* out = reinterpret_cast<char*>(lParam);
  if (!out) return 0;
  const size_t n = std::min(std::strlen(d.caption), static_cast<size_t>(wParam));
  std::memcpy(out, d.caption, n);
  out[n] = '\0';
  return static_cast<LResult>(n);
}

LResult SetCaption(WindowHandle hwnd, CombineData& d, LParam lParam) {
  if (!lParam) return -1;
  CopyCaption(d, reinterpret_cast<const char*>(lParam));
  Rect band{};
  GetClientRect(hwnd, &band);
  band.bottom = band.top + GetSysCharHeight() + 4;
  InvalidateRect(hwnd, &band, TRUE);
  return 0;
}

void SetHighlight(WindowHandle hwnd, CombineData& d, WParam on) {
  if (on)
    d.state |= kHighlighted;
  else
    d.state &= ~kHighlighted;
  SetWindowBkColor(hwnd, on ? GetExtraColorEx(WEC_EX_BKC_CONTROL_SELECTED_LV) : Color(WEC_BKC_CONTROL_DISABLED));
  InvalidateRect(hwnd, nullptr, TRUE);
}

// Messages the combo variant hands to its combo box as another number.
int ComboMessage(int msg) {
  switch (msg) {
    case CMB_ADDSTRING: return 0xF143;
    case CMB_GETVALUE: return 0xF147;
    case CMB_GETSELVALUE: return 0xF181;
    case CMB_DELETEALL: return 0xF183;
    case CMB_DELETESTRING: return 0xF144;
    case CMB_DELETECURRENT: return 0xF184;
    default: return 0;
  }
}

bool ValueMessage(WindowHandle hwnd, CombineData& d, int msg, WParam wParam, LParam lParam, LResult* answer) {
  const bool edit = EditVariant(hwnd);
  *answer = 0;
  if (const int passed = ComboMessage(msg)) {
    if (edit && (msg == CMB_GETVALUE || msg == CMB_GETSELVALUE)) *answer = d.value;
    if (!edit && d.child) *answer = SendMessage(d.child, passed, wParam, lParam);
    return true;
  }
  switch (msg) {
    case CMB_SETVALUE:
      if (edit) {
        d.value = static_cast<int32_t>(wParam);
        return true;
      }
      if (d.child) SendMessage(d.child, CB_SETCURSEL, wParam, lParam);
      *answer = Default(hwnd, msg, wParam, lParam);
      return true;
    case CMB_SETVALUETEXT:
      if (!edit) return true;
      d.value = static_cast<int32_t>(wParam);
      if (d.child) *answer = SendMessage(d.child, MSG_SETTEXT, 0, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return true;
    case CMB_GETTEXT:
      if (edit && d.child) *answer = SendMessage(d.child, MSG_GETTEXT, wParam, lParam);
      return true;
    default: return false;
  }
}

}  // namespace

CombineData* Of(WindowHandle hwnd) { return reinterpret_cast<CombineData*>(GetWindowAdditionalData2(hwnd)); }

LResult CombineProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_CREATE) return Create(hwnd);
  CombineData* d = Of(hwnd);
  if (!d) return Default(hwnd, msg, wParam, lParam);
  LResult answer = 0;
  switch (msg) {
    case MSG_DESTROY:
      SetWindowAdditionalData2(hwnd, 0);
      if (d->child) DestroyWindow(d->child);
      delete d;
      return Default(hwnd, msg, wParam, lParam);
    case MSG_SIZECHANGED:
      answer = Default(hwnd, msg, wParam, lParam);
      Layout(hwnd, *d);
      return answer;
    case MSG_SETFOCUS: Focus(hwnd, *d); return 0;
    case MSG_KILLFOCUS: Blur(hwnd, *d); return 0;
    case MSG_MOUSEENTER: Activate(hwnd, *d, wParam); return 0;
    case MSG_KEYDOWN: return Key(hwnd, *d, wParam, lParam);
    case MSG_LBUTTONDOWN: case MSG_LBUTTONUP: case MSG_LBUTTONDBLCLK: case MSG_MOUSEMOVE:
    case MSG_RBUTTONDOWN: case MSG_RBUTTONDBLCLK:
      return Mouse(hwnd, *d, msg, wParam, lParam);
    case MSG_COMMAND: {
      const int id = static_cast<int>(wParam & 0xFFFF), code = static_cast<int>(wParam >> 16);
      if (id == CMB_COMBO_ID && code == CBN_EDITCHANGE) Notify(hwnd, CMBN_CHANGED);
      if (id == CMB_EDIT_ID && code == EN_CLICKED) Notify(hwnd, CMBN_CLICKED);
      return 0;
    }
    case MSG_PAINT: {
      HDC hdc = BeginPaint(hwnd);
      Paint(hwnd, *d, hdc);
      EndPaint(hwnd, hdc);
      return 0;
    }
    case MSG_GETDLGCODE: return g_dialogCode;
    case MSG_FONTCHANGED:
      if (d->child) SetWindowFont(d->child, GetWindowFont(hwnd));
      return 0;
    case MSG_ENABLE: return d->child ? SendMessage(d->child, msg, wParam, lParam) : 0;
    case CMB_GETCHILD:
      if (lParam) *reinterpret_cast<WindowHandle*>(lParam) = d->child;
      return 0;
    case CMB_SETCAPTION: return SetCaption(hwnd, *d, lParam);
    case CMB_GETCAPTION: return GetCaption(*d, wParam, lParam);
    case CMB_SETHILITE: SetHighlight(hwnd, *d, wParam); return 0;
    case CMB_GETHILITE: return (d->state & kHighlighted) ? 1 : 0;
    default: break;
  }
  if (ValueMessage(hwnd, *d, msg, wParam, lParam, &answer)) return answer;
  return Default(hwnd, msg, wParam, lParam);
}

}  // namespace combine

namespace controls {

BOOL RegisterCombineControl() {
  return RegisterBuiltinClass("combine", 0, WinElementColors[WEC_BKC_CONTROL_DISABLED], combine::CombineProc);
}

}  // namespace controls
