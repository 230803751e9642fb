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

uint32_t ReadPixel(const Bitmap* b, int x, int y) {
  const uint8_t* p = b->bmBits + static_cast<size_t>(y) * b->bmPitch + static_cast<size_t>(x) * b->bmBytesPerPixel;
  uint32_t v = 0;
  std::memcpy(&v, p, b->bmBytesPerPixel);
  return v;
}

bool Drawable(const Bitmap* b) { return b && b->bmWidth && b->bmHeight && b->bmBits; }

// Pixel by pixel, nearest source pixel for a box of another size.
void PutScaled(HDC hdc, int x, int y, int w, int h, int bw, int bh, const Bitmap* b, int xo, int yo) {
  const bool keyed = b->bmType & BMP_TYPE_COLORKEY;
  for (int r = 0; r < h; ++r) {
    for (int c = 0; c < w; ++c) {
      int sx = static_cast<int>(static_cast<int64_t>(c + xo) * static_cast<int>(b->bmWidth) / bw);
      int sy = static_cast<int>(static_cast<int64_t>(r + yo) * static_cast<int>(b->bmHeight) / bh);
      if (sx >= static_cast<int>(b->bmWidth) || sy >= static_cast<int>(b->bmHeight)) continue;
      uint32_t pixel = ReadPixel(b, sx, sy);
      if (keyed && pixel == b->bmColorKey) continue;
      SetPixel(hdc, x + c, y + r, pixel);
    }
  }
}

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

void FillBox(HDC hdc, int x, int y, int w, int h) {
  if (w < 1 || h < 1) return;
  FillWithPixel(hdc, Rect{x, y, x + w, y + h}, GetDCAttr(hdc, DC_ATTR_BRUSH_COLOR));
}

BOOL GetBitmapFromDC(HDC hdc, int x, int y, int w, int h, Bitmap* bitmap) {
  if (!bitmap || w < 1 || h < 1) return FALSE;
  int bpp = static_cast<int>(GetGDCapability(hdc, GDCAP_BPP));
  if (bpp < 1 || bpp > 4) return FALSE;
  if (!bitmap->bmBits) {
    bitmap->bmPitch = static_cast<uint32_t>(w * bpp);
    bitmap->bmBits = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(h), bitmap->bmPitch));
    if (!bitmap->bmBits) return FALSE;
  }
  bitmap->bmWidth = static_cast<uint32_t>(w);
  bitmap->bmHeight = static_cast<uint32_t>(h);
  bitmap->bmBytesPerPixel = static_cast<uint8_t>(bpp);
  bitmap->bmBitsPerPixel = static_cast<uint8_t>(bpp * 8);
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c) {
      uint32_t v = GetPixel(hdc, x + c, y + r);
      std::memcpy(bitmap->bmBits + r * bitmap->bmPitch + c * bpp, &v, static_cast<size_t>(bpp));
    }
  return TRUE;
}

BOOL FillBoxWithBitmap(HDC hdc, int x, int y, int w, int h, const Bitmap* bitmap) {
  if (!Drawable(bitmap)) return FALSE;
  if (w < 1) w = static_cast<int>(bitmap->bmWidth);
  if (h < 1) h = static_cast<int>(bitmap->bmHeight);
  PutScaled(hdc, x, y, w, h, w, h, bitmap, 0, 0);
  return TRUE;
}

BOOL FillBoxWithBitmapPart(HDC hdc, int x, int y, int w, int h, int bw, int bh, const Bitmap* bitmap, int xo,
                           int yo) {
  if (!Drawable(bitmap) || xo < 0 || yo < 0) return FALSE;
  if (bw < 1) bw = static_cast<int>(bitmap->bmWidth);
  if (bh < 1) bh = static_cast<int>(bitmap->bmHeight);
  if (xo + w > bw || yo + h > bh) return FALSE;
  PutScaled(hdc, x, y, w, h, bw, bh, bitmap, xo, yo);
  return TRUE;
}

// Horizontal: the first third at the start, the last at the end, the
// middle third repeated between; vertical likewise downward.
BOOL FillBoxWithBitampCombineEx(HDC hdc, int x, int y, int w, int h, const Bitmap* bitmap, BOOL head, BOOL tail,
                                BOOL vertical) {
  if (vertical ? h < 1 : w < 1) return FALSE;
  if (!Drawable(bitmap)) return TRUE;
  const int bw = static_cast<int>(bitmap->bmWidth), bh = static_cast<int>(bitmap->bmHeight);
  const int length = vertical ? h : w, third = (vertical ? bh : bw) / 3;
  const int cross = vertical ? (w > 0 ? std::min(w, bw) : bw) : (h > 0 ? std::min(h, bh) : bh);
  if (third < 1) return TRUE;
  auto piece = [&](int at, int len, int from) {
    if (vertical)
      FillBoxWithBitmapPart(hdc, x, y + at, cross, len, bw, bh, bitmap, 0, from);
    else
      FillBoxWithBitmapPart(hdc, x + at, y, len, cross, bw, bh, bitmap, from, 0);
  };
  int start = 0, end = length;
  if (head && length >= 2 * third) {
    piece(0, third, 0);
    start = third;
  }
  if (tail && length >= 2 * third) {
    piece(length - third, third, 2 * third);
    end = length - third;
  }
  for (int at = start; at < end; at += third) piece(at, std::min(third, end - at), third);
  return TRUE;
}

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
