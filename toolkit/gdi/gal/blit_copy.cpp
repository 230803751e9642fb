// The software blit driver and the plain row copies used between surfaces
// of one pixel format.
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "gdi/gal/blit_choose.h"
#include "gdi/gal/gal_internal.h"

namespace {

uint8_t* firstPixel(const GalSurface* s, const GalRect* r) {
  return s->pixels + s->offset + static_cast<ptrdiff_t>(r->y) * s->pitch +
         static_cast<ptrdiff_t>(r->x) * s->format->bytesPerPixel;
}

// 0 copy, 1 colour key, 2 alpha, 3 colour key and alpha.
int blitIndex(const GalSurface* s) {
  int index = (s->flags & GAL_SRCCOLORKEY) ? 1 : 0;
  if ((s->flags & GAL_SRCALPHA) && (s->format->alpha != 255 || s->format->aMask)) index |= 2;
  return index;
}

// Copies larger than the caches are written with streaming stores: the
// destination (usually the frame buffer) is not read first. Short rows are
// copied inline, saving a library call per row.
constexpr size_t kStreamingBytes = 256 * 1024;
constexpr size_t kStreamingRowBytes = 256;
constexpr size_t kShortRowBytes = 256;

#if defined(__SSE2__)
void streamRow(uint8_t* dst, const uint8_t* src, size_t bytes) {
  size_t head = (16 - (reinterpret_cast<uintptr_t>(dst) & 15)) & 15;
  std::memcpy(dst, src, head);
  dst += head;
  src += head;
  bytes -= head;
  for (; bytes >= 64; bytes -= 64, dst += 64, src += 64) {
    __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
    __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 16));
    __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 32));
    __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 48));
    _mm_stream_si128(reinterpret_cast<__m128i*>(dst), a);
    _mm_stream_si128(reinterpret_cast<__m128i*>(dst + 16), b);
    _mm_stream_si128(reinterpret_cast<__m128i*>(dst + 32), c);
    _mm_stream_si128(reinterpret_cast<__m128i*>(dst + 48), d);
  }
  for (; bytes >= 16; bytes -= 16, dst += 16, src += 16)
    _mm_stream_si128(reinterpret_cast<__m128i*>(dst),
                     _mm_loadu_si128(reinterpret_cast<const __m128i*>(src)));
  std::memcpy(dst, src, bytes);
}

void shortRow(uint8_t* dst, const uint8_t* src, size_t bytes) {
  for (; bytes >= 64; bytes -= 64, dst += 64, src += 64) {
    __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
    __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 16));
    __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 32));
    __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 48));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), a);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 16), b);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 32), c);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 48), d);
  }
  for (; bytes >= 16; bytes -= 16, dst += 16, src += 16)
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst),
                     _mm_loadu_si128(reinterpret_cast<const __m128i*>(src)));
  std::memcpy(dst, src, bytes);
}

void copyRows(uint8_t* dst, ptrdiff_t dstPitch, const uint8_t* src, ptrdiff_t srcPitch,
              size_t rowBytes, int32_t rows) {
  if (rowBytes < kShortRowBytes) {
    for (int32_t row = 0; row < rows; ++row, src += srcPitch, dst += dstPitch)
      shortRow(dst, src, rowBytes);
    return;
  }
  if (rowBytes < kStreamingRowBytes || rowBytes * static_cast<size_t>(rows) < kStreamingBytes) {
    for (int32_t row = 0; row < rows; ++row, src += srcPitch, dst += dstPitch)
      std::memcpy(dst, src, rowBytes);
    return;
  }
  for (int32_t row = 0; row < rows; ++row, src += srcPitch, dst += dstPitch)
    streamRow(dst, src, rowBytes);
  _mm_sfence();
}
#else
void copyRows(uint8_t* dst, ptrdiff_t dstPitch, const uint8_t* src, ptrdiff_t srcPitch,
              size_t rowBytes, int32_t rows) {
  for (int32_t row = 0; row < rows; ++row, src += srcPitch, dst += dstPitch)
    std::memcpy(dst, src, rowBytes);
}
#endif

}  // namespace

extern "C" {

int GAL_CalculateBlit(GalSurface* surface) {
  GalBlitMap* map = surface->map;
  if (surface->flags & GAL_RLEACCEL) gal::unRleSurface(surface, false);
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
  map->swBlit = GAL_SoftBlit;
  return 0;
}

int GAL_SoftBlit(GalSurface* src, GalRect* srcRect, GalSurface* dst, GalRect* dstRect) {
  bool dstWasRle = (dst->flags & GAL_RLEACCEL) != 0;
  if (dstWasRle) gal::unRleSurface(dst, true);
  if (srcRect->w > 0 && srcRect->h > 0 && src->pixels && dst->pixels) {
    GalBlitMap* map = src->map;
    GalBlitInfo info{};
    info.srcPixels = firstPixel(src, srcRect);
    info.srcWidth = srcRect->w;
    info.srcHeight = srcRect->h;
    info.srcSkip = src->pitch - srcRect->w * src->format->bytesPerPixel;
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
  copyRows(info->dstPixels, static_cast<ptrdiff_t>(rowBytes) + info->dstSkip, info->srcPixels,
           static_cast<ptrdiff_t>(rowBytes) + info->srcSkip, rowBytes, info->dstHeight);
}

// Blits of a surface onto itself: rows run bottom-up when the destination
// lies at or after the source, so no row is overwritten before it is read.
void GAL_BlitCopyOverlap(GalBlitInfo* info) {
  if (info->dstPixels < info->srcPixels) {
    size_t rowBytes = static_cast<size_t>(info->dstWidth) * info->dstFormat->bytesPerPixel;
    ptrdiff_t srcPitch = static_cast<ptrdiff_t>(rowBytes) + info->srcSkip;
    ptrdiff_t dstPitch = static_cast<ptrdiff_t>(rowBytes) + info->dstSkip;
    const uint8_t* src = info->srcPixels;
    uint8_t* dst = info->dstPixels;
    for (int32_t row = 0; row < info->dstHeight; ++row, src += srcPitch, dst += dstPitch)
      std::memmove(dst, src, rowBytes);
    return;
  }
  size_t rowBytes = static_cast<size_t>(info->dstWidth) * info->dstFormat->bytesPerPixel;
  ptrdiff_t srcPitch = static_cast<ptrdiff_t>(rowBytes) + info->srcSkip;
  ptrdiff_t dstPitch = static_cast<ptrdiff_t>(rowBytes) + info->dstSkip;
  for (int32_t row = info->dstHeight - 1; row >= 0; --row)
    std::memmove(info->dstPixels + row * dstPitch, info->srcPixels + row * srcPitch, rowBytes);
}

}  // extern "C"
