#include "core/menu/menu_bar.h"

#include <vector>

#include "core/element_color.h"
#include "gui/bitmap.h"
#include "gui/image.h"
#include "core/menu/menu_style.h"
#include "core/window/window_messages.h"
#include "core/desktop/zorder.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/text.h"

using namespace menu;

namespace {

constexpr int kNoItem = -1;

struct BarPlace {
  BarRecord* bar = nullptr;
  Rect window{}, client{};  // screen
};

BarPlace PlaceOf(WindowHandle hwnd) {
  BarPlace p;
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || !IsMainRecord(win)) return p;
  GeometryReadLock hold;
  p.bar = BarOf(win->menu);  // stored under the same lock
  p.window = win->window;
  p.client = win->client;
  return p;
}

int BandHeight() { return Metric(kMenuBarY) + Metric(kMenuBarOffY); }

// Widths of every item, measured in the menu font. Only the bar's drawing
// on the owner's thread stores them in the items; the desktop thread asks
// the geometry too and keeps its own copy.
std::vector<int> MeasureBar(WindowHandle hwnd, const BarRecord* bar) {
  std::vector<int> widths;
  HDC hdc = GetDC(hwnd);
  if (hdc == HDC_INVALID) return widths;
  SelectFont(hdc, MenuFont());
  for (const ItemRecord* it = bar->first; it; it = it->next) widths.push_back(MeasureBarItem(hdc, it));
  ReleaseDC(hdc);
  return widths;
}

// Item rectangles in window coordinates, left to right.
template <typename Visit>
void ForEachBarItem(const BarPlace& p, const std::vector<int>& widths, Visit visit) {
  const int clientTop = p.client.top - p.window.top;
  int x = p.client.left - p.window.left + Metric(kMenuBarOffX);
  size_t position = 0;
  for (ItemRecord* it = p.bar->first; it && position < widths.size(); it = it->next, ++position) {
    const int width = widths[position];
    Rect r{x, clientTop - BandHeight(), x + width - 1, clientTop - 1};
    if (!visit(static_cast<int>(position), it, r)) return;
    x += width + Metric(kInterItemX);
  }
}

void DrawBitmapBox(HDC hdc, const Bitmap* bitmap, int x, int y, int w, int h) {
  if (bitmap) FillBoxWithBitmap(hdc, x, y, w, h, bitmap);
}

void DrawBarItem(HDC hdc, const ItemRecord* item, const Rect& r, int inset) {
  const int half = Metric(kInterItemX) / 2;
  FillRect(hdc, Color(WEC_BKC_MENUITEM_SELECTED), r.left - half, r.top - 4, r.right - r.left + 1 + 2 * half,
           r.bottom - r.top + 5);
  const int x = r.left + inset, y = r.top + inset;
  const int w = r.right - r.left + 1 - 2 * inset, h = r.bottom - r.top + 1 - 2 * inset;
  const bool checked = item->state & MFS_CHECKED;
  if (Separator(item)) {
    const int mid = (r.left + r.right) / 2;
    VLine(hdc, Color(WEC_FRAME_MENUITEM_HILITE), mid, r.bottom - Metric(kMenuBarY) + 1, r.bottom);
    VLine(hdc, Color(WEC_FRAME_MENUITEM_NORMAL), mid + 1, r.bottom - Metric(kMenuBarY) + 1, r.bottom);
    return;
  }
  if ((item->type & MFT_BITMAP) && !(item->type & MFT_BMPSTRING)) {
    DrawBitmapBox(hdc, item->bitmaps[checked ? 1 : 0], x, y, w, h);
    DrawBitmapBox(hdc, item->bitmaps[checked ? 3 : 2], x, y, w, h);
    return;
  }
  int textX = x;
  if (item->type & MFT_BMPSTRING) {
    const int side = Metric(kMenuBarY);
    DrawBitmapBox(hdc, item->bitmaps[checked ? 1 : 0], x, y, side, side);
    DrawBitmapBox(hdc, item->bitmaps[checked ? 3 : 2], x, y, side, side);
    textX += side + half;
  }
  if (item->type & MFT_NOTEXT || !item->typeData) return;
  SelectFont(hdc, MenuFont());
  SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, Color(WEC_FC_MENUITEM_HILITE));
  TextOutLen(hdc, textX, y, static_cast<const char*>(item->typeData), TextLength(item->typeData));
}

// Raised (how 1) or sunken (how 2) thin frame around an item.
void ThinFrame(HDC hdc, const Rect& r, bool raised) {
  const GalPixel light = Color(raised ? WEC_FRAME_MENUITEM_HILITE : WEC_FRAME_MENUITEM_NORMAL);
  const GalPixel dark = Color(raised ? WEC_FRAME_MENUITEM_NORMAL : WEC_FRAME_MENUITEM_HILITE);
  HLine(hdc, light, r.left, r.right, r.top);
  VLine(hdc, light, r.left, r.top, r.bottom);
  HLine(hdc, dark, r.left, r.right, r.bottom);
  VLine(hdc, dark, r.right, r.top, r.bottom);
}

}  // namespace

