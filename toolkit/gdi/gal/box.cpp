// Copy of a surface rectangle into a bitmap box.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "gdi/gal_internal.h"
#include "gui/app_hooks.h"
#include "gui/bitmap.h"

namespace {

int clampByte(int v) { return std::min(255, std::max(0, v)); }

void copyPacked(const gal::Geometry& g, int bpp, const GalRect& clipped, const GalRect& request,
                Bitmap* box) {
  size_t rowBytes = static_cast<size_t>(clipped.w) * bpp;
  for (int row = 0; row < clipped.h; ++row) {
    const uint8_t* src = g.pixels + static_cast<size_t>(clipped.y + row) * g.pitch +
                         static_cast<size_t>(clipped.x) * bpp;
    uint8_t* dst = box->bmBits + static_cast<size_t>(clipped.y - request.y + row) * box->bmPitch +
                   static_cast<size_t>(clipped.x - request.x) * bpp;
    std::memcpy(dst, src, rowBytes);
  }
}

// Planar YUV frame buffer back to pixels of the surface's format.
void copyYuv(const gal::Geometry& g, const GalPixelFormat* f, const GalRect& clipped,
             const GalRect& request, Bitmap* box) {
  int step = f->yuvStep ? f->yuvStep : 1;
  size_t lumaPitch = g.lumaPitch ? g.lumaPitch : static_cast<size_t>(g.w) * step;
  size_t area = static_cast<size_t>(g.w) * g.h;
  size_t chromaPitch = lumaPitch / 2;
  size_t capacity = static_cast<size_t>(g.pitch) * g.h;
  size_t vEnd = area * 5 / 4 + ((static_cast<size_t>(g.h) + 1) / 2) * chromaPitch;
  if (lumaPitch * g.h > capacity || vEnd > capacity) return;
  int bpp = f->bytesPerPixel;
  for (int row = 0; row < clipped.h; ++row) {
    int y = clipped.y + row;
    uint8_t* dst = box->bmBits + static_cast<size_t>(y - request.y) * box->bmPitch +
                   static_cast<size_t>(clipped.x - request.x) * bpp;
    for (int col = 0; col < clipped.w; ++col) {
      int x = clipped.x + col;
      int Y = g.pixels[y * lumaPitch + static_cast<size_t>(x) * step];
      size_t c = (y / 2) * chromaPitch + x / 2;
      int U = g.pixels[area + c], V = g.pixels[area * 5 / 4 + c];
      int r = clampByte(1164 * (Y - 16) / 1000);
      int gr = clampByte((1164 * Y - 380 * U - 813 * V + 134080) / 1000);
      int b = clampByte((1164 * Y + 2018 * U - 276928) / 1000);
      GalPixel p = GAL_MapRGB(f, static_cast<uint8_t>(r), static_cast<uint8_t>(gr),
                              static_cast<uint8_t>(b));
      for (int i = 0; i < bpp; ++i) dst[col * bpp + i] = static_cast<uint8_t>(p >> (8 * i));
    }
  }
}

}  // namespace

extern "C" {

int GAL_GetBoxSize(GalSurface* surface, uint32_t width, uint32_t height, uint32_t* pitch) {
  const GalPixelFormat* f = surface->format;
  // 64 bits: a wide or tall box must be refused, not wrapped to a small buffer.
  uint64_t p = uint64_t{f->bytesPerPixel} * width;
  if (f->bitsPerPixel == 1)
    p = (p + 7) / 8;
  else if (f->bitsPerPixel == 4)
    p = (p + 1) / 2;
  p = (p + 3) & ~uint64_t{3};
  const uint64_t bytes = p * height;
  if (p > INT32_MAX || bytes > INT32_MAX) {
    if (pitch) *pitch = 0;
    return -1;
  }
  if (pitch) *pitch = static_cast<uint32_t>(p);
  return static_cast<int>(bytes);
}

int GAL_GetBox(GalSurface* surface, const GalRect* rect, Bitmap* box) {
  if (!surface || !rect || !box || rect->w < 1 || rect->h < 1) return -1;
  box->bmType = 0;
  box->bmBitsPerPixel = surface->format->bitsPerPixel;
  box->bmBytesPerPixel = surface->format->bytesPerPixel;
  box->bmWidth = static_cast<uint32_t>(rect->w);
  box->bmHeight = static_cast<uint32_t>(rect->h);
  box->bmAlphaPixelFormat = nullptr;
  gal::Geometry g = gal::geometryFor(surface, getCurOutputHook());
  int64_t x0 = std::max(rect->x, 0), y0 = std::max(rect->y, 0);
  int64_t x1 = std::min<int64_t>(int64_t{rect->x} + rect->w, g.w);
  int64_t y1 = std::min<int64_t>(int64_t{rect->y} + rect->h, g.h);
  if (x1 <= x0 || y1 <= y0) return 0;
  GalRect clipped{static_cast<int32_t>(x0), static_cast<int32_t>(y0), static_cast<int32_t>(x1 - x0),
                  static_cast<int32_t>(y1 - y0)};
  if (!box->bmBits) {
    uint32_t pitch = 0;
    int bytes = GAL_GetBoxSize(surface, box->bmWidth, box->bmHeight, &pitch);
    // The box's bits are C memory: the bitmap code releases them with free.
    box->bmBits = bytes > 0 ? static_cast<uint8_t*>(std::malloc(static_cast<size_t>(bytes))) : nullptr;
    if (!box->bmBits) {
      gal::reportOutOfMemory();
      return -1;
    }
    box->bmPitch = pitch;
  }
  if (!g.pixels) return 0;
  if (gal::isRgbOutputMode()) {
    int bpp = surface->format->bytesPerPixel;
    if (bpp >= 1 && bpp <= 4) copyPacked(g, bpp, clipped, *rect, box);
  } else {
    copyYuv(g, surface->format, clipped, *rect, box);
  }
  return 0;
}

}  // extern "C"
