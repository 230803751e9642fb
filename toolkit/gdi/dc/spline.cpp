// Cubic Bezier curves drawn as poly-lines of at most 64 points.
#include <cerrno>
#include <cstdint>
#include <vector>

#include "gdi/dc_record.h"
#include "gui/dc.h"
#include "gui/fixed_math.h"

namespace {

constexpr int kMaxSplinePoints = 64;
constexpr int64_t kFixedMax = 0x7FFFFFFF;
constexpr int64_t kFixedMin = -0x7FFFFFFF;  // 0x80000001
constexpr fixed kPointsPerRootLength = 78643;  // 1.2 in 16.16

fixed SaturateFixed(int64_t v) {
  if (v > kFixedMax) {
    errno = ERANGE;
    return static_cast<fixed>(kFixedMax);
  }
  if (v < kFixedMin) {
    errno = ERANGE;
    return static_cast<fixed>(kFixedMin);
  }
  return static_cast<fixed>(v);
}

fixed LegLength(Point a, Point b) {
  const int64_t dx = static_cast<int64_t>(b.x) - a.x, dy = static_cast<int64_t>(b.y) - a.y;
  const int64_t squared = dx * dx + dy * dy;
  // Beyond 16.16 range: saturate without shifting into the sign bit.
  const fixed inFixed = squared > (kFixedMax >> 16) ? SaturateFixed(kFixedMax + 1)
                                                    : SaturateFixed(squared << 16);
  return fixsqrt(inFixed);
}

int SplinePointCount(const Point p[4]) {
  int64_t total = 0;
  for (int i = 0; i < 3; ++i) total += LegLength(p[i], p[i + 1]);
  const fixed length = SaturateFixed(total);
  const int64_t scaled = static_cast<int64_t>(fixsqrt(length)) * kPointsPerRootLength;
  const int64_t n = (scaled + (int64_t{1} << 31)) >> 32;  // 16.16 product, rounded half up
  return static_cast<int>(n > kMaxSplinePoints ? kMaxSplinePoints : n);
}

// n points of the curve by forward differencing, the first one P0.
std::vector<Point> SplinePoints(const Point p[4], int n) {
  std::vector<Point> out;
  const double h = 1.0 / (n - 1);
  const double h2 = h * h, h3 = h2 * h;
  double f[2], d1[2], d2[2], d3[2];
  for (int axis = 0; axis < 2; ++axis) {
    auto c = [&](int i) { return static_cast<double>(axis == 0 ? p[i].x : p[i].y); };
    const double a = -c(0) + 3 * c(1) - 3 * c(2) + c(3);
    const double b = 3 * c(0) - 6 * c(1) + 3 * c(2);
    const double cc = -3 * c(0) + 3 * c(1);
    f[axis] = c(0);
    d1[axis] = a * h3 + b * h2 + cc * h;
    d2[axis] = 6 * a * h3 + 2 * b * h2;
    d3[axis] = 6 * a * h3;
  }
  for (int i = 0; i < n; ++i) {
    out.push_back(Point{static_cast<int>(f[0] + 0.5), static_cast<int>(f[1] + 0.5)});
    for (int axis = 0; axis < 2; ++axis) {
      f[axis] += d1[axis];
      d1[axis] += d2[axis];
      d2[axis] += d3[axis];
    }
  }
  return out;
}

// How many of a segment's two ends LineTo draws at `end`: a slanted or
// horizontal segment draws its end point, a vertical one only going up
// (it covers rows min..max-1).
int DrawsEnd(Point from, Point to) {
  if (from.x == to.x && from.y == to.y) return 0;
  if (from.x == to.x) return to.y < from.y ? 1 : 0;
  return 1;
}

// Whether a segment draws its start point: horizontal ones and vertical
// ones going down.
int DrawsStart(Point from, Point to) {
  if (from.x == to.x && from.y == to.y) return 0;
  if (from.y == to.y) return 1;
  if (from.x == to.x) return to.y > from.y ? 1 : 0;
  return 0;
}

// Under xor a joint drawn by both segments (or by neither) would not show:
// one more pixel makes the count odd.
void RestoreXorJoints(HDC hdc, const DC* dc, const std::vector<Point>& curve) {
  std::vector<Point> device = curve;
  for (Point& p : device) gui::dc::LogicalToDevice(dc, &p.x, &p.y);
  const size_t last = device.size() - 1;
  for (size_t i = 1; i <= last; ++i) {
    int times = DrawsEnd(device[i - 1], device[i]);
    if (i < last) times += DrawsStart(device[i], device[i + 1]);
    if (times % 2 == 0) SetPixel(hdc, curve[i].x, curve[i].y, dc->penColor);
  }
}

}  // namespace

extern "C" {

void SplineTo(HDC hdc, const Point points[4]) {
  DC* dc = gui::dc::DcFromHandle(hdc);
  if (!dc || !points) return;
  const int n = SplinePointCount(points);
  if (n < 2) return;
  const std::vector<Point> curve = SplinePoints(points, n);
  MoveTo(hdc, curve[0].x, curve[0].y);
  for (int i = 1; i < n; ++i) LineTo(hdc, curve[i].x, curve[i].y);
  if (dc->rop == ROP_XOR) RestoreXorJoints(hdc, dc, curve);
}

}  // extern "C"
