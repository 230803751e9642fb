// Painting the sheet's header: tabs (skinned or plain), icons, titles cut
// to whole characters, the caption and the arrows of overflowing tabs.
#include <algorithm>
#include <cstring>

#include "controls/painters/painter_util.h"
#include "controls/propsheet/propsheet_internal.h"
#include "controls/painters/blitters.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/paint.h"
#include "gui/text.h"
#include "gui/window_attr.h"

namespace propsheet {
namespace {

struct Band {
  int top, bottom;
  bool bottomHeader;
};

GalPixel Of(WindowHandle hwnd, int index) { return GetWindowElementColorEx(hwnd, index); }

void PaintTab(WindowHandle hwnd, HDC hdc, const Sheet* s, int i, int left, const Band& band) {
  const Page& p = *s->pages[i];
  const bool active = i == s->active, skinned = Skinned();
  const Rect tab{left, band.top, left + p.width, band.bottom};
  SelectClipRect(hdc, &tab);
  if (skinned) {
    const Bitmap* skin = active || !DarkSkin() ? LightSkin() : DarkSkin();
    FillBoxWithBitampCombineEx(hdc, left, band.top, p.width, static_cast<int>(skin->bmHeight), skin, TRUE, TRUE, FALSE);
  } else if (active) {
    painters::Fill(hdc, Of(hwnd, WEC_FRAME_CONTROL_HILITE), left + 3, s->headBottom - 4, p.width - 24, 2);
  }
  const Bitmap* icon = IconBitmap(p.icon);
  const int iconW = icon ? static_cast<int>(icon->bmWidth) : 0;
  if (icon) {
    const int shift = (!skinned && !active) ? (band.bottomHeader ? -1 : 1) : 0;
    FillBoxWithBitmap(hdc, left + 5, band.top + 4 + shift, 0, 0, icon);
  }
  if (!p.title) return;
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR,
            Of(hwnd, p.disabled ? WEC_FC_PROP_DISABLED : active ? WEC_FC_PROP_HILITE : WEC_FC_PROP_NORMAL));
  SetDCAttr(hdc, DC_ATTR_BK_COLOR, Of(hwnd, active ? WEC_BKC_CONTROL_HILITE : WEC_BKC_MENUITEM_DISABLED));
  SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  const int room = p.width - 8 - (icon ? iconW + 2 : 0);
  int fit = 0;
  Size size{};
  const int bytes = GetTextExtentPoint(hdc, p.title, static_cast<int>(std::strlen(p.title)), std::max(room, 1), &fit,
                                       nullptr, nullptr, &size);
  const int x = icon ? left + 6 + iconW : left + 4;
  const int y = band.top + (band.bottom - band.top - GetFontHeight(hdc)) / 2;
  if (room > 0 && bytes > 0) TextOutLen(hdc, x, y, p.title, bytes);
}

void PaintCaption(WindowHandle hwnd, HDC hdc, const Sheet* s, const Band& band) {
  const char* caption = GetWindowCaption(hwnd);
  if (Skinned() || !caption || !*caption) return;
  Size size{};
  GetTextExtentEx(hdc, caption, -1, &size, 0);
  const Rect clip{0, band.top, size.cx + 2, s->headBottom};
  SelectClipRect(hdc, &clip);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, Of(hwnd, WEC_FC_CONTROL_NORMAL));
  SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  if (size.cx < s->headLeft) TextOutLen(hdc, 2, band.top + (band.bottom - band.top - size.cy) / 2, caption, -1);
}

// A solid triangle of vertical lines, each one pixel shorter at both ends
// than the one before.
void Triangle(HDC hdc, GalPixel pen, int x, int step, int top, int bottom) {
  for (int y0 = top, y1 = bottom; y0 <= y1; ++y0, --y1, x += step) painters::Fill(hdc, pen, x, y0, 1, y1 - y0 + 1);
}

void PaintArrows(WindowHandle hwnd, HDC hdc, const Sheet* s, const Band& band, GalPixel header) {
  const int sb = SbWidth();
  const int ax = Skinned() ? 0 : s->headLeft;
  const int h = band.bottom - band.top;
  painters::Fill(hdc, header, ax, band.top, sb - 4, h);
  painters::Fill(hdc, header, s->headRight - sb, band.top, sb, h);
  const int top = band.top + 6, bottom = band.bottom - (band.bottomHeader ? 7 : 5);
  const GalPixel hilite = Of(hwnd, WEC_FRAME_PROP_HILITE), normal = Of(hwnd, WEC_FRAME_PROP_NORMAL);
  Triangle(hdc, s->active > 0 ? hilite : normal, ax + sb - 4 - 1, -1, top, bottom);
  Triangle(hdc, s->active < s->Count() - 1 ? hilite : normal, s->headRight - sb + (band.bottomHeader ? 5 : 4), 1, top,
           bottom);
}

}  // namespace

void Paint(WindowHandle hwnd, Sheet* s) {
  HDC hdc = BeginPaint(hwnd);
  const uint32_t style = GetWindowStyle(hwnd);
  if (HeaderOf(style) == Header::kNone) {
    EndPaint(hwnd, hdc);
    return;
  }
  SelectFont(hdc, GetWindowFont(hwnd));
  const bool skinned = Skinned(), bottomHeader = HeaderOf(style) == Header::kBottom;
  const Band band{bottomHeader ? s->headTop : 0, s->headBottom, bottomHeader};
  const GalPixel header = Of(hwnd, skinned ? WEC_BKC_PROP_SELECTED : WEC_BKC_PROP_NORMAL);
  painters::Fill(hdc, header, 0, band.top, s->headRight, band.bottom - band.top);
  const bool scrollable = LayoutOf(style) == Layout::kScrollable;
  int x = skinned ? 1 : s->overflow ? s->headLeft : s->headRight - s->tabSum;
  if (scrollable && s->overflow) x += SbWidth();
  const int first = scrollable ? std::max(s->firstVisible, 0) : 0;
  for (int i = first; i < s->Count() && x < s->headRight; ++i) {
    const int left = skinned ? x + 2 : x - 1;
    PaintTab(hwnd, hdc, s, i, left, band);
    x = left + s->pages[i]->width;
  }
  SelectClipRect(hdc, nullptr);
  PaintCaption(hwnd, hdc, s, band);
  SelectClipRect(hdc, nullptr);
  if (scrollable && s->overflow) PaintArrows(hwnd, hdc, s, band, header);
  EndPaint(hwnd, hdc);
}

}  // namespace propsheet
