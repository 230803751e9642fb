// The 32-bit screen and the 16- and 24-bit memory DCs the image fuzz targets
// decode and draw onto, set up once.
#pragma once

#include <cstddef>
#include <cstdint>

#include "fuzz_setup.h"
#include "gui/dc.h"
#include "gui/gal.h"
#include "gui/image.h"

inline void ImageFuzzScreen() {
  static const bool ready = [] {
    GalSurface* screen = GAL_CreateRGBSurface(0, 48, 32, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    return screen && InitGDI(screen);
  }();
  RequireFuzzSetUp(ready, "the screen cannot be made");
}

// The screen and memory DCs of 16 and 24 bits: bitmaps are built at the
// DC's own depth, so every depth decodes and draws through its own code.
struct ImageFuzzDCs {
  HDC dcs[3] = {HDC_SCREEN, HDC_INVALID, HDC_INVALID};
  ImageFuzzDCs() {
    ImageFuzzScreen();
    dcs[1] = CreateMemDC(40, 30, 16, 0, 0xF800, 0x07E0, 0x001F, 0);
    dcs[2] = CreateMemDC(40, 30, 24, 0, 0xFF0000, 0xFF00, 0xFF, 0);
  }
};

// Decodes the bytes as `ext` into an image, into a bitmap, and paints them
// plain and stretched, on every DC.
inline void FuzzImageLoaders(const uint8_t* data, size_t size, const char* ext) {
  static const ImageFuzzDCs fuzzDCs;
  const int length = static_cast<int>(size);
  MyBitmap image{};
  GalColor palette[256];
  LoadMyBitmapFromMem(&image, palette, data, length, ext);
  UnloadMyBitmap(&image);
  for (HDC hdc : fuzzDCs.dcs) {
    if (hdc == HDC_INVALID) continue;
    Bitmap bitmap{};
    if (LoadBitmapFromMem(hdc, &bitmap, data, length, ext) == 0) {
      FillBoxWithBitmap(hdc, -2, 3, 0, 0, &bitmap);
      UnloadBitmap(&bitmap);
    }
    PaintImageFromMem(hdc, -3, 5, data, length, ext);
    StretchPaintImageFromMem(hdc, 2, -1, 7, 40, data, length, ext);
  }
}
