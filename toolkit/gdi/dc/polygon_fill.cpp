// Filling polygons on a DC with the brush colour through the clipped spans.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

#include "gdi/clipped_spans.h"
#include "gdi/dc/polygon_rows.h"
#include "gui/dc.h"
#include "gui/polygon.h"

namespace gui::dc {

// A copy of the points in screen coordinates and their bounding rectangle
// (corners included); null when memory runs out.
std::unique_ptr<Point[]> ConvertPolygonPoints(const DC* dc, const Point* points, int count,
                                              Rect* bound) {
  std::unique_ptr<Point[]> out(new (std::nothrow) Point[count]);
  if (!out) return nullptr;
  for (int i = 0; i < count; ++i) {
    out[i] = points[i];
    LogicalToDevice(dc, &out[i].x, &out[i].y);
  }
  *bound = Rect{out[0].x, out[0].y, out[0].x, out[0].y};
  for (int i = 1; i < count; ++i) {
    bound->left = std::min(bound->left, out[i].x);
    bound->top = std::min(bound->top, out[i].y);
    bound->right = std::max(bound->right, out[i].x);
    bound->bottom = std::max(bound->bottom, out[i].y);
  }
  return out;
}

namespace {

// One past an inclusive edge, without overflowing at the largest int.
int PastEnd(int edge) { return edge == INT32_MAX ? edge : edge + 1; }

// Generator rows are inclusive runs.
// Deliberately a one-pixel run (an apex row) is drawn: the fill covers what the polygon's region holds.
void FillRun(void* context, int x1, int x2, int y) {
  DrawClippedRun(static_cast<DC*>(context), x1, x2, y);
}

}  // namespace

}  // namespace gui::dc

using namespace gui::dc;

extern "C" {

BOOL FillPolygon(HDC hdc, const Point* points, int count) {
  if (!points || count < 3) return FALSE;
  LockedDC dc(hdc);
  if (!dc) return TRUE;
  const bool monotone = PolygonIsMonotoneVertical(points, count);
  Rect bound;
  std::unique_ptr<Point[]> screen = ConvertPolygonPoints(dc.get(), points, count, &bound);
  if (!screen) return FALSE;
  dc->rcOutput = Rect{bound.left, bound.top, PastEnd(bound.right), PastEnd(bound.bottom)};
  PreparePen(dc.get(), dc->brushColor, 1);
  DrawingScope drawing(dc.get());
  if (!drawing) return TRUE;
  if (bound.left == bound.right) {
    DrawClippedVLine(dc.get(), bound.top, bound.bottom, bound.left);
  } else if (bound.top == bound.bottom) {
    DrawClippedHLine(dc.get(), bound.left, bound.right, bound.top);
  } else {
    // Only the rows the clip leaves: a huge polygon costs its visible part.
    const int first = dc->rcOutput.top, last = dc->rcOutput.bottom - 1;
    const bool done = monotone ? MonotonePolygonRows(dc.get(), screen.get(), count, FillRun, first, last)
                               : PolygonRows(dc.get(), screen.get(), count, FillRun, first, last);
    if (!done) return FALSE;
  }
  return TRUE;
}

}  // extern "C"
