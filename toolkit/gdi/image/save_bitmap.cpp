// Writing a device-dependent bitmap back to an image file.
#include "gdi/image/bitmap_internal.h"

using namespace gui::image;

extern "C" int SaveBitmapToFile(HDC hdc, Bitmap* bitmap, const char* fileName) {
  GalSurface* surface = SurfaceOfDC(hdc);
  // A YUV-mode bitmap keeps no pixels to write (its bits are the
  // placeholder word), and reading a whole frame from it would overrun.
  if (!surface || !bitmap || !OwnsBuffer(bitmap->bmBits)) return ERR_BMP_OTHER;
  const GalPixelFormat* f = surface->format;
  MyBitmap image{};
  image.frames = 1;
  image.depth = f->bitsPerPixel;
  image.w = bitmap->bmWidth;
  image.h = bitmap->bmHeight;
  image.pitch = bitmap->bmPitch;
  image.size = bitmap->bmPitch * bitmap->bmHeight;
  image.bits = bitmap->bmBits;
  GalColor palette[256] = {};
  const int entries = image.depth == 4 ? 16 : image.depth == 8 ? 256 : 0;
  if (f->palette)
    for (int i = 0; i < entries && i < f->palette->ncolors; ++i) {
      const GalColor& c = f->palette->colors[i];
      palette[i] = GalColor{c.r, c.g, c.b, 0};
    }
  return SaveMyBitmapToFile(&image, palette, fileName);
}
