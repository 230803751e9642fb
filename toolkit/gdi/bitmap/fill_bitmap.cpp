// FillBox, reading a DC into a bitmap, and drawing bitmaps at their own
// size, scaled, run-length encoded or in part.
#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "gdi/bitmap/box_drawing.h"
#include "gdi/gal/blit_pixel.h"
#include "gui/bitmap.h"
#include "gui/dc.h"

using namespace gui::dc;

namespace {

using LineBuffer = std::unique_ptr<uint8_t[]>;

LineBuffer AllocLine(size_t bytes) { return LineBuffer(new (std::nothrow) uint8_t[bytes ? bytes : 1]); }

bool Drawable(const Bitmap* b) { return b && b->bmWidth && b->bmHeight && b->bmBits; }

// A one-row box over a line buffer, with the bitmap's key and alpha.
Bitmap RowBox(const Bitmap* from, uint8_t* line, int width) {
  Bitmap row = *from;
  row.bmType = static_cast<uint8_t>(from->bmType & ~BMP_TYPE_RLE);
  row.bmBits = line;
  row.bmWidth = static_cast<uint32_t>(width);
  row.bmHeight = 1;
  row.bmPitch = static_cast<uint32_t>(width) * from->bmBytesPerPixel;
  // Rows carry no YUV copy: the bitmap's planes do not match the row.
  row.bmYPlane = row.bmUPlane = row.bmVPlane = nullptr;
  return row;
}

// Neighbouring columns of a scaled row that show one source column.
struct ColumnRun {
  uint32_t from;   // the source column
  uint32_t count;  // how many columns show it
};

// `count` copies of one pixel: 16-byte stores of the repeated pixel where
// it divides them, the last one ending at the run's end.
template <int Bpp>
void RepeatPixel(uint8_t* line, const uint8_t* pixel, uint32_t count) {
  const size_t bytes = size_t{count} * Bpp;
#if defined(__SSE2__)
  if constexpr (16 % Bpp == 0) {
    if (bytes >= 16) {
      uint8_t pattern[16];
      for (int at = 0; at < 16; at += Bpp) std::memcpy(pattern + at, pixel, Bpp);
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pattern));
      for (size_t at = 0; at + 16 < bytes; at += 16) _mm_storeu_si128(reinterpret_cast<__m128i*>(line + at), v);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(line + bytes - 16), v);
      return;
    }
  }
#endif
  for (size_t at = 0; at < bytes; at += Bpp) std::memcpy(line + at, pixel, Bpp);
}

// One scaled row: each source pixel read once and repeated over its run.
template <int Bpp>
void ScaleRow(uint8_t* line, const uint8_t* src, const std::vector<ColumnRun>& runs) {
  for (const ColumnRun& run : runs) {
    RepeatPixel<Bpp>(line, src + static_cast<size_t>(run.from) * Bpp, run.count);
    line += size_t{run.count} * Bpp;
  }
}

void ScaleRowOf(int bpp, uint8_t* line, const uint8_t* src, const std::vector<ColumnRun>& runs) {
  switch (bpp) {
    case 1: return ScaleRow<1>(line, src, runs);
    case 2: return ScaleRow<2>(line, src, runs);
    case 3: return ScaleRow<3>(line, src, runs);
    default: return ScaleRow<4>(line, src, runs);
  }
}

