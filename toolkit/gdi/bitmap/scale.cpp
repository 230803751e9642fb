// Nearest-neighbour scaling by 16.16 accumulators, single-pixel access,
// colour replacement, mirroring and flipping of bitmaps.
#include <cstring>
#include <vector>

#include "gdi/dc_record.h"
#include "gdi/gal/blit_pixel.h"
#include "gui/bitmap.h"

namespace {

bool PixelSizeServed(int bpp) { return bpp >= 1 && bpp <= 4; }

const uint8_t* RowOf(const Bitmap* b, int y) {
  return b->bmBits + static_cast<size_t>(y) * b->bmPitch;
}

// Destination row of w pixels from source row `row`.
void FillScaledRow(const Bitmap* b, int row, uint8_t* line, int w, int64_t xStep) {
  const int bpp = b->bmBytesPerPixel;
  const uint8_t* src = RowOf(b, row);
  int64_t acc = 0;
  for (int x = 0; x < w; ++x, acc += xStep)
    std::memcpy(line + static_cast<size_t>(x) * bpp, src + static_cast<size_t>(acc >> 16) * bpp, bpp);
}

int64_t StepOf(uint32_t from, int to) { return (static_cast<int64_t>(from) << 16) / to; }

// Each destination row takes source row (accumulator >> 16); rows mapping
// to the row filled last get the same buffer again. Last row first: row
// h - 1 takes the last source row and the accumulator walks up from there.
void ScaleRows(void* context, const Bitmap* b, int w, int h, BitmapGetLineFunc getLine,
               BitmapPutLineFunc putLine, bool lastFirst) {
  if (!b || !PixelSizeServed(b->bmBytesPerPixel) || !b->bmBits || !b->bmHeight) return;
  const int64_t xStep = StepOf(b->bmWidth, w), yStep = StepOf(b->bmHeight, h);
  const int last = static_cast<int>(b->bmHeight) - 1;
  int64_t acc = 0;
  int filled = -1;
  void* line = nullptr;
  for (int i = 0; i < h; ++i, acc += yStep) {
    const int y = lastFirst ? h - 1 - i : i;
    const int row = lastFirst ? last - static_cast<int>(acc >> 16) : static_cast<int>(acc >> 16);
    if (row < 0) return;
    if (row != filled) {
      line = getLine(context, y);
      if (!line) return;
      FillScaledRow(b, row, static_cast<uint8_t*>(line), w, xStep);
      filled = row;
    }
    putLine(context, line, y);
  }
}

}  // namespace

