// The software blit driver and the plain row copies used between surfaces
// of one pixel format.
#include <cstring>
#include <vector>

#include "gdi/gal/blit_choose.h"
#include "gdi/gal/row_copy.h"
#include "gdi/gal_internal.h"

namespace {

// Sources under 8 bits per pixel are read one bit per pixel, so their x
// names a byte and a bit within it; x * bytes per pixel (0) would lose it.
bool readByBits(const GalSurface* s) { return s->format->bitsPerPixel < 8; }

uint8_t* firstPixel(const GalSurface* s, const GalRect* r) {
  const ptrdiff_t x = readByBits(s) ? r->x / 8 : static_cast<ptrdiff_t>(r->x) * s->format->bytesPerPixel;
  return s->pixels + s->offset + static_cast<ptrdiff_t>(r->y) * s->pitch + x;
}

// 0 copy, 1 colour key, 2 alpha, 3 colour key and alpha.
int blitIndex(const GalSurface* s) {
  int index = (s->flags & GAL_SRCCOLORKEY) ? 1 : 0;
  if ((s->flags & GAL_SRCALPHA) && (s->format->alpha != 255 || s->format->aMask)) index |= 2;
  return index;
}

// The source rows of a blit within one surface by a row loop that may not
// read ahead of its writes (colour key, alpha, conversion): copied first, so
// no pixel is read after the blit has written over it.
class SourceRows {
 public:
  SourceRows(const GalSurface* src, const GalRect* srcRect, const GalSurface* dst, GalRowBlit row)
      : first_(firstPixel(src, srcRect)) {
    if (src->pixels != dst->pixels || row == GAL_BlitCopyOverlap) return;
    uint8_t* rowStart = src->pixels + src->offset + static_cast<ptrdiff_t>(srcRect->y) * src->pitch;
    const size_t lead = static_cast<size_t>(first_ - rowStart);
    const size_t span = readByBits(src) ? (static_cast<size_t>(srcRect->x % 8) + srcRect->w + 7) / 8
                                        : static_cast<size_t>(srcRect->w) * src->format->bytesPerPixel;
    copy_.assign(rowStart, rowStart + static_cast<size_t>(srcRect->h - 1) * src->pitch + lead + span);
    first_ = copy_.data() + lead;
  }
  uint8_t* first() const { return first_; }

 private:
  uint8_t* first_;
  std::vector<uint8_t> copy_;
};

}  // namespace

namespace gal {

// Small copies cost more in set-up than in pixels: this is the soft blit
// and its row copy with what they would decide for a plain copy decided
// here (no run-length destination, no shared buffer, whole bytes a pixel).
bool plainCopyBlit(GalSurface* src, const GalRect* srcRect, GalSurface* dst, const GalRect* dstRect) {
  const GalBlitMap* map = src->map;
  if ((src->flags & GAL_HWACCEL) || map->swBlit != GAL_SoftBlit || map->swData->blit != GAL_BlitCopy) return false;
  if ((dst->flags & GAL_RLEACCEL) || !src->pixels || !dst->pixels || src->pixels == dst->pixels) return false;
  if (readByBits(src) || dst->format->bitsPerPixel < 8) return false;
  if (srcRect->w <= 0 || srcRect->h <= 0) return true;
  const size_t rowBytes = static_cast<size_t>(dstRect->w) * dst->format->bytesPerPixel;
  const ptrdiff_t srcSkip = src->pitch - static_cast<ptrdiff_t>(srcRect->w) * src->format->bytesPerPixel;
  copyRows(firstPixel(dst, dstRect), dst->pitch, firstPixel(src, srcRect),
           static_cast<ptrdiff_t>(rowBytes) + srcSkip, rowBytes, dstRect->h);
  return true;
}

}  // namespace gal

extern "C" {

int GAL_CalculateBlit(GalSurface* surface) {
  GalBlitMap* map = surface->map;
  if (surface->flags & GAL_RLEACCEL) gal::unRleSurface(surface, true);
  map->swBlit = nullptr;
  surface->flags &= ~GAL_HWACCEL;
  int index = blitIndex(surface);
  GalRowBlit row = nullptr;
  if (map->identity && index == 0)
    row = map->dst == surface ? GAL_BlitCopyOverlap : GAL_BlitCopy;
  else
    row = gal::chooseConvertingBlit(surface, index);
  if (!row) {
    GAL_InvalidateMap(map);
    return -1;
  }
  map->swData->blit = row;
  map->swBlit = gal::chooseSurfaceBlit(surface, index);
  return 0;
}

int GAL_SoftBlit(GalSurface* src, GalRect* srcRect, GalSurface* dst, GalRect* dstRect) {
  bool dstWasRle = (dst->flags & GAL_RLEACCEL) != 0;
  if (dstWasRle) gal::unRleSurface(dst, true);
  if (srcRect->w > 0 && srcRect->h > 0 && src->pixels && dst->pixels) {
    GalBlitMap* map = src->map;
    GalBlitInfo info{};
    SourceRows source(src, srcRect, dst, map->swData->blit);
    info.srcPixels = source.first();
    info.srcWidth = srcRect->w;
    info.srcHeight = srcRect->h;
    info.srcSkip = src->pitch - srcRect->w * src->format->bytesPerPixel;
    info.srcBitOffset = readByBits(src) ? srcRect->x % 8 : 0;
    info.dstPixels = firstPixel(dst, dstRect);
    info.dstWidth = dstRect->w;
    info.dstHeight = dstRect->h;
    info.dstSkip = dst->pitch - dstRect->w * dst->format->bytesPerPixel;
    info.auxData = map->swData->auxData;
    info.srcFormat = src->format;
    info.table = map->table;
    info.dstFormat = dst->format;
    map->swData->blit(&info);
  }
  if (dstWasRle) gal::rleSurface(dst);
  return 0;
}

void GAL_BlitCopy(GalBlitInfo* info) {
  size_t rowBytes = static_cast<size_t>(info->dstWidth) * info->dstFormat->bytesPerPixel;
  gal::copyRows(info->dstPixels, static_cast<ptrdiff_t>(rowBytes) + info->dstSkip, info->srcPixels,
                static_cast<ptrdiff_t>(rowBytes) + info->srcSkip, rowBytes, info->dstHeight);
}

// Blits of a surface onto itself: rows run bottom-up when the destination
// lies at or after the source, so no row is overwritten before it is read.
void GAL_BlitCopyOverlap(GalBlitInfo* info) {
  size_t rowBytes = static_cast<size_t>(info->dstWidth) * info->dstFormat->bytesPerPixel;
  ptrdiff_t srcPitch = static_cast<ptrdiff_t>(rowBytes) + info->srcSkip;
  ptrdiff_t dstPitch = static_cast<ptrdiff_t>(rowBytes) + info->dstSkip;
  bool lastRowFirst = info->dstPixels >= info->srcPixels;
  for (int32_t i = 0; i < info->dstHeight; ++i) {
    int32_t row = lastRowFirst ? info->dstHeight - 1 - i : i;
    std::memmove(info->dstPixels + row * dstPitch, info->srcPixels + row * srcPitch, rowBytes);
  }
}

}  // extern "C"
