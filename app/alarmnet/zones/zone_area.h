// What the cell grid and the zone editor share: the live picture they are
// drawn over and the page their edits change.
#pragma once

#include "gui/common.h"

namespace zones {

// (x, y) on the picture `view`, its edges included.
inline bool inArea(const Rect& view, int x, int y) {
  return x >= view.left && x <= view.right && y >= view.top && y <= view.bottom;
}

// After an edit: the picture is painted anew (erased first when `erase`)
// and the page's Apply lit; nothing without a page.
void markAreaChanged(WindowHandle page, const Rect& view, bool erase);

}  // namespace zones
