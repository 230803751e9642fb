// The zone edge rules, tested in a fixed order so that where the bands of
// two edges overlap near a corner the earlier rule wins.
#include "app/alarmnet/zones/zone_rules.h"

#include <cstdint>

#include "app/alarmnet/zones/zone_geometry.h"

namespace zones {
namespace {

using I64 = int64_t;

bool strictlyBetween(I64 lo, I64 v, I64 hi) { return lo < v && v < hi; }
bool within(I64 lo, I64 v, I64 hi) { return lo <= v && v <= hi; }

}  // namespace

ZoneHit hitZone(const Rect& zone, int px, int py, int tolerance, bool grid) {
  const I64 l = zone.left, t = zone.top, r = zone.right, b = zone.bottom, x = px, y = py, d = tolerance;
  const bool innerX = strictlyBetween(l + d, x, r - d), innerY = strictlyBetween(t + d, y, b - d);
  if (grid && innerX && innerY) return {kCursorMove, ZONE_DRAG_MOVE};
  if (strictlyBetween(l - d, x, l + d)) {
    if (innerY) return {kCursorHorizontal, ZONE_DRAG_LEFT};
    if (within(t, y, t + d)) return {kCursorFallingDiagonal, ZONE_DRAG_TOPLEFT};
    if (within(b - d, y, b)) return {kCursorRisingDiagonal, ZONE_DRAG_BOTTOMLEFT};
  } else if (strictlyBetween(r - d, x, r + d)) {
    if (innerY) return {kCursorHorizontal, ZONE_DRAG_RIGHT};
    if (within(t, y, t + d)) return {kCursorRisingDiagonal, ZONE_DRAG_TOPRIGHT};
    if (within(b - d, y, b)) return {kCursorFallingDiagonal, ZONE_DRAG_BOTTOMRIGHT};
  } else if (!strictlyBetween(t - d, y, t + d) && strictlyBetween(b - d, y, b + d)) {
    if (innerX) return {kCursorVertical, ZONE_DRAG_BOTTOM};
    if (within(r - d, x, r)) return {kCursorFallingDiagonal, ZONE_DRAG_BOTTOMRIGHT};
  } else if (strictlyBetween(t - d, y, t + d)) {
    if (innerX) return {kCursorVertical, ZONE_DRAG_TOP};
    if (within(r - d, x, r)) return {kCursorRisingDiagonal, ZONE_DRAG_TOPRIGHT};
  }
  return {0, 0};
}

}  // namespace zones
