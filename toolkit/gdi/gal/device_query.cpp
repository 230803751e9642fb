// What the graphics layer asks the device about its outputs. These read the
// application's call-backs directly so that the graphics layer does not pull
// in the layout and font code behind the display queries.
#include "gdi/gal_internal.h"
#include "gui/app_hooks.h"
#include "gui/display.h"

namespace gal {

int colorDepthCode() { return GetDeviceColorDepth(); }

bool hasAuxOutput() {
  uint8_t count = 0;
  return GuiApp()->getVideoOutputCount(&count) == 0 && count > 1;
}

int bitsPerPixelOfMode(int mode) {
  if (mode == 1 || mode == 2) return 16;
  return mode == 3 ? 24 : 32;
}

// Colour-depth codes above 4 put the frame buffer in a YUV layout.
bool isRgbOutputMode() { return colorDepthCode() <= 4; }

Geometry geometryFor(const GalSurface* s, int output) {
  if (output == getMainOutputHook()) return Geometry{s->pixels, s->w, s->h, s->pitch, s->lumaPitch};
  return Geometry{s->auxPixels, s->auxW, s->auxH, s->auxPitch, s->auxLumaPitch};
}

}  // namespace gal

// Asked by the layout code above as well as by the graphics layer.
extern "C" int GetDeviceColorDepth(void) {
  uint8_t code = 0;
  if (GuiApp()->getColorDepthCode(&code) != 0) return 0;
  return code;
}
