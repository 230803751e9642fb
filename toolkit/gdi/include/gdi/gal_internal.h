// Internal helpers shared by the graphics layer's source files.
#ifndef GDI_GAL_GAL_INTERNAL_H
#define GDI_GAL_GAL_INTERNAL_H

#include <memory>

#include "gui/gal.h"

namespace gal {

struct PaletteDeleter {
  void operator()(GalPalette* pal) const;
};
using PalettePtr = std::unique_ptr<GalPalette, PaletteDeleter>;

// A palette of `ncolors` zeroed entries, or null when memory runs out.
PalettePtr allocPalette(int ncolors);
void reportOutOfMemory();

// Bytes per row for a row of `rowBytes` bytes at full width (no 16-bit
// wrap): packed 1- and 4-bit rows shrink, every row rounds up to words.
int64_t rowPitch(const GalPixelFormat* format, int64_t rowBytes);

// The process's current video device (null before start and after quit).
GalVideoDevice* currentDevice();

// What the device reports: colour-depth code, whether an auxiliary output
// exists, bits per pixel of a colour-depth code, and whether the frame
// buffers hold packed RGB (not YUV).
int colorDepthCode();
bool hasAuxOutput();
int bitsPerPixelOfMode(int mode);
bool isRgbOutputMode();

// One of a surface's two geometries.
struct Geometry {
  uint8_t* pixels;
  int32_t w, h, pitch;
  uint32_t lumaPitch;
};
Geometry geometryFor(const GalSurface* surface, int output);

// The rectangle GAL_UpdateRect shows on a screen of that size: zero sizes
// mean all of it; false when it reaches outside.
bool wholeIfEmpty(int32_t screenW, int32_t screenH, int32_t x, int32_t y, int32_t w, int32_t h,
                  GalRect* out);
// Shows a rectangle drawn on one output of the screen, checked like
// GAL_UpdateRect against that output's geometry.
void updateOutputRect(GalSurface* screen, int output, int32_t x, int32_t y, int32_t w, int32_t h);

// Blit maps.
GalBlitMap* allocBlitMap();
void freeBlitMap(GalBlitMap* map);

// Run-length form of a surface: take it off (rebuilding the pixels when
// `keepContents`), and encode again.
void unRleSurface(GalSurface* surface, bool keepContents);
// The software blit of a plain copy between two pixel buffers, done in place
// of the general blit's set-up; false (nothing done) for any other blit.
bool plainCopyBlit(GalSurface* src, const GalRect* srcRect, GalSurface* dst, const GalRect* dstRect);
int rleSurface(GalSurface* surface);

// Screen surface made by a device's video init (no pixels yet).
GalSurface* createScreenSurface(GalVideoDevice* device, const GalPixelFormat& suggested,
                                uint32_t flags);

// Fills and copies in the cache take 16-byte stores only, where 32-byte
// ones would be chosen: lets a test check both ways on one machine.
void narrowStoresOnlyForTest(bool on);

}  // namespace gal

#endif
