// Alpha fast paths: bit-parallel blends of the 32-bit and 16-bit layouts,
// with two colour lanes per machine word and one multiply per lane.
#include <cstring>

#include "gdi/gal/blit_loops.h"

namespace gal {

namespace {

template <typename In, typename Out, typename Op>
void blendRows(GalBlitInfo* info, Op op) {
  const uint8_t* s = info->srcPixels;
  uint8_t* d = info->dstPixels;
  int w = info->dstWidth;
  for (int y = 0; y < info->dstHeight; ++y) {
    for (int x = 0; x < w; ++x) {
      In sp;
      Out dp;
      std::memcpy(&sp, s + sizeof(In) * x, sizeof(In));
      std::memcpy(&dp, d + sizeof(Out) * x, sizeof(Out));
      dp = op(sp, dp);
      std::memcpy(d + sizeof(Out) * x, &dp, sizeof(Out));
    }
    s += sizeof(In) * w + info->srcSkip;
    d += sizeof(Out) * w + info->dstSkip;
  }
}

void surfaceAlpha16(GalBlitInfo* info, uint32_t spreadMask, uint32_t halfMask) {
  uint32_t alpha = info->srcFormat->alpha;
  if (alpha == 128) {
    const uint8_t* s = info->srcPixels;
    uint8_t* d = info->dstPixels;
    int w = info->dstWidth;
    for (int y = 0; y < info->dstHeight; ++y) {
      average16Run(reinterpret_cast<uint16_t*>(d), reinterpret_cast<const uint16_t*>(s), w,
                   halfMask);
      s += 2 * w + info->srcSkip;
      d += 2 * w + info->dstSkip;
    }
    return;
  }
  uint32_t a5 = alpha >> 3;
  blendRows<uint16_t, uint16_t>(info, [=](uint32_t s, uint32_t d) {
    return blendSpread(spread16(s, spreadMask), spread16(d, spreadMask), a5, spreadMask);
  });
}

void pixelAlphaTo16(GalBlitInfo* info, bool is565) {
  uint32_t mask = is565 ? kSpread565 : kSpread555;
  blendRows<uint32_t, uint16_t>(info, [=](uint32_t s, uint16_t d) -> uint16_t {
    uint32_t a5 = s >> 27;
    if (a5 == 31)
      return static_cast<uint16_t>(
          is565 ? ((s >> 8) & 0xF800) + ((s >> 5) & 0x07E0) + ((s >> 3) & 0x001F)
                : ((s >> 9) & 0x7C00) + ((s >> 6) & 0x03E0) + ((s >> 3) & 0x001F));
    if (a5 == 0) return d;
    uint32_t sp = is565 ? ((s & 0xFC00) << 11) + ((s >> 8) & 0xF800) + ((s >> 3) & 0x1F)
                        : ((s & 0xF800) << 10) + ((s >> 9) & 0x7C00) + ((s >> 3) & 0x1F);
    return blendSpread(sp, spread16(d, mask), a5, mask);
  });
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
  blendRows<uint32_t, uint32_t>(
      info, [](uint32_t s, uint32_t d) { return average888(s, d) | 0xFF000000u; });
}

void BlitXRGB8888SurfaceAlpha(GalBlitInfo* info) {
  uint32_t alpha = info->srcFormat->alpha;
  if (alpha == 128) return BlitXRGB8888SurfaceAlphaHalf(info);
  blendRows<uint32_t, uint32_t>(
      info, [alpha](uint32_t s, uint32_t d) { return blend888(s, d, alpha) | 0xFF000000u; });
}

void BlitARGB8888PixelAlpha(GalBlitInfo* info) {
  blendRows<uint32_t, uint32_t>(info, [](uint32_t s, uint32_t d) {
    uint32_t a = s >> 24;
    if (a == 255) return (s & 0x00FFFFFFu) | (d & 0xFF000000u);
    return blend888(s, d, a) | (d & 0xFF000000u);
  });
}

void BlitRGB565SurfaceAlpha(GalBlitInfo* info) { surfaceAlpha16(info, kSpread565, kHalf565); }
void BlitRGB555SurfaceAlpha(GalBlitInfo* info) { surfaceAlpha16(info, kSpread555, kHalf555); }
void BlitARGB8888ToRGB565PixelAlpha(GalBlitInfo* info) { pixelAlphaTo16(info, true); }
void BlitARGB8888ToRGB555PixelAlpha(GalBlitInfo* info) { pixelAlphaTo16(info, false); }

}  // namespace gal
