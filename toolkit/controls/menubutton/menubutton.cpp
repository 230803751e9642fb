// The "menubutton" procedure: the item messages, the pop-up menu of the
// items, the selection it sets, and painting of the selected item.
#include <algorithm>
#include <cstring>
#include <new>

#include "controls/barkit/ctl_util.h"
#include "controls/registry/control_registry.h"
#include "gui/control_paint.h"
#include "controls/menubutton/menubutton_class.h"
#include "controls/menubutton/menubutton_list.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/element.h"
#include "gui/menu.h"
#include "gui/message.h"
#include "gui/text.h"

namespace controls {

namespace {

using namespace barkit;
using mb::Entry;

constexpr int kNone = -2;

const Bitmap* g_arrow = nullptr;

struct MenuButtonData {
  MenuButtonCompare compare = std::strncmp;
  int selected = kNone;
  MenuHandle menu = 0;
  mb::ItemList items;
};

struct Geometry {
  Rect text, arrow;
};

Geometry Layout(WindowHandle hwnd) {
  Rect c{};
  GetClientRect(hwnd, &c);
  const int bottom = c.bottom;
  --c.right, --c.bottom;
  // The skin holds the arrow in two half rows (normal, disabled): one half
  // is the arrow's height.
  const int aw = g_arrow ? static_cast<int>(g_arrow->bmWidth) : 0, ah = g_arrow ? static_cast<int>(g_arrow->bmHeight) / 2 : 0;
  const int top = (c.top - ah + c.bottom) / 2, below = (c.top + ah + c.bottom) / 2;
  Geometry g{};
  if (GetWindowStyle(hwnd) & MBS_LEFTARROW) {
    g.arrow = Rect{c.left + 4, top, c.left + aw + 4, below};
    g.text = Rect{c.left + aw + 8, c.top + 4, c.right - 4, c.bottom - 4};
  } else {
    g.text = Rect{c.left + 4, c.top + 4, c.right - aw - 8, bottom - 5};
    g.arrow = Rect{g.text.right + 4, top, c.right - 4, below};
  }
  return g;
}

uint32_t Format(uint32_t style) {
  if (style & MBS_ALIGNRIGHT) return 38;
  if (style & MBS_ALIGNCENTER) return 37;
  return 36;
}

void Paint(WindowHandle hwnd, HDC hdc, const MenuButtonData& d) {
  const uint32_t style = GetWindowStyle(hwnd);
  Geometry g = Layout(hwnd);
  Rect c{};
  GetClientRect(hwnd, &c);
  if (!(style & MBS_NOBUTTON)) Draw3DControlFrameEx(hdc, hwnd, c.left, c.top, c.right - 1, c.bottom - 1, FRAME_FILL, GetWindowBkColor(hwnd));
  const Entry* shown = d.items.At(d.selected);
  const char* text = shown ? shown->text : GetWindowCaption(hwnd);
  if (const Bitmap* b = shown ? shown->bitmap : nullptr) {
    const int bw = static_cast<int>(b->bmWidth), bh = static_cast<int>(b->bmHeight), th = g.text.bottom - g.text.top;
    const int x = (style & MBS_LEFTARROW) ? g.arrow.right + 4 : g.arrow.left - 4 - bw;
    const int y = g.text.top + (bh < th ? (th - bh) / 2 : 0);
    FillBoxWithBitmap(hdc, x, y, bw, std::min(bh, th), b);
    if (style & MBS_LEFTARROW) g.text.left = x + bw;
    else g.text.right = x;
  }
  g.text.left += 2;
  SetDCAttr(hdc, DC_ATTR_BK_MODE, 1);
  SetDCAttr(hdc, DC_ATTR_BK_COLOR, GetWindowBkColor(hwnd));
  const bool disabled = (style & WS_DISABLED) != 0;
  if (text && disabled) {
    Rect shifted{g.text.left + 1, g.text.top + 1, g.text.right + 1, g.text.bottom + 1};
    SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, Color(WEC_FC_CONTROL_NORMAL));
    DrawTextEx2(hdc, text, -1, &shifted, 0, Format(style), nullptr);
  }
  if (text) {
    SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, Color(disabled ? WEC_FC_CONTROL_DISABLED : WEC_FC_CONTROL_NORMAL));
    DrawTextEx2(hdc, text, -1, &g.text, 0, Format(style), nullptr);
  }
  if (g_arrow) {
    // The skin's upper half is the normal arrow, the lower half the disabled one.
    const int aw = static_cast<int>(g_arrow->bmWidth), half = static_cast<int>(g_arrow->bmHeight) / 2;
    FillBoxWithBitmapPart(hdc, g.arrow.left, g.arrow.top, aw, half, 0, 0, g_arrow, 0, disabled ? half : 0);
  }
}