extern "C" {

BOOL BitmapDDAScaler(void* context, const Bitmap* b, int w, int h, BitmapGetLineFunc getLine,
                     BitmapPutLineFunc putLine) {
  if (w < 1 || h < 1) return FALSE;
  ScaleRows(context, b, w, h, getLine, putLine, false);
  return TRUE;
}

BOOL BitmapDDAScaler2(void* context, const Bitmap* b, int w, int h, BitmapGetLineFunc getLine,
                      BitmapPutLineFunc putLine) {
  if (w == 0 || h == 0) return TRUE;
  if (w < 0 || h < 0) return FALSE;
  ScaleRows(context, b, w, h, getLine, putLine, true);
  return TRUE;
}

BOOL ScaleBitmap(Bitmap* dst, const Bitmap* src) {
  if (!dst || !src) return FALSE;
  if (dst->bmWidth == 0 || dst->bmHeight == 0) return TRUE;
  if (dst->bmBytesPerPixel != src->bmBytesPerPixel) return FALSE;
  if (!PixelSizeServed(src->bmBytesPerPixel) || !src->bmBits || !dst->bmBits) return TRUE;
  const int w = static_cast<int>(dst->bmWidth);
  const int64_t xStep = StepOf(src->bmWidth, w), yStep = StepOf(src->bmHeight, static_cast<int>(dst->bmHeight));
  int64_t acc = 0;
  int filled = -1;
  for (uint32_t y = 0; y < dst->bmHeight; ++y, acc += yStep) {
    uint8_t* out = dst->bmBits + static_cast<size_t>(y) * dst->bmPitch;
    const int row = static_cast<int>(acc >> 16);
    if (row == filled)
      std::memcpy(out, out - dst->bmPitch, dst->bmPitch);
    else
      FillScaledRow(src, row, out, w, xStep);
    filled = row;
  }
  return TRUE;
}

GalPixel GetPixelInBitmap(const Bitmap* b, int x, int y) {
  if (!b || !b->bmBits || x < 0 || y < 0 || static_cast<uint32_t>(x) >= b->bmWidth ||
      static_cast<uint32_t>(y) >= b->bmHeight || !PixelSizeServed(b->bmBytesPerPixel))
    return 0;
  return gal::px::read(RowOf(b, y) + static_cast<size_t>(x) * b->bmBytesPerPixel, b->bmBytesPerPixel);
}

BOOL SetPixelInBitmap(const Bitmap* b, int x, int y, GalPixel pixel) {
  if (!b || !b->bmBits || x < 0 || y < 0 || static_cast<uint32_t>(x) >= b->bmWidth ||
      static_cast<uint32_t>(y) >= b->bmHeight || !PixelSizeServed(b->bmBytesPerPixel))
    return FALSE;
  gal::px::write(b->bmBits + static_cast<size_t>(y) * b->bmPitch + static_cast<size_t>(x) * b->bmBytesPerPixel,
                 b->bmBytesPerPixel, pixel);
  return TRUE;
}

void ReplaceBitmapColor(HDC hdc, Bitmap* b, GalPixel oldPixel, GalPixel newPixel) {
  DC* dc = hdc == HDC_SCREEN ? gui::dc::ScreenDC() : gui::dc::DcFromHandle(hdc);
  if (!b || !b->bmBits || !dc || !dc->surface) return;
  const int bpp = dc->surface->format->bytesPerPixel;
  if (!PixelSizeServed(bpp)) return;
  // A DC whose pixels are wider than the bitmap's never walks past a row.
  const uint32_t columns = std::min<uint32_t>(b->bmWidth, b->bmPitch / bpp);
  const uint32_t mask = bpp == 4 ? ~0u : (1u << (8 * bpp)) - 1;
  for (uint32_t y = 0; y < b->bmHeight; ++y) {
    uint8_t* row = b->bmBits + static_cast<size_t>(y) * b->bmPitch;
    for (uint32_t x = 0; x < columns; ++x)
      if (gal::px::read(row + x * bpp, bpp) == (oldPixel & mask)) gal::px::write(row + x * bpp, bpp, newPixel);
  }
}

void MirrorBitmapHorizontally(Bitmap* b, uint8_t* lineBuffer) {
  if (!b || !b->bmBits || !lineBuffer || !PixelSizeServed(b->bmBytesPerPixel)) return;
  const int bpp = b->bmBytesPerPixel;
  const size_t rowBytes = static_cast<size_t>(b->bmWidth) * bpp;
  for (uint32_t y = 0; y < b->bmHeight; ++y) {
    uint8_t* row = b->bmBits + static_cast<size_t>(y) * b->bmPitch;
    std::memcpy(lineBuffer, row, rowBytes);
    for (uint32_t x = 0; x < b->bmWidth; ++x)
      std::memcpy(row + static_cast<size_t>(x) * bpp, lineBuffer + (b->bmWidth - 1 - x) * static_cast<size_t>(bpp), bpp);
  }
}

void FlipBitmapVertically(Bitmap* b, uint8_t* lineBuffer) {
  if (!b || !b->bmBits || !lineBuffer || b->bmHeight < 2) return;
  const size_t rowBytes = static_cast<size_t>(b->bmWidth) * b->bmBytesPerPixel;
  for (uint32_t top = 0, bottom = b->bmHeight - 1; top < bottom; ++top, --bottom) {
    uint8_t* a = b->bmBits + static_cast<size_t>(top) * b->bmPitch;
    uint8_t* z = b->bmBits + static_cast<size_t>(bottom) * b->bmPitch;
    std::memcpy(lineBuffer, a, rowBytes);
    std::memcpy(a, z, rowBytes);
    std::memcpy(z, lineBuffer, rowBytes);
  }
}

}  // extern "C"
