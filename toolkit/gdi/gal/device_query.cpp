// What the graphics layer asks the device about its outputs.
#include "gdi/gal/gal_internal.h"
#include "gui/app_hooks.h"
#include "gui/display.h"

namespace gal {

// Colour-depth codes above 4 put the frame buffer in a YUV layout.
bool isRgbOutputMode() { return GetDeviceColorDepth() <= 4; }

Geometry geometryFor(const GalSurface* s, int output) {
  if (output == getMainOutputHook()) return Geometry{s->pixels, s->w, s->h, s->pitch, s->lumaPitch};
  return Geometry{s->auxPixels, s->auxW, s->auxH, s->auxPitch, s->auxLumaPitch};
}

}  // namespace gal
