// The bitmap module's shared steps: a Bitmap prepared from an image for a
// DC's format, and the ownership of its YUV copy.
#ifndef GDI_IMAGE_BITMAP_INTERNAL_H
#define GDI_IMAGE_BITMAP_INTERNAL_H

#include "gdi/row_convert.h"
#include "gui/image.h"

namespace gui::image {

// The word the YUV fields of RGB-mode bitmaps (and the bits of YUV-mode
// file bitmaps) point at; never freed.
uint8_t* YuvPlaceholder();
inline bool OwnsBuffer(const uint8_t* p) { return p && p != YuvPlaceholder(); }

// The surface a DC draws on (HDC 0: the screen), or null.
GalSurface* SurfaceOfDC(HDC hdc);

// Fills bitmap for the DC's format from the image's description: bits for
// the whole box, or for one row of width pixels when oneRow is set; colour
// key (palette may be changed to make the key unique), constant alpha and
// the per-pixel alpha format. 0 or ERR_BMP_MEM; ERR_BMP_OTHER without a DC.
int PrepareBitmapFromMyBitmap(HDC hdc, Bitmap* bitmap, const MyBitmap& image, GalColor* palette,
                              uint32_t width, uint32_t height, bool oneRow);

// Converts rows of the image into the bitmap, which is in the DC's format.
bool ConvertRows(HDC hdc, Bitmap* bitmap, uint32_t firstRow, const MyBitmap& image,
                 const RowSource& from, const GalColor* palette);

// After a load: the placeholder YUV fields below mode 16; in the YUV modes
// the YUV copy, and the bits freed unless keepBits. 0 or ERR_BMP_MEM.
int FinishLoadedBitmap(Bitmap* bitmap, bool keepBits);

}  // namespace gui::image

#endif
