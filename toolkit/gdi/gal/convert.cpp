// Copy of a surface into a new surface of another pixel format.
#include <algorithm>

#include "gdi/gal_internal.h"

namespace {

bool allBlack(const GalPalette* pal) {
  for (int i = 0; i < pal->ncolors; ++i)
    if (pal->colors[i].r || pal->colors[i].g || pal->colors[i].b) return false;
  return true;
}

// Colour key and alpha of a surface, taken off for a plain copy and put back.
struct BlendState {
  uint32_t keyFlags = 0;
  uint32_t key = 0;
  uint32_t alphaFlags = 0;
  uint8_t alpha = 255;

  void takeOff(GalSurface* s) {
    keyFlags = s->flags & (GAL_SRCCOLORKEY | GAL_RLEACCELOK);
    key = s->format->colorKey;
    alphaFlags = s->flags & (GAL_SRCALPHA | GAL_RLEACCELOK);
    alpha = s->format->alpha;
    if (keyFlags & GAL_SRCCOLORKEY) GAL_SetColorKey(s, 0, 0);
    if (alphaFlags & GAL_SRCALPHA) GAL_SetAlpha(s, 0, 0);
  }
  void putBack(GalSurface* s) const {
    if (keyFlags & GAL_SRCCOLORKEY) GAL_SetColorKey(s, keyFlags, key);
    if (alphaFlags & GAL_SRCALPHA) GAL_SetAlpha(s, alphaFlags, alpha);
  }
  // The key colour of `from` in the format of `to`; only what `flags` asks.
  void putOn(GalSurface* to, const GalPixelFormat* from, uint32_t flags) const {
    if ((keyFlags & GAL_SRCCOLORKEY) && (flags & GAL_SRCCOLORKEY)) {
      uint8_t r, g, b;
      GAL_GetRGB(key, from, &r, &g, &b);
      GAL_SetColorKey(to, keyFlags, GAL_MapRGB(to->format, r, g, b));
    }
    if ((alphaFlags & GAL_SRCALPHA) && (flags & GAL_SRCALPHA))
      GAL_SetAlpha(to, alphaFlags, alpha);
  }
};

}  // namespace

extern "C" GalSurface* GAL_ConvertSurface(GalSurface* surface, GalPixelFormat* format,
                                          uint32_t flags) {
  if (!surface || !format) return nullptr;
  if (format->palette && allBlack(format->palette)) return nullptr;
  GalSurface* out = GAL_CreateRGBSurface(flags, surface->w, surface->h, format->bitsPerPixel,
                                         format->rMask, format->gMask, format->bMask, format->aMask);
  if (!out) return nullptr;
  if (format->palette && out->format->palette) {
    GalPalette* to = out->format->palette;
    int n = std::min(format->palette->ncolors, to->ncolors);
    std::copy(format->palette->colors, format->palette->colors + n, to->colors);
  }
  BlendState state;
  state.takeOff(surface);
  GalRect bounds{0, 0, surface->w, surface->h};
  GalRect target = bounds;
  int rc = GAL_LowerBlit(surface, &bounds, out, &target);
  state.putBack(surface);
  if (rc < 0) {
    GAL_FreeSurface(out);
    return nullptr;
  }
  out->clipRect = surface->clipRect;
  state.putOn(out, surface->format, flags);
  return out;
}
