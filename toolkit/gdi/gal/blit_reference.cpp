// The plain reference row loop: every pixel read, split into channels,
// keyed, blended and assembled one at a time from the formats alone. The
// general row loops are this loop with a fixed rule, so a pair without a
// fast path is slower, never wrong.
#include "gdi/gal/blit_loops.h"
#include "gdi/gal/blit_pixel.h"

namespace gal {

namespace {

struct Source {
  const GalPixelFormat* f;
  SrcKind kind;
  int bytes;
  int bitOffset;  // mono rows: the box starts this many bits into the first byte
  uint32_t value(const uint8_t* row, int col) const {
    if (kind == SrcKind::kMono) {
      col += bitOffset;
      return (row[col >> 3] >> (7 - (col & 7))) & 1u;
    }
    if (kind == SrcKind::kIndex) return row[col];
    return px::read(row + col * bytes, bytes);
  }
  px::Rgb colour(uint32_t v) const {
    return kind == SrcKind::kPacked ? px::split(v, f) : px::paletteColor(f, v);
  }
};

bool keyed(KeyTest test, uint32_t v, const GalPixelFormat* f) {
  switch (test) {
    case KeyTest::kNone: return false;
    case KeyTest::kWhole: return v == f->colorKey;
    case KeyTest::kColour: return (v & ~f->aMask) == (f->colorKey & ~f->aMask);
    case KeyTest::kValueNoAlpha: return (v & ~f->aMask) == f->colorKey;
  }
  return false;
}

// A palette source's pixel through the map's table (entries of 1, 2 or 4
// bytes), or the index itself for a 1-byte destination without one.
uint32_t tableEntry(const uint8_t* table, uint32_t index, int dstBytes) {
  if (!table) return index;
  int entry = dstBytes == 3 ? 4 : dstBytes;
  return px::read(table + index * entry, dstBytes);
}

uint32_t writtenAlpha(const BlitRule& rule, const GalPixelFormat* sf, const GalPixelFormat* df,
                      uint32_t s, uint32_t d) {
  switch (rule.alpha) {
    case AlphaOut::kOpaque: return px::alphaBits(255, df);
    case AlphaOut::kCopy: return px::alphaBits(px::pixelAlpha(s, sf), df);
    case AlphaOut::kKeep: return d & df->aMask;
    case AlphaOut::kZero: return 0;
    case AlphaOut::kConstant: return px::alphaBits(sf->alpha, df);
  }
  return 0;
}

}  // namespace

void referenceBlit(GalBlitInfo* info, const BlitRule& rule) {
  const GalPixelFormat *sf = info->srcFormat, *df = info->dstFormat;
  Source src{sf, rule.src, sf->bytesPerPixel, info->srcBitOffset};
  int dstBytes = df->bytesPerPixel;
  int w = info->dstWidth;
  ptrdiff_t srcPitch = rule.src == SrcKind::kPacked ? w * src.bytes + info->srcSkip
                                                    : w * sf->bytesPerPixel + info->srcSkip;
  ptrdiff_t dstPitch = static_cast<ptrdiff_t>(w) * dstBytes + info->dstSkip;
  const uint8_t* srow = info->srcPixels;
  uint8_t* drow = info->dstPixels;
  for (int y = 0; y < info->dstHeight; ++y, srow += srcPitch, drow += dstPitch) {
    for (int x = 0; x < w; ++x) {
      uint32_t s = src.value(srow, x);
      if (keyed(rule.key, s, sf)) continue;
      uint8_t* dp = drow + x * dstBytes;
      if (rule.viaTable) {
        px::write(dp, dstBytes, tableEntry(info->table, s, dstBytes));
        continue;
      }
      px::Rgb c = src.colour(s);
      uint32_t d = px::read(dp, dstBytes);
      if (rule.blend != Blend::kNone) {
        int a = rule.blend == Blend::kSurface ? sf->alpha : px::pixelAlpha(s, sf);
        px::Rgb dc = dstBytes == 1 ? px::paletteColor(df, d) : px::split(d, df);
        c = px::blend255(c, dc, a);
      }
      if (dstBytes == 1)
        *dp = px::indexByte(c, info->table);
      else
        px::write(dp, dstBytes, px::assemble(c, df) | writtenAlpha(rule, sf, df, s, d));
    }
  }
}

namespace {

using K = KeyTest;
using B = Blend;
using A = AlphaOut;
constexpr BlitRule kMonoCopy{SrcKind::kMono, K::kNone, B::kNone, A::kOpaque, true};
constexpr BlitRule kMonoKey{SrcKind::kMono, K::kWhole, B::kNone, A::kOpaque, true};
constexpr BlitRule kMonoAlpha{SrcKind::kMono, K::kNone, B::kSurface, A::kZero, false};
constexpr BlitRule kMonoAlphaKey{SrcKind::kMono, K::kWhole, B::kSurface, A::kZero, false};
constexpr BlitRule kIndexCopy{SrcKind::kIndex, K::kNone, B::kNone, A::kOpaque, true};
constexpr BlitRule kIndexKey{SrcKind::kIndex, K::kWhole, B::kNone, A::kOpaque, true};
constexpr BlitRule kIndexAlpha{SrcKind::kIndex, K::kNone, B::kSurface, A::kZero, false};
constexpr BlitRule kIndexAlphaKey{SrcKind::kIndex, K::kWhole, B::kSurface, A::kZero, false};
constexpr BlitRule kNToIndex{SrcKind::kPacked, K::kNone, B::kNone, A::kOpaque, false};
constexpr BlitRule kNToIndexKey{SrcKind::kPacked, K::kValueNoAlpha, B::kNone, A::kOpaque, false};
constexpr BlitRule kNToN{SrcKind::kPacked, K::kNone, B::kNone, A::kOpaque, false};
constexpr BlitRule kNToNCopyAlpha{SrcKind::kPacked, K::kNone, B::kNone, A::kCopy, false};
constexpr BlitRule kNToNKey{SrcKind::kPacked, K::kWhole, B::kNone, A::kOpaque, false};
constexpr BlitRule kNToNKeyCopyAlpha{SrcKind::kPacked, K::kColour, B::kNone, A::kCopy, false};
constexpr BlitRule kSurfaceAlpha{SrcKind::kPacked, K::kNone, B::kSurface, A::kOpaque, false};
constexpr BlitRule kSurfaceAlphaKey{SrcKind::kPacked, K::kWhole, B::kSurface, A::kOpaque, false};
constexpr BlitRule kPixelAlpha{SrcKind::kPacked, K::kNone, B::kPixel, A::kKeep, false};

}  // namespace

void BlitMonoTo1(GalBlitInfo* i) { referenceBlit(i, kMonoCopy); }
void BlitMonoTo2(GalBlitInfo* i) { referenceBlit(i, kMonoCopy); }
void BlitMonoTo3(GalBlitInfo* i) { referenceBlit(i, kMonoCopy); }
void BlitMonoTo4(GalBlitInfo* i) { referenceBlit(i, kMonoCopy); }
void BlitMonoTo1Key(GalBlitInfo* i) { referenceBlit(i, kMonoKey); }
void BlitMonoTo2Key(GalBlitInfo* i) { referenceBlit(i, kMonoKey); }
void BlitMonoTo3Key(GalBlitInfo* i) { referenceBlit(i, kMonoKey); }
void BlitMonoTo4Key(GalBlitInfo* i) { referenceBlit(i, kMonoKey); }
void BlitMonoToNAlpha(GalBlitInfo* i) { referenceBlit(i, kMonoAlpha); }
void BlitMonoToNAlphaKey(GalBlitInfo* i) { referenceBlit(i, kMonoAlphaKey); }
void BlitIndexToNAlpha(GalBlitInfo* i) { referenceBlit(i, kIndexAlpha); }
void BlitIndexToNAlphaKey(GalBlitInfo* i) { referenceBlit(i, kIndexAlphaKey); }
void BlitIndexTo1Key(GalBlitInfo* i) { referenceBlit(i, kIndexKey); }
void BlitIndexTo2Key(GalBlitInfo* i) { referenceBlit(i, kIndexKey); }
void BlitIndexTo3Key(GalBlitInfo* i) { referenceBlit(i, kIndexKey); }
void BlitIndexTo4Key(GalBlitInfo* i) { referenceBlit(i, kIndexKey); }
void BlitIndexTo1(GalBlitInfo* i) { referenceBlit(i, kIndexCopy); }
void BlitIndexTo3(GalBlitInfo* i) { referenceBlit(i, kIndexCopy); }
void BlitNToIndex(GalBlitInfo* i) { referenceBlit(i, kNToIndex); }
void BlitNToIndexKey(GalBlitInfo* i) { referenceBlit(i, kNToIndexKey); }
void BlitNToN(GalBlitInfo* i) { referenceBlit(i, kNToN); }
void BlitNToNCopyAlpha(GalBlitInfo* i) { referenceBlit(i, kNToNCopyAlpha); }
void BlitNToNKey(GalBlitInfo* i) { referenceBlit(i, kNToNKey); }
void BlitNToNKeyCopyAlpha(GalBlitInfo* i) { referenceBlit(i, kNToNKeyCopyAlpha); }
void BlitNToNSurfaceAlpha(GalBlitInfo* i) { referenceBlit(i, kSurfaceAlpha); }
void BlitNToNSurfaceAlphaKey(GalBlitInfo* i) { referenceBlit(i, kSurfaceAlphaKey); }
void BlitNToNPixelAlpha(GalBlitInfo* i) { referenceBlit(i, kPixelAlpha); }
void BlitNToIndexSurfaceAlpha(GalBlitInfo* i) { referenceBlit(i, kSurfaceAlpha); }
void BlitNToIndexSurfaceAlphaKey(GalBlitInfo* i) { referenceBlit(i, kSurfaceAlphaKey); }
void BlitNToIndexPixelAlpha(GalBlitInfo* i) { referenceBlit(i, kPixelAlpha); }

}  // namespace gal
