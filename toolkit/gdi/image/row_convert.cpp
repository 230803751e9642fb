#include "gdi/row_convert.h"

#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace gui::image {
namespace {

constexpr GalColor kStandard16[16] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},   {0, 128, 0, 0},   {128, 128, 0, 0},
    {0, 0, 128, 0},     {128, 0, 128, 0}, {0, 128, 128, 0}, {192, 192, 192, 0},
    {128, 128, 128, 0}, {255, 0, 0, 0},   {0, 255, 0, 0},   {255, 255, 0, 0},
    {0, 0, 255, 0},     {255, 0, 255, 0}, {0, 255, 255, 0}, {255, 255, 255, 0}};

const uint8_t* SourceRow(const RowSource& from, uint32_t n) {
  const uint32_t stored = from.bottomUp ? from.rows - 1 - n : n;
  return from.bits + static_cast<size_t>(stored) * from.pitch;
}

uint8_t* TargetRow(const RowTarget& to, uint32_t n) {
  return to.bits + static_cast<size_t>(n) * to.pitch;
}

GalPixel MapColor(const GalPixelFormat* f, const GalColor& c) { return GAL_MapRGB(f, c.r, c.g, c.b); }

uint8_t Widen(uint32_t value, int bits) { return static_cast<uint8_t>(value * 255 / ((1u << bits) - 1)); }

// Three-byte pixels into the screen's 32-bit layout (red at bit 16), the
// `alpha` bits set: four pixels a shuffle on machines that have it. Answers
// how many pixels it did; the caller does the rest one by one.
#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("ssse3"))) uint32_t PackXrgbQuads(const uint8_t* src, uint8_t* dst, uint32_t width,
                                                        bool bgr, uint32_t alpha) {
  // Bytes of each output pixel: blue, green, red from the source, then zero.
  const __m128i order = bgr ? _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1)
                            : _mm_setr_epi8(2, 1, 0, -1, 5, 4, 3, -1, 8, 7, 6, -1, 11, 10, 9, -1);
  const __m128i top = _mm_set1_epi32(static_cast<int>(alpha));
  uint32_t x = 0;
  // Sixteen bytes are read for twelve: stop while they stay in the row.
  for (; x + 6 <= width; x += 4) {
    const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * x));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 4 * x), _mm_or_si128(_mm_shuffle_epi8(in, order), top));
  }
  return x;
}

uint32_t PackXrgbFast(const uint8_t* src, uint8_t* dst, uint32_t width, bool bgr, uint32_t alpha) {
  static const bool available = __builtin_cpu_supports("ssse3");
  return available ? PackXrgbQuads(src, dst, width, bgr, alpha) : 0;
}
#else
uint32_t PackXrgbFast(const uint8_t*, uint8_t*, uint32_t, bool, uint32_t) { return 0; }
#endif

// The mapping of a format without palette, inlined: loading a picture
// converts every pixel through it.
void PackRows(const RowTarget& to, const RowSource& from, int step, bool bgr) {
  const GalPixelFormat& f = *to.format;
  const int bpp = f.bytesPerPixel;
  const int rl = f.rLoss, gl = f.gLoss, bl = f.bLoss, rs = f.rShift, gs = f.gShift, bs = f.bShift;
  const uint32_t a = f.aMask;
  const int ri = bgr ? 2 : 0, bi = bgr ? 0 : 2;
  const bool xrgb = bpp == 4 && !rl && !gl && !bl && rs == 16 && gs == 8 && bs == 0;
  for (uint32_t n = 0; n < from.rows; ++n) {
    if (xrgb) {
      // The screen's own layout: fixed shifts the compiler can unroll.
      const uint8_t* src = SourceRow(from, n);
      uint8_t* dst = TargetRow(to, n);
      const uint32_t done = step == 3 ? PackXrgbFast(src, dst, from.width, bgr, a) : 0;
      src += static_cast<size_t>(done) * step;
      for (uint32_t x = done; x < from.width; ++x, src += step) {
        const uint32_t p = uint32_t{src[ri]} << 16 | uint32_t{src[1]} << 8 | src[bi] | a;
        std::memcpy(dst + 4 * x, &p, 4);
      }
      continue;
    }
    const uint8_t* src = SourceRow(from, n);
    uint8_t* dst = TargetRow(to, n);
    for (uint32_t x = 0; x < from.width; ++x, src += step, dst += bpp) {
      const uint32_t p = ((uint32_t{src[ri]} >> rl) << rs) | ((uint32_t{src[1]} >> gl) << gs) |
                         ((uint32_t{src[bi]} >> bl) << bs) | a;
      if (bpp == 4)
        std::memcpy(dst, &p, 4);
      else
        StorePixel(dst, p, bpp);
    }
  }
}

}  // namespace

