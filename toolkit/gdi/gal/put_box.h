// Pieces of GAL_PutBox: the clipped area, the alpha put loops and the YUV
// frame-buffer put.
#ifndef GDI_GAL_PUT_BOX_H
#define GDI_GAL_PUT_BOX_H

#include <cstddef>

#include "gdi/gal_internal.h"
#include "gui/bitmap.h"

namespace gal {

// Packed pixels: first destination and box pixel, their row steps, size.
struct PutArea {
  uint8_t* dst;
  ptrdiff_t dstPitch;
  const uint8_t* src;
  ptrdiff_t srcPitch;
  int w, h;
};

// The alpha puts: 0, or -1 (nothing drawn) on a 1-byte surface.
int PutBoxPixelAlpha(GalSurface* s, const PutArea& a, const Bitmap* box);
int PutBoxPixelAlphaKey(GalSurface* s, const PutArea& a, const Bitmap* box);
int PutBoxAlpha(GalSurface* s, const PutArea& a, const Bitmap* box);
int PutBoxAlphaKey(GalSurface* s, const PutArea& a, const Bitmap* box);

// Destination corner, offset into the box, clipped size.
struct PutPlace {
  int x0, y0, dx, dy, w, h;
};

// The box's YUV copy into a YUV frame buffer.
int putYuv(GalSurface* s, const Geometry& g, const PutPlace& p, const Bitmap* box);

}  // namespace gal

#endif
