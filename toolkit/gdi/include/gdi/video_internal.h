// Internal pieces of video start-up shared with the mode setting.
#ifndef GDI_GAL_VIDEO_INTERNAL_H
#define GDI_GAL_VIDEO_INTERNAL_H

#include "gui/gal.h"

namespace gal {

// A device of the named engine (the first available one without a name),
// with the fields the layer owns reset; null when none can be made.
GalVideoDevice* createDevice(const char* name);
void freePhysicalPalette(GalVideoDevice* dev);
// Frees the device's screen surface without touching its pixels.
void releaseScreen(GalVideoDevice* dev);
const GalColor& sysPixelColor(int index);

// InitGAL in two halves, so that start-up overlaps the opening of the host
// window with its own work: the first answers as InitGAL once the screen
// surface exists (drawing into it is allowed) while the window may still be
// opening; the second waits until it is open (0), or answers -13, InitGAL's
// answer, when it could not be opened (the caller then quits the layer).
int initInBackground();
int waitVideoReady();

// The first depth the device accepts for the size, or 0.
int checkVideoModeOn(GalVideoDevice* dev, int width, int height, int bpp, uint32_t flags);
// Sets a mode on `dev` (current or slave); null when the device refuses.
GalSurface* setVideoModeOn(GalVideoDevice* dev, int width, int height, int bpp, uint32_t flags);

}  // namespace gal

#endif
