// Conversion fast paths between the common packed layouts and the table
// copies of palette sources.
#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "gdi/gal/blit_loops.h"
#include "gdi/gal/blit_pixel.h"

namespace gal {

namespace {

// Walks a box of 32-bit sources into `Out` destination pixels.
template <typename Out, typename Op>
void convertRows(GalBlitInfo* info, Op op) {
  forEachRow(info, 4, sizeof(Out), [op](const uint8_t* s, uint8_t* d, int w) {
    pixelSpan<uint32_t, Out>(s, d, 0, w, [op](uint32_t p, Out) { return op(p); });
  });
}

// Palette source through the map's table of destination pixels.
template <typename Out>
void indexRows(GalBlitInfo* info) {
  const Out* table = reinterpret_cast<const Out*>(info->table);
  if (!table) return;
  forEachRow(info, 1, sizeof(Out), [table](const uint8_t* s, uint8_t* d, int w) {
    for (int x = 0; x < w; ++x) std::memcpy(d + sizeof(Out) * x, &table[s[x]], sizeof(Out));
  });
}

// Lookup tables of 5-6-5 to 32 bits: [byte][0] the low byte's share (blue
// and the low green bits), [byte][1] the high byte's (red, the high green
// bits and the opaque alpha), in one channel order.
using Table565 = std::array<std::array<uint32_t, 2>, 256>;

Table565 make565Table(int rPos, int gPos, int bPos, int aPos) {
  Table565 t{};
  for (uint32_t v = 0; v < 256; ++v) {
    uint32_t b = v & 0x1F, gl = v >> 5;
    uint32_t gh = v & 0x07, r = v >> 3;
    t[v][0] = (b * 255 / 31) << bPos | (4 * gl) << gPos;
    t[v][1] = (r * 255 / 31) << rPos | ((8 * gh) * 255 / 63) << gPos | 0xFFu << aPos;
  }
  return t;
}

void rgb565ToWords(GalBlitInfo* info, const Table565& t) {
  forEachRow(info, 2, 4, [&t](const uint8_t* s, uint8_t* d, int w) {
    for (int x = 0; x < w; ++x) {
      uint32_t p = t[s[2 * x]][0] + t[s[2 * x + 1]][1];
      std::memcpy(d + 4 * x, &p, 4);
    }
  });
}

// One table per channel order, built on first use.
template <int RPos, int GPos, int BPos, int APos>
void rgb565To32(GalBlitInfo* info) {
  static const Table565 table = make565Table(RPos, GPos, BPos, APos);
  rgb565ToWords(info, table);
}

#if defined(__SSE2__)
__m128i equalLanes(__m128i a, __m128i b, uint16_t) { return _mm_cmpeq_epi16(a, b); }
__m128i equalLanes(__m128i a, __m128i b, uint32_t) { return _mm_cmpeq_epi32(a, b); }
template <typename P>
__m128i splat(P v) {
  return sizeof(P) == 2 ? _mm_set1_epi16(static_cast<int16_t>(v)) : _mm_set1_epi32(static_cast<int>(v));
}
#endif

// Keyed copies between one format: a pixel whose `test` bits equal the key
// is left out, the others are written as (pixel & keep) | set. Sixteen bytes
// at a time where the machine has them.
template <typename P>
void keyedRows(GalBlitInfo* info, P key, P test, P keep, P set) {
  forEachRow(info, sizeof(P), sizeof(P), [=](const uint8_t* s, uint8_t* d, int w) {
    int x = 0;
#if defined(__SSE2__)
    constexpr int kLanes = 16 / sizeof(P);
    const __m128i k = splat(key), t = splat(test), kp = splat(keep), st = splat(set);
    for (; x + kLanes <= w; x += kLanes) {
      const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + sizeof(P) * x));
      const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + sizeof(P) * x));
      const __m128i skip = equalLanes(_mm_and_si128(sv, t), k, P{});
      const __m128i out = _mm_or_si128(_mm_and_si128(sv, kp), st);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + sizeof(P) * x),
                       _mm_or_si128(_mm_and_si128(skip, dv), _mm_andnot_si128(skip, out)));
    }
#endif
    pixelSpan<P, P>(s, d, x, w, [=](P p, P old) {
      return static_cast<P>(p & test) == key ? old : static_cast<P>((p & keep) | set);
    });
  });
}

uint8_t index332(uint32_t p) {
  return static_cast<uint8_t>(((p & 0x00E00000) >> 16) | ((p & 0x0000E000) >> 11) |
                              ((p & 0x000000C0) >> 6));
}

}  // namespace

void BlitIndexTo2(GalBlitInfo* i) { indexRows<uint16_t>(i); }
void BlitIndexTo4(GalBlitInfo* i) { indexRows<uint32_t>(i); }

void BlitXRGB8888ToRGB565(GalBlitInfo* info) {
  convertRows<uint16_t>(info, [](uint32_t p) {
    return static_cast<uint16_t>(((p >> 8) & 0xF800) | ((p >> 5) & 0x07E0) | ((p >> 3) & 0x001F));
  });
}

void BlitXRGB8888ToRGB555(GalBlitInfo* info) {
  convertRows<uint16_t>(info, [](uint32_t p) {
    return static_cast<uint16_t>(((p >> 9) & 0x7C00) | ((p >> 6) & 0x03E0) | ((p >> 3) & 0x001F));
  });
}

void BlitXRGB8888ToIndex(GalBlitInfo* info) {
  const uint8_t* table = info->table;
  if (table)
    convertRows<uint8_t>(info, [table](uint32_t p) { return table[index332(p)]; });
  else
    convertRows<uint8_t>(info, index332);
}

void BlitXRGB8888ToIndexMapped(GalBlitInfo* info) { BlitXRGB8888ToIndex(info); }

void BlitRGB565ToARGB8888(GalBlitInfo* i) { rgb565To32<16, 8, 0, 24>(i); }
void BlitRGB565ToABGR8888(GalBlitInfo* i) { rgb565To32<0, 8, 16, 24>(i); }
void BlitRGB565ToRGBA8888(GalBlitInfo* i) { rgb565To32<24, 16, 8, 0>(i); }
void BlitRGB565ToBGRA8888(GalBlitInfo* i) { rgb565To32<8, 16, 24, 0>(i); }

void Blit2To2Key(GalBlitInfo* info) {
  const GalPixelFormat* f = info->srcFormat;
  const uint16_t colourBits = static_cast<uint16_t>(~f->aMask);
  keyedRows<uint16_t>(info, static_cast<uint16_t>(f->colorKey & colourBits), colourBits, 0xFFFF, 0);
}

// Same 8-8-8 format on both sides: converting a pixel only keeps its colour
// bits (and sets an alpha the format has), so no channel is split.
void Blit4To4Key(GalBlitInfo* info) {
  const GalPixelFormat* f = info->srcFormat;
  keyedRows<uint32_t>(info, f->colorKey, ~0u, f->rMask | f->gMask | f->bMask, info->dstFormat->aMask);
}

}  // namespace gal
