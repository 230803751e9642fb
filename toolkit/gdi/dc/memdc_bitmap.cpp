// Memory DCs over the pixels of a Bitmap or a MyBitmap: the surface reads
// and writes the caller's bits in place and never frees them.
#include <utility>

#include "gdi/dc/dc_attr.h"
#include "gdi/dc/memdc.h"
#include "gui/dc.h"

using namespace gui::dc;

namespace {

using Masks = ChannelMasks;

constexpr uint32_t kSurfaceAlphaFlags = GAL_SRCALPHA | GAL_RLEACCEL;
constexpr uint32_t kColorKeyFlags = GAL_SRCCOLORKEY | GAL_RLEACCEL;

// Per-pixel alpha bitmaps are laid out as a DC's alpha layer; palette
// depths carry no masks.
bool PerPixelAlphaMasks(int bitsPerPixel, Masks* m) {
  *m = Masks{};
  return bitsPerPixel == 4 || bitsPerPixel == 8 || AlphaLayerMasks(bitsPerPixel, m);
}

bool BitmapMasks(const DC* dc, const Bitmap* bitmap, Masks* m) {
  if (bitmap->bmType & BMP_TYPE_ALPHA) return PerPixelAlphaMasks(bitmap->bmBitsPerPixel, m);
  const GalPixelFormat* f = dc->surface->format;
  *m = Masks{f->rMask, f->gMask, f->bMask, f->aMask};
  return true;
}

// Red in the high bits for the r, g, b order, in the low bits otherwise.
bool ImageMasks(const MyBitmap* image, Masks* m) {
  const bool redHigh = (image->flags & MYBMP_TYPE_MASK) == MYBMP_TYPE_RGB;
  const bool alpha = (image->flags & MYBMP_ALPHACHANNEL) != 0;
  switch (image->depth) {
    case 4:
    case 8:
      *m = Masks{};
      return true;
    case 24:
      if (alpha)
        *m = redHigh ? Masks{0xFC0000, 0x03F000, 0x000FC0, 0x3F}
                     : Masks{0x000FC0, 0x03F000, 0xFC0000, 0x3F};
      else
        *m = redHigh ? Masks{0xFF0000, 0x00FF00, 0x0000FF, 0} : Masks{0x0000FF, 0x00FF00, 0xFF0000, 0};
      return true;
    case 32:
      *m = redHigh ? Masks{0xFF000000, 0x00FF0000, 0x0000FF00, 0}
                   : Masks{0x0000FF00, 0x00FF0000, 0xFF000000, 0};
      if (alpha) m->a = 0xFF;
      return true;
    default:
      return false;
  }
}

// Pixels to work on, rows no wider than the pitch: anything else would let
// drawing run past the caller's buffer.
bool RowsFit(const void* bits, uint32_t w, uint32_t h, int bpp, uint32_t pitch) {
  if (!bits || w == 0 || h == 0) return false;
  const uint64_t rowBits = static_cast<uint64_t>(w) * static_cast<uint64_t>(bpp);
  return (rowBits + 7) / 8 <= pitch;
}

SurfacePtr SurfaceOver(void* bits, uint32_t w, uint32_t h, int bpp, uint32_t pitch, const Masks& m) {
  return SurfacePtr(GAL_CreateRGBSurfaceFrom(bits, static_cast<int>(w), static_cast<int>(h), bpp,
                                             static_cast<int>(pitch), m.r, m.g, m.b, m.a));
}

}  // namespace

extern "C" {

HDC CreateMemDCFromBitmap(HDC hdc, const Bitmap* bitmap) {
  const DC* src = DcFromHandle(hdc);
  Masks masks;
  if (!src || !src->surface || !bitmap || !BitmapMasks(src, bitmap, &masks)) return 0;
  if (!RowsFit(bitmap->bmBits, bitmap->bmWidth, bitmap->bmHeight, bitmap->bmBitsPerPixel,
               bitmap->bmPitch))
    return 0;
  DCRecordPtr dc = AllocDCRecord();
  if (!dc) return 0;
  SurfacePtr surface = SurfaceOver(bitmap->bmBits, bitmap->bmWidth, bitmap->bmHeight,
                                   bitmap->bmBitsPerPixel, bitmap->bmPitch, masks);
  if (!surface) return 0;
  if (src->surface->format->palette)
    GiveSurfacePalette(surface.get(), src->surface->format->palette->colors);
  if (bitmap->bmType & BMP_TYPE_ALPHACHANNEL)
    GAL_SetAlpha(surface.get(), kSurfaceAlphaFlags, bitmap->bmAlpha);
  if (bitmap->bmType & BMP_TYPE_COLORKEY)
    GAL_SetColorKey(surface.get(), kColorKeyFlags, bitmap->bmColorKey);
  return FinishMemDC(std::move(dc), std::move(surface));
}

HDC CreateMemDCFromMyBitmap(const MyBitmap* image, const GalColor* palette) {
  Masks masks;
  if (!image || (image->flags & MYBMP_FLOW_UP) || !ImageMasks(image, &masks)) return 0;
  if (!RowsFit(image->bits, image->w, image->h, image->depth, image->pitch)) return 0;
  DCRecordPtr dc = AllocDCRecord();
  if (!dc) return 0;
  SurfacePtr surface = SurfaceOver(image->bits, image->w, image->h, image->depth, image->pitch, masks);
  if (!surface) return 0;
  GiveSurfacePalette(surface.get(), palette);
  if (image->flags & MYBMP_ALPHA) GAL_SetAlpha(surface.get(), kSurfaceAlphaFlags, image->alpha);
  if (image->flags & MYBMP_TRANSPARENT)
    GAL_SetColorKey(surface.get(), kColorKeyFlags, image->transparent);
  return FinishMemDC(std::move(dc), std::move(surface));
}

}  // extern "C"
