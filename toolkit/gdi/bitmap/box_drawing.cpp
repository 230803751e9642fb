// The clip-rectangle walks that fill or put a box through a DC, and the
// set-up every bitmap drawing shares.
#include "gdi/bitmap/box_drawing.h"

#include <algorithm>

#include "gdi/bitmap/surface_clip.h"
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
      for (int row = cut.top; row < cut.bottom; ++row) {
        dc->moveTo(dc, cut.left, row);
        dc->setSpan(dc, cut.right - cut.left);
      }
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

BoxDrawing::BoxDrawing(HDC hdc, const Bitmap* bitmap, int x, int y, int w, int h)
    : locked_(hdc) {
  if (!locked_) return;
  DC* dc = locked_.get();
  if ((bitmap->bmType & BMP_TYPE_RLE) || w < 1) w = static_cast<int>(bitmap->bmWidth);
  if ((bitmap->bmType & BMP_TYPE_RLE) || h < 1) h = static_cast<int>(bitmap->bmHeight);
  // Far corners kept within +-2^30: the box's width and height then fit an
  // int, and so does every coordinate the device mapping makes of them.
  auto far = [](int64_t v) {
    constexpr int64_t kFar = int64_t{1} << 30;
    return static_cast<int>(std::clamp(v, -kFar, kFar));
  };
  x = far(x), y = far(y);
  int x1 = far(int64_t{x} + w), y1 = far(int64_t{y} + h);
  LogicalToDevice(dc, &x, &y);
  LogicalToDevice(dc, &x1, &y1);
  box_ = Rect{std::min(x, x1), std::min(y, y1), std::max(x, x1), std::max(y, y1)};
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
