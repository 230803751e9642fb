// Alpha fast paths: bit-parallel blends of the 32-bit and 16-bit layouts,
// with two colour lanes per machine word and one multiply per lane.
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "gdi/gal/blit_loops.h"

namespace gal {

namespace {

template <typename In, typename Out, typename Op>
void blendRows(GalBlitInfo* info, Op op) {
  forEachRow(info, sizeof(In), sizeof(Out),
             [op](const uint8_t* s, uint8_t* d, int w) { pixelSpan<In, Out>(s, d, 0, w, op); });
}

#if defined(__SSE2__)
// Four 32-bit pixels at a time with the scalar rule's exact results: the
// lane products s * a and d * a never overflow their 16-bit halves, so
// their 32-bit difference is (s - d) * a modulo 2^32 as in the scalar code.
__m128i blend888x4(__m128i s, __m128i d, __m128i a16) {
  const __m128i rb = _mm_set1_epi32(0x00FF00FF), g = _mm_set1_epi32(0x0000FF00);
  const __m128i s1 = _mm_and_si128(s, rb), d1 = _mm_and_si128(d, rb);
  const __m128i p1 = _mm_sub_epi32(_mm_mullo_epi16(s1, a16), _mm_mullo_epi16(d1, a16));
  const __m128i r1 = _mm_and_si128(_mm_add_epi32(d1, _mm_srli_epi32(p1, 8)), rb);
  const __m128i d2 = _mm_and_si128(d, g);
  const __m128i sg = _mm_srli_epi32(_mm_and_si128(s, g), 8), dg = _mm_srli_epi32(d2, 8);
  // ((s2 - d2) * a) >> 8 keeps the product's low 24 bits: p2 itself.
  const __m128i p2 = _mm_sub_epi32(_mm_mullo_epi16(sg, a16), _mm_mullo_epi16(dg, a16));
  return _mm_or_si128(r1, _mm_and_si128(_mm_add_epi32(d2, p2), g));
}

__m128i average888x4(__m128i s, __m128i d) {
  const __m128i fe = _mm_set1_epi32(0x00FEFEFE), one = _mm_set1_epi32(0x00010101);
  const __m128i sum = _mm_add_epi32(_mm_and_si128(s, fe), _mm_and_si128(d, fe));
  return _mm_add_epi32(_mm_srli_epi32(sum, 1), _mm_and_si128(_mm_and_si128(s, d), one));
}

// 32-bit rows: four pixels per step, the 0..3 left by the scalar rule.
template <typename Vec, typename Scalar>
void rows32(GalBlitInfo* info, Vec vec, Scalar scalar) {
  forEachRow(info, 4, 4, [&](const uint8_t* s, uint8_t* d, int w) {
    int x = 0;
    for (; x + 4 <= w; x += 4) {
      __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 4 * x));
      __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + 4 * x));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 4 * x), vec(sv, dv));
    }
    pixelSpan<uint32_t, uint32_t>(s, d, x, w, scalar);
  });
}
// Eight 16-bit pixels: source channels (5, 6 or 5 bits; 5-5-5 for the
// narrow layout) in 16-bit lanes, blended into D by a5 with the spread
// rule's exact results. The products of each channel with a5 occupy
// disjoint bit ranges of the spread word, so the spread products are put
// together from 16-bit multiplies.
struct Spread16 {
  int redShift;  // red's position in the pixel: 11 (5-6-5) or 10 (5-5-5)
  uint16_t lowKeep, highKeep;  // the pixel bits each half of the spread word keeps

  static __m128i low32(__m128i lo, __m128i hi) { return _mm_unpacklo_epi16(lo, hi); }
  static __m128i high32(__m128i lo, __m128i hi) { return _mm_unpackhi_epi16(lo, hi); }
  // Low 16 bits of every 32-bit lane into eight 16-bit lanes.
  static __m128i pack(__m128i a, __m128i b) {
    a = _mm_srai_epi32(_mm_slli_epi32(a, 16), 16);
    b = _mm_srai_epi32(_mm_slli_epi32(b, 16), 16);
    return _mm_packs_epi32(a, b);
  }

