// MoveTo, LineTo, PolyLineTo and the Bresenham line generator.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "gdi/clipped_spans.h"
#include "gui/dc.h"

namespace gui::dc {
namespace {

// The Bresenham line from a start point, addressed by the number of steps
// along its major axis; the start point is step 0.
class BresenhamLine {
 public:
  BresenhamLine(int x0, int y0, int x1, int y1)
      : x0_(x0), y0_(y0),
        dx_(std::llabs(static_cast<int64_t>(x1) - x0)),
        dy_(std::llabs(static_cast<int64_t>(y1) - y0)),
        sx_(x1 > x0 ? 1 : -1), sy_(y1 > y0 ? 1 : -1), xMajor_(dx_ >= dy_) {}

  int64_t Steps() const { return xMajor_ ? dx_ : dy_; }
  // Step count at which the major coordinate reaches (x, y)'s.
  int64_t StepOf(int x, int y) const {
    return xMajor_ ? (static_cast<int64_t>(x) - x0_) * sx_ : (static_cast<int64_t>(y) - y0_) * sy_;
  }
  Point At(int64_t k) const {
    const int64_t major = xMajor_ ? dx_ : dy_, minor = xMajor_ ? dy_ : dx_;
    const int64_t drift = (major / 2 + k * minor) / major;
    if (xMajor_) return Point{static_cast<int>(x0_ + sx_ * k), static_cast<int>(y0_ + sy_ * drift)};
    return Point{static_cast<int>(x0_ + sx_ * drift), static_cast<int>(y0_ + sy_ * k)};
  }

 private:
  int64_t x0_, y0_, dx_, dy_;
  int sx_, sy_;
  bool xMajor_;
};

bool Inside(const Rect& r, Point p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// Draws the line's steps from..to that fall in `area`.
void DrawSteps(DC* dc, const BresenhamLine& line, int64_t from, int64_t to, const Rect& area) {
  from = std::max<int64_t>(from, 1);
  to = std::min(to, line.Steps());
  for (int64_t k = from; k <= to; ++k) {
    const Point p = line.At(k);
    if (!Inside(area, p)) continue;
    dc->moveTo(dc, p.x, p.y);
    dc->setPixel(dc);
  }
}

// Each rectangle of the region draws the part of the one unclipped line
// that lies in it, so the pieces join without gaps at rectangle edges.
void DrawSlantedLine(DC* dc, int x0, int y0, int x1, int y1) {
  const BresenhamLine line(x0, y0, x1, y1);
  for (const ClipRect* node = dc->effClip.head; node; node = node->next) {
    Rect area;
    if (!IntersectRect(&area, &node->rc, &dc->rcOutput)) continue;
    int cx0 = x0, cy0 = y0, cx1 = x1, cy1 = y1;
    if (!LineClipper(&area, &cx0, &cy0, &cx1, &cy1)) continue;
    const int64_t a = line.StepOf(cx0, cy0), b = line.StepOf(cx1, cy1);
    DrawSteps(dc, line, std::min(a, b) - 2, std::max(a, b) + 2, area);
  }
}

}  // namespace

void LineGenerator(DC* dc, int x1, int y1, int x2, int y2, LinePointCallback) {
  if (x1 == x2) {
    DrawClippedVLine(dc, y1, y2, x1);
    return;
  }
  if (y1 == y2) {
    DrawClippedHLine(dc, x1, x2, y1);
    return;
  }
  const BresenhamLine line(x1, y1, x2, y2);
  for (int64_t k = 1; k <= line.Steps(); ++k) {
    const Point p = line.At(k);
    DrawClippedRun(dc, p.x, p.x, p.y);
  }
}

}  // namespace gui::dc

using namespace gui::dc;

extern "C" {

void MoveTo(HDC hdc, int x, int y) {
  if (DC* dc = DcFromHandle(hdc)) dc->penPos = Point{x, y};
}

void LineTo(HDC hdc, int x, int y) {
  DC* record = DcFromHandle(hdc);
  if (!record) return;
  Point from = record->penPos;
  record->penPos = Point{x, y};
  LockedDC dc(hdc);
  if (!dc) return;
  LogicalToDevice(dc.get(), &from.x, &from.y);
  LogicalToDevice(dc.get(), &x, &y);
  if (from.x == x && from.y == y) return;
  dc->rcOutput = Rect{std::min(from.x, x) - 1, std::min(from.y, y) - 1, std::max(from.x, x) + 1,
                      std::max(from.y, y) + 1};
  PreparePen(dc.get(), dc->penColor, 1);
  DrawingScope drawing(dc.get());
  if (!drawing) return;
  if (from.y == y) {
    DrawClippedHLine(dc.get(), from.x, x, y);
  } else if (from.x == x) {
    DrawClippedVLine(dc.get(), from.y, y, x);
  } else {
    DrawSlantedLine(dc.get(), from.x, from.y, x, y);
  }
}

void PolyLineTo(HDC hdc, const Point* points, int count) {
  if (!points || count < 1) return;
  MoveTo(hdc, points[0].x, points[0].y);
  for (int i = 1; i < count; ++i) LineTo(hdc, points[i].x, points[i].y);
}

}  // extern "C"
