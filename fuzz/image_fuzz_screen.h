// The 32-bit screen the image fuzz targets decode and draw onto, set up once.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gui/dc.h"
#include "gui/gal.h"
#include "gui/image.h"

inline void ImageFuzzScreen() {
  static const bool ready = [] {
    GalSurface* screen = GAL_CreateRGBSurface(0, 48, 32, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    return screen && InitGDI(screen);
  }();
  (void)ready;
}

// Decodes the bytes as `ext` into an image, into a bitmap, and paints them
// plain and stretched.
inline void FuzzImageLoaders(const uint8_t* data, size_t size, const char* ext) {
  ImageFuzzScreen();
  const int length = static_cast<int>(size);
  MyBitmap image{};
  GalColor palette[256];
  LoadMyBitmapFromMem(&image, palette, data, length, ext);
  UnloadMyBitmap(&image);
  Bitmap bitmap{};
  if (LoadBitmapFromMem(HDC_SCREEN, &bitmap, data, length, ext) == 0) UnloadBitmap(&bitmap);
  PaintImageFromMem(HDC_SCREEN, -3, 5, data, length, ext);
  StretchPaintImageFromMem(HDC_SCREEN, 2, -1, 7, 40, data, length, ext);
}
