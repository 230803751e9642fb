// The "listbox" procedure: creation, the item messages and the window
// messages; input and painting live beside it.
#include <algorithm>
#include <cstring>

#include "controls/listbox/control_measures.h"
#include "controls/listbox/listbox_class.h"
#include "controls/listbox/listbox_internal.h"
#include "controls/registry/control_registry.h"
#include "gui/control_class.h"
#include "gui/dialog.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/fixstr.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/paint.h"
#include "gui/text.h"
#include "gui/window_attr.h"

namespace listbox {

namespace {

constexpr LResult kDialogCode = 29;

LResult Default(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  WindowProc proc = __gui_def_proc[2] ? __gui_def_proc[2] : DefaultControlProc;
  return proc(hwnd, msg, wParam, lParam);
}

bool ItemForm(WindowHandle hwnd) { return GetWindowStyle(hwnd) & (LBS_CHECKBOX | LBS_USEICON); }

uint32_t AddFlags(int msg) {
  switch (msg) {
    case LB_ADDDISABLED: return kDisabled;
    case LB_ADDALL: return kAllItem;
    case LB_ADDSTYLE2: return kStyle2;
    case LB_ADDSTYLE3: return kStyle3;
    case LB_ADDSTYLE4: return kStyle4;
    default: return kAdded;
  }
}

void TakeInfo(WindowHandle hwnd, Item& it, const ListBoxItemInfo& info, uint32_t checkBits) {
  it.flags &= ~(kCheckMask | kBitmap);
  if (checkBits & LBIF_CHECKED)
    it.flags |= kChecked;
  else if (checkBits & LBIF_PARTCHECKED)
    it.flags |= kPartChecked;
  if (checkBits & LBIF_BITMAP) it.flags |= kBitmap;
  it.image = (GetWindowStyle(hwnd) & LBS_USEICON) ? info.hIcon : 0;
}

LResult Add(WindowHandle hwnd, Data& d, int msg, WParam wParam, LParam lParam) {
  const bool form = ItemForm(hwnd);
  const ListBoxItemInfo* info = form ? reinterpret_cast<const ListBoxItemInfo*>(lParam) : nullptr;
  const char* text = form ? (info ? info->string : nullptr) : reinterpret_cast<const char*>(lParam);
  if (!text || (!form && !*text)) return LB_ERR;
  Item* it = TakeItem(d);
  char* copy = it ? CopyText(text) : nullptr;
  if (!copy) {
    if (it) GiveBack(d, it);
    Notify(hwnd, LBN_ERRSPACE, lParam);
    return LB_ERRSPACE;
  }
  it->text = copy;
  const intptr_t value = static_cast<intptr_t>(wParam);
  it->value = msg == LB_INSERTSTRING || value < 0 ? 0 : static_cast<int32_t>(value);
  it->flags = AddFlags(msg);
  if (info) TakeInfo(hwnd, *it, *info, info->cmFlag);
  const bool sorted = GetWindowStyle(hwnd) & LBS_SORT;
  const int position = msg == LB_INSERTSTRING ? static_cast<int>(value) : -1;
  const int index = Link(d, it, position, sorted);
  d.widest = std::max(d.widest, ItemWidth(hwnd, *it));
  RepaintFrom(hwnd, d, index);
  FitBars(hwnd, d);
  return index;
}

LResult Delete(WindowHandle hwnd, Data& d, int index) {
  Item* it = Unlink(d, index);
  if (!it) return LB_ERR;
  const bool widest = ItemWidth(hwnd, *it) >= d.widest;
  GiveBack(d, it);
  if (widest) {
    d.widest = 0;
    for (Item* p = d.head; p; p = p->next) d.widest = std::max(d.widest, ItemWidth(hwnd, *p));
  }
  const int oldTop = d.top;
  d.top = std::max(0, std::min(d.top, d.count - d.visible));
  if (d.current >= d.count) d.current = d.count - 1;
  if (d.top != oldTop)
    InvalidateRect(hwnd, nullptr, TRUE);
  else
    RepaintFrom(hwnd, d, index);
  FitBars(hwnd, d);
  return 0;
}

void DeleteAll(WindowHandle hwnd, Data& d) {
  Clear(d);
  d.top = d.hOffset = d.widest = 0;
  d.current = -1;
  InvalidateRect(hwnd, nullptr, TRUE);
  FitBars(hwnd, d);
}

LResult SetSel(WindowHandle hwnd, Data& d, WParam wParam, LParam lParam) {
  Item* it = ItemAt(d, static_cast<int>(lParam));
  const intptr_t how = static_cast<intptr_t>(wParam);
  if (!(GetWindowStyle(hwnd) & LBS_MULTIPLESEL) || !it || how < -1 || how > 1) return LB_ERR;
  if (how == -1)
    it->flags ^= kSelected;
  else if (how)
    it->flags |= kSelected;
  else
    it->flags &= ~kSelected;
  RepaintItem(hwnd, d, static_cast<int>(lParam));
  return 0;  // the change succeeded: callers may rely on 0 here
}

LResult SelectValue(WindowHandle hwnd, Data& d, WParam wParam) {
  if (GetWindowStyle(hwnd) & LBS_MULTIPLESEL) return LB_ERR;
  const Item* chosen = nullptr;
  for (Item* it = d.head; it; it = it->next) {
    const bool match = !chosen && it->value == static_cast<int32_t>(wParam);
    it->flags = match ? it->flags | kSelected : it->flags & ~kSelected;
    if (match) chosen = it;
  }
  InvalidateRect(hwnd, nullptr, TRUE);
  return chosen && (chosen->flags & kDisabled) ? LB_ERR_DISABLED : d.current;
}

LResult GetText(WindowHandle hwnd, const Data& d, WParam wParam, LParam lParam) {
  const Item* it = ItemAt(d, static_cast<int>(wParam));
  char* out = reinterpret_cast<char*>(lParam);
  if (!it || !out) return LB_ERR;
  std::strcpy(out, it->text);
  // Only a known font entry may replace the parent's font.
  if ((GetWindowStyle(hwnd) & LBS_ITEMFONT) && it->value >= 1 && it->value <= 19 && langbox_font[it->value - 1])
    SetWindowFont(GetParent(hwnd), langbox_font[it->value - 1]);
  return 0;
}

LResult SetItemInfo(WindowHandle hwnd, Data& d, int index, const ListBoxItemInfo* info) {
  Item* it = ItemAt(d, index);
  if (!ItemForm(hwnd) || !it || !info) return LB_ERR;
  if (info->string && *info->string) {
    char* copy = CopyText(info->string);
    if (!copy) return LB_ERRSPACE;
    FreeFixStr(it->text);
    it->text = copy;
  }
  TakeInfo(hwnd, *it, *info, info->flags);
  RepaintItem(hwnd, d, index);
  return 0;
}

LResult GetItemInfo(WindowHandle hwnd, const Data& d, int index, ListBoxItemInfo* info) {
  const Item* it = ItemAt(d, index);
  if (!ItemForm(hwnd) || !it || !info) return LB_ERR;
  info->cmFlag = (it->flags & kChecked ? LBIF_CHECKED : 0) | (it->flags & kPartChecked ? LBIF_PARTCHECKED : 0) |
                 (it->flags & kBitmap ? LBIF_BITMAP : 0);
  info->hIcon = it->image;
  return 0;
}

LResult SetTextOf(WindowHandle hwnd, Data& d, int index, const char* text) {
  Item* it = ItemAt(d, index);
  if (!it || !text) return LB_ERR;
  char* copy = CopyText(text);
  if (!copy) return LB_ERRSPACE;
  FreeFixStr(it->text);
  it->text = copy;
  d.widest = std::max(d.widest, ItemWidth(hwnd, *it));
  RepaintItem(hwnd, d, index);
  return 0;  // the text was replaced: say so
}

LResult CheckState(WindowHandle hwnd, const Data& d, int index) {
  const Item* it = ItemAt(d, index);
  if (!(GetWindowStyle(hwnd) & LBS_CHECKBOX) || !it) return LB_ERR;
  return it->flags & kChecked ? 1 : (it->flags & kPartChecked ? 2 : 0);
}

LResult SetCheckState(WindowHandle hwnd, Data& d, int index, LParam state) {
  Item* it = ItemAt(d, index);
  if (!(GetWindowStyle(hwnd) & LBS_CHECKBOX) || !it) return LB_ERR;
  it->flags = (it->flags & ~kCheckMask) | (state == 1 ? kChecked : state == 2 ? kPartChecked : 0);
  RepaintItem(hwnd, d, index);
  return 0;
}

LResult SelItems(const Data& d, int size, int32_t* out) {
  if (!out || size <= 0) return 0;
  int n = 0, index = 0;
  for (const Item* it = d.head; it && n < size; it = it->next, ++index)
    if (it->flags & kSelected) out[n++] = index;
  return n;
}

LResult SelectedValue(WindowHandle hwnd, const Data& d) {
  if (GetWindowStyle(hwnd) & LBS_MULTIPLESEL) return d.current;
  const int index = SelectedIndex(d);
  if (index < 0) return LB_ERR;
  const int32_t value = ItemAt(d, index)->value;
  return value >= 1 ? value : index;
}

LResult SetItemHeight(WindowHandle hwnd, Data& d, LParam lParam) {
  d.itemHeight = std::max(static_cast<int>(lParam & 0xFFFF), FontHeight(hwnd));
  Refit(hwnd, d);
  FitBars(hwnd, d);
  InvalidateRect(hwnd, nullptr, TRUE);
  return d.itemHeight;
}

LResult SetTop(WindowHandle hwnd, Data& d, int top) {
  ScrollTo(hwnd, d, top);
  if (d.current >= 0) d.current = std::clamp(d.current, d.top, std::max(d.top, d.top + d.visible - 1));
  return 0;
}

LResult ItemRect(WindowHandle hwnd, const Data& d, int index, Rect* out) {
  if (index < 0 || index >= d.count || !out) return LB_ERR;
  Rect client{};
  GetClientRect(hwnd, &client);
  *out = Rect{0, (index - d.top) * d.itemHeight, client.right, (index - d.top + 1) * d.itemHeight};
  return 0;
}

LResult ItemMessage(WindowHandle hwnd, Data& d, int msg, WParam wParam, LParam lParam, bool* handled) {
  *handled = true;
  const int index = static_cast<int>(wParam);
  const Item* it = ItemAt(d, index);
  switch (msg) {
    case LB_ADDSTRING: case LB_INSERTSTRING: case LB_ADDDISABLED: case LB_ADDALL:
    case LB_ADDSTYLE2: case LB_ADDSTYLE3: case LB_ADDSTYLE4:
      return Add(hwnd, d, msg, wParam, lParam);
    case LB_DELETESTRING: return Delete(hwnd, d, index);
    case LB_RESETCONTENT: case LB_RESETALL: DeleteAll(hwnd, d); return 0;
    case LB_SETSEL: return SetSel(hwnd, d, wParam, lParam);
    case LB_SETCURSEL: case LB_SETCARETINDEX: return MakeCurrent(hwnd, d, index);
    case LB_SELECTVALUE: return SelectValue(hwnd, d, wParam);
    case LB_GETSEL: return it ? (it->flags & kSelected ? 1 : 0) : LB_ERR;
    case LB_GETCURSEL:
      if (GetWindowStyle(hwnd) & LBS_MULTIPLESEL) return d.current;
      return SelectedIndex(d) < 0 ? LB_ERR : SelectedIndex(d);
    case LB_GETTEXT: return GetText(hwnd, d, wParam, lParam);
    case LB_GETTEXTLEN: return it ? static_cast<LResult>(std::strlen(it->text)) : LB_ERR;
    case LB_GETCOUNT: return d.count;
    case LB_GETTOPINDEX: return d.top;
    case LB_FINDSTRING: case LB_FINDSTRINGEXACT: {
      const char* text = reinterpret_cast<const char*>(lParam);
      const int found = text ? FindText(d, index, text) : -1;
      return found < 0 ? LB_ERR : found;
    }
    case LB_GETSELCOUNT: {
      int n = 0;
      for (const Item* p = d.head; p; p = p->next) n += (p->flags & kSelected) ? 1 : 0;
      return n;
    }
    case LB_GETSELITEMS: return SelItems(d, index, reinterpret_cast<int32_t*>(lParam));
    case LB_SETTOPINDEX: return SetTop(hwnd, d, index);
    case LB_GETITEMRECT: return ItemRect(hwnd, d, index, reinterpret_cast<Rect*>(lParam));
    case LB_GETITEMADDDATA: return GetItemInfo(hwnd, d, index, reinterpret_cast<ListBoxItemInfo*>(lParam));
    case LB_SETITEMADDDATA: return SetItemInfo(hwnd, d, index, reinterpret_cast<const ListBoxItemInfo*>(lParam));
    case LB_GETCARETINDEX: return d.current;
    case LB_SETITEMHEIGHT: return SetItemHeight(hwnd, d, lParam);
    case LB_GETITEMHEIGHT: return d.itemHeight;
    case LB_SETTEXT: return SetTextOf(hwnd, d, index, reinterpret_cast<const char*>(lParam));
    case LB_GETCHECKMARK: return CheckState(hwnd, d, index);
    case LB_SETCHECKMARK: return SetCheckState(hwnd, d, index, lParam);
    case LB_GETITEMDATA: return it ? static_cast<LResult>(it->data) : LB_ERR;
    case LB_SETITEMDATA:
      if (!it) return LB_ERR;
      ItemAt(d, index)->data = static_cast<uint32_t>(lParam);
      return 0;
    case LB_SETSTRCMPFUNC:
      if (d.count || !lParam) return LB_ERR;
      d.compare = reinterpret_cast<ListBoxCompare>(lParam);
      return 0;
    case LB_GETSELVALUE: return SelectedValue(hwnd, d);
    default: *handled = false; return 0;
  }
}

LResult Create(WindowHandle hwnd) {
  Data* d = NewData();
  if (!d) return -1;
  SetWindowAdditionalData2(hwnd, reinterpret_cast<LParam>(d));
  const uint32_t style = GetWindowStyle(hwnd);
  d->itemHeight = FontHeight(hwnd) + 2;
  d->barPolicy = (style & LBS_DISABLENOSCROLL) ? kBarsEnable : kBarsShow;
  Rect r{};
  GetWindowRect(hwnd, &r);
  const int l = r.left & ~1, t = r.top & ~1;
  MoveWindow(hwnd, l, t, (r.right & ~1) - l, (r.bottom & ~1) - t, FALSE);
  if ((style & LBS_GRID) && !(style & LBS_GRADIENT)) SetWindowBkColor(hwnd, WinElementColors[WEC_BKC_MENUITEM_NORMAL]);
  Refit(hwnd, *d);
  FitBars(hwnd, *d);
  return 0;
}

}  // namespace

Data* Of(WindowHandle hwnd) { return reinterpret_cast<Data*>(GetWindowAdditionalData2(hwnd)); }

void Notify(WindowHandle hwnd, int code, LParam data) {
  if (GetWindowStyle(hwnd) & LBS_NOTIFY) NotifyParentEx(hwnd, code, data);
}

int FontHeight(WindowHandle hwnd) { return ctlmeasure::ClientFontHeight(hwnd); }

LResult ListBoxProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_CREATE) return Create(hwnd);
  Data* d = Of(hwnd);
  if (!d) return Default(hwnd, msg, wParam, lParam);
  const int x = ctlmeasure::PointX(lParam), y = ctlmeasure::PointY(lParam);
  switch (msg) {
    case MSG_DESTROY:
      SetWindowAdditionalData2(hwnd, 0);
      FreeData(d);
      return Default(hwnd, msg, wParam, lParam);
    case MSG_PAINT: {
      HDC hdc = BeginPaint(hwnd);
      Paint(hwnd, *d, hdc);
      EndPaint(hwnd, hdc);
      return 0;
    }
    case MSG_GETDLGCODE: return kDialogCode;
    case MSG_FONTCHANGED:
      d->itemHeight = std::max(d->itemHeight, FontHeight(hwnd));
      Refit(hwnd, *d);
      FitBars(hwnd, *d);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case MSG_SIZECHANGED: {
      const LResult answer = Default(hwnd, msg, wParam, lParam);  // it places the client area
      Refit(hwnd, *d);
      FitBars(hwnd, *d);
      return answer;
    }
    case MSG_SETFOCUS:
      d->state |= kFocused;
      if (ShowsFocus(hwnd, *d)) InvalidateRect(hwnd, nullptr, TRUE);
      Notify(hwnd, LBN_SETFOCUS);
      return 0;
    case MSG_KILLFOCUS:
      if (ShowsFocus(hwnd, *d)) InvalidateRect(hwnd, nullptr, TRUE);
      d->state &= ~kFocused;
      Notify(hwnd, LBN_CLICKCHECKMARK_OFF);
      Notify(hwnd, LBN_KILLFOCUS);
      return 0;
    case MSG_HSCROLL: case MSG_VSCROLL: return OnScroll(hwnd, *d, msg, wParam, lParam);
    case MSG_KEYDOWN: return OnKey(hwnd, *d, static_cast<int>(wParam), lParam);
    case MSG_CHAR: return OnChar(hwnd, *d, static_cast<unsigned>(wParam));
    case MSG_LBUTTONDOWN: case MSG_LBUTTONDBLCLK: case MSG_MOUSEMOVE: case MSG_MOUSEWHEELDOWN:
    case MSG_MOUSEWHEELUP:
      return OnMouse(hwnd, *d, msg, x, y);
    default: break;
  }
  bool handled = false;
  const LResult answer = ItemMessage(hwnd, *d, msg, wParam, lParam, &handled);
  return handled ? answer : Default(hwnd, msg, wParam, lParam);
}

}  // namespace listbox

int ctlmeasure::ClientFontHeight(WindowHandle hwnd) {
  HDC hdc = GetClientDC(hwnd);
  if (!hdc) return GetSysCharHeight();
  const int h = GetFontHeight(hdc);
  ReleaseDC(hdc);
  return h;
}

namespace controls {

BOOL RegisterListBoxControl() {
  if (!GetStockBitmap("checkmark", -1, -1)) return FALSE;
  return RegisterBuiltinClass("listbox", 0, GetExtraColorEx(WEC_EX_LISTBOX_BKGND_FILL), listbox::ListBoxProc);
}

}  // namespace controls
