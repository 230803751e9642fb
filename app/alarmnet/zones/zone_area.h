// What the cell grid and the zone editor share: the live picture they are
// drawn over and the page their edits change.
#pragma once

#include "gui/common.h"
#include "gui/message.h"

namespace zones {

// (x, y) on the picture `view`, its edges included.
inline bool inArea(const Rect& view, int x, int y) {
  return x >= view.left && x <= view.right && y >= view.top && y <= view.bottom;
}

// After an edit: the picture is painted anew (erased first when `erase`)
// and the page's Apply lit; nothing without a page.
void markAreaChanged(WindowHandle page, const Rect& view, bool erase);

// The mouse of an area edited by dragging: a press on the picture starts,
// `move` takes the moves, a release of the button (or its stand-in off the
// client area) ends a drag under way; true when the area took the message.
template <class Area>
bool routeAreaMouse(Area& area, int message, int x, int y) {
  switch (message) {
    case MSG_LBUTTONDOWN:
      if (!area.inView(x, y)) return false;
      area.press(x, y);
      return true;
    case MSG_MOUSEMOVE: return area.move(x, y);
    case MSG_LBUTTONUP:
    case MSG_NCLBUTTONUP:
      if (!area.dragging()) return false;
      area.release();
      return true;
    default: return false;
  }
}

}  // namespace zones
