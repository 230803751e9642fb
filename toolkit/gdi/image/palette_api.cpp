// The DC-level palette API over the graphics layer's palettes.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "gdi/image/bitmap_internal.h"

using namespace gui::image;

extern "C" {

int GetPalette(HDC hdc, int start, int count, GalColor* colors) {
  GalSurface* surface = SurfaceOfDC(hdc);
  const GalPalette* pal = surface ? surface->format->palette : nullptr;
  if (!pal || !colors || count < 1) return 0;
  start = std::max(start, 0);
  count = std::min(count, pal->ncolors - start);
  if (count < 1) return 0;
  std::memcpy(colors, pal->colors + start, sizeof(GalColor) * static_cast<size_t>(count));
  return count;
}

int SetPalette(HDC hdc, int start, int count, GalColor* colors) {
  GalSurface* surface = SurfaceOfDC(hdc);
  if (!surface) return 0;
  return GAL_SetPalette(surface, hdc == HDC_SCREEN ? GAL_PHYSPAL : GAL_LOGPAL, colors, start, count);
}

int SetColorfulPalette(HDC hdc) {
  GalSurface* surface = SurfaceOfDC(hdc);
  if (!surface || surface->format->bitsPerPixel != 8) return 0;
  GalColor colors[256];
  MakeRGB332Palette(colors, 8);
  GAL_SetPalette(surface, GAL_LOGPAL | GAL_PHYSPAL, colors, 0, 256);
  return 0;
}

GalPalette* CreatePalette(const GalPalette* palette) {
  if (!palette || palette->ncolors < 0) return nullptr;
  auto* copy = static_cast<GalPalette*>(std::calloc(1, sizeof(GalPalette)));
  if (!copy) return nullptr;
  copy->ncolors = palette->ncolors;
  if (palette->ncolors > 0) {
    copy->colors = static_cast<GalColor*>(std::malloc(sizeof(GalColor) * palette->ncolors));
    if (!copy->colors) {
      std::free(copy);
      return nullptr;
    }
    std::memcpy(copy->colors, palette->colors, sizeof(GalColor) * palette->ncolors);
  }
  return copy;
}

// The pair of CreatePalette.
void DestroyPalette(GalPalette* palette) {
  if (!palette) return;
  std::free(palette->colors);
  std::free(palette);
}

GalPalette* GetDefaultPalette(void) {
  GalSurface* screen = GAL_GetVideoSurface();
  return screen && screen->format ? screen->format->palette : nullptr;
}

}  // extern "C"
