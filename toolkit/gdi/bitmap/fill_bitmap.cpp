// FillBox, reading a DC into a bitmap, and drawing bitmaps at their own
// size, scaled, run-length encoded or in part.
#include <algorithm>
#include <memory>
#include <mutex>
#include <new>

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

// Scaled rows go to the DC one by one through the row box.
struct ScaledRows {
  DC* dc;
  const Bitmap* bitmap;
  uint8_t* line;
  int x, y, w;
  int firstRow = 0, rows = 1 << 30, column = 0;  // the part drawn
};

void* GetLine(void* context, int) { return static_cast<ScaledRows*>(context)->line; }

void PutLine(void* context, void* line, int row) {
  auto* s = static_cast<ScaledRows*>(context);
  if (row < s->firstRow || row >= s->firstRow + s->rows) return;
  uint8_t* start = static_cast<uint8_t*>(line) + static_cast<size_t>(s->column) * s->bitmap->bmBytesPerPixel;
  Bitmap box = RowBox(s->bitmap, start, s->w);
  PutClippedBox(s->dc, s->x, s->y + row - s->firstRow, s->w, 1, &box);
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

extern "C" {

void FillBox(HDC hdc, int x, int y, int w, int h) {
  if (w < 1 || h < 1) return;
  LockedDC dc(hdc);
  if (!dc) return;
  int x1 = x + w, y1 = y + h;
  LogicalToDevice(dc.get(), &x, &y);
  LogicalToDevice(dc.get(), &x1, &y1);
  const Rect box{std::min(x, x1), std::min(y, y1), std::max(x, x1), std::max(y, y1)};
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
  if (static_cast<uint32_t>(BoxWidth(box)) == bitmap->bmWidth &&
      static_cast<uint32_t>(BoxHeight(box)) == bitmap->bmHeight) {
    PutClippedBox(dc, box.left, box.top, BoxWidth(box), BoxHeight(box), bitmap);
    return TRUE;
  }
  LineBuffer line = AllocLine(static_cast<size_t>(BoxWidth(box)) * bitmap->bmBytesPerPixel);
  if (!line) return FALSE;
  ScaledRows rows{dc, bitmap, line.get(), box.left, box.top, BoxWidth(box)};
  BitmapDDAScaler(&rows, bitmap, BoxWidth(box), BoxHeight(box), GetLine, PutLine);
  return TRUE;
}

BOOL FillBoxWithBitmapPart(HDC hdc, int x, int y, int w, int h, int bw, int bh,
                           const Bitmap* bitmap, int xo, int yo) {
  if (!Drawable(bitmap) || (bitmap->bmType & BMP_TYPE_RLE) || xo < 0 || yo < 0) return FALSE;
  if (bw < 1) bw = static_cast<int>(bitmap->bmWidth);
  if (bh < 1) bh = static_cast<int>(bitmap->bmHeight);
  BoxDrawing drawing(hdc, bitmap, x, y, w, h);
  if (!drawing.locked()) return TRUE;
  const Rect& box = drawing.box();
  w = BoxWidth(box);
  h = BoxHeight(box);
  if (xo + w > bw || yo + h > bh) return FALSE;
  if (!drawing.drawing()) return FALSE;
  DC* dc = drawing.dc();
  if (static_cast<uint32_t>(bw) == bitmap->bmWidth && static_cast<uint32_t>(bh) == bitmap->bmHeight) {
    Bitmap part = *bitmap;
    part.bmBits += static_cast<size_t>(yo) * bitmap->bmPitch + static_cast<size_t>(xo) * bitmap->bmBytesPerPixel;
    if (part.bmYPlane) part.bmYPlane += static_cast<size_t>(bitmap->bmWidth) * yo + xo;
    const size_t chroma = static_cast<size_t>(bitmap->bmWidth / 2) * (yo / 2) + xo / 2;
    if (part.bmUPlane) part.bmUPlane += chroma;
    if (part.bmVPlane) part.bmVPlane += chroma;
    PutClippedBox(dc, box.left, box.top, w, h, &part);
    return TRUE;
  }
  LineBuffer line = AllocLine(static_cast<size_t>(bw) * bitmap->bmBytesPerPixel);
  if (!line) return FALSE;
  ScaledRows rows{dc, bitmap, line.get(), box.left, box.top, w, yo, h, xo};
  BitmapDDAScaler(&rows, bitmap, bw, bh, GetLine, PutLine);
  return TRUE;
}

}  // extern "C"
