// Lines of the charts the status pages draw, and the pages' group frames.
#include <vector>

#include "app/control_services.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/display.h"
#include "gui/element.h"
#include "gui/livevideo.h"

extern "C" {

int drawPolyline(HDC hdc, int n, const int* xs, const int* ys) {
  if (n < 2 || !xs || !ys) return -1;
  std::vector<Point> points;
  points.reserve(static_cast<size_t>(n) - 1);
  for (int i = 1; i < n; ++i) points.push_back(Point{xs[i], ys[i]});
  MoveTo(hdc, xs[0], ys[0]);
  PolyLineTo(hdc, points.data(), n - 1);
  return 0;
}

int drawChartLine(HDC hdc, int n, const int* xs, const int* ys, int mode, int close) {
  if (n < 2 || !xs || !ys) return -1;
  if (mode == 2) {
    if (n == 2) DrawBandOutline(hdc, xs[0], ys[0], xs[1], ys[1]);
    return 0;
  }
  if (mode != 0) return 0;
  drawPolyline(hdc, n, xs, ys);
  if (close) LineTo(hdc, xs[0], ys[0]);
  return 0;
}

int drawRoundFrame(HDC hdc, uint32_t exStyle, Rect* rect) {
  if (!rect) return -1;
  int x = rect->left, y = rect->top, w = rect->right - rect->left, h = rect->bottom - rect->top;
  ScaleWindowRect(exStyle, 0, &x, &y, &w, &h);
  *rect = Rect{x, y, x + w, y + h};
  return DrawEditFrame(hdc, 0, exStyle & ~WS_EX_PLACE_MASK, rect, TRUE, TRUE, WinElementColors[WEC_BKC_CONTROL_NORMAL]);
}

}  // extern "C"
