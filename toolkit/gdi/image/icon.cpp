// Icons: loading image n of an icon file, making an icon from AND and XOR
// bit arrays, and drawing it with AND-then-XOR against the screen.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gdi/bitmap/box_drawing.h"
#include "gdi/image/bitmap_internal.h"
#include "gdi/image/icon_internal.h"
#include "gdi/readable_file.h"

using namespace gui::image;

namespace {

constexpr size_t kMaxIconFile = 1u << 24;

// Little-endian reads that fail, rather than run past the data.
class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool At(size_t offset, size_t bytes) const { return offset <= size_ && bytes <= size_ - offset; }
  uint32_t Le(size_t offset, int bytes) const {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= uint32_t{data_[offset + i]} << (8 * i);
    return v;
  }
  const uint8_t* Ptr(size_t offset) const { return data_ + offset; }

 private:
  const uint8_t* data_;
  size_t size_;
};

uint32_t RowBytes(uint32_t width, int bpp) {
  switch (bpp) {
    case 1: return (width / 8 + 3) & ~3u;
    case 4: return (width / 2 + 3) & ~3u;
    default: return (width + 3) & ~3u;
  }
}

GalPixel AllOnes(int bytesPerPixel) {
  return bytesPerPixel >= 4 ? 0xFFFFFFFFu : (1u << (8 * bytesPerPixel)) - 1;
}

bool ValidSide(uint32_t side) { return side > 0 && side % 16 == 0; }

}  // namespace

namespace gui::image {

HICON LoadIconFromBytes(HDC hdc, const uint8_t* data, size_t size, int which) {
  const Reader in(data, size);
  if (!data || !in.At(0, 6) || in.Le(2, 2) != 1) return 0;
  const int count = static_cast<int>(in.Le(4, 2));
  if (count < 1) return 0;
  if (which < 0) which = 0;
  if (which >= count) which = count - 1;
  const size_t entry = 6 + 16 * static_cast<size_t>(which);
  if (!in.At(entry, 16)) return 0;
  const uint32_t w = in.Le(entry, 1), h = in.Le(entry + 1, 1), colors = in.Le(entry + 2, 1);
  const uint32_t planes = in.Le(entry + 4, 2), entryBpp = in.Le(entry + 6, 2);
  const size_t image = in.Le(entry + 12, 4);
  // Sizes of 0 and depths the converters do not know are refused.
  if (!ValidSide(w) || !ValidSide(h) || (colors != 0 && colors != 2 && colors != 16) ||
      planes > 1 || entryBpp > 8)
    return 0;
  if (!in.At(image, 40) || in.Le(image + 12, 2) != 1) return 0;
  const int bpp = static_cast<int>(in.Le(image + 14, 2));
  if (bpp != 1 && bpp != 4 && bpp != 8) return 0;
  const size_t paletteAt = image + 40;
  const size_t entries = size_t{1} << bpp;
  const size_t xorAt = paletteAt + 4 * entries;
  const size_t xorBytes = size_t{RowBytes(w, bpp)} * h;
  const size_t andBytes = size_t{RowBytes(w, 1)} * h;
  if (!in.At(xorAt, xorBytes + andBytes)) return 0;
  GalColor palette[256] = {};
  for (size_t i = 0; i < entries; ++i) {
    const uint8_t* e = in.Ptr(paletteAt + 4 * i);
    palette[i] = GalColor{e[2], e[1], e[0], 0};
  }
  return CreateIconEx(hdc, static_cast<int>(w), static_cast<int>(h), in.Ptr(xorAt + xorBytes),
                      in.Ptr(xorAt), bpp, palette);
}

}  // namespace gui::image

extern "C" {

HICON LoadIconFromFile(HDC hdc, const char* fileName, int which) {
  files::ReadableFile file(fileName, kMaxIconFile);
  files::FileText data;
  if (!file.ReadWhole(data)) return 0;
  return LoadIconFromBytes(hdc, reinterpret_cast<const uint8_t*>(data.bytes.get()), data.size, which);
}

// The caller vouches for the data; its size is taken from the directory.
HICON LoadIconFromMem(HDC hdc, const void* data, int which) {
  return LoadIconFromBytes(hdc, static_cast<const uint8_t*>(data), SIZE_MAX / 2, which);
}

HICON CreateIconEx(HDC hdc, int width, int height, const uint8_t* andBits,
                   const uint8_t* xorBits, int bitsPerPixel, const GalColor* palette) {
  GalSurface* surface = SurfaceOfDC(hdc);
  if (!surface || !andBits || !xorBits || width <= 0 || height <= 0 || width % 16 ||
      height % 16)
    return 0;
  if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8) return 0;
  const uint32_t w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
  auto* icon = static_cast<Icon*>(std::calloc(1, sizeof(Icon)));
  if (!icon) return 0;
  const int bytes = GAL_GetBoxSize(surface, w, h, &icon->pitch);
  if (bytes < 0) {
    std::free(icon);
    return 0;
  }
  icon->width = w;
  icon->height = h;
  icon->andBits = static_cast<uint8_t*>(std::calloc(1, static_cast<size_t>(bytes)));
  icon->xorBits = static_cast<uint8_t*>(std::calloc(1, static_cast<size_t>(bytes)));
  if (!icon->andBits || !icon->xorBits) {
    DestroyIcon(reinterpret_cast<HICON>(icon));
    return 0;
  }
  const GalPixelFormat* f = surface->format;
  const GalPixel ones = AllOnes(f->bytesPerPixel);
  ExpandMonoBitmapRows(RowTarget{icon->andBits, icon->pitch, f},
                       RowSource{andBits, RowBytes(w, 1), w, h, true}, 0, ones);
  const RowTarget xorTarget{icon->xorBits, icon->pitch, f};
  const RowSource xorSource{xorBits, RowBytes(w, bitsPerPixel), w, h, true};
  if (bitsPerPixel == 1)
    ExpandMonoBitmapRows(xorTarget, xorSource, 0, ones);
  else if (bitsPerPixel == 4)
    Expand16ColorBitmapRows(xorTarget, xorSource, palette);
  else
    Expand256ColorBitmapRows(xorTarget, xorSource, palette);
  return reinterpret_cast<HICON>(icon);
}

