// The walk over the shown records of a popup that the hit test and the
// item redraw share: each record with its count after the first shown one
// (0 for it) and the top of its band, later columns starting again level
// with the first shown record.
#pragma once

#include "core/menu/menu_style.h"
#include "core/menu/tracking.h"

namespace menu {

// Column of a record counted c after the first shown one (0, 1 or 2).
inline int ColumnOf(const ItemRecord* r, int c, int rows) {
  const int columns = ColumnsOf(r);
  if (columns == 1 || c < rows) return 0;
  return columns == 3 && c >= 2 * rows ? 2 : 1;
}

// visit(record, count, top) answers false to stop.
template <typename Visit>
void WalkBands(const TrackingRecord* t, Visit visit) {
  const ItemRecord* first = t->firstShown;
  const int y0 = t->frame.top + Metric(kTopMargin);
  if (!first || !visit(first, 0, y0)) return;
  int y = y0 + first->measure;
  int c = 1;
  for (const ItemRecord* it = ListAfter(first); it; it = it->next, ++c) {
    const int columns = ColumnsOf(it);
    if (columns > 1 && (c == t->rows || (columns == 3 && c == 2 * t->rows))) y = y0;
    if (!visit(it, c, y)) return;
    y += it->measure;
  }
}

}  // namespace menu
