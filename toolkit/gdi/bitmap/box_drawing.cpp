// The clip-rectangle walks that fill or put a box through a DC, and the
// set-up every bitmap drawing shares.
#include "gdi/bitmap/box_drawing.h"

#include <algorithm>

#include "gdi/bitmap/surface_clip.h"
#include "gdi/clipped_spans.h"
#include "gui/dc.h"
#include "gui/gal.h"

namespace gui::dc {

namespace {

// The part of `box` that one clip rectangle lets through, within the DC's
// output rectangle; false when nothing is left.
bool CutFor(const DC* dc, const ClipRect* node, const Rect& box, Rect* cut) {
  return IntersectRect(cut, &node->rc, &dc->rcOutput) && IntersectRect(cut, cut, &box);
}

GalRect ToGalRect(const Rect& r) {
  return GalRect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace

void FillClippedBox(DC* dc, int x, int y, int w, int h) {
  const Rect box{x, y, x + w, y + h};
  const int display = GetDCDisplay(dc);
  SurfaceClipScope clip(dc->surface);
  for (const ClipRect* node = dc->effClip.head; node; node = node->next) {
    Rect cut;
    if (!CutFor(dc, node, box, &cut)) continue;
    if (dc->rop != ROP_SET) {
      FillSpanRows(dc, cut);
      continue;
    }
    GalRect r = ToGalRect(cut);
    GAL_SetClipRect(dc->surface, &r);
    GAL_FillRect(dc->surface, &r, dc->curPixel, display);
  }
}

void PutClippedBox(DC* dc, int x, int y, int w, int h, const Bitmap* box) {
  const Rect area{x, y, x + w, y + h};
  const int display = GetDCDisplay(dc);
  const int bpp = box->bmBytesPerPixel;
  SurfaceClipScope clip(dc->surface);
  for (const ClipRect* node = dc->effClip.head; node; node = node->next) {
    Rect cut;
    if (!CutFor(dc, node, area, &cut)) continue;
    if (dc->rop != ROP_SET) {
      for (int row = cut.top; row < cut.bottom; ++row) {
        dc->moveTo(dc, cut.left, row);
        dc->putSpan(dc,
                    box->bmBits + static_cast<size_t>(row - y) * box->bmPitch +
                        static_cast<size_t>(cut.left - x) * bpp,
                    cut.right - cut.left);
      }
      continue;
    }
    GalRect r = ToGalRect(cut);
    GAL_SetClipRect(dc->surface, &r);
    GalRect at{x, y, w, h};
    GAL_PutBox(dc->surface, &at, box, display);
  }
}

Rect DeviceBox(const DC* dc, int x, int y, int w, int h) {
  int x0 = FarCoord(x), y0 = FarCoord(y);
  int x1 = FarCoord(int64_t{x} + w), y1 = FarCoord(int64_t{y} + h);
  LogicalToDevice(dc, &x0, &y0);
  LogicalToDevice(dc, &x1, &y1);
  x0 = FarCoord(x0), y0 = FarCoord(y0), x1 = FarCoord(x1), y1 = FarCoord(y1);
  return Rect{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

BoxDrawing::BoxDrawing(HDC hdc, const Bitmap* bitmap, int x, int y, int w, int h)
    : locked_(hdc) {
  if (!locked_) return;
  DC* dc = locked_.get();
  if ((bitmap->bmType & BMP_TYPE_RLE) || w < 1) w = static_cast<int>(bitmap->bmWidth);
  if ((bitmap->bmType & BMP_TYPE_RLE) || h < 1) h = static_cast<int>(bitmap->bmHeight);
  box_ = DeviceBox(dc, x, y, w, h);
  dc->curPixel = dc->brushColor;
  dc->step = 1;
  dc->curClipBand = nullptr;
  dc->skipPixel = bitmap->bmColorKey;
  if (bitmap->bmType & BMP_TYPE_COLORKEY) {
    savedBkMode_ = dc->bkMode;
    restoreBkMode_ = true;
    dc->bkMode = BM_TRANSPARENT;
  }
  dc->rcOutput = box_;
  drawing_ = BeginDCDrawing(dc) == 0;
}

BoxDrawing::~BoxDrawing() {
  DC* dc = locked_.get();
  if (!dc) return;
  if (restoreBkMode_) dc->bkMode = savedBkMode_;
  if (drawing_) EndDCDrawing(dc);
}

}  // namespace gui::dc
