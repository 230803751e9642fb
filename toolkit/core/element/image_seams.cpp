#include "core/element/image_seams.h"

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <strings.h>
#include <vector>

#include "core/window/default_proc_seams.h"
#include "gui/dc.h"

namespace {

uint32_t Le(const std::vector<uint8_t>& d, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | d[at + i];
  return v;
}

int DecodeBmp(HDC hdc, const std::vector<uint8_t>& d, Bitmap* out) {
  if (d.size() < 54 || Le(d, 0, 2) != 0x4D42 || Le(d, 14, 4) < 40) return -3;
  const uint32_t offset = Le(d, 10, 4);
  const int32_t w = static_cast<int32_t>(Le(d, 18, 4)), rawH = static_cast<int32_t>(Le(d, 22, 4));
  const int bits = static_cast<int>(Le(d, 28, 2)), h = rawH < 0 ? -rawH : rawH;
  if ((bits != 24 && bits != 32) || Le(d, 30, 4) != 0 || w < 1 || h < 1 || w > 8192 || h > 8192) return -3;
  const size_t row = (static_cast<size_t>(w) * (bits / 8) + 3) & ~static_cast<size_t>(3);
  if (offset > d.size() || (d.size() - offset) / row < static_cast<size_t>(h)) return -3;
  const int bpp = static_cast<int>(GetGDCapability(hdc, GDCAP_BPP));
  if (bpp < 1 || bpp > 4) return -3;
  Bitmap b{};
  b.bmBitsPerPixel = static_cast<uint8_t>(GetGDCapability(hdc, GDCAP_BITSPP));
  b.bmBytesPerPixel = static_cast<uint8_t>(bpp);
  b.bmWidth = static_cast<uint32_t>(w);
  b.bmHeight = static_cast<uint32_t>(h);
  b.bmPitch = static_cast<uint32_t>(w * bpp);
  b.bmBits = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(b.bmPitch) * h));
  if (!b.bmBits) return -6;
  for (int y = 0; y < h; ++y) {
    const uint8_t* src = d.data() + offset + row * static_cast<size_t>(rawH < 0 ? y : h - 1 - y);
    for (int x = 0; x < w; ++x, src += bits / 8) {
      GalPixel pixel = RGB2Pixel(hdc, src[2], src[1], src[0]);
      std::memcpy(b.bmBits + static_cast<size_t>(y) * b.bmPitch + static_cast<size_t>(x) * bpp, &pixel,
                  static_cast<size_t>(bpp));
    }
  }
  *out = b;
  return 0;
}

}  // namespace

extern "C" {

// Until the image loaders land, only what the skin generator writes loads:
// uncompressed 24- or 32-bit BMP files. Anything else has no loader (-2).
int LoadBitmapFromFile(HDC hdc, Bitmap* bitmap, const char* fileName) {
  const char* dot = fileName ? std::strrchr(fileName, '.') : nullptr;
  if (!bitmap || !dot || strcasecmp(dot, ".bmp") != 0) return -2;
  std::FILE* f = std::fopen(fileName, "rb");
  if (!f) return -8;
  std::vector<uint8_t> data;
  uint8_t chunk[4096];
  for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) data.insert(data.end(), chunk, chunk + n);
  std::fclose(f);
  int rc = DecodeBmp(hdc, data, bitmap);
  return rc;
}

int UnloadBitmap(Bitmap* bitmap) {
  if (bitmap) {
    std::free(bitmap->bmBits);
    bitmap->bmBits = nullptr;
  }
  return 0;
}

uintptr_t LoadIconFromFile(HDC, const char*, int) { return 0; }
BOOL DestroyIcon(uintptr_t) { return TRUE; }
BOOL DrawIcon(HDC, int, int, int, int, uintptr_t) { return TRUE; }
uintptr_t LoadCursorFromFile(const char*) { return 0; }

}  // extern "C"
