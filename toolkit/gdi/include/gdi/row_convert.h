// Image rows into rows of a surface pixel format: 1, 4 and 8-bit palette
// rows and 24/32-bit colour rows. The image loaders, icons and cursors share
// them.
#ifndef GDI_IMAGE_ROW_CONVERT_H
#define GDI_IMAGE_ROW_CONVERT_H

#include <cstdint>

#include "gui/bitmap.h"
#include "gui/gal.h"

namespace gui::image {

// Where converted rows go: bits, rows pitch apart, in format.
struct RowTarget {
  uint8_t* bits;
  uint32_t pitch;
  const GalPixelFormat* format;
};

// Source rows: width pixels, rows pitch apart; with bottomUp the first
// stored row is the last one written.
struct RowSource {
  const uint8_t* bits;
  uint32_t pitch;
  uint32_t width;
  uint32_t rows;
  bool bottomUp;
};

void StorePixel(uint8_t* at, GalPixel pixel, int bytesPerPixel);

// Most significant bit first: set bits give foreground, clear background.
void ExpandMonoBitmapRows(const RowTarget& to, const RowSource& from, GalPixel background,
                          GalPixel foreground);
// High nibble first; without a palette the standard 16-colour table.
void Expand16ColorBitmapRows(const RowTarget& to, const RowSource& from, const GalColor* palette);
// Without a palette: the index itself at 1 byte per pixel, else its 3-3-2
// bits widened to full 8-bit colour.
void Expand256ColorBitmapRows(const RowTarget& to, const RowSource& from, const GalColor* palette);
// 3 or 4 bytes per pixel (imageFlags MYBMP_RGBSIZE_4), r, g, b order or
// b, g, r with MYBMP_TYPE_BGR; per-pixel alpha through alphaFormat when the
// image has MYBMP_ALPHACHANNEL and 4 bytes per pixel.
void CompileRGBBitmapRows(const RowTarget& to, const RowSource& from, uint32_t imageFlags,
                          const GalPixelFormat* alphaFormat);

// The image's rows by its depth; false for a depth other than 1, 4, 8, 24
// or 32.
bool ConvertImageRows(const RowTarget& to, const MyBitmap& image, const RowSource& from,
                      const GalColor* palette, const GalPixelFormat* alphaFormat);

}  // namespace gui::image

#endif