namespace menu {

int MeasureBarItem(HDC hdc, const ItemRecord* item) {
  if ((item->type & MFT_BITMAP) && !(item->type & MFT_BMPSTRING))
    return item->typeData ? static_cast<int>(static_cast<const Bitmap*>(item->typeData)->bmWidth) : 0;
  if (Separator(item)) return Metric(kSeparatorX);
  if (item->type & MFT_NOTEXT || !item->typeData) return 0;
  Size size{};
  GetTextExtentPoint(hdc, static_cast<const char*>(item->typeData), TextLength(item->typeData), 0, nullptr, nullptr, nullptr, &size);
  if (item->type & MFT_BMPSTRING) return size.cx + size.cy + Metric(kInterItemX) / 2;
  return size.cx;
}

}  // namespace menu

extern "C" {

MenuHandle GetMenuBarItemRect(WindowHandle hwnd, int position, Rect* rect) {
  BarPlace p = PlaceOf(hwnd);
  if (!p.bar) return 0;
  MenuHandle found = 0;
  ForEachBarItem(p, MeasureBar(hwnd, p.bar), [&](int at, ItemRecord* item, const Rect& r) {
    if (at != position) return true;
    if (rect) *rect = r;
    found = HandleOf(item);
    return false;
  });
  return found;
}

int MenuBarHitTest(WindowHandle hwnd, int x, int y) {
  BarPlace p = PlaceOf(hwnd);
  if (!p.bar) return kNoItem;
  int found = kNoItem;
  ForEachBarItem(p, MeasureBar(hwnd, p.bar), [&](int at, ItemRecord*, const Rect& r) {
    if (x >= r.left && x <= r.right && y >= r.top && y <= r.bottom) found = at;
    return found == kNoItem;
  });
  return found;
}

void DrawMenuBar(WindowHandle hwnd, HDC given, const Rect* clip) {
  BarPlace p = PlaceOf(hwnd);
  if (!p.bar) return;
  HDC hdc = given ? given : GetDC(hwnd);
  if (hdc == HDC_INVALID) return;
  SelectFont(hdc, MenuFont());
  std::vector<int> widths;
  for (ItemRecord* it = p.bar->first; it; it = it->next) widths.push_back(it->measure = MeasureBarItem(hdc, it));
  const int clientTop = p.client.top - p.window.top, clientLeft = p.client.left - p.window.left;
  const int clientWidth = p.client.right - p.client.left;
  const int height = Metric(kMenuBarY) + 2 * Metric(kMenuBarOffY);
  Rect band{clientLeft, clientTop - height, clientLeft + clientWidth, clientTop};
  ClipRectIntersect(hdc, &band);
  if (clip) ClipRectIntersect(hdc, clip);
  FillRect(hdc, Color(WEC_BKC_MENUITEM_SELECTED), band.left, band.top, band.right - band.left, band.bottom - band.top);
  ForEachBarItem(p, widths, [&](int, ItemRecord* item, const Rect& r) {
    if (r.left - clientLeft >= clientWidth) return false;
    DrawBarItem(hdc, item, r, 0);
    return true;
  });
  if (given)
    SelectClipRect(hdc, nullptr);
  else
    ReleaseDC(hdc);
}

int HiliteMenuBarItem(WindowHandle hwnd, int position, int how) {
  Rect r{};
  ItemRecord* item = ItemOf(GetMenuBarItemRect(hwnd, position, &r));
  if (!item) return 0;
  if (Separator(item)) return 1;
  HDC hdc = GetDC(hwnd);
  if (hdc == HDC_INVALID) return 0;
  if (how == 2) {
    DrawBarItem(hdc, item, r, 1);
    ThinFrame(hdc, r, false);
  } else {
    DrawBarItem(hdc, item, r, 0);
    if (how == 1) ThinFrame(hdc, r, true);
  }
  ReleaseDC(hdc);
  return 1;
}

}  // extern "C"

// The bar remembers its highlighted item (plus one) in its first spare word.
void HighlightMenuBarAt(WindowRecord* win, int x, int y, int hitCode) {
  WindowHandle hwnd = HandleOf(win);
  BarRecord* bar = BarOf(GetMenu(hwnd));
  // While a popup is open the pressed item shows which one.
  if (!bar || IsMenuPopup(GetWindowDisplay(hwnd))) return;
  const int before = static_cast<int>(bar->word1) - 1;
  int now = kNoItem;
  if (hitCode == HT_MENUBAR) {
    Rect w{};
    {
      GeometryReadLock hold;
      w = win->window;
    }
    now = MenuBarHitTest(hwnd, x - w.left, y - w.top);
  }
  if (now == before) return;
  if (before != kNoItem) HiliteMenuBarItem(hwnd, before, 0);
  if (now != kNoItem) HiliteMenuBarItem(hwnd, now, 1);
  bar->word1 = static_cast<uintptr_t>(now + 1);
}

void TrackMenuBarAt(WindowRecord* win, int x, int y) {
  Rect w{};
  {
    GeometryReadLock hold;
    w = win->window;
  }
  const int item = MenuBarHitTest(HandleOf(win), x - w.left, y - w.top);
  if (item != kNoItem) TrackMenuBar(HandleOf(win), item);
}

void TrackMenuBarItem(WindowRecord* win, int item) {
  if (BarOf(GetMenu(HandleOf(win)))) TrackMenuBar(HandleOf(win), item);
}

void OpenSystemMenu(WindowRecord* win, int x, int y) {
  if (MenuHandle system = GetSystemMenu(HandleOf(win))) TrackPopupMenu(system, TPM_SYSCMD, x, y, HandleOf(win));
}
