// Setting the logical (surface) and physical (device) palettes.
#include <algorithm>
#include <cstring>

#include "gdi/gal_internal.h"

namespace {

void setLogical(GalSurface* surface, const GalColor* colors, int first, int count) {
  GalPalette* pal = surface->format->palette;
  if (colors != pal->colors + first)
    std::memmove(pal->colors + first, colors, sizeof(GalColor) * static_cast<size_t>(count));
  ++surface->formatVersion;
  GAL_InvalidateMap(surface->map);
}

// A copy of the logical palette becomes the device's first physical one.
bool ensurePhysical(GalVideoDevice* dev, const GalPalette* logical) {
  if (dev->physpal) return true;
  gal::PalettePtr copy = gal::allocPalette(logical->ncolors);
  if (!copy) {
    gal::reportOutOfMemory();
    return false;
  }
  std::copy(logical->colors, logical->colors + logical->ncolors, copy->colors);
  dev->physpal = copy.release();
  return true;
}

int setPhysical(GalVideoDevice* dev, const GalPalette* logical, GalColor* colors, int first,
                int count) {
  if (!ensurePhysical(dev, logical)) return 0;
  int room = dev->physpal->ncolors - first;
  if (count > room) count = room;
  if (count <= 0) return 1;
  std::memmove(dev->physpal->colors + first, colors, sizeof(GalColor) * static_cast<size_t>(count));
  return dev->SetColors ? dev->SetColors(dev, first, count, colors) : 0;
}

}  // namespace

extern "C" {

int GAL_SetPalette(GalSurface* surface, int which, GalColor* colors, int first, int count) {
  GalVideoDevice* dev = gal::currentDevice();
  if (!dev || !surface || !colors) return 0;
  if (!surface->video) which &= ~GAL_PHYSPAL;
  if (surface == dev->screen && !(surface->flags & GAL_HWPALETTE)) which = GAL_LOGPAL | GAL_PHYSPAL;
  GalPalette* pal = surface->format->palette;
  if (!pal || first < 0 || count < 0) return 0;
  int paletteSize = 1 << surface->format->bitsPerPixel;
  int fitted = 1;
  if (first + count > paletteSize) {
    count = std::max(0, paletteSize - first);
    fitted = 0;
  }
  count = std::min(count, std::max(0, pal->ncolors - first));
  if (which & GAL_LOGPAL) setLogical(surface, colors, first, count);
  int answer = fitted;
  if (which & GAL_PHYSPAL) {
    GalVideoDevice* target = surface->video;
    answer = setPhysical(target, pal, colors, first, count) && fitted;
  }
  surface->format->isGeneratedPalette = 0;
  return answer;
}

int GAL_SetColors(GalSurface* surface, GalColor* colors, int first, int count) {
  return GAL_SetPalette(surface, GAL_LOGPAL | GAL_PHYSPAL, colors, first, count);
}

}  // extern "C"