BOOL DestroyIcon(HICON handle) {
  auto* icon = reinterpret_cast<Icon*>(handle);
  if (!icon) return FALSE;
  std::free(icon->andBits);
  std::free(icon->xorBits);
  std::free(icon);
  return TRUE;
}

BOOL GetIconSize(HICON handle, int* width, int* height) {
  const auto* icon = reinterpret_cast<const Icon*>(handle);
  if (!icon) return FALSE;
  if (width) *width = static_cast<int>(icon->width);
  if (height) *height = static_cast<int>(icon->height);
  return TRUE;
}

void DrawIcon(HDC hdc, int x, int y, int w, int h, HICON handle) {
  const auto* icon = reinterpret_cast<const Icon*>(handle);
  GalSurface* surface = SurfaceOfDC(hdc);
  if (!icon || !surface) return;
  Bitmap andImage{}, xorImage{};
  andImage.bmBytesPerPixel = xorImage.bmBytesPerPixel = surface->format->bytesPerPixel;
  andImage.bmBitsPerPixel = xorImage.bmBitsPerPixel = surface->format->bitsPerPixel;
  andImage.bmWidth = xorImage.bmWidth = icon->width;
  andImage.bmHeight = xorImage.bmHeight = icon->height;
  andImage.bmPitch = xorImage.bmPitch = icon->pitch;
  andImage.bmBits = icon->andBits;
  xorImage.bmBits = icon->xorBits;
  // Images made for a DC of another pixel size would be read past their end.
  uint32_t ownPitch = 0;
  GAL_GetBoxSize(surface, icon->width, icon->height, &ownPitch);
  if (ownPitch != icon->pitch) return;
  gui::dc::BoxDrawing drawing(hdc, &andImage, x, y, w, h);
  if (!drawing.drawing()) return;
  const Rect& box = drawing.box();
  const uint32_t bw = static_cast<uint32_t>(box.right - box.left);
  const uint32_t bh = static_cast<uint32_t>(box.bottom - box.top);
  if (bw == 0 || bh == 0) return;
  uint32_t pitch = 0;
  const size_t bytes = static_cast<size_t>(GAL_GetBoxSize(surface, bw, bh, &pitch));
  std::vector<uint8_t> screen(bytes), scaledAnd, scaledXor;
  const uint8_t* andBits = icon->andBits;
  const uint8_t* xorBits = icon->xorBits;
  if (bw != icon->width || bh != icon->height) {
    scaledAnd.resize(bytes);
    scaledXor.resize(bytes);
    Bitmap a = andImage, b = xorImage;
    a.bmWidth = b.bmWidth = bw;
    a.bmHeight = b.bmHeight = bh;
    a.bmPitch = b.bmPitch = pitch;
    a.bmBits = scaledAnd.data();
    b.bmBits = scaledXor.data();
    ScaleBitmap(&a, &andImage);
    ScaleBitmap(&b, &xorImage);
    andBits = scaledAnd.data();
    xorBits = scaledXor.data();
  }
  Bitmap target = andImage;
  target.bmWidth = bw;
  target.bmHeight = bh;
  target.bmPitch = pitch;
  target.bmBits = screen.data();
  const GalRect rect{box.left, box.top, static_cast<int32_t>(bw), static_cast<int32_t>(bh)};
  GAL_GetBox(surface, &rect, &target);
  for (size_t i = 0; i + 4 <= bytes; i += 4) {
    uint32_t s, a, x;
    std::memcpy(&s, &screen[i], 4);
    std::memcpy(&a, andBits + i, 4);
    std::memcpy(&x, xorBits + i, 4);
    s = (s & a) ^ x;
    std::memcpy(&screen[i], &s, 4);
  }
  gui::dc::PutClippedBox(drawing.dc(), box.left, box.top, static_cast<int>(bw),
                         static_cast<int>(bh), &target);
}

}  // extern "C"
