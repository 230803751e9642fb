// Rectangle outlines, focus rectangles and dotted lines.
#include <algorithm>

#include "gdi/clipped_spans.h"
#include "gdi/dc/pixel_api.h"
#include "gdi/dc/pixel_ops.h"
#include "gui/dc.h"
#include "gui/display.h"

namespace gui::dc {
namespace {

// Single dots only show on shallow colour modes.
bool DrawsSingleDots() { return GetDeviceColorDepth() < 16; }

Rect ConvertedCorners(const DC* dc, int x0, int y0, int x1, int y1) {
  LogicalToDevice(dc, &x0, &y0);
  LogicalToDevice(dc, &x1, &y1);
  return Rect{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

// Both corners included; top and bottom rows cover the corners, the sides
// the rows from top up to but not including bottom.
// Deliberately a one-column outline keeps its bottom corner (10 pixels), as a one-row one keeps both ends.
void DrawOutline(DC* dc, const Rect& r) {
  dc->rcOutput = Rect{r.left, r.top, r.right + 1, r.bottom + 1};
  DrawingScope drawing(dc);
  if (!drawing) return;
  DrawClippedRun(dc, r.left, r.right, r.top);
  if (r.top != r.bottom) DrawClippedRun(dc, r.left, r.right, r.bottom);
  DrawClippedVLine(dc, r.top, r.bottom, r.left);
  if (r.left != r.right) DrawClippedVLine(dc, r.top, r.bottom, r.right);
}

// Sets a raster operation for one drawing and puts the old one back.
class RopOverride {
 public:
  RopOverride(DC* dc, int rop) : dc_(dc), saved_(dc->rop) { Set(rop); }
  ~RopOverride() { Set(saved_); }
  RopOverride(const RopOverride&) = delete;
  RopOverride& operator=(const RopOverride&) = delete;

 private:
  void Set(int rop) {
    dc_->rop = rop;
    SelectRopOps(dc_);
  }
  DC* dc_;
  int saved_;
};

}  // namespace

}  // namespace gui::dc

using namespace gui::dc;

extern "C" {

void Rectangle(HDC hdc, int x0, int y0, int x1, int y1) {
  LockedDC dc(hdc);
  if (!dc) return;
  const Rect r = ConvertedCorners(dc.get(), x0, y0, x1, y1);
  if (r.left == r.right && r.top == r.bottom) return;
  PreparePen(dc.get(), dc->penColor, 1);
  DrawOutline(dc.get(), r);
}

void FocusRect(HDC hdc, int x0, int y0, int x1, int y1) {
  LockedDC dc(hdc);
  if (!dc) return;
  const Rect r = ConvertedCorners(dc.get(), x0, y0, x1, y1);
  RopOverride xorPen(dc.get(), ROP_XOR);
  if (r.left == r.right && r.top == r.bottom) {
    if (!DrawsSingleDots()) return;
    PreparePen(dc.get(), dc->penColor, 1);
    DrawClippedPixel(dc.get(), r.left, r.top);
    return;
  }
  PreparePen(dc.get(), dc->penColor, 2);
  DrawOutline(dc.get(), r);
  dc->step = 1;
}

void DrawHVDotLine(HDC hdc, int x, int y, int length, BOOL horizontal) {
  if (length < 1) return;
  LockedDC dc(hdc);
  if (!dc) return;
  LogicalToDevice(dc.get(), &x, &y);
  if (length == 1) {
    if ((horizontal ? x : y) % 2 != 0 || !DrawsSingleDots()) return;
    PreparePen(dc.get(), dc->penColor, 1);
    DrawClippedPixel(dc.get(), x, y);
    return;
  }
  PreparePen(dc.get(), dc->penColor, 2);
  dc->rcOutput = horizontal ? Rect{x, y, x + length + 1, y + 2} : Rect{x, y, x + 2, y + length + 1};
  {
    DrawingScope drawing(dc.get());
    if (drawing) {
      if (horizontal) {
        DrawClippedHLine(dc.get(), x, x + length, y);
      } else {
        DrawClippedVLine(dc.get(), y, y + length, x);
      }
    }
  }
  dc->step = 1;  // later solid drawing must not inherit the dots
}

}  // extern "C"
