// Detection-zone geometry in view pixels: the capability's corner rectangle,
// grid steps in pixels, and dragging an edge, a corner or a whole rectangle
// onto whole steps inside the view. All arithmetic is 64-bit so that no
// caller's coordinate wraps.
#include <algorithm>
#include <cstdint>

#include "app/alarmnet/zones/zone_geometry.h"

namespace {

using I64 = int64_t;

int clampToInt(I64 v) { return static_cast<int>(std::clamp<I64>(v, INT32_MIN, INT32_MAX)); }

// Pixel size of `step` picture units across `extent` pixels of `picture`.
I64 stepPixels(uint16_t step, uint16_t picture, I64 extent) {
  if (step < 2 || picture == 0 || extent <= 0) return 1;
  return std::max<I64>(1, I64{step} * extent / picture);
}

// One axis of the view: the places an edge may stop are the whole steps
// from `lo` that lie inside, and `hi` itself.
struct Axis {
  I64 lo, hi, step, min;

  I64 clamp(I64 v) const { return std::clamp(v, lo, hi); }
  I64 atMost(I64 v) const { return v >= hi ? hi : lo + (v - lo) / step * step; }
  I64 atLeast(I64 v) const {
    if (v <= lo) return lo;
    const I64 up = lo + (v - lo + step - 1) / step * step;
    return up > hi ? hi : up;
  }
  // The nearest stop; halfway goes up.
  I64 nearest(I64 v) const {
    v = clamp(v);
    const I64 down = atMost(v), up = atLeast(v);
    return v - down < up - v ? down : up;
  }
  // The high edge towards v with the low edge at `a`; false without room.
  bool moveHigh(I64 a, I64 v, I64* b) const {
    if (a + min > hi) return false;
    *b = std::max(nearest(v), atLeast(a + min));
    return true;
  }
  bool moveLow(I64 b, I64 v, I64* a) const {
    if (b - min < lo) return false;
    *a = std::min(nearest(v), atMost(b - min));
    return true;
  }
  // The whole span [a, b] with its low edge towards v.
  bool moveSpan(I64* a, I64* b, I64 v) const {
    const I64 width = *b - *a;
    if (width > hi - lo) return false;
    const Axis shifted{lo, hi - width, step, 0};
    *a = shifted.nearest(v);
    *b = *a + width;
    return true;
  }
  // The free end of a span being drawn from `a`: on the point's side, at
  // least the minimum away, or back on `a` when the minimum finds no room.
  I64 freeEnd(I64 a, I64 v) const {
    v = clamp(v);
    if (v > a) return a + min > hi ? a : std::max(nearest(v), atLeast(a + min));
    if (v < a) return a - min < lo ? a : std::min(nearest(v), atMost(a - min));
    return a;
  }
};

struct Span {
  I64 a, b;
};

void dragAxis(const Axis& axis, int role, I64 v, I64 offset, Span* s) {
  I64 a = s->a, b = s->b;
  bool ok = true;
  switch (role) {
    case 1: ok = axis.moveHigh(a, v, &b); break;
    case 2: ok = axis.moveLow(b, v, &a); break;
    case 3: ok = axis.moveSpan(&a, &b, v - offset); break;
    case 4: b = axis.freeEnd(a, v); break;
    default: break;
  }
  if (ok) *s = {a, b};
}

// What each mode does on x and on y: 0 nothing, 1 high edge, 2 low edge,
// 3 the whole span, 4 the free end.
constexpr int kRoles[10][2] = {{4, 4}, {1, 0}, {2, 0}, {0, 1}, {0, 2}, {2, 2}, {1, 2}, {2, 1}, {1, 1}, {3, 3}};

}  // namespace

extern "C" {

int zoneCellsToRect(ZoneGrid grid, int* x, int* y, int* w, int* h) {
  if (!x || !y || !w || !h) return -1;
  if (grid.pictureWidth == 0 || grid.pictureHeight == 0) return 0;
  const auto convert = [](int* origin, int* extent, I64 lo, I64 hi, I64 picture) {
    if (hi == 0 || hi > picture) hi = picture;
    const I64 e = std::max<I64>(0, *extent);
    const I64 start = lo * e / picture, end = std::max(lo, hi) * e / picture;
    *origin = clampToInt(I64{*origin} + start);
    *extent = clampToInt(end - start);
  };
  convert(x, w, grid.rowsOrMinX, grid.maxX, grid.pictureWidth);
  convert(y, h, grid.colsOrMinY, grid.maxY, grid.pictureHeight);
  return 0;
}

int getZoneMinSize(ZoneGrid grid, int left, int top, int right, int bottom, int* stepX, int* stepY) {
  if (!stepX || !stepY) return -1;
  *stepX = clampToInt(stepPixels(grid.stepX, grid.pictureWidth, I64{right} - left));
  *stepY = clampToInt(stepPixels(grid.stepY, grid.pictureHeight, I64{bottom} - top));
  return 0;
}

int snapZoneSize(ZoneGrid grid, int left, int top, int right, int bottom, int* width, int* height) {
  if (!width || !height) return -1;
  int sx = 1, sy = 1;
  getZoneMinSize(grid, left, top, right, bottom, &sx, &sy);
  const auto up = [](int v, I64 step) { return clampToInt(v <= 0 ? 0 : (I64{v} + step - 1) / step * step); };
  *width = up(*width, sx);
  *height = up(*height, sy);
  return 0;
}

int dragZoneRect(int mode, int x, int y, int stepX, int stepY, int minWidth, int minHeight, int left, int top,
                 int right, int bottom, const int offsets[4], Rect* rect) {
  if (!rect || mode < ZONE_DRAG_NEW || mode > ZONE_DRAG_MOVE || right < left || bottom < top) return 0;
  const Axis ax{left, right, std::max(stepX, 1), std::max(minWidth, 0)};
  const Axis ay{top, bottom, std::max(stepY, 1), std::max(minHeight, 0)};
  Span sx{rect->left, rect->right}, sy{rect->top, rect->bottom};
  // Only a rectangle being drawn may stand reversed; the others are ordered.
  if (mode != ZONE_DRAG_NEW) {
    if (sx.a > sx.b) std::swap(sx.a, sx.b);
    if (sy.a > sy.b) std::swap(sy.a, sy.b);
  }
  dragAxis(ax, kRoles[mode][0], x, offsets ? offsets[0] : 0, &sx);
  dragAxis(ay, kRoles[mode][1], y, offsets ? offsets[1] : 0, &sy);
  const Rect out{clampToInt(sx.a), clampToInt(sy.a), clampToInt(sx.b), clampToInt(sy.b)};
  const bool changed =
      out.left != rect->left || out.top != rect->top || out.right != rect->right || out.bottom != rect->bottom;
  *rect = out;
  return changed ? 1 : 0;
}

}  // extern "C"
