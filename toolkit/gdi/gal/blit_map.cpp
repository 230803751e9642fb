// Blit maps: how one surface is copied onto another, rebuilt whenever the
// destination or its palette changes; the clipping front of every blit.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "gdi/gal_internal.h"

namespace {

bool sameColors(const GalPalette* src, const GalPalette* dst) {
  if (src->ncolors > dst->ncolors) return false;
  for (int i = 0; i < src->ncolors; ++i) {
    const GalColor &a = src->colors[i], &b = dst->colors[i];
    if (a.r != b.r || a.g != b.g || a.b != b.b) return false;
  }
  return true;
}

enum class PaletteMap { kIdentity, kTable, kFailed };

// Palette to palette: identity when the destination starts with the source's
// colours, else a byte table of nearest destination indices.
PaletteMap mapPalette(const GalPalette* src, GalPalette* dst, uint8_t** table) {
  if (sameColors(src, dst)) return PaletteMap::kIdentity;
  std::unique_ptr<uint8_t[]> t(new (std::nothrow) uint8_t[src->ncolors]);
  if (!t) {
    gal::reportOutOfMemory();
    return PaletteMap::kFailed;
  }
  for (int i = 0; i < src->ncolors; ++i)
    t[i] = GAL_FindColor(dst, src->colors[i].r, src->colors[i].g, src->colors[i].b);
  *table = t.release();
  return PaletteMap::kTable;
}

// Palette to true colour: the destination pixel of every source colour, in
// entries of 1, 2 or 4 bytes (3-byte pixels in 4-byte entries).
uint8_t* mapPaletteToPixels(const GalPalette* src, const GalPixelFormat* dst) {
  size_t entry = dst->bytesPerPixel == 3 ? 4 : dst->bytesPerPixel;
  std::unique_ptr<uint8_t[]> t(new (std::nothrow) uint8_t[entry * src->ncolors]);
  if (!t) {
    gal::reportOutOfMemory();
    return nullptr;
  }
  for (int i = 0; i < src->ncolors; ++i) {
    GalPixel p = GAL_MapRGB(dst, src->colors[i].r, src->colors[i].g, src->colors[i].b);
    for (size_t b = 0; b < entry; ++b) t[i * entry + b] = static_cast<uint8_t>(p >> (8 * b));
  }
  return t.release();
}

int buildMap(GalSurface* src, GalSurface* dst) {
  GalBlitMap* map = src->map;
  GalPixelFormat *sf = src->format, *df = dst->format;
  if (!sf->palette && df->palette) {
    GalColor rgb332[256];
    MakeRGB332Palette(rgb332, 8);
    GalPalette generated{256, rgb332};
    PaletteMap r = mapPalette(&generated, df->palette, &map->table);
    if (r == PaletteMap::kFailed) return -1;
    map->identity = 0;
  } else if (!sf->palette) {
    map->identity = sf->bitsPerPixel == df->bitsPerPixel && sf->rMask == df->rMask &&
                    sf->aMask == df->aMask;
  } else if (!df->palette) {
    map->table = mapPaletteToPixels(sf->palette, df);
    if (!map->table) return -1;
  } else if ((src->flags & GAL_HWSURFACE) && (dst->flags & GAL_HWSURFACE)) {
    map->identity = 1;
  } else {
    PaletteMap r = mapPalette(sf->palette, df->palette, &map->table);
    if (r == PaletteMap::kFailed) return -1;
    map->identity = r == PaletteMap::kIdentity && sf->bitsPerPixel == df->bitsPerPixel;
  }
  return 0;
}

// Clips one axis of a blit: the source to [0, srcSize), then the result to
// the destination clip [clipStart, clipStart + clipSize). In 64 bits, so no
// caller's coordinate or size wraps.
inline void clipAxis(int64_t& srcPos, int64_t& dstPos, int64_t& size, int64_t srcSize, int64_t clipStart,
                     int64_t clipSize) {
  if (srcPos < 0) {
    size += srcPos;
    dstPos -= srcPos;
    srcPos = 0;
  }
  size = std::min(size, srcSize - srcPos);
  int64_t cut = clipStart - dstPos;
  if (cut > 0) {
    size -= cut;
    dstPos += cut;
    srcPos += cut;
  }
  int64_t over = dstPos + size - (clipStart + clipSize);
  if (over > 0) size -= over;
}

// A destination place of a blit that copies nothing may lie outside 32 bits.
int32_t toInt32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

extern "C" {

void GAL_InvalidateMap(GalBlitMap* map) {
  if (!map) return;
  map->dst = nullptr;
  map->formatVersion = ~0u;
  delete[] map->table;
  map->table = nullptr;
}

int GAL_MapSurface(GalSurface* src, GalSurface* dst) {
  if (!src || !dst || !src->map) return -1;
  if (src->flags & GAL_RLEACCEL) gal::unRleSurface(src, true);
  GalBlitMap* map = src->map;
  GAL_InvalidateMap(map);
  map->identity = 0;
  if (buildMap(src, dst) < 0) return -1;
  map->dst = dst;
  map->formatVersion = dst->formatVersion;
  return GAL_CalculateBlit(src);
}

int GAL_LowerBlit(GalSurface* src, GalRect* srcRect, GalSurface* dst, GalRect* dstRect) {
  GalBlitMap* map = src->map;
  if ((map->dst != dst || map->formatVersion != dst->formatVersion) && GAL_MapSurface(src, dst) < 0)
    return -1;
  if (gal::plainCopyBlit(src, srcRect, dst, dstRect)) return 0;
  GalBlitFunc blit = (src->flags & GAL_HWACCEL) ? map->hwBlit : map->swBlit;
  return blit ? blit(src, srcRect, dst, dstRect) : -1;
}

int GAL_BlitSurface(GalSurface* src, GalRect* srcRect, GalSurface* dst, GalRect* dstRect) {
  if (!src || !dst) return -1;
  // Field by field, in scalars: a caller has usually just written the
  // rectangles field by field, and one wide load of them would wait for
  // those stores to retire.
  int64_t sx = 0, sy = 0, sw = src->w, sh = src->h;
  if (srcRect) sx = srcRect->x, sy = srcRect->y, sw = srcRect->w, sh = srcRect->h;
  int64_t dx = dstRect ? dstRect->x : 0, dy = dstRect ? dstRect->y : 0;
  const GalRect& clip = dst->clipRect;
  clipAxis(sx, dx, sw, src->w, clip.x, clip.w);
  clipAxis(sy, dy, sh, src->h, clip.y, clip.h);
  if (sw < 1 || sh < 1) {
    if (dstRect) *dstRect = GalRect{toInt32(dx), toInt32(dy), 0, 0};
    return 0;
  }
  // Inside the source and the clip: every field fits in 32 bits.
  GalRect sr{static_cast<int32_t>(sx), static_cast<int32_t>(sy), static_cast<int32_t>(sw), static_cast<int32_t>(sh)};
  GalRect dr{static_cast<int32_t>(dx), static_cast<int32_t>(dy), sr.w, sr.h};
  if (dstRect) *dstRect = dr;
  return GAL_LowerBlit(src, &sr, dst, &dr);
}

}  // extern "C"