  __m128i blend(__m128i blue, __m128i green, __m128i red, __m128i d, __m128i a5, uint32_t mask) const {
    const __m128i bm = _mm_set1_epi16(0x1F), rm = _mm_set1_epi16(0x1F);
    const __m128i gm = _mm_set1_epi16(redShift == 11 ? 0x3F : 0x1F);
    const __m128i dBlue = _mm_and_si128(d, bm);
    const __m128i dGreen = _mm_and_si128(_mm_srli_epi16(d, 5), gm);
    const __m128i dRed = _mm_and_si128(_mm_srli_epi16(d, redShift), rm);
    auto product = [&](__m128i b, __m128i g, __m128i r, __m128i* lo, __m128i* hi) {
      const __m128i bp = _mm_mullo_epi16(b, a5), gp = _mm_mullo_epi16(g, a5), rp = _mm_mullo_epi16(r, a5);
      const __m128i low = _mm_or_si128(bp, _mm_sll_epi16(rp, _mm_cvtsi32_si128(redShift)));
      const __m128i high = _mm_or_si128(_mm_srl_epi16(rp, _mm_cvtsi32_si128(16 - redShift)), _mm_slli_epi16(gp, 5));
      *lo = low32(low, high);
      *hi = high32(low, high);
    };
    __m128i sLo, sHi, dLo, dHi;
    product(blue, green, red, &sLo, &sHi);
    product(dBlue, dGreen, dRed, &dLo, &dHi);
    const __m128i spreadLow = _mm_and_si128(d, _mm_set1_epi16(static_cast<int16_t>(lowKeep)));
    const __m128i spreadHigh = _mm_and_si128(d, _mm_set1_epi16(static_cast<int16_t>(highKeep)));
    const __m128i m = _mm_set1_epi32(static_cast<int>(mask));
    auto finish = [&](__m128i dSpread, __m128i sp, __m128i dp) {
      __m128i r = _mm_and_si128(_mm_add_epi32(dSpread, _mm_srli_epi32(_mm_sub_epi32(sp, dp), 5)), m);
      return _mm_or_si128(r, _mm_srli_epi32(r, 16));
    };
    return pack(finish(low32(spreadLow, spreadHigh), sLo, dLo), finish(high32(spreadLow, spreadHigh), sHi, dHi));
  }
};

constexpr Spread16 kSpread565Parts{11, 0xF81F, 0x07E0};
constexpr Spread16 kSpread555Parts{10, 0x7C1F, 0x03E0};

// 16-bit destination rows, eight pixels per step from `In` source pixels.
template <typename In, typename Vec, typename Scalar>
void rows16(GalBlitInfo* info, Vec vec, Scalar scalar) {
  forEachRow(info, sizeof(In), 2, [&](const uint8_t* s, uint8_t* d, int w) {
    int x = 0;
    for (; x + 8 <= w; x += 8) {
      __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + 2 * x));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 2 * x), vec(s + sizeof(In) * x, dv));
    }
    pixelSpan<In, uint16_t>(s, d, x, w, scalar);
  });
}
#else
template <typename Vec, typename Scalar>
void rows32(GalBlitInfo* info, Vec, Scalar scalar) {
  blendRows<uint32_t, uint32_t>(info, scalar);
}
#endif

uint32_t pixelAlpha888(uint32_t s, uint32_t d) {
  uint32_t a = s >> 24;
  if (a == 255) return (s & 0x00FFFFFFu) | (d & 0xFF000000u);
  return blend888(s, d, a) | (d & 0xFF000000u);
}

uint16_t spreadBlend16(uint32_t s, uint32_t d, uint32_t a5, uint32_t mask) {
  return blendSpread(spread16(s, mask), spread16(d, mask), a5, mask);
}

void surfaceAlpha16(GalBlitInfo* info, uint32_t spreadMask, uint32_t halfMask) {
  uint32_t alpha = info->srcFormat->alpha;
  if (alpha == 128) {
    forEachRow(info, 2, 2, [halfMask](const uint8_t* s, uint8_t* d, int w) {
      average16Run(reinterpret_cast<uint16_t*>(d), reinterpret_cast<const uint16_t*>(s), w, halfMask);
    });
    return;
  }
  const uint32_t a5 = alpha >> 3;
  if (surfaceAlpha16Wide(info, a5, spreadMask)) return;
  blendRows<uint16_t, uint16_t>(
      info, [=](uint32_t s, uint32_t d) { return spreadBlend16(s, d, a5, spreadMask); });
}

uint16_t pixelAlphaTo16One(uint32_t s, uint16_t d, bool is565) {
  const uint32_t mask = is565 ? kSpread565 : kSpread555;
  const uint32_t a5 = s >> 27;
  if (a5 == 31)
    return static_cast<uint16_t>(is565 ? ((s >> 8) & 0xF800) + ((s >> 5) & 0x07E0) + ((s >> 3) & 0x001F)
                                       : ((s >> 9) & 0x7C00) + ((s >> 6) & 0x03E0) + ((s >> 3) & 0x001F));
  if (a5 == 0) return d;
  const uint32_t sp = is565 ? ((s & 0xFC00) << 11) + ((s >> 8) & 0xF800) + ((s >> 3) & 0x1F)
                            : ((s & 0xF800) << 10) + ((s >> 9) & 0x7C00) + ((s >> 3) & 0x1F);
  return blendSpread(sp, spread16(d, mask), a5, mask);
}

