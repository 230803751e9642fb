// Regions from circles, ellipses and polygons: the shape generators hand
// their spans to AddSpanToClipRgn, which unions one-row rectangles.
#include <algorithm>

#include "gdi/dc/clip_region_internal.h"
#include "gui/fixed_math.h"
#include "gui/polygon.h"

namespace {

struct SpanTarget {
  ClipRgn* region;
  bool ok;
};

void AddSpanToClipRgn(void* context, int x1, int x2, int y) {
  auto* target = static_cast<SpanTarget*>(context);
  if (!target->ok) return;
  const Rect span = {std::min(x1, x2), y, std::max(x1, x2) + 1, y + 1};
  const gui::region::RectRegion single(span);
  target->ok = UnionRegion(target->region, target->region, single.get());
}

bool SetOnePixel(ClipRgn* region, int x, int y) {
  const Rect pixel = {x, y, x + 1, y + 1};
  return SetClipRgn(region, &pixel);
}

}  // namespace

extern "C" {

BOOL InitCircleRegion(ClipRgn* region, int x, int y, int r) {
  EmptyClipRgn(region);
  if (r < 1) return SetOnePixel(region, x, y);
  SpanTarget target = {region, true};
  CircleGenerator(&target, x, y, r, AddSpanToClipRgn);
  if (!target.ok) EmptyClipRgn(region);
  return target.ok;
}

BOOL InitEllipseRegion(ClipRgn* region, int x, int y, int rx, int ry) {
  EmptyClipRgn(region);
  if (rx < 1 || ry < 1) return SetOnePixel(region, x, y);
  SpanTarget target = {region, true};
  EllipseGenerator(&target, x, y, rx, ry, AddSpanToClipRgn);
  if (!target.ok) EmptyClipRgn(region);
  return target.ok;
}

BOOL InitPolygonRegion(ClipRgn* region, const Point* points, int count) {
  EmptyClipRgn(region);
  SpanTarget target = {region, true};
  const bool generated =
      PolygonIsMonotoneVertical(points, count)
          ? MonotoneVerticalPolygonGenerator(&target, points, count, AddSpanToClipRgn)
          : PolygonGenerator(&target, points, count, AddSpanToClipRgn);
  if (!generated || !target.ok) {
    EmptyClipRgn(region);
    return FALSE;
  }
  return TRUE;
}

}  // extern "C"
