// Putting a bitmap box into a surface's frame buffer: clipping, packed
// copies with colour key, the alpha puts and the YUV layouts.
#include <algorithm>
#include <cstring>

#include "gdi/gal/blit_loops.h"
#include "gdi/gal/blit_pixel.h"
#include "gdi/gal/put_box.h"
#include "gdi/gal/row_copy.h"
#include "gdi/gal_internal.h"
#include "gui/bitmap.h"

namespace gal {

namespace {

template <typename Pixel>
void keyedRows(const PutArea& a, uint32_t key) {
  size_t bpp = sizeof(Pixel);
  for (int y = 0; y < a.h; ++y) {
    uint8_t* d = a.dst + y * a.dstPitch;
    const uint8_t* s = a.src + y * a.srcPitch;
    for (int x = 0; x < a.w; ++x) {
      Pixel p;
      std::memcpy(&p, s + x * bpp, bpp);
      if (p != static_cast<Pixel>(key)) std::memcpy(d + x * bpp, &p, bpp);
    }
  }
}

void keyedRows24(const PutArea& a, uint32_t key) {
  for (int y = 0; y < a.h; ++y) {
    uint8_t* d = a.dst + y * a.dstPitch;
    const uint8_t* s = a.src + y * a.srcPitch;
    for (int x = 0; x < a.w; ++x)
      if (px::read(s + 3 * x, 3) != (key & 0xFFFFFF)) std::memcpy(d + 3 * x, s + 3 * x, 3);
  }
}

void keyedCopy(const PutArea& a, int bpp, uint32_t key) {
  switch (bpp) {
    case 1: keyedRows<uint8_t>(a, key); break;
    case 2: keyedRows<uint16_t>(a, key); break;
    case 3: keyedRows24(a, key); break;
    default: keyedRows<uint32_t>(a, key); break;
  }
}

int putPacked(GalSurface* s, const PutArea& a, const Bitmap* box) {
  int bpp = box->bmBytesPerPixel;
  const GalPixelFormat* boxFormat = box->bmAlphaPixelFormat;
  bool keyed = (box->bmType & BMP_TYPE_COLORKEY) != 0;
  if (boxFormat && boxFormat != s->format) {
    if (!(box->bmType & BMP_TYPE_ALPHA)) return 0;
    return keyed ? PutBoxPixelAlphaKey(s, a, box) : PutBoxPixelAlpha(s, a, box);
  }
  if (box->bmType & BMP_TYPE_ALPHACHANNEL)
    return keyed ? PutBoxAlphaKey(s, a, box) : PutBoxAlpha(s, a, box);
  if (!keyed)
    copyRows(a.dst, a.dstPitch, a.src, a.srcPitch, static_cast<size_t>(a.w) * bpp, a.h);
  else
    keyedCopy(a, bpp, box->bmColorKey);
  return 0;
}

// Blends through the reference loop with the box's rule; the box's own
// alpha and key ride on a copy of the source format.
int putBlended(GalSurface* s, const PutArea& a, const Bitmap* box, const GalPixelFormat* from,
               const BlitRule& rule) {
  if (s->format->bytesPerPixel == 1) return -1;
  // The loop steps both sides by the surface's pixel size; a box format of
  // another size would be read past its rows.
  if (from->bytesPerPixel != s->format->bytesPerPixel) return -1;
  if (a.w < 1 || a.h < 1) return 0;
  GalPixelFormat source = *from;
  source.alpha = box->bmAlpha;
  source.colorKey = box->bmColorKey;
  int bpp = s->format->bytesPerPixel;
  GalBlitInfo info{};
  info.srcPixels = const_cast<uint8_t*>(a.src);
  info.srcWidth = info.dstWidth = a.w;
  info.srcHeight = info.dstHeight = a.h;
  info.srcSkip = static_cast<int32_t>(a.srcPitch - static_cast<ptrdiff_t>(a.w) * bpp);
  info.dstPixels = a.dst;
  info.dstSkip = static_cast<int32_t>(a.dstPitch - static_cast<ptrdiff_t>(a.w) * bpp);
  info.srcFormat = &source;
  info.dstFormat = s->format;
  referenceBlit(&info, rule);
  return 0;
}

}  // namespace

int PutBoxPixelAlpha(GalSurface* s, const PutArea& a, const Bitmap* box) {
  static constexpr BlitRule rule{SrcKind::kPacked, KeyTest::kNone, Blend::kPixel, AlphaOut::kOpaque, false};
  return putBlended(s, a, box, box->bmAlphaPixelFormat, rule);
}

int PutBoxPixelAlphaKey(GalSurface* s, const PutArea& a, const Bitmap* box) {
  static constexpr BlitRule rule{SrcKind::kPacked, KeyTest::kValueNoAlpha, Blend::kPixel,
                                 AlphaOut::kOpaque, false};
  return putBlended(s, a, box, box->bmAlphaPixelFormat, rule);
}

int PutBoxAlpha(GalSurface* s, const PutArea& a, const Bitmap* box) {
  static constexpr BlitRule rule{SrcKind::kPacked, KeyTest::kNone, Blend::kSurface,
                                 AlphaOut::kConstant, false};
  return putBlended(s, a, box, s->format, rule);
}

int PutBoxAlphaKey(GalSurface* s, const PutArea& a, const Bitmap* box) {
  static constexpr BlitRule rule{SrcKind::kPacked, KeyTest::kWhole, Blend::kSurface,
                                 AlphaOut::kConstant, false};
  return putBlended(s, a, box, s->format, rule);
}

}  // namespace gal

extern "C" int GAL_PutBox(GalSurface* s, const GalRect* rect, const Bitmap* box, int output) {
  if (!s || !box) return 0;
  gal::Geometry g = gal::geometryFor(s, output);
  const GalRect& clip = s->clipRect;
  GalRect r = rect ? *rect : GalRect{0, 0, clip.x + clip.w, clip.y + clip.h};
  int64_t x0 = std::max<int64_t>(r.x, clip.x), y0 = std::max<int64_t>(r.y, clip.y);
  // The geometry bounds keep a clip meant for the larger display inside
  // the smaller one's buffer.
  int64_t x1 = std::min<int64_t>({int64_t{r.x} + r.w, int64_t{clip.x} + clip.w, g.w});
  int64_t y1 = std::min<int64_t>({int64_t{r.y} + r.h, int64_t{clip.y} + clip.h, g.h});
  x0 = std::max<int64_t>(x0, 0);
  y0 = std::max<int64_t>(y0, 0);
  if (x1 <= x0 || y1 <= y0) return 0;
  int64_t dx = x0 - r.x, dy = y0 - r.y;
  if (dx >= box->bmWidth || dy >= box->bmHeight) return 0;
  if (box->bmBytesPerPixel != s->format->bytesPerPixel || !g.pixels) return 0;
  // Clipped on the left or top, the box has fewer columns and rows left
  // than its size: never read past them.
  int w = static_cast<int>(std::min<int64_t>(x1 - x0, box->bmWidth - dx));
  int h = static_cast<int>(std::min<int64_t>(y1 - y0, box->bmHeight - dy));
  gal::PutPlace place{static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(dx),
                      static_cast<int>(dy), w, h};
  if (!gal::isRgbOutputMode()) return gal::putYuv(s, g, place, box);
  if (!box->bmBits) return 0;
  int bpp = box->bmBytesPerPixel;
  gal::PutArea a{g.pixels + y0 * g.pitch + x0 * bpp, g.pitch,
                 box->bmBits + dy * box->bmPitch + dx * bpp, box->bmPitch, w, h};
  return gal::putPacked(s, a, box);
}
