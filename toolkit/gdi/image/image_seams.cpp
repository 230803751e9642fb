// Stand-ins for the box drawing, box put, scaling and YUV calls that the
// bitmap drawing area builds. Each does the plain packed-pixel work the
// finished call does on the default (RGB) device: copy with colour key, no
// alpha blending, no raster operation, no YUV copy. They go when that area
// lands.
#include <algorithm>
#include <cstring>

#include "gdi/bitmap/box_drawing.h"
#include "gdi/gal/gal_internal.h"
#include "gui/bitmap.h"
#include "gui/gal.h"

namespace {

void StorePixel(uint8_t* p, GalPixel v, int bpp) {
  for (int i = 0; i < bpp; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

extern "C" {

int GAL_PutBox(GalSurface* surface, const GalRect* rect, const Bitmap* box, int output) {
  if (!surface || !box || !box->bmBits) return 0;
  const GalRect& clip = surface->clipRect;
  GalRect dst = rect ? *rect : GalRect{0, 0, static_cast<int32_t>(box->bmWidth),
                                       static_cast<int32_t>(box->bmHeight)};
  const int x0 = std::max(dst.x, clip.x), y0 = std::max(dst.y, clip.y);
  const int x1 = std::min(dst.x + dst.w, clip.x + clip.w);
  const int y1 = std::min(dst.y + dst.h, clip.y + clip.h);
  if (x1 <= x0 || y1 <= y0) return 0;
  const int dx = x0 - dst.x, dy = y0 - dst.y;
  if (dx >= static_cast<int>(box->bmWidth) || dy >= static_cast<int>(box->bmHeight)) return 0;
  const int bpp = surface->format->bytesPerPixel;
  if (box->bmBytesPerPixel != bpp) return 0;
  const gal::Geometry g = gal::geometryFor(surface, output);
  if (!g.pixels) return 0;
  const int w = std::min(x1 - x0, static_cast<int>(box->bmWidth) - dx);
  const int h = std::min(y1 - y0, static_cast<int>(box->bmHeight) - dy);
  const bool keyed = box->bmType & BMP_TYPE_COLORKEY;
  for (int row = 0; row < h; ++row) {
    uint8_t* d = g.pixels + static_cast<size_t>(y0 + row) * g.pitch + static_cast<size_t>(x0) * bpp;
    const uint8_t* s =
        box->bmBits + static_cast<size_t>(dy + row) * box->bmPitch + static_cast<size_t>(dx) * bpp;
    if (!keyed) {
      std::memcpy(d, s, static_cast<size_t>(w) * bpp);
      continue;
    }
    for (int col = 0; col < w; ++col)
      if (ReadPixelValue(s + col * bpp, bpp) != box->bmColorKey)
        StorePixel(d + col * bpp, ReadPixelValue(s + col * bpp, bpp), bpp);
  }
  return 0;
}

BOOL ScaleBitmap(Bitmap* dst, const Bitmap* src) {
  if (!dst->bmWidth || !dst->bmHeight) return TRUE;
  if (dst->bmBytesPerPixel != src->bmBytesPerPixel) return FALSE;
  const int bpp = src->bmBytesPerPixel;
  for (uint32_t y = 0; y < dst->bmHeight; ++y) {
    const uint32_t sy = static_cast<uint32_t>(uint64_t{y} * src->bmHeight / dst->bmHeight);
    for (uint32_t x = 0; x < dst->bmWidth; ++x) {
      const uint32_t sx = static_cast<uint32_t>(uint64_t{x} * src->bmWidth / dst->bmWidth);
      std::memcpy(dst->bmBits + size_t{y} * dst->bmPitch + size_t{x} * bpp,
                  src->bmBits + size_t{sy} * src->bmPitch + size_t{sx} * bpp, bpp);
    }
  }
  return TRUE;
}

void LoadGetYUVFromBitmap(Bitmap*) {}

}  // extern "C"

namespace gui::dc {

void PutClippedBox(DC* dc, int x, int y, int w, int h, const Bitmap* box) {
  Rect target{x, y, x + w, y + h};
  if (!IntersectRect(&target, &target, &dc->rcOutput)) return;
  GalRect whole{x, y, w, h};
  const int output = GetDCDisplay(dc);
  for (ClipRect* node = dc->effClip.head; node; node = node->next) {
    Rect part;
    if (!IntersectRect(&part, &target, &node->rc)) continue;
    GalRect clip{part.left, part.top, part.right - part.left, part.bottom - part.top};
    GAL_SetClipRect(dc->surface, &clip);
    GAL_PutBox(dc->surface, &whole, box, output);
  }
}

BoxDrawing::BoxDrawing(HDC hdc, const Bitmap* bitmap, int x, int y, int w, int h) : locked_(hdc) {
  DC* d = locked_.get();
  if (!d) return;
  if (w < 1) w = static_cast<int>(bitmap->bmWidth);
  if (h < 1) h = static_cast<int>(bitmap->bmHeight);
  int x1 = x + w, y1 = y + h;
  LogicalToDevice(d, &x, &y);
  LogicalToDevice(d, &x1, &y1);
  box_ = Rect{std::min(x, x1), std::min(y, y1), std::max(x, x1), std::max(y, y1)};
  d->curPixel = d->brushColor;
  d->step = 1;
  d->curDst = nullptr;
  d->skipPixel = bitmap->bmColorKey;
  if (bitmap->bmType & BMP_TYPE_COLORKEY) {
    savedBkMode_ = d->bkMode;
    restoreBkMode_ = true;
    d->bkMode = 1;
  }
  d->rcOutput = box_;
  drawing_ = BeginDCDrawing(d) == 0;
}

BoxDrawing::~BoxDrawing() {
  DC* d = locked_.get();
  if (!d) return;
  if (restoreBkMode_) d->bkMode = savedBkMode_;
  if (drawing_) EndDCDrawing(d);
}

}  // namespace gui::dc
