// Choosing the row loop of a blit map. N-byte sources look up the fast-path
// table keyed by (source format, destination format, mode); a pair the
// table does not hold falls back to the general loops, which run the plain
// reference loop.
#include "gdi/gal/blit_choose.h"

#include "gdi/gal/blit_loops.h"
#include "gdi/gal_internal.h"

namespace {

using namespace gal;

enum class Mode : uint8_t { kConvert, kSurfaceAlpha, kPixelAlpha };

constexpr uint8_t kNeedsIdentity = 1;

struct FastPath {
  Mode mode;
  uint8_t srcBytes;
  uint32_t sr, sg, sb;
  uint8_t dstBytes;
  uint32_t dr, dg, db;
  uint8_t alphaField;  // conversions: the destination alpha needs served
  uint8_t flags;
  GalRowBlit blit;
};

constexpr uint32_t R8 = 0x00FF0000, G8 = 0x0000FF00, B8 = 0x000000FF;

// Conversions in search order (the first match wins); alpha paths.
constexpr FastPath kFastPaths[] = {
    {Mode::kConvert, 2, 0xF800, 0x07E0, 0x001F, 4, R8, G8, B8, 1, 0, BlitRGB565ToARGB8888},
    {Mode::kConvert, 2, 0xF800, 0x07E0, 0x001F, 4, B8, G8, R8, 1, 0, BlitRGB565ToABGR8888},
    {Mode::kConvert, 2, 0xF800, 0x07E0, 0x001F, 4, 0xFF000000, R8, G8, 1, 0, BlitRGB565ToRGBA8888},
    {Mode::kConvert, 2, 0xF800, 0x07E0, 0x001F, 4, G8, R8, 0xFF000000, 1, 0, BlitRGB565ToBGRA8888},
    {Mode::kConvert, 4, R8, G8, B8, 2, 0xF800, 0x07E0, 0x001F, 0, 0, BlitXRGB8888ToRGB565},
    {Mode::kConvert, 4, R8, G8, B8, 2, 0x7C00, 0x03E0, 0x001F, 0, 0, BlitXRGB8888ToRGB555},
    {Mode::kSurfaceAlpha, 4, R8, G8, B8, 4, R8, G8, B8, 0, 0, BlitXRGB8888SurfaceAlpha},
    {Mode::kSurfaceAlpha, 4, B8, G8, R8, 4, B8, G8, R8, 0, 0, BlitXRGB8888SurfaceAlpha},
    {Mode::kSurfaceAlpha, 2, 0xF800, 0x07E0, 0x001F, 2, 0xF800, 0x07E0, 0x001F, 0, kNeedsIdentity,
     BlitRGB565SurfaceAlpha},
    {Mode::kSurfaceAlpha, 2, 0x001F, 0x07E0, 0xF800, 2, 0x001F, 0x07E0, 0xF800, 0, kNeedsIdentity,
     BlitRGB565SurfaceAlpha},
    {Mode::kSurfaceAlpha, 2, 0x7C00, 0x03E0, 0x001F, 2, 0x7C00, 0x03E0, 0x001F, 0, kNeedsIdentity,
     BlitRGB555SurfaceAlpha},
    {Mode::kSurfaceAlpha, 2, 0x001F, 0x03E0, 0x7C00, 2, 0x001F, 0x03E0, 0x7C00, 0, kNeedsIdentity,
     BlitRGB555SurfaceAlpha},
    {Mode::kPixelAlpha, 4, R8, G8, B8, 4, R8, G8, B8, 0, 0, BlitARGB8888PixelAlpha},
    {Mode::kPixelAlpha, 4, B8, G8, R8, 4, B8, G8, R8, 0, 0, BlitARGB8888PixelAlpha},
    {Mode::kPixelAlpha, 4, R8, G8, B8, 2, 0xF800, 0x07E0, 0x001F, 0, 0,
     BlitARGB8888ToRGB565PixelAlpha},
    {Mode::kPixelAlpha, 4, B8, G8, R8, 2, 0x001F, 0x07E0, 0xF800, 0, 0,
     BlitARGB8888ToRGB565PixelAlpha},
    {Mode::kPixelAlpha, 4, R8, G8, B8, 2, 0x7C00, 0x03E0, 0x001F, 0, 0,
     BlitARGB8888ToRGB555PixelAlpha},
    {Mode::kPixelAlpha, 4, B8, G8, R8, 2, 0x001F, 0x03E0, 0x7C00, 0, 0,
     BlitARGB8888ToRGB555PixelAlpha},
};

// Pixel-alpha fast paths read the alpha from the top byte.
bool sourceFits(const FastPath& p, const GalPixelFormat* sf) {
  if (p.mode == Mode::kPixelAlpha && sf->aMask != 0xFF000000) return false;
  return p.srcBytes == sf->bytesPerPixel && p.sr == sf->rMask && p.sg == sf->gMask &&
         p.sb == sf->bMask;
}

GalRowBlit findFastPath(Mode mode, const GalSurface* s, uint8_t alphaNeed) {
  const GalPixelFormat *sf = s->format, *df = s->map->dst->format;
  for (const FastPath& p : kFastPaths) {
    if (p.mode != mode || !sourceFits(p, sf)) continue;
    if (p.dstBytes != df->bytesPerPixel || p.dr != df->rMask || p.dg != df->gMask ||
        p.db != df->bMask)
      continue;
    if ((p.flags & kNeedsIdentity) && !s->map->identity) continue;
    if ((p.alphaField & alphaNeed) != alphaNeed) continue;
    return p.blit;
  }
  return nullptr;
}

// Four bytes with whole-byte channels: converting keeps the bits as they are.
bool FullBytes(const GalPixelFormat* f) {
  return f->bytesPerPixel == 4 && f->rLoss == 0 && f->gLoss == 0 && f->bLoss == 0;
}

// 0 when the destination has no alpha mask, 1 set it, 2 copy the source's.
uint8_t alphaNeed(const GalPixelFormat* sf, const GalPixelFormat* df) {
  if (!df->aMask) return 0;
  return sf->aMask ? 2 : 1;
}

GalRowBlit byDestinationBytes(const GalSurface* s, const GalRowBlit (&loops)[5]) {
  const GalPixelFormat* df = s->map->dst->format;
  int which = df->bitsPerPixel < 8 ? 0 : df->bytesPerPixel;
  return which <= 4 ? loops[which] : nullptr;
}

}  // namespace