void StorePixel(uint8_t* at, GalPixel pixel, int bytesPerPixel) {
  for (int i = 0; i < bytesPerPixel; ++i) at[i] = static_cast<uint8_t>(pixel >> (8 * i));
}

void ExpandMonoBitmapRows(const RowTarget& to, const RowSource& from, GalPixel background,
                          GalPixel foreground) {
  const int bpp = to.format->bytesPerPixel;
  for (uint32_t n = 0; n < from.rows; ++n) {
    const uint8_t* src = SourceRow(from, n);
    uint8_t* dst = TargetRow(to, n);
    for (uint32_t x = 0; x < from.width; ++x) {
      const bool set = (src[x / 8] >> (7 - x % 8)) & 1;
      StorePixel(dst + x * bpp, set ? foreground : background, bpp);
    }
  }
}

void Expand16ColorBitmapRows(const RowTarget& to, const RowSource& from, const GalColor* palette) {
  const GalColor* colors = palette ? palette : kStandard16;
  GalPixel pixels[16];
  for (int i = 0; i < 16; ++i) pixels[i] = MapColor(to.format, colors[i]);
  const int bpp = to.format->bytesPerPixel;
  for (uint32_t n = 0; n < from.rows; ++n) {
    const uint8_t* src = SourceRow(from, n);
    uint8_t* dst = TargetRow(to, n);
    for (uint32_t x = 0; x < from.width; ++x) {
      const int index = (x & 1) ? src[x / 2] & 0xF : src[x / 2] >> 4;
      StorePixel(dst + x * bpp, pixels[index], bpp);
    }
  }
}

void Expand256ColorBitmapRows(const RowTarget& to, const RowSource& from, const GalColor* palette) {
  const int bpp = to.format->bytesPerPixel;
  GalPixel pixels[256];
  for (int i = 0; i < 256; ++i) {
    if (palette)
      pixels[i] = MapColor(to.format, palette[i]);
    else if (bpp == 1)
      pixels[i] = static_cast<GalPixel>(i);
    else
      // The index's 3-3-2 bits stand for a colour; widened so that white
      // stays white instead of (224, 28, 3).
      pixels[i] = GAL_MapRGB(to.format, Widen(i >> 5, 3), Widen((i >> 2) & 7, 3), Widen(i & 3, 2));
  }
  for (uint32_t n = 0; n < from.rows; ++n) {
    const uint8_t* src = SourceRow(from, n);
    uint8_t* dst = TargetRow(to, n);
    for (uint32_t x = 0; x < from.width; ++x) StorePixel(dst + x * bpp, pixels[src[x]], bpp);
  }
}

void CompileRGBBitmapRows(const RowTarget& to, const RowSource& from, uint32_t imageFlags,
                          const GalPixelFormat* alphaFormat) {
  const int bpp = to.format->bytesPerPixel;
  const bool four = imageFlags & MYBMP_RGBSIZE_4;
  const int step = four ? 4 : 3;
  const bool bgr = (imageFlags & MYBMP_TYPE_MASK) == MYBMP_TYPE_BGR;
  const bool alpha = four && (imageFlags & MYBMP_ALPHACHANNEL) && alphaFormat;
  if (!alpha && !to.format->palette) {
    PackRows(to, from, step, bgr);
    return;
  }
  for (uint32_t n = 0; n < from.rows; ++n) {
    const uint8_t* src = SourceRow(from, n);
    uint8_t* dst = TargetRow(to, n);
    for (uint32_t x = 0; x < from.width; ++x, src += step) {
      const uint8_t r = bgr ? src[2] : src[0], g = src[1], b = bgr ? src[0] : src[2];
      const GalPixel p = alpha ? GAL_MapRGBA(alphaFormat, r, g, b, src[3]) : GAL_MapRGB(to.format, r, g, b);
      StorePixel(dst + x * bpp, p, bpp);
    }
  }
}

bool ConvertImageRows(const RowTarget& to, const MyBitmap& image, const RowSource& from,
                      const GalColor* palette, const GalPixelFormat* alphaFormat) {
  switch (image.depth) {
    case 1: {
      const GalColor black{0, 0, 0, 0}, white{255, 255, 255, 0};
      ExpandMonoBitmapRows(to, from, MapColor(to.format, palette ? palette[0] : black),
                           MapColor(to.format, palette ? palette[1] : white));
      return true;
    }
    case 4: Expand16ColorBitmapRows(to, from, palette); return true;
    case 8: Expand256ColorBitmapRows(to, from, palette); return true;
    case 24:
    case 32: {
      uint32_t flags = image.flags;
      if (image.depth == 32) flags |= MYBMP_RGBSIZE_4;
      else flags &= ~MYBMP_RGBSIZE_4;
      CompileRGBBitmapRows(to, from, flags, alphaFormat);
      return true;
    }
    default: return false;
  }
}

}  // namespace gui::image
