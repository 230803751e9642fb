// The bracket around every drawing operation: the display's GDI lock, then
// the cursor guard; the flush of the output rectangle when it ends.
#include "gdi/dc_cursor.h"
#include "gdi/dc_record.h"

namespace gui::dc {

int BeginDCDrawing(DC* dc) {
  if (!IntersectRect(&dc->rcOutput, &dc->rcOutput, &dc->effClip.rcBound)) {
    dc->rcOutputHole = Rect{};
    return -1;
  }
  BeginDCDrawingUnclipped(dc);
  return 0;
}

// The geometry is read under the display lock: a mode change swaps the
// frame buffer under the same lock.
void BeginDCDrawingUnclipped(DC* dc) {
  const int display = GetDCDisplay(dc);
  std::mutex* lock = &GdiLockOfDisplay(display);
  lock->lock();
  RefreshDCGeometryOf(dc, display);
  dc->heldLock = lock;
  dc->heldDisplay = display;
  if (dc->dcType != kMemoryDC) GuardCursorForDC(0, dc);
}

void EndDCDrawing(DC* dc) {
  if (dc->dcType != kMemoryDC) GuardCursorForDC(1, dc);
  dc->rcOutputHole = Rect{};
  std::mutex* lock = dc->heldLock;
  dc->heldLock = nullptr;
  if (lock) lock->unlock();
}

}  // namespace gui::dc