extern "C" {

GalRowBlit GAL_ChooseBlit1Bit(GalSurface* s, int index) {
  static const GalRowBlit copy[5] = {nullptr, BlitMonoTo1, BlitMonoTo2, BlitMonoTo3, BlitMonoTo4};
  static const GalRowBlit key[5] = {nullptr, BlitMonoTo1Key, BlitMonoTo2Key, BlitMonoTo3Key,
                                    BlitMonoTo4Key};
  static const GalRowBlit alpha[5] = {nullptr, nullptr, BlitMonoToNAlpha, BlitMonoToNAlpha,
                                      BlitMonoToNAlpha};
  static const GalRowBlit alphaKey[5] = {nullptr, nullptr, BlitMonoToNAlphaKey,
                                         BlitMonoToNAlphaKey, BlitMonoToNAlphaKey};
  const GalRowBlit(*tables[4])[5] = {&copy, &key, &alpha, &alphaKey};
  return byDestinationBytes(s, *tables[index & 3]);
}

GalRowBlit GAL_ChooseBlit8Bit(GalSurface* s, int index) {
  static const GalRowBlit copy[5] = {nullptr, BlitIndexTo1, BlitIndexTo2, BlitIndexTo3,
                                     BlitIndexTo4};
  static const GalRowBlit key[5] = {nullptr, BlitIndexTo1Key, BlitIndexTo2Key, BlitIndexTo3Key,
                                    BlitIndexTo4Key};
  static const GalRowBlit alpha[5] = {nullptr, nullptr, BlitIndexToNAlpha, BlitIndexToNAlpha,
                                      BlitIndexToNAlpha};
  static const GalRowBlit alphaKey[5] = {nullptr, nullptr, BlitIndexToNAlphaKey,
                                         BlitIndexToNAlphaKey, BlitIndexToNAlphaKey};
  const GalRowBlit(*tables[4])[5] = {&copy, &key, &alpha, &alphaKey};
  return byDestinationBytes(s, *tables[index & 3]);
}

GalRowBlit GAL_ChooseBlitNByte(GalSurface* s, int index) {
  if (index & 2) return GAL_ChooseAlphaBlit(s, index);
  const GalPixelFormat *sf = s->format, *df = s->map->dst->format;
  if (df->bitsPerPixel < 8) return nullptr;
  if (index == 1) {
    if (sf->bytesPerPixel == 2 && s->map->identity) return Blit2To2Key;
    if (df->bytesPerPixel == 1) return BlitNToIndexKey;
    if (sf->aMask && df->aMask) return BlitNToNKeyCopyAlpha;
    if (FullBytes(sf) && s->map->identity) return Blit4To4Key;
    return BlitNToNKey;
  }
  if (df->bitsPerPixel == 8) {
    if (sf->bytesPerPixel == 4 && sf->rMask == R8 && sf->gMask == G8 && sf->bMask == B8)
      return s->map->table ? BlitXRGB8888ToIndexMapped : BlitXRGB8888ToIndex;
    return BlitNToIndex;
  }
  uint8_t need = alphaNeed(sf, df);
  GalRowBlit row = findFastPath(Mode::kConvert, s, need);
  if (row) return row;
  return need == 2 ? BlitNToNCopyAlpha : BlitNToN;
}

GalRowBlit GAL_ChooseAlphaBlit(GalSurface* s, int index) {
  const GalPixelFormat *sf = s->format, *df = s->map->dst->format;
  int dstBytes = df->bytesPerPixel;
  if (df->bitsPerPixel < 8) return nullptr;
  if (!sf->aMask) {
    if (s->flags & GAL_SRCCOLORKEY)
      return dstBytes == 1 ? BlitNToIndexSurfaceAlphaKey : BlitNToNSurfaceAlphaKey;
    if (dstBytes == 1) return BlitNToIndexSurfaceAlpha;
    GalRowBlit row = findFastPath(Mode::kSurfaceAlpha, s, 0);
    return row ? row : BlitNToNSurfaceAlpha;
  }
  if (dstBytes == 1) return BlitNToIndexPixelAlpha;
  GalRowBlit row = findFastPath(Mode::kPixelAlpha, s, 0);
  return row ? row : BlitNToNPixelAlpha;
}

}  // extern "C"

namespace gal {

GalRowBlit chooseConvertingBlit(GalSurface* s, int index) {
  const GalPixelFormat* sf = s->format;
  if (sf->bitsPerPixel < 8) return GAL_ChooseBlit1Bit(s, index);
  switch (sf->bytesPerPixel) {
    case 1: return GAL_ChooseBlit8Bit(s, index);
    case 2:
    case 3:
    case 4: return GAL_ChooseBlitNByte(s, index);
    default: return nullptr;
  }
}

GalBlitFunc chooseSurfaceBlit(GalSurface* s, int index) {
  // A surface blitted onto itself keeps its pixels: the run-length blit
  // would take the code off the destination it is reading.
  bool rleOk = (s->flags & GAL_RLEACCELOK) && !(s->flags & GAL_HWACCEL) && s->map->dst != s;
  if (rleOk) {
    bool alphaMask = s->format->aMask != 0;
    if (s->map->identity && (index == 1 || (index == 3 && !alphaMask)))
      return GAL_RLESurface(s) == 0 ? GAL_RLEBlit : GAL_SoftBlit;
    if (index == 2 && alphaMask && GAL_RLESurface(s) == 0) return GAL_RLEAlphaBlit;
  }
  return GAL_SoftBlit;
}

}  // namespace gal
