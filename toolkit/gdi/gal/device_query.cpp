// What the graphics layer asks the device about its outputs.
#include "gdi/gal/gal_internal.h"
#include "gui/app_hooks.h"

namespace gal {

int colorDepthCode() {
  uint8_t code = 0;
  if (GuiApp()->getColorDepthCode(&code) != 0) return 0;
  return code;
}

bool hasAuxOutput() {
  uint8_t count = 0;
  if (GuiApp()->getVideoOutputCount(&count) != 0) return false;
  return count > 1;
}

bool isRgbOutputMode() { return colorDepthCode() <= 4; }

int bitsPerPixelOfMode(int mode) {
  if (mode == 1 || mode == 2) return 16;
  if (mode == 3) return 24;
  return 32;
}

Geometry geometryFor(const GalSurface* s, int output) {
  if (output == getMainOutputHook()) return Geometry{s->pixels, s->w, s->h, s->pitch, s->lumaPitch};
  return Geometry{s->auxPixels, s->auxW, s->auxH, s->auxPitch, s->auxLumaPitch};
}

}  // namespace gal
