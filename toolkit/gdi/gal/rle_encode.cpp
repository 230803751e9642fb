// Run-length encoders: the colour-keyed form (skip/run segments of the
// surface's own pixels) and the per-pixel-alpha form (an opaque and a
// translucent part per row, stored in the destination's format).
#include <cstdlib>
#include <cstring>

#include "gdi/gal/blit_pixel.h"
#include "gdi/gal/rle_code.h"

namespace gal::rle {

namespace {

// Appends to a buffer sized for the worst case up front.
struct Writer {
  uint8_t* p;
  size_t at = 0;
  void count(uint32_t v, int width) {
    p[at++] = static_cast<uint8_t>(v);
    if (width == 2) p[at++] = static_cast<uint8_t>(v >> 8);
  }
  void pixel(uint32_t v, int bytes) {
    px::write(p + at, bytes, v);
    at += bytes;
  }
};

// One row of segments: `solid(x)` says whether pixel x is drawn, `put(x)`
// stores it. Skips and runs of the row add up to `width` exactly.
template <typename Solid, typename Put>
void encodeRow(Writer& w, int width, int countWidth, uint32_t maxCount, Solid solid, Put put) {
  int x = 0;
  while (x < width) {
    int start = x;
    while (x < width && !solid(x)) ++x;
    uint32_t skip = static_cast<uint32_t>(x - start);
    start = x;
    while (x < width && solid(x)) ++x;
    uint32_t run = static_cast<uint32_t>(x - start);
    while (skip > maxCount) {
      w.count(maxCount, countWidth);
      w.count(0, countWidth);
      skip -= maxCount;
    }
    uint32_t first = run < maxCount ? run : maxCount;
    w.count(skip, countWidth);
    w.count(first, countWidth);
    for (uint32_t i = 0; i < first; ++i) put(start + static_cast<int>(i));
    for (uint32_t done = first; done < run;) {
      uint32_t n = run - done < maxCount ? run - done : maxCount;
      w.count(0, countWidth);
      w.count(n, countWidth);
      for (uint32_t i = 0; i < n; ++i) put(start + static_cast<int>(done + i));
      done += n;
    }
  }
}

bool finish(Writer& w, Code* out, bool alpha) {
  uint8_t* shrunk = static_cast<uint8_t*>(std::realloc(w.p, w.at ? w.at : 1));
  out->bytes = shrunk ? shrunk : w.p;  // a failed shrink keeps the full buffer
  out->size = w.at;
  out->perPixelAlpha = alpha;
  return true;
}

const uint8_t* rowOf(const GalSurface* s, int y) {
  return s->pixels + s->offset + static_cast<size_t>(y) * s->pitch;
}

bool served2(const GalPixelFormat* d) {
  uint32_t sum = d->rMask | d->gMask | d->bMask;
  bool has565 = d->rMask == 0x07E0 || d->gMask == 0x07E0 || d->bMask == 0x07E0;
  bool has555 = d->rMask == 0x03E0 || d->gMask == 0x03E0 || d->bMask == 0x03E0;
  return (sum == 0xFFFF && has565) || (sum == 0x7FFF && has555);
}

}  // namespace

Code* codeOf(const GalSurface* s) {
  return s->map && s->map->swData ? static_cast<Code*>(s->map->swData->auxData) : nullptr;
}

bool encodeKey(const GalSurface* s, Code* out) {
  const GalPixelFormat* f = s->format;
  int bpp = f->bytesPerPixel, cw = bpp == 4 ? 2 : 1;
  uint32_t maxCount = bpp == 4 ? 65535 : 255;
  size_t w = static_cast<size_t>(s->w), h = static_cast<size_t>(s->h);
  size_t perRow = w * (bpp + 2 * cw) + 2 * cw * (w / maxCount + 2);
  size_t capacity = h * perRow + 2 * cw;
  Writer out8{static_cast<uint8_t*>(std::malloc(capacity))};
  if (!out8.p) return false;
  uint32_t colourBits = ~f->aMask, key = f->colorKey & colourBits;
  size_t lastSolidEnd = 0;
  for (int y = 0; y < s->h; ++y) {
    const uint8_t* row = rowOf(s, y);
    bool any = false;
    auto solid = [&](int x) {
      bool drawn = (px::read(row + x * bpp, bpp) & colourBits) != key;
      any |= drawn;
      return drawn;
    };
    auto put = [&](int x) { out8.pixel(px::read(row + x * bpp, bpp), bpp); };
    encodeRow(out8, s->w, cw, maxCount, solid, put);
    if (any) lastSolidEnd = out8.at;
  }
  out8.at = lastSolidEnd;  // wholly transparent rows at the end are dropped
  out8.count(0, cw);
  out8.count(0, cw);
  return finish(out8, out, false);
}

bool encodeAlpha(const GalSurface* s, const GalPixelFormat* d, Code* out) {
  const GalPixelFormat* f = s->format;
  int dbpp = d->bytesPerPixel;
  if (f->bitsPerPixel != 32 || !f->aMask) return false;
  if (!(dbpp == 2 && served2(d)) && !(dbpp == 4 && (d->rMask | d->gMask | d->bMask) == 0x00FFFFFF))
    return false;
  bool is565 = d->rMask == 0x07E0 || d->gMask == 0x07E0 || d->bMask == 0x07E0;
  int opaqueCw = dbpp == 2 ? 1 : 2;
  size_t w = static_cast<size_t>(s->w), h = static_cast<size_t>(s->h);
  size_t capacity = kAlphaHeader + h * (17 * w + 32) + 4;
  Writer o{static_cast<uint8_t*>(std::malloc(capacity))};
  if (!o.p) return false;
  uint8_t head[kAlphaHeader] = {d->bytesPerPixel, d->rLoss,  d->gLoss,  d->bLoss,
                                d->rShift,        d->gShift, d->bShift, d->aShift};
  std::memcpy(head + 8, &d->rMask, 4);
  std::memcpy(head + 12, &d->gMask, 4);
  std::memcpy(head + 16, &d->bMask, 4);
  std::memcpy(head + 20, &d->aMask, 4);
  std::memcpy(o.p, head, kAlphaHeader);
  o.at = kAlphaHeader;
  size_t lastSolidEnd = o.at;
  for (int y = 0; y < s->h; ++y) {
    const uint8_t* row = rowOf(s, y);
    auto src = [&](int x) { return px::read(row + 4 * x, 4); };
    auto alphaOf = [&](int x) { return static_cast<int>((src(x) & f->aMask) >> f->aShift); };
    auto colour = [&](int x) { return px::assemble(px::split(src(x), f), d); };
    bool any = false;
    encodeRow(o, s->w, opaqueCw, 255, [&](int x) { return alphaOf(x) == 255 && (any = true); },
              [&](int x) {
                uint32_t c = colour(x);
                o.pixel(dbpp == 2 ? c : (c | 0xFF000000u), dbpp);
              });
    if (dbpp == 2 && (o.at & 3)) {  // keeps the 32-bit words aligned
      o.count(0, 2);
    }
    encodeRow(o, s->w, 2, 65535,
              [&](int x) {
                int a = alphaOf(x);
                return a > 0 && a < 255 && (any = true);
              },
              [&](int x) {
                uint32_t c = colour(x), a = static_cast<uint32_t>(alphaOf(x));
                if (dbpp == 4)
                  o.pixel(c | a << 24, 4);
                else if (is565)
                  o.pixel(((c & 0x07E0) << 16) | (c & 0xF81F) | ((a & 0xF8) << 2), 4);
                else
                  o.pixel(((c & 0x03E0) << 16) | (c & 0xFC1F) | ((a & 0xF8) << 2), 4);
              });
    if (any) lastSolidEnd = o.at;
  }
  o.at = lastSolidEnd;
  o.count(0, opaqueCw);
  o.count(0, opaqueCw);
  return finish(o, out, true);
}

}  // namespace gal::rle
