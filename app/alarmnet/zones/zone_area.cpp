// The repaint and Apply of an edited detection area.
#include "app/alarmnet/zones/zone_area.h"

#include "app/page_frame.h"
#include "gui/paint.h"

namespace zones {

void markAreaChanged(WindowHandle page, const Rect& view, bool erase) {
  if (page == GUI_INVALID_HANDLE) return;
  InvalidateRect(page, &view, erase ? TRUE : FALSE);
  enableApply(page, 0, 0);
}

}  // namespace zones