// A pop-up titled with the caption, one entry per item up to the first
// with neither text nor bitmap; 0 when no entry could be made.
MenuHandle BuildMenu(WindowHandle hwnd, const MenuButtonData& d) {
  const char* caption = GetWindowCaption(hwnd);
  MenuItemInfo head{};
  head.typeData = const_cast<char*>(caption ? caption : "");
  MenuHandle menu = CreatePopupMenu(&head);
  if (!menu) return 0;
  int index = 0, entries = 0;
  for (const Entry* e = d.items.First(); e; e = e->next, ++index) {
    const bool text = e->text && *e->text;
    if (!text && !e->bitmap) break;
    MenuItemInfo item{};
    item.id = MB_MENU_ID_BASE + index;
    item.type = text && e->bitmap ? MFT_BMPSTRING : text ? MFT_STRING : MFT_BITMAP;
    item.typeData = text ? static_cast<void*>(e->text) : const_cast<Bitmap*>(e->bitmap);
    if (e->bitmap) item.uncheckedBmp = item.checkedBmp = e->bitmap;
    if (InsertMenuItem(menu, -1, TRUE, &item) == 0) ++entries;
  }
  if (entries) return menu;
  DestroyMenu(menu);
  return 0;
}

void OpenMenu(WindowHandle hwnd, MenuButtonData* d) {
  const MenuHandle menu = BuildMenu(hwnd, *d);
  if (!menu) return;
  int x = 0, y = 0;
  ClientToScreen(hwnd, &x, &y);
  if (TrackPopupMenu(menu, 0, x, y, hwnd) != 0) {
    DestroyMenu(menu);
    return;
  }
  d->menu = menu;
  NotifyParentEx(hwnd, MBN_STARTMENU, 0);
}

void Choose(WindowHandle hwnd, MenuButtonData* d, int index) {
  if (index != d->selected) {
    d->selected = index;
    InvalidateRect(hwnd, nullptr, TRUE);
    NotifyParentEx(hwnd, MBN_CHANGED, 0);
  }
  NotifyParentEx(hwnd, MBN_SELECTED, 0);
}

LResult AddItem(WindowHandle hwnd, MenuButtonData* d, WParam position, const MenuButtonItemInfo* info) {
  if (!info) return MB_ERR;
  const int r = d->items.Add(static_cast<int>(static_cast<intptr_t>(position)), GetWindowStyle(hwnd) & MBS_SORT,
                             d->compare, *info);
  if (r == mb::ItemList::kNoItem) {
    NotifyParentEx(hwnd, MBN_ERRSPACE, 0);
    return MB_ERR_SPACE;
  }
  // An item put before the selected one moves the selection with it.
  if (r >= 0 && d->selected >= r) ++d->selected;
  return r;
}

LResult DeleteItem(WindowHandle hwnd, MenuButtonData* d, int index) {
  if (!d->items.Remove(index)) return MB_INV_ITEM;
  if (d->selected == index) {
    d->selected = kNone;
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd, TRUE);
  } else if (d->selected > index) {
    --d->selected;
  }
  return MB_OKAY;
}

LResult SetItem(WindowHandle hwnd, MenuButtonData* d, int index, const MenuButtonItemInfo* info) {
  Entry* e = d->items.At(index);
  if (!e || !info) return MB_INV_ITEM;
  LResult result = MB_OKAY;
  if ((info->which & MB_WHICH_TEXT) && !mb::ItemList::SetText(e, info->text)) result = MB_ERR_SPACE;
  if (info->which & MB_WHICH_BMP) e->bitmap = info->bitmap;
  if (info->which & MB_WHICH_ATTDATA) e->data = info->data;
  if (index == d->selected) InvalidateRect(hwnd, nullptr, TRUE);
  return result;
}

LResult GetItem(MenuButtonData* d, int index, MenuButtonItemInfo* info) {
  const Entry* e = d->items.At(index);
  if (!e || !info) return MB_INV_ITEM;
  if (info->which & MB_WHICH_TEXT) info->text = e->text;
  if (info->which & MB_WHICH_BMP) info->bitmap = e->bitmap;
  if (info->which & MB_WHICH_ATTDATA) info->data = e->data;
  return MB_OKAY;
}

