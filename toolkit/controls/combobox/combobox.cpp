// The "combobox" procedure: creation of the record and the children, the
// messages every kind takes, and the class registration.
#include <atomic>
#include <initializer_list>
#include <cstdlib>
#include <cstring>
#include <new>

#include "controls/barkit/ctl_util.h"
#include "controls/combobox/combobox_class.h"
#include "controls/combobox/combobox_internal.h"
#include "controls/listbox/control_measures.h"
#include "controls/registry/control_registry.h"
#include "gui/control_class.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/element.h"
#include "gui/listbox.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/text.h"

namespace combobox {

namespace {

constexpr uint32_t kEditRange = 0x200;

std::atomic<int> g_dialogCode{kCodeNormal};

uint32_t ListStyle(uint32_t style, uint32_t kind) {
  uint32_t s = (style & CBS_GRIDLIST) ? 0x100001u | LBS_GRID : 0x180001u;
  if (style & CBS_SORT) s |= LBS_SORT;
  if (style & CBS_TRANSPARENT) s |= LBS_GRADIENT;
  if (style & CBS_ITEMFONT) s |= LBS_ITEMFONT;
  if (kind == CBS_SIMPLE) s |= WS_VISIBLE | WS_BORDER;
  if (kind == CBS_SPINLIST) s |= 0x20u;
  return s;
}

uint32_t EditStyle(uint32_t style, uint32_t kind) {
  uint32_t s = WS_CHILD | WS_VISIBLE | ES_READONLY | (style & WS_DISABLED);
  if (style & CBS_TRANSPARENT) s |= 0x1080u;
  if (style & CBS_UPPERCASE) s |= ES_UPPERCASE;
  if (style & CBS_LOWERCASE) s |= ES_LOWERCASE;
  if (style & CBS_READONLY) s |= kEditReadOnly;
  if (kind != CBS_SIMPLE && kind != CBS_SPINNUMBER) s |= kEditRange;
  return s;
}

void SetHeight(WindowHandle hwnd, int height) {
  Rect r{};
  GetWindowRect(hwnd, &r);
  MoveWindow(hwnd, r.left, r.top, r.right - r.left, height, FALSE);
}

void FixHeight(WindowHandle hwnd, const Skins& skins, uint32_t kind) {
  if (kind == CBS_SPINNUMBER || kind == CBS_SPINLIST) {
    IncludeWindowStyle(hwnd, CBS_AUTOLOOP);
    if (skins.spin) SetHeight(hwnd, static_cast<int>(skins.spin->bmHeight) / 2);
  } else if ((kind == CBS_DROPDOWNLIST || kind == CBS_DATE || kind == CBS_FIXEDLIST) && skins.down) {
    SetHeight(hwnd, static_cast<int>(skins.down->bmHeight));
  }
}

void CreateChildren(WindowHandle hwnd, ComboBoxData& d, uint32_t style, uint32_t kind) {
  const uint32_t exStyle = GetWindowExStyle(hwnd) & (0x1u | 0x10u | 0x10000u | 0x80000u);
  const char* caption = GetWindowCaption(hwnd);
  WindowHandle edit = CreateWindowEx("sledit", caption ? caption : "", EditStyle(style, kind), exStyle, CB_EDIT_ID, 0,
                                     0, 10, 10, hwnd, 0);
  d.edit = edit == GUI_INVALID_HANDLE ? 0 : edit;
  const WindowProc filter = kind == CBS_SPINNUMBER                                   ? DigitFilter
                            : kind == CBS_DROPDOWNLIST || kind == CBS_FIXEDLIST ? PictureField
                                                                                : nullptr;
  if (d.edit && filter) SetWindowAdditionalData(d.edit, reinterpret_cast<LParam>(SetWindowCallbackProc(d.edit, filter)));
  if (d.listHeight < 0) return;
  WindowHandle list = CreateWindowEx("listbox", "listbox", ListStyle(style, kind),
                                     kind == CBS_SIMPLE ? 0u : WS_EX_OWN_CLIPINFO, CB_LIST_ID, 0, 0, 10, 10, hwnd, 0);
  d.list = list == GUI_INVALID_HANDLE ? 0 : list;
}

LResult Create(WindowHandle hwnd) {
  ComboBoxData* d = new (std::nothrow) ComboBoxData{};
  if (!d) return -1;
  SetWindowAdditionalData2(hwnd, reinterpret_cast<LParam>(d));
  SetDialogCode(kCodeNormal);
  const Skins skins = LoadSkins();
  const uint32_t kind = Kind(hwnd);
  FixHeight(hwnd, skins, kind);
  const uint32_t style = GetWindowStyle(hwnd);
  const int extra = static_cast<int>(GetWindowAdditionalData(hwnd));
  switch (kind) {
    case CBS_SIMPLE: d->listHeight = extra > 0 ? extra : 0; break;
    case CBS_SPINNUMBER:
      d->listHeight = -1;
      d->format = static_cast<char*>(std::malloc(3));
      if (d->format) std::memcpy(d->format, "%d", 3);
      break;
    case CBS_SPINLIST: d->listHeight = 0; break;
    case CBS_DROPDOWNLIST: case CBS_FIXEDLIST:
      d->button = skins.down;
      d->listHeight = extra > 0 ? extra : 0;
      break;
    default: d->listHeight = -1; break;  // the date and time kinds are built elsewhere
  }
  ResetSpin(hwnd, *d);
  CreateChildren(hwnd, *d, style, kind);
  if (kind == CBS_TIME) CreateTimeSpinner(hwnd, *d);
  if (kind == CBS_DATE) CreateCalendar(hwnd, *d);
  return 0;
}

void Destroy(WindowHandle hwnd, ComboBoxData* d) {
  // The code is every box's: one gone with its drop-down open or with the
  // focus must not keep the page's keys from the next.
  if (d->state & (kOpen | kFocused)) SetDialogCode(kCodeNormal);
  SetWindowAdditionalData2(hwnd, 0);
  for (WindowHandle child : {d->edit, d->list, d->calendar, d->spinner})
    if (child) DestroyWindow(child);
  std::free(d->format);
  delete d;
}

void Enable(WindowHandle hwnd, ComboBoxData& d, WParam enable) {
  if (d.edit) SendMessage(d.edit, MSG_ENABLE, enable, 0);
  const bool disabled = GetWindowStyle(hwnd) & WS_DISABLED;
  if (disabled == !enable) return;
  if (enable)
    ExcludeWindowStyle(hwnd, WS_DISABLED);
  else
    IncludeWindowStyle(hwnd, WS_DISABLED);
  InvalidateRect(hwnd, nullptr, TRUE);
}

LResult SizeChanging(WindowHandle hwnd, const ComboBoxData& d, WParam wParam, LParam lParam) {
  if (Kind(hwnd) != CBS_SIMPLE || !wParam || !lParam) return Default(hwnd, MSG_SIZECHANGING, wParam, lParam);
  Rect r = *reinterpret_cast<const Rect*>(wParam);
  r.bottom = r.top + GetSysFontHeight(5) + 6 + d.listHeight + 4;
  *reinterpret_cast<Rect*>(lParam) = r;
  return 0;
}

LResult Children(WindowHandle hwnd, const ComboBoxData& d, WParam wParam, LParam lParam) {
  WindowHandle* slot = reinterpret_cast<WindowHandle*>(lParam);
  if (slot && *slot == hwnd) {
    // A move of the box asks this way, with the new rectangle behind
    // wParam: that stays untouched, and only a drop-down is named for
    // hiding (an always-shown list stays).
    if (Kind(hwnd) != CBS_SIMPLE && (d.list || d.spinner)) *slot = d.list ? d.list : d.spinner;
    return 0;
  }
  if (wParam) *reinterpret_cast<WindowHandle*>(wParam) = d.edit;
  if (lParam && (d.list || d.spinner)) *reinterpret_cast<WindowHandle*>(lParam) = d.list ? d.list : d.spinner;
  return 0;
}

void GiveFont(const ComboBoxData& d, LogFont* font) {
  for (WindowHandle child : {d.edit, d.list, d.calendar})
    if (child) SetWindowFont(child, font);
}

}  // namespace

int DialogCode() { return g_dialogCode.load(); }
void SetDialogCode(int code) { g_dialogCode.store(code); }

Skins LoadSkins() {
  Skins s{};
  const Bitmap** slots[] = {&s.date, &s.time, &s.down, &s.spin, &s.leftRight};
  const char* names[] = {"date", "time", "downarrow", "spin_updown_arrow", "leftrightarrow"};
  for (int i = 0; i < 5; ++i)
    if (!(*slots[i] = GetStockBitmap(names[i], -1, -1))) break;
  return s;
}

ComboBoxData* Of(WindowHandle hwnd) { return reinterpret_cast<ComboBoxData*>(GetWindowAdditionalData2(hwnd)); }

void Notify(WindowHandle hwnd, int code) {
  if (GetWindowStyle(hwnd) & CBS_NOTIFY) NotifyParentEx(hwnd, code, 0);
}

void NotifyAlways(WindowHandle hwnd, int code) { NotifyParentEx(hwnd, code, 0); }

LResult Default(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  WindowProc proc = __gui_def_proc[2] ? __gui_def_proc[2] : DefaultControlProc;
  return proc(hwnd, msg, wParam, lParam);
}

void EditText(const ComboBoxData& d, char* out, int size) {
  out[0] = '\0';
  if (d.edit) SendMessage(d.edit, MSG_GETTEXT, static_cast<WParam>(size), reinterpret_cast<LParam>(out));
  out[size - 1] = '\0';
}

void SetEditText(const ComboBoxData& d, const char* text) {
  if (!d.edit) return;
  SendMessage(d.edit, MSG_SETTEXT, 0, reinterpret_cast<LParam>(text));
  // Rows of pictures may all have the same (empty) text: the field shows
  // the row's picture, which an unchanged text would not repaint.
  if (d.list && (GetWindowStyle(d.list) & LBS_USEICON)) InvalidateRect(d.edit, nullptr, TRUE);
}

LResult EditOwn(WindowHandle edit, int msg, WParam wParam, LParam lParam) {
  WindowProc own = reinterpret_cast<WindowProc>(GetWindowAdditionalData(edit));
  return own ? own(edit, msg, wParam, lParam) : DefaultControlProc(edit, msg, wParam, lParam);
}

bool Inside(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

bool InsideEdit(const ComboBoxData& d, WindowHandle hwnd, int x, int y) {
  if (!d.edit) return false;
  Rect r{};
  GetWindowRect(d.edit, &r);  // in the combo box's client coordinates
  return Inside(r, x, y);
}

LResult ComboBoxProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_CREATE) return Create(hwnd);
  ComboBoxData* d = Of(hwnd);
  if (!d) return Default(hwnd, msg, wParam, lParam);
  LResult answer = 0;
  switch (msg) {
    case MSG_DESTROY: Destroy(hwnd, d); return Default(hwnd, msg, wParam, lParam);
    case MSG_SIZECHANGING: return SizeChanging(hwnd, *d, wParam, lParam);
    case MSG_SIZECHANGED:
      answer = Default(hwnd, msg, wParam, lParam);  // it places the client area first
      Layout(hwnd, *d);
      return answer;
    case MSG_SETFOCUS: OnFocus(hwnd, *d); return 0;
    case MSG_KILLFOCUS: OnBlur(hwnd, *d); return 0;
    case MSG_TOPCTRLHIDDEN: OnDropDownHidden(hwnd, *d, wParam, lParam); return 0;
    case MSG_MOUSEENTER: OnActive(hwnd, *d, wParam); return 0;
    case MSG_ERASEBKGND: return EraseBackground(hwnd, wParam, lParam);
    case MSG_PAINT: {
      HDC hdc = BeginPaint(hwnd);
      Paint(hwnd, *d, hdc);
      EndPaint(hwnd, hdc);
      return 0;
    }
    case MSG_COMMAND: OnCommand(hwnd, *d, wParam); return 0;
    case MSG_GETDLGCODE: return DialogCode();
    case MSG_FONTCHANGED: GiveFont(*d, GetWindowFont(hwnd)); return 0;
    case MSG_ENABLE: Enable(hwnd, *d, wParam); return 0;
    case MSG_FREESTANDING_EDIT:
      if (!(GetWindowStyle(hwnd) & CBS_TRANSPARENT) && Kind(hwnd) != CBS_SPINLIST) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case CB_GETCHILDREN: return Children(hwnd, *d, wParam, lParam);
    case MSG_LBUTTONDOWN: case MSG_LBUTTONDBLCLK: case MSG_LBUTTONUP: case MSG_MOUSEMOVE:
    case MSG_MOUSEWHEELDOWN: case MSG_MOUSEWHEELUP:
      return OnMouse(hwnd, *d, barkit::PressOf(msg), wParam, lParam);
    case MSG_KEYDOWN: return OnKey(hwnd, *d, static_cast<int>(wParam), wParam, lParam);
    case MSG_CHAR:
      if ((Kind(hwnd) == CBS_DATE || Kind(hwnd) == CBS_TIME) && TypeOverDigit(*d, wParam)) return 0;
      break;
    default: break;
  }
  if (Kind(hwnd) == CBS_TIME && TimeMessage(*d, msg, wParam, lParam, &answer)) return answer;
  if (Kind(hwnd) == CBS_DATE && DateMessage(*d, msg, wParam, lParam, &answer)) return answer;
  if (Kind(hwnd) == CBS_SPINNUMBER) {
    if (SpinMessage(hwnd, *d, msg, wParam, lParam, &answer)) return answer;
  } else if (ListMessage(hwnd, *d, msg, wParam, lParam, &answer)) {
    return answer;
  }
  return Default(hwnd, msg, wParam, lParam);
}

}  // namespace combobox

namespace controls {

BOOL RegisterComboBoxControl() {
  combobox::LoadSkins();
  return RegisterBuiltinClass("combobox", 0, WinElementColors[WEC_BKC_CONTROL_NORMAL], combobox::ComboBoxProc);
}

}  // namespace controls
