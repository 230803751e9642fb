// Where a list view shows a cell, on the screen, so that a test clicks it
// as a hand does. For the list view's own thread.
#pragma once

#include "controls/listview/listview_internal.h"
#include "gui/window_attr.h"

namespace lvtest {

// The centre of the cell of row `row` (index among all rows) in column
// `column`; {-1, -1} when either is not shown.
inline Point CellOnScreen(WindowHandle list, int row, int column) {
  ListViewData* lv = listview::DataOf(list);
  ListViewColumn* c = lv ? listview::Column(lv, column) : nullptr;
  if (!c) return {-1, -1};
  ScrolledData& view = lv->sv.scrdata;
  int first = -1, last = -1;
  for (int y = 0; y < view.visibleHeight; ++y) {
    int cx = 0, cy = y;
    scrolled_visible_to_content(&view, &cx, &cy);
    if (scrollview_is_in_item(&lv->sv, cy, nullptr, nullptr) != row) continue;
    if (first < 0) first = y;
    last = y;
  }
  if (first < 0) return {-1, -1};
  int x = c->x + c->width / 2, unused = 0;
  scrolled_content_to_visible(&view, &x, &unused);
  Point p{x + view.leftMargin, (first + last) / 2 + view.topMargin};
  ClientToScreen(list, &p.x, &p.y);
  return p;
}

// The centre of a column's header cell, on the screen.
inline Point HeaderOnScreen(WindowHandle list, int column) {
  ListViewData* lv = listview::DataOf(list);
  ListViewColumn* c = lv ? listview::Column(lv, column) : nullptr;
  if (!c || lv->headerHeight <= 0) return {-1, -1};
  int x = c->x + c->width / 2, unused = 0;
  scrolled_content_to_visible(&lv->sv.scrdata, &x, &unused);
  Point p{x + lv->sv.scrdata.leftMargin, lv->headerHeight / 2};
  ClientToScreen(list, &p.x, &p.y);
  return p;
}

}  // namespace lvtest
