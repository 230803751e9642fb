// Which part of a zone a pointer is on: the system cursor it shows and the
// drag mode a press there starts.
#pragma once

#include "gui/common.h"

namespace zones {

// System cursor indexes of the zone edges.
constexpr int kCursorMove = 4, kCursorFallingDiagonal = 5, kCursorRisingDiagonal = 6, kCursorHorizontal = 7,
              kCursorVertical = 8;

struct ZoneHit {
  int cursor;  // 0: the point is on no part of the zone
  int mode;    // ZoneDragMode
};

// The first rule that takes (px, py) for the zone (l, t, r, b) with the edge
// tolerance t; the inside moves the zone only on a grid.
ZoneHit hitZone(const Rect& zone, int px, int py, int tolerance, bool grid);

}  // namespace zones
