// The mouse cursor's part of the drawing bracket. The cursor module installs
// its guard (hide the cursor before drawing under it, show it again and
// flush after); until then drawing only flushes the output rectangle.
#ifndef GDI_DC_DC_CURSOR_H
#define GDI_DC_DC_CURSOR_H

#include "gdi/dc_record.h"

namespace gui::dc {

struct CursorGuardOps {
  // after 0 before drawing, 1 after drawing (which also flushes the DC's
  // output rectangle to its surface).
  void (*guard)(int after, DC* dc);
  // True with the saved screen pixel when (x, y) lies under the shown cursor.
  bool (*pixelUnderCursor)(int x, int y, GalPixel* pixel);
};

// Null restores the default.
void SetCursorGuardOps(const CursorGuardOps* ops);

void GuardCursorForDC(int after, DC* dc);
bool PixelUnderCursor(int x, int y, GalPixel* pixel);
// Whether the drawing in progress may change a pixel of the box: the box
// meets the output rectangle and is not wholly inside its hole.
bool OutputMeets(const DC* dc, const Rect& box);
// Asks the DC's surface to show its output rectangle (GAL_UpdateRect).
void FlushOutputRect(DC* dc);
// Shows what a paint DC drew and has not shown yet (see DC::showOnRelease).
void ShowUnshown(DC* dc);

}  // namespace gui::dc

#endif
