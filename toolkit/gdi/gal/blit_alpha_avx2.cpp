// Surface alpha on 16-bit pixels with 32-bit lane multiplies, on machines
// that have them: the spread rule computed as written, eight pixels at a
// time.
#include <cstring>

#include "gdi/gal/blit_loops.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>

namespace gal {

namespace {

__attribute__((target("avx2"))) void spreadRows(GalBlitInfo* info, uint32_t a5, uint32_t mask) {
  const __m256i m = _mm256_set1_epi32(static_cast<int>(mask)), a = _mm256_set1_epi32(static_cast<int>(a5));
  const __m256i low16 = _mm256_set1_epi32(0xFFFF);
  forEachRow(info, 2, 2, [&](const uint8_t* s, uint8_t* d, int w) __attribute__((target("avx2"))) {
    int x = 0;
    for (; x + 8 <= w; x += 8) {
      const __m256i sv = _mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 2 * x)));
      const __m256i dv = _mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(d + 2 * x)));
      const __m256i ss = _mm256_and_si256(_mm256_or_si256(sv, _mm256_slli_epi32(sv, 16)), m);
      const __m256i ds = _mm256_and_si256(_mm256_or_si256(dv, _mm256_slli_epi32(dv, 16)), m);
      const __m256i step = _mm256_srli_epi32(_mm256_mullo_epi32(_mm256_sub_epi32(ss, ds), a), 5);
      __m256i r = _mm256_and_si256(_mm256_add_epi32(ds, step), m);
      r = _mm256_and_si256(_mm256_or_si256(r, _mm256_srli_epi32(r, 16)), low16);
      const __m256i packed = _mm256_permute4x64_epi64(_mm256_packus_epi32(r, r), 8);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 2 * x), _mm256_castsi256_si128(packed));
    }
    pixelSpan<uint16_t, uint16_t>(s, d, x, w, [=](uint32_t sp, uint32_t dp) {
      return blendSpread(spread16(sp, mask), spread16(dp, mask), a5, mask);
    });
  });
}

}  // namespace

bool surfaceAlpha16Wide(GalBlitInfo* info, uint32_t a5, uint32_t mask) {
  static const bool available = __builtin_cpu_supports("avx2");
  if (!available) return false;
  spreadRows(info, a5, mask);
  return true;
}

}  // namespace gal

#else

namespace gal {
bool surfaceAlpha16Wide(GalBlitInfo*, uint32_t, uint32_t) { return false; }
}  // namespace gal

#endif
