// Where the combo box puts its edit, arrows, button and list, and how a
// drop-down list grows, moves above and widens as items are added.
#include <algorithm>

#include "controls/combobox/combobox_internal.h"
#include "controls/listbox/control_measures.h"
#include "gui/dc.h"
#include "gui/display.h"
#include "gui/element.h"
#include "gui/app_hooks.h"
#include "gui/text.h"

namespace combobox {

namespace {

constexpr int kGridWidth = 360, kGridWidthLowRes = 200;

int Width(const Bitmap* b) { return b ? static_cast<int>(b->bmWidth) : 0; }
int Height(const Bitmap* b) { return b ? static_cast<int>(b->bmHeight) : 0; }

void MoveChild(WindowHandle child, const Rect& r, BOOL repaint = TRUE) {
  if (child) MoveWindow(child, r.left, r.top, r.right - r.left, r.bottom - r.top, repaint);
}

void LayoutSpin(WindowHandle hwnd, ComboBoxData& d, int w, int h, Rect* edit) {
  const Skins skins = LoadSkins();
  const int bw = Width(skins.spin), bh = Height(skins.spin);
  const uint32_t style = GetWindowStyle(hwnd);
  if (style & CBS_SPINARROW_TOPBOTTOM) {
    const int x = (w - bw) / 2, ah = bh / 4;
    d.first = Rect{x, 0, x + bw, ah};
    d.second = Rect{x, h - ah, x + bw, h};
    *edit = Rect{0, ah + 2, w, h - ah - 2};
  } else if ((style & CBS_SPINARROW_LEFTRIGHT) && skins.leftRight) {
    d.button = skins.leftRight;
    const int lw = Width(skins.leftRight), lh = Height(skins.leftRight), top = (h - lh) / 2;
    d.second = Rect{0, top, lw / 2, top + lh};
    d.first = Rect{w - 2 - lw / 2, top, w - 2, top + lh};
    *edit = Rect{lw / 2 + 4, 0, d.first.left - 4, h};
  } else {
    d.button = skins.spin;
    d.first = Rect{w - bw, h / 2 - bh / 4, w, h / 2};
    d.second = Rect{w - bw, h / 2, w, h / 2 + bh / 4};
    *edit = Rect{0, 0, w - bw, h};
  }
  ResetSpin(hwnd, d);
}

// The list opens upwards when it would leave the screen.
void KeepOnScreen(WindowHandle hwnd, ComboBoxData& d, int w) {
  int x = 0, y = d.listRect.bottom;
  ClientToScreen(hwnd, &x, &y);
  if (y > static_cast<int>(GetGDCapability(HDC_SCREEN, GDCAP_VPIXEL))) d.listRect = Rect{0, -d.listHeight, w, 0};
}

int FontHeight(WindowHandle hwnd) { return ctlmeasure::ClientFontHeight(hwnd); }

int TextNeed(WindowHandle hwnd, const char* text) {
  Size size{};
  HDC hdc = GetClientDC(hwnd);
  if (hdc && text) GetTextExtentEx(hdc, text, -1, &size, getCurOutputHook());
  if (hdc) ReleaseDC(hdc);
  return size.cx + 8 + WinMainMetrics[WEM_CXVSCROLL];
}

}  // namespace

void Layout(WindowHandle hwnd, ComboBoxData& d) {
  Rect client{};
  GetClientRect(hwnd, &client);
  const int w = client.right, h = client.bottom;
  Rect edit{0, 0, w, h};
  const Skins skins = LoadSkins();
  switch (Kind(hwnd)) {
    case CBS_SIMPLE: {
      const int f = GetSysFontHeight(5), m = WinMainMetrics[WEM_ICONX];
      edit = Rect{0, 0, w, f + 6};
      d.listRect = Rect{m, f + 8, m + (w - m), f + 8 + d.listHeight};
      break;
    }
    case CBS_SPINNUMBER: case CBS_SPINLIST: LayoutSpin(hwnd, d, w, h, &edit); break;
    default: {
      const bool time = Kind(hwnd) == CBS_TIME, date = Kind(hwnd) == CBS_DATE;
      if (time) d.button = skins.time;
      if (date) d.button = skins.date;
      const int dw = Width(time || date ? d.button : skins.down);
      edit = Rect{0, 0, w - dw, h};
      d.first = d.second = Rect{w - dw, 0, w, h};
      d.listRect = Rect{0, h + 2, w, h + 2 + d.listHeight};
      d.spinRect = Rect{0, h + 2, w, h + 2 + d.spinHeight};
      KeepOnScreen(hwnd, d, w);
      if (time) PlaceSpinner(hwnd, d);
      if (date) PlaceCalendar(hwnd, d);
      break;
    }
  }
  MoveChild(d.edit, edit);
  if (d.listHeight >= 0) MoveChild(d.list, d.listRect);
}

void RelayoutList(WindowHandle hwnd, ComboBoxData& d, const char* addedText, bool wasEmpty) {
  Rect client{}, self{}, parent{};
  GetClientRect(hwnd, &client);
  GetWindowRect(hwnd, &self);  // in the parent's client coordinates
  GetClientRect(GetParent(hwnd), &parent);
  const int w = client.right, h = client.bottom;
  const uint32_t style = GetWindowStyle(hwnd);
  const bool grid = style & CBS_GRIDLIST;
  if (wasEmpty) {
    d.listRect = Rect{0, h + 2, w, h + 3};
    d.listHeight = 1;
  }
  const int need = TextNeed(hwnd, addedText);
  const int row = FontHeight(hwnd) + 2;
  int room = std::max(parent.bottom - self.bottom - 2, self.top - parent.top - 2);
  if (!grid) room = std::min(room, kMaxRows * row);
  const int rows = !grid ? d.count : (d.count % kGridPerRow == 0 ? d.count / kGridPerRow + 1 : d.count / kGridPerRow + 2);
  const int margin = grid ? 8 : 4;
  if (rows * row + margin <= room) {
    d.listHeight = rows * row;
    d.listRect = Rect{0, h + 2, d.listRect.right, h + 2 + d.listHeight + margin};
    if (grid && !(style & CBS_TRANSPARENT))
      d.listRect.right = d.listRect.left + (IsLowResDisplay(getCurOutputHook()) ? kGridWidthLowRes : kGridWidth);
  }
  const int height = d.listRect.bottom - d.listRect.top;
  if (self.top + d.listRect.bottom > parent.bottom) d.listRect = Rect{d.listRect.left, -2 - height, d.listRect.right, -2};
  if (d.listRect.right - d.listRect.left < need) {
    d.listRect.left = 0;
    d.listRect.right = need;
    if (self.left + need > parent.right) d.listRect = Rect{w - need, d.listRect.top, w, d.listRect.bottom};
    if (self.left + d.listRect.left < parent.left)
      d.listRect = Rect{parent.left - self.left, d.listRect.top, parent.left - self.left + need, d.listRect.bottom};
  }
  MoveChild(d.list, d.listRect, FALSE);
}

void ShrinkList(WindowHandle hwnd, ComboBoxData& d) {
  d.listHeight = FontHeight(hwnd) + 2;
  d.listRect.bottom = d.listRect.top + d.listHeight;
  MoveChild(d.list, d.listRect, FALSE);
}

}  // namespace combobox