// The bitmap scaled to sw x sh with its first pixel at device (ox, oy):
// only the rows and columns of `visible` are scaled and put, so a huge box
// costs what its visible part costs. Source row and column of destination
// row r and column c are (r * step) >> 16, as the whole-box scaler takes them;
// the columns are worked out once for all rows, as runs of equal ones, and
// each source row is scaled once.
bool PutScaledVisible(DC* dc, const Bitmap* b, int64_t ox, int64_t oy, int64_t sw, int64_t sh,
                      const Rect& visible) {
  const int bpp = b->bmBytesPerPixel;
  const int vw = visible.right - visible.left;
  if (vw < 1 || visible.bottom <= visible.top || sw < 1 || sh < 1 || bpp < 1 || bpp > 4) return true;
  LineBuffer line = AllocLine(static_cast<size_t>(vw) * bpp);
  if (!line) return false;
  const int64_t xStep = (int64_t{b->bmWidth} << 16) / sw, yStep = (int64_t{b->bmHeight} << 16) / sh;
  std::vector<ColumnRun> runs;
  try {
    for (int c = 0; c < vw; ++c) {
      const auto column = static_cast<uint32_t>(((visible.left + c - ox) * xStep) >> 16);
      if (!runs.empty() && runs.back().from == column)
        ++runs.back().count;
      else
        runs.push_back(ColumnRun{column, 1});
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  auto sourceRow = [&](int row) { return ((row - oy) * yStep) >> 16; };
  for (int row = visible.top, next; row < visible.bottom; row = next) {
    // The rows that repeat one source row are put at once, as a box whose
    // rows all read the one scaled line.
    const int64_t from = sourceRow(row);
    for (next = row + 1; next < visible.bottom && sourceRow(next) == from;) ++next;
    ScaleRowOf(bpp, line.get(), b->bmBits + static_cast<size_t>(from) * b->bmPitch, runs);
    Bitmap box = RowBox(b, line.get(), vw);
    box.bmHeight = static_cast<uint32_t>(next - row);
    box.bmPitch = 0;
    PutClippedBox(dc, visible.left, row, vw, next - row, &box);
  }
  return true;
}

// Runs of one row: skip, repeat, one pixel. Counts are bytes at 1..3 bytes
// per pixel and little-endian 16-bit words at 4. A row ends when its skips
// and repeats reach the width; a (0, 0) run ends the data, so a damaged
// bitmap never loops.
void DrawRle(DC* dc, const Bitmap* b, const Rect& box, uint8_t* line) {
  const int bpp = b->bmBytesPerPixel, countBytes = bpp == 4 ? 2 : 1;
  const uint32_t width = b->bmWidth;
  const uint8_t* p = b->bmBits;
  for (uint32_t r = 0; r < b->bmHeight; ++r) {
    uint32_t pen = 0;
    while (pen < width) {
      uint32_t skip = countBytes == 2 ? (p[0] | p[1] << 8) : p[0];
      uint32_t repeat = countBytes == 2 ? (p[2] | p[3] << 8) : p[1];
      // The end mark carries no pixel: test it before reading one.
      if (skip == 0 && repeat == 0) return;
      const GalPixel value = gal::px::read(p + 2 * countBytes, bpp);
      p += 2 * countBytes + bpp;
      repeat = std::min(repeat, width - std::min(width, pen + skip));
      for (uint32_t i = 0; i < repeat; ++i) gal::px::write(line + static_cast<size_t>(i) * bpp, bpp, value);
      if (repeat) {
        Bitmap row = RowBox(b, line, static_cast<int>(repeat));
        PutClippedBox(dc, box.left + static_cast<int>(pen + skip), box.top + static_cast<int>(r),
                      static_cast<int>(repeat), 1, &row);
      }
      pen += skip + repeat;
    }
  }
}

int BoxWidth(const Rect& r) { return r.right - r.left; }
int BoxHeight(const Rect& r) { return r.bottom - r.top; }

}  // namespace

namespace gui::dc {

// rcOutput is the box cut to the DC's clip since the drawing began.
bool DrawBitmapBox(DC* dc, const Rect& box, const Bitmap* bitmap) {
  if (static_cast<uint32_t>(BoxWidth(box)) == bitmap->bmWidth &&
      static_cast<uint32_t>(BoxHeight(box)) == bitmap->bmHeight) {
    PutClippedBox(dc, box.left, box.top, BoxWidth(box), BoxHeight(box), bitmap);
    return true;
  }
  return PutScaledVisible(dc, bitmap, box.left, box.top, BoxWidth(box), BoxHeight(box), dc->rcOutput);
}

bool BitmapPartFits(const Rect& box, int bw, int bh, int xo, int yo) {
  return int64_t{xo} + BoxWidth(box) <= bw && int64_t{yo} + BoxHeight(box) <= bh;
}

bool DrawBitmapPart(DC* dc, const Rect& box, int bw, int bh, const Bitmap* bitmap, int xo, int yo) {
  if (static_cast<uint32_t>(bw) == bitmap->bmWidth && static_cast<uint32_t>(bh) == bitmap->bmHeight) {
    Bitmap part = *bitmap;
    part.bmBits += static_cast<size_t>(yo) * bitmap->bmPitch + static_cast<size_t>(xo) * bitmap->bmBytesPerPixel;
    if (part.bmYPlane) part.bmYPlane += static_cast<size_t>(bitmap->bmWidth) * yo + xo;
    const size_t chroma = static_cast<size_t>(bitmap->bmWidth / 2) * (yo / 2) + xo / 2;
    if (part.bmUPlane) part.bmUPlane += chroma;
    if (part.bmVPlane) part.bmVPlane += chroma;
    PutClippedBox(dc, box.left, box.top, BoxWidth(box), BoxHeight(box), &part);
    return true;
  }
  return PutScaledVisible(dc, bitmap, int64_t{box.left} - xo, int64_t{box.top} - yo, bw, bh, dc->rcOutput);
}

}  // namespace gui::dc

extern "C" {

void FillBox(HDC hdc, int x, int y, int w, int h) {
  if (w < 1 || h < 1) return;
  LockedDC dc(hdc);
  if (!dc) return;
  const Rect box = DeviceBox(dc.get(), x, y, w, h);
  dc->curPixel = dc->brushColor;
  dc->step = 1;
  dc->curClipBand = nullptr;
  dc->rcOutput = box;
  DrawingScope drawing(dc.get());
  if (!drawing) return;
  FillClippedBox(dc.get(), box.left, box.top, BoxWidth(box), BoxHeight(box));
}

BOOL GetBitmapFromDC(HDC hdc, int x, int y, int w, int h, Bitmap* bitmap) {
  if (!bitmap) return FALSE;
  LockedDC dc(hdc);
  if (!dc) return FALSE;
  if (dc->dcType == kWindowDC) RefreshDCClipRgn(dc.get(), false);
  LogicalToDevice(dc.get(), &x, &y);
  GalRect rect{x, y, w, h};
  std::lock_guard<std::mutex> display(GdiLockOfDisplay(RefreshDCGeometry(dc.get())));
  return GAL_GetBox(dc->surface, &rect, bitmap) == 0;
}

BOOL FillBoxWithBitmap(HDC hdc, int x, int y, int w, int h, const Bitmap* bitmap) {
  if (!Drawable(bitmap)) return FALSE;
  BoxDrawing drawing(hdc, bitmap, x, y, w, h);
  if (!drawing.drawing()) return FALSE;
  DC* dc = drawing.dc();
  const Rect& box = drawing.box();
  if (bitmap->bmType & BMP_TYPE_RLE) {
    LineBuffer line = AllocLine(static_cast<size_t>(bitmap->bmWidth) * bitmap->bmBytesPerPixel);
    if (!line) return FALSE;
    DrawRle(dc, bitmap, box, line.get());
    return TRUE;
  }
  return DrawBitmapBox(dc, box, bitmap) ? TRUE : FALSE;
}

BOOL FillBoxWithBitmapPart(HDC hdc, int x, int y, int w, int h, int bw, int bh,
                           const Bitmap* bitmap, int xo, int yo) {
  if (!Drawable(bitmap) || (bitmap->bmType & BMP_TYPE_RLE) || xo < 0 || yo < 0) return FALSE;
  if (bw < 1) bw = static_cast<int>(bitmap->bmWidth);
  if (bh < 1) bh = static_cast<int>(bitmap->bmHeight);
  BoxDrawing drawing(hdc, bitmap, x, y, w, h);
  if (!drawing.locked()) return TRUE;
  const Rect& box = drawing.box();
  if (!BitmapPartFits(box, bw, bh, xo, yo)) return FALSE;
  if (!drawing.drawing()) return FALSE;
  return DrawBitmapPart(drawing.dc(), box, bw, bh, bitmap, xo, yo) ? TRUE : FALSE;
}

}  // extern "C"