void pixelAlphaTo16(GalBlitInfo* info, bool is565) {
  auto scalar = [is565](uint32_t s, uint16_t d) { return pixelAlphaTo16One(s, d, is565); };
#if defined(__SSE2__)
  const Spread16& parts = is565 ? kSpread565Parts : kSpread555Parts;
  const uint32_t mask = is565 ? kSpread565 : kSpread555;
  const int greenBits = is565 ? 6 : 5;
  auto vec = [&](const uint8_t* src, __m128i d) {
    const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
    const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 16));
    auto field = [&](int shift, int bits) {
      const __m128i m = _mm_set1_epi32((1 << bits) - 1);
      const __m128i n = _mm_cvtsi32_si128(shift);
      return _mm_packs_epi32(_mm_and_si128(_mm_srl_epi32(lo, n), m), _mm_and_si128(_mm_srl_epi32(hi, n), m));
    };
    const __m128i blue = field(3, 5), green = field(16 - greenBits, greenBits), red = field(19, 5);
    const __m128i a5 = field(27, 5);
    const __m128i blended = parts.blend(blue, green, red, d, a5, mask);
    const __m128i copied = _mm_or_si128(
        _mm_or_si128(blue, _mm_slli_epi16(green, 5)), _mm_sll_epi16(red, _mm_cvtsi32_si128(parts.redShift)));
    const __m128i opaque = _mm_cmpeq_epi16(a5, _mm_set1_epi16(31));
    const __m128i clear = _mm_cmpeq_epi16(a5, _mm_setzero_si128());
    const __m128i drawn = _mm_or_si128(_mm_and_si128(opaque, copied), _mm_andnot_si128(opaque, blended));
    return _mm_or_si128(_mm_and_si128(clear, d), _mm_andnot_si128(clear, drawn));
  };
  rows16<uint32_t>(info, vec, scalar);
#else
  blendRows<uint32_t, uint16_t>(info, scalar);
#endif
}

}  // namespace

// Pairs of pixels per 32-bit word need both pointers on the same 4-byte
// alignment; a leading odd pixel brings them there.
void average16Run(uint16_t* dst, const uint16_t* src, int n, uint32_t m) {
  auto one = [m](uint16_t* d, const uint16_t* s) { *d = average16(*s, *d, m); };
  bool sameAlign = ((reinterpret_cast<uintptr_t>(dst) ^ reinterpret_cast<uintptr_t>(src)) & 3) == 0;
  if (!sameAlign) {
    for (int i = 0; i < n; ++i) one(dst + i, src + i);
    return;
  }
  if ((reinterpret_cast<uintptr_t>(dst) & 3) && n > 0) {
    one(dst++, src++);
    --n;
  }
  uint32_t m2 = m | m << 16;
  for (; n >= 2; n -= 2, dst += 2, src += 2) {
    uint32_t s, d;
    std::memcpy(&s, src, 4);
    std::memcpy(&d, dst, 4);
    d = (((s & m2) >> 1) + ((d & m2) >> 1)) + (s & d & ~m2);
    std::memcpy(dst, &d, 4);
  }
  if (n) one(dst, src);
}

void BlitXRGB8888SurfaceAlphaHalf(GalBlitInfo* info) {
  auto scalar = [](uint32_t s, uint32_t d) { return average888(s, d) | 0xFF000000u; };
#if defined(__SSE2__)
  const __m128i top = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  rows32(info, [top](__m128i s, __m128i d) { return _mm_or_si128(average888x4(s, d), top); }, scalar);
#else
  rows32(info, nullptr, scalar);
#endif
}

void BlitXRGB8888SurfaceAlpha(GalBlitInfo* info) {
  uint32_t alpha = info->srcFormat->alpha;
  if (alpha == 128) return BlitXRGB8888SurfaceAlphaHalf(info);
  auto scalar = [alpha](uint32_t s, uint32_t d) { return blend888(s, d, alpha) | 0xFF000000u; };
#if defined(__SSE2__)
  const __m128i top = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  const __m128i a16 = _mm_set1_epi16(static_cast<int16_t>(alpha));
  rows32(info, [=](__m128i s, __m128i d) { return _mm_or_si128(blend888x4(s, d, a16), top); }, scalar);
#else
  rows32(info, nullptr, scalar);
#endif
}

void BlitARGB8888PixelAlpha(GalBlitInfo* info) {
#if defined(__SSE2__)
  const __m128i top = _mm_set1_epi32(static_cast<int>(0xFF000000u)), opaque = _mm_set1_epi32(255);
  auto vec = [=](__m128i s, __m128i d) {
    const __m128i a = _mm_srli_epi32(s, 24);
    const __m128i blended = blend888x4(s, d, _mm_or_si128(a, _mm_slli_epi32(a, 16)));
    const __m128i copied = _mm_andnot_si128(top, s);
    const __m128i isOpaque = _mm_cmpeq_epi32(a, opaque);
    const __m128i colour = _mm_or_si128(_mm_and_si128(isOpaque, copied), _mm_andnot_si128(isOpaque, blended));
    return _mm_or_si128(colour, _mm_and_si128(d, top));
  };
  rows32(info, vec, pixelAlpha888);
#else
  rows32(info, nullptr, pixelAlpha888);
#endif
}

void BlitRGB565SurfaceAlpha(GalBlitInfo* info) { surfaceAlpha16(info, kSpread565, kHalf565); }
void BlitRGB555SurfaceAlpha(GalBlitInfo* info) { surfaceAlpha16(info, kSpread555, kHalf555); }
void BlitARGB8888ToRGB565PixelAlpha(GalBlitInfo* info) { pixelAlphaTo16(info, true); }
void BlitARGB8888ToRGB555PixelAlpha(GalBlitInfo* info) { pixelAlphaTo16(info, false); }

}  // namespace gal
