// Rectangle fills of a surface in packed-RGB and YUV frame-buffer layouts.
#include <algorithm>
#include <cstring>

#include "gdi/gal/gal_internal.h"

namespace {

// The fill rectangle: the request (or the clip) inside the clip and inside
// the chosen geometry, so no fill reaches past the buffer it addresses.
GalRect fillArea(const GalSurface* s, const GalRect* rect, const gal::Geometry& g) {
  const GalRect& clip = s->clipRect;
  GalRect r = rect ? *rect : clip;
  int64_t x0 = std::max<int64_t>({r.x, clip.x, 0});
  int64_t y0 = std::max<int64_t>({r.y, clip.y, 0});
  int64_t x1 = std::min<int64_t>({int64_t{r.x} + r.w, int64_t{clip.x} + clip.w, g.w});
  int64_t y1 = std::min<int64_t>({int64_t{r.y} + r.h, int64_t{clip.y} + clip.h, g.h});
  if (x1 <= x0 || y1 <= y0) return GalRect{0, 0, 0, 0};
  return GalRect{static_cast<int32_t>(x0), static_cast<int32_t>(y0), static_cast<int32_t>(x1 - x0),
                 static_cast<int32_t>(y1 - y0)};
}

// The first row is filled pixel by pixel; the others are copies of it, which
// the library writes at full memory speed.
template <typename Pixel>
void fillRows(uint8_t* first, ptrdiff_t pitch, int w, int h, Pixel value) {
  for (int x = 0; x < w; ++x) std::memcpy(first + x * sizeof(Pixel), &value, sizeof(Pixel));
  size_t bytes = static_cast<size_t>(w) * sizeof(Pixel);
  for (int y = 1; y < h; ++y) std::memcpy(first + y * pitch, first, bytes);
}

// 1- and 3-byte surfaces are filled too, so 8- and 24-bit memory DCs work.
struct Pixel24 {
  uint8_t b[3];
};

void fillPacked(const gal::Geometry& g, int bytesPerPixel, const GalRect& r, GalPixel color) {
  uint8_t* first = g.pixels + static_cast<ptrdiff_t>(r.y) * g.pitch +
                   static_cast<ptrdiff_t>(r.x) * bytesPerPixel;
  if (bytesPerPixel == 2)
    fillRows<uint16_t>(first, g.pitch, r.w, r.h, static_cast<uint16_t>(color));
  else if (bytesPerPixel == 4)
    fillRows<uint32_t>(first, g.pitch, r.w, r.h, color);
  else if (bytesPerPixel == 1)
    fillRows<uint8_t>(first, g.pitch, r.w, r.h, static_cast<uint8_t>(color));
  else if (bytesPerPixel == 3)
    fillRows<Pixel24>(first, g.pitch, r.w, r.h, Pixel24{static_cast<uint8_t>(color),
                                                        static_cast<uint8_t>(color >> 8),
                                                        static_cast<uint8_t>(color >> 16)});
}

// Planar YUV: luma plane of lumaPitch rows, then two chroma planes at half
// resolution with rows of half the luma pitch.
void fillYuv(const gal::Geometry& g, const GalPixelFormat* f, const GalRect& r, GalPixel color) {
  uint8_t y, u, v;
  uint8_t cr, cg, cb;
  GAL_GetRGB(color, f, &cr, &cg, &cb);
  if (cr == 255 && cg == 0 && cb == 255)
    y = u = v = 0;
  else
    RGBToYUV(cr, cg, cb, &y, &u, &v);
  int step = f->yuvStep ? f->yuvStep : 1;
  size_t lumaPitch = g.lumaPitch ? g.lumaPitch : static_cast<size_t>(g.w) * step;
  size_t area = static_cast<size_t>(g.w) * g.h;
  size_t capacity = static_cast<size_t>(g.pitch) * g.h;
  size_t chromaPitch = lumaPitch / 2;
  size_t vEnd = area * 5 / 4 + ((static_cast<size_t>(g.h) + 1) / 2) * chromaPitch;
  if (lumaPitch * g.h > capacity || vEnd > capacity) return;
  uint8_t* uPlane = g.pixels + area;
  uint8_t* vPlane = g.pixels + area * 5 / 4;
  for (int row = 0; row < r.h; ++row) {
    uint8_t* luma = g.pixels + (r.y + row) * lumaPitch + static_cast<size_t>(r.x) * step;
    for (int x = 0; x < r.w; ++x) luma[x * step] = y;
    if (row % 2) continue;
    size_t at = ((r.y + row) / 2) * chromaPitch + r.x / 2;
    std::memset(uPlane + at, u, r.w / 2);
    std::memset(vPlane + at, v, r.w / 2);
  }
}

}  // namespace

extern "C" int GAL_FillRect(GalSurface* dst, const GalRect* rect, GalPixel color, int output) {
  if (!dst) return 0;
  gal::Geometry g = gal::geometryFor(dst, output);
  GalRect r = fillArea(dst, rect, g);
  if (r.w == 0) return 0;
  GalVideoDevice* dev = dst->video;
  if ((dst->flags & GAL_HWSURFACE) && dev && (dev->capabilities & GAL_CAP_BLIT_FILL) &&
      dev->FillHWRect)
    return dev->FillHWRect(dev, dst, &r, color);
  if (!g.pixels) return 0;
  if (gal::isRgbOutputMode())
    fillPacked(g, dst->format->bytesPerPixel, r, color);
  else if (dst->format->bytesPerPixel == 4)
    fillYuv(g, dst->format, r, color);
  return 0;
}
