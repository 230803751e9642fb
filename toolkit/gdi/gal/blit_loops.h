// The row loops of the software blitter, by name. The general loops run
// the one plain reference loop with their rule; the fast paths serve the
// common 32- and 16-bit layouts and must agree with it (exactly, or within
// their documented rounding).
#ifndef GDI_GAL_BLIT_LOOPS_H
#define GDI_GAL_BLIT_LOOPS_H

#include <cstddef>
#include <cstring>

#include "gui/gal.h"

namespace gal {

// What a reference blit does with each pixel.
enum class SrcKind : uint8_t { kMono, kIndex, kPacked };
enum class KeyTest : uint8_t {
  kNone,
  kWhole,         // pixel == key
  kColour,        // (pixel & ~alpha) == (key & ~alpha)
  kValueNoAlpha,  // (pixel & ~alpha) == key
};
enum class Blend : uint8_t { kNone, kSurface, kPixel };
// kConstant writes the source format's alpha value, narrowed.
enum class AlphaOut : uint8_t { kOpaque, kCopy, kKeep, kZero, kConstant };

struct BlitRule {
  SrcKind src;
  KeyTest key;
  Blend blend;
  AlphaOut alpha;
  bool viaTable;  // palette sources copied through the map's pixel table
};

// The plain per-pixel loop every rule runs on.
void referenceBlit(GalBlitInfo* info, const BlitRule& rule);

// General loops (reference rule).
void BlitMonoTo1(GalBlitInfo*);
void BlitMonoTo2(GalBlitInfo*);
void BlitMonoTo3(GalBlitInfo*);
void BlitMonoTo4(GalBlitInfo*);
void BlitMonoTo1Key(GalBlitInfo*);
void BlitMonoTo2Key(GalBlitInfo*);
void BlitMonoTo3Key(GalBlitInfo*);
void BlitMonoTo4Key(GalBlitInfo*);
void BlitMonoToNAlpha(GalBlitInfo*);
void BlitMonoToNAlphaKey(GalBlitInfo*);
void BlitIndexToNAlpha(GalBlitInfo*);
void BlitIndexToNAlphaKey(GalBlitInfo*);
void BlitNToIndex(GalBlitInfo*);
void BlitNToIndexKey(GalBlitInfo*);
void BlitNToN(GalBlitInfo*);
void BlitNToNCopyAlpha(GalBlitInfo*);
void BlitNToNKey(GalBlitInfo*);
void BlitNToNKeyCopyAlpha(GalBlitInfo*);
void BlitNToNSurfaceAlpha(GalBlitInfo*);
void BlitNToNSurfaceAlphaKey(GalBlitInfo*);
void BlitNToNPixelAlpha(GalBlitInfo*);
void BlitNToIndexSurfaceAlpha(GalBlitInfo*);
void BlitNToIndexSurfaceAlphaKey(GalBlitInfo*);
void BlitNToIndexPixelAlpha(GalBlitInfo*);

// Table copies of palette sources.
void BlitIndexTo1(GalBlitInfo*);
void BlitIndexTo2(GalBlitInfo*);
void BlitIndexTo3(GalBlitInfo*);
void BlitIndexTo4(GalBlitInfo*);
void BlitIndexTo1Key(GalBlitInfo*);
void BlitIndexTo2Key(GalBlitInfo*);
void BlitIndexTo3Key(GalBlitInfo*);
void BlitIndexTo4Key(GalBlitInfo*);

// Conversion fast paths.
void BlitXRGB8888ToIndex(GalBlitInfo*);
void BlitXRGB8888ToIndexMapped(GalBlitInfo*);
void BlitXRGB8888ToRGB565(GalBlitInfo*);
void BlitXRGB8888ToRGB555(GalBlitInfo*);
void BlitRGB565ToARGB8888(GalBlitInfo*);
void BlitRGB565ToABGR8888(GalBlitInfo*);
void BlitRGB565ToRGBA8888(GalBlitInfo*);
void BlitRGB565ToBGRA8888(GalBlitInfo*);
void Blit2To2Key(GalBlitInfo*);
void Blit4To4Key(GalBlitInfo*);

// Alpha fast paths.
void BlitXRGB8888SurfaceAlpha(GalBlitInfo*);
void BlitXRGB8888SurfaceAlphaHalf(GalBlitInfo*);
void BlitARGB8888PixelAlpha(GalBlitInfo*);
void BlitRGB565SurfaceAlpha(GalBlitInfo*);
void BlitRGB555SurfaceAlpha(GalBlitInfo*);
void BlitARGB8888ToRGB565PixelAlpha(GalBlitInfo*);
void BlitARGB8888ToRGB555PixelAlpha(GalBlitInfo*);

// Calls row(src, dst, width) for every row of the box.
template <typename Row>
inline void forEachRow(GalBlitInfo* info, int srcBytes, int dstBytes, Row row) {
  const uint8_t* s = info->srcPixels;
  uint8_t* d = info->dstPixels;
  const int w = info->dstWidth;
  for (int y = 0; y < info->dstHeight; ++y) {
    row(s, d, w);
    s += static_cast<ptrdiff_t>(srcBytes) * w + info->srcSkip;
    d += static_cast<ptrdiff_t>(dstBytes) * w + info->dstSkip;
  }
}

// Pixels [from, to) of one row through dst = op(src, dst), In and Out being
// the pixel words.
template <typename In, typename Out, typename Op>
inline void pixelSpan(const uint8_t* s, uint8_t* d, int from, int to, Op op) {
  for (int x = from; x < to; ++x) {
    In sp;
    Out dp;
    std::memcpy(&sp, s + sizeof(In) * x, sizeof(In));
    std::memcpy(&dp, d + sizeof(Out) * x, sizeof(Out));
    dp = static_cast<Out>(op(sp, dp));
    std::memcpy(d + sizeof(Out) * x, &dp, sizeof(Out));
  }
}

// Shared bit-parallel blends (also used by the run-length blits).
// 32-bit 0x00RRGGBB lanes: d + ((s - d) * a >> 8) per lane, top byte 0.
inline uint32_t blend888(uint32_t s, uint32_t d, uint32_t a) {
  uint32_t s1 = s & 0x00FF00FF, d1 = d & 0x00FF00FF;
  d1 = (d1 + (((s1 - d1) * a) >> 8)) & 0x00FF00FF;
  uint32_t s2 = s & 0x0000FF00, d2 = d & 0x0000FF00;
  d2 = (d2 + (((s2 - d2) * a) >> 8)) & 0x0000FF00;
  return d1 | d2;
}
inline uint32_t average888(uint32_t s, uint32_t d) {
  return (((s & 0x00FEFEFE) + (d & 0x00FEFEFE)) >> 1) + (s & d & 0x00010101);
}
// 16-bit pixels spread to (x | x << 16) & mask, blended with a 5-bit alpha.
inline uint32_t spread16(uint32_t x, uint32_t mask) { return (x | x << 16) & mask; }
inline uint16_t blendSpread(uint32_t s, uint32_t d, uint32_t a5, uint32_t mask) {
  d = (d + (((s - d) * a5) >> 5)) & mask;
  return static_cast<uint16_t>(d | d >> 16);
}
inline uint16_t average16(uint32_t s, uint32_t d, uint32_t m) {
  return static_cast<uint16_t>((((s & m) + (d & m)) >> 1) + (s & d & ~m & 0xFFFF));
}
// Surface alpha 1..255 (but 128) of 16-bit pixels where the machine has
// wide lane multiplies; false (nothing done) where it has not.
bool surfaceAlpha16Wide(GalBlitInfo* info, uint32_t a5, uint32_t mask);
// Runs of 16-bit pixels averaged two per 32-bit word where both sides
// share their alignment.
void average16Run(uint16_t* dst, const uint16_t* src, int n, uint32_t m);

constexpr uint32_t kSpread565 = 0x07E0F81F;
constexpr uint32_t kSpread555 = 0x03E07C1F;
constexpr uint32_t kHalf565 = 0xF7DE;
// The unused top bit stays out of the average: with it in the mask it would
// carry into red's top bit.
constexpr uint32_t kHalf555 = 0x7BDE;

}  // namespace gal

#endif
