// Which part of a zone the pointer is on, by table: every band and corner,
// the inside with and without a grid, and where bands overlap the rule
// tested first wins.
#include <gtest/gtest.h>

#include "app/alarmnet/zones/zone_geometry.h"
#include "app/alarmnet/zones/zone_rules.h"

namespace {

using zones::hitZone;
using zones::ZoneHit;

constexpr int kMove = 4, kFall = 5, kRise = 6, kHorz = 7, kVert = 8;

TEST(ZoneRules, BandsCornersAndTheirOrder) {
  const Rect wide{100, 100, 200, 180}, tiny{100, 100, 110, 110}, flat{100, 100, 200, 110};
  const struct {
    const char* what;
    Rect zone;
    int x, y;
    bool grid;
    ZoneHit hit;
  } rows[] = {
      {"inside, grid", wide, 150, 140, true, {kMove, ZONE_DRAG_MOVE}},
      {"inside, no grid", wide, 150, 140, false, {0, 0}},
      {"inside next to the left band, grid", wide, 109, 140, true, {kMove, ZONE_DRAG_MOVE}},
      {"left edge", wide, 100, 140, false, {kHorz, ZONE_DRAG_LEFT}},
      {"left band outside", wide, 93, 140, false, {kHorz, ZONE_DRAG_LEFT}},
      {"beyond the left band", wide, 92, 140, false, {0, 0}},
      {"left band, grid: the edge before the inside", wide, 107, 140, true, {kHorz, ZONE_DRAG_LEFT}},
      {"top-left corner", wide, 100, 100, false, {kFall, ZONE_DRAG_TOPLEFT}},
      {"top-left, lowest row of the corner", wide, 100, 108, false, {kFall, ZONE_DRAG_TOPLEFT}},
      {"left edge just below the corner", wide, 100, 109, false, {kHorz, ZONE_DRAG_LEFT}},
      {"left band above the zone", wide, 100, 95, false, {0, 0}},
      {"bottom-left corner", wide, 104, 178, false, {kRise, ZONE_DRAG_BOTTOMLEFT}},
      {"left band below the zone", wide, 100, 185, false, {0, 0}},
      {"right edge", wide, 200, 140, false, {kHorz, ZONE_DRAG_RIGHT}},
      {"top-right corner", wide, 200, 100, false, {kRise, ZONE_DRAG_TOPRIGHT}},
      {"bottom-right corner", wide, 205, 180, false, {kFall, ZONE_DRAG_BOTTOMRIGHT}},
      {"bottom edge", wide, 150, 180, false, {kVert, ZONE_DRAG_BOTTOM}},
      {"bottom band outside", wide, 150, 187, false, {kVert, ZONE_DRAG_BOTTOM}},
      {"bottom band at the right band's edge", wide, 192, 180, false, {kFall, ZONE_DRAG_BOTTOMRIGHT}},
      {"top edge", wide, 150, 100, false, {kVert, ZONE_DRAG_TOP}},
      {"top band outside", wide, 150, 93, false, {kVert, ZONE_DRAG_TOP}},
      {"top band at the right band's edge", wide, 192, 100, false, {kRise, ZONE_DRAG_TOPRIGHT}},
      {"above the top band", wide, 150, 92, false, {0, 0}},
      {"tiny zone: the left rule takes its middle", tiny, 105, 105, true, {kFall, ZONE_DRAG_TOPLEFT}},
      {"tiny zone: right of the left band", tiny, 110, 105, false, {kRise, ZONE_DRAG_TOPRIGHT}},
      {"flat zone: the top band before the bottom band", flat, 150, 104, false, {kVert, ZONE_DRAG_TOP}},
      {"flat zone: below both edges", flat, 150, 115, false, {kVert, ZONE_DRAG_BOTTOM}},
      {"far away", wide, 500, 500, true, {0, 0}},
  };
  for (const auto& row : rows) {
    const ZoneHit hit = hitZone(row.zone, row.x, row.y, 8, row.grid);
    EXPECT_EQ(hit.cursor, row.hit.cursor) << row.what;
    EXPECT_EQ(hit.mode, row.hit.mode) << row.what;
  }
  // Extreme points and tolerances do not wrap.
  EXPECT_EQ(hitZone(wide, INT_MIN, INT_MAX, INT_MAX, true).cursor, 0);
  EXPECT_EQ(hitZone(Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 0, 0, 1, true).mode, ZONE_DRAG_MOVE);
}

}  // namespace