LResult Handle(WindowHandle hwnd, MenuButtonData* d, int msg, WParam wParam, LParam lParam, bool* done) {
  *done = true;
  const int w = static_cast<int>(static_cast<intptr_t>(wParam));
  switch (msg) {
    case MBM_ADDITEM: return AddItem(hwnd, d, wParam, reinterpret_cast<const MenuButtonItemInfo*>(lParam));
    case MBM_DELITEM: return DeleteItem(hwnd, d, w);
    case MBM_RESETCTRL:
      d->items.Clear();
      d->selected = kNone;
      InvalidateRect(hwnd, nullptr, TRUE);
      return MB_OKAY;
    case MBM_SETITEMDATA: return SetItem(hwnd, d, w, reinterpret_cast<const MenuButtonItemInfo*>(lParam));
    case MBM_GETITEMDATA: return GetItem(d, w, reinterpret_cast<MenuButtonItemInfo*>(lParam));
    case MBM_GETCURITEM: return d->selected;
    case MBM_SETCURITEM: {
      const int old = d->selected;
      if (w >= 0 && w < d->items.Count()) {
        d->selected = w;
        InvalidateRect(hwnd, nullptr, TRUE);
      }
      return old;
    }
    case MBM_SETSTRCMPFUNC:
      if (d->items.Count() || !lParam) return MB_ERR;
      d->compare = reinterpret_cast<MenuButtonCompare>(lParam);
      return MB_OKAY;
    default: *done = false; return 0;
  }
}

void Input(WindowHandle hwnd, MenuButtonData* d, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_LBUTTONDOWN) {
    SetCapture(hwnd);
  } else if (msg == MSG_LBUTTONUP && GetCapture() == hwnd) {
    ReleaseCapture();
    const Point p = ClientPoint(hwnd, wParam, lParam);
    const int x = p.x, y = p.y;
    Rect c{};
    GetClientRect(hwnd, &c);
    if (Contains(Layout(hwnd).arrow, x, y)) OpenMenu(hwnd, d);
    else if (Contains(c, x, y)) NotifyParentEx(hwnd, MBN_CLICKED, 0);
  } else if (msg == MSG_CHAR && wParam == ' ') {
    OpenMenu(hwnd, d);
  } else if (msg == MSG_DT_ENDTRACKMENU && d->menu) {
    DestroyMenu(d->menu);
    d->menu = 0;
    NotifyParentEx(hwnd, MBN_ENDMENU, 0);
  }
}

LResult MenuButtonProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_CREATE) return NewData<MenuButtonData>(hwnd) ? Default(hwnd, msg, wParam, lParam) : -1;
  MenuButtonData* d = Data<MenuButtonData>(hwnd);
  if (!d) return Default(hwnd, msg, wParam, lParam);
  bool done = false;
  const LResult r = Handle(hwnd, d, msg, wParam, lParam, &done);
  if (done) return r;
  switch (msg) {
    case MSG_DESTROY:
      if (d->menu) {
        SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEMENU, 0, 1);  // stop tracking before the menu goes
        DestroyMenu(d->menu);
      }
      FreeData<MenuButtonData>(hwnd);
      break;
    case MSG_PAINT: return PaintWith(hwnd, [&](HDC hdc) { Paint(hwnd, hdc, *d); });
    case MSG_COMMAND: {
      const int index = static_cast<int>(wParam & 0xFFFF) - MB_MENU_ID_BASE;
      if (index >= 0 && index < d->items.Count()) Choose(hwnd, d, index);
      break;
    }
    case MSG_LBUTTONDOWN: case MSG_LBUTTONDBLCLK: case MSG_LBUTTONUP: case MSG_CHAR: case MSG_DT_ENDTRACKMENU:
      Input(hwnd, d, PressOf(msg), wParam, lParam);
      break;
    default: break;
  }
  return Default(hwnd, msg, wParam, lParam);
}

}  // namespace

BOOL RegisterMenuButtonControl() {
  g_arrow = GetStockBitmap("downarrow", -1, -1);
  if (!g_arrow) return FALSE;
  return RegisterBuiltinClass("menubutton", 0, Color(WEC_BKC_CONTROL_SELECTED), MenuButtonProc);
}

}  // namespace controls
