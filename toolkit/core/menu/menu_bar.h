// Menu bars of main windows: item widths, geometry, drawing and the
// highlight, and the default procedures' entries into menu tracking.
#pragma once

#include "core/menu/menu_records.h"
#include "core/window/window_record.h"

namespace menu {
// Width of an item as a bar lays it out (menu font selected into hdc).
int MeasureBarItem(HDC hdc, const ItemRecord* item);
}  // namespace menu

// The default procedures' calls (screen coordinates): the highlight under
// the pointer, bar tracking at a point or by item, the system menu.
void HighlightMenuBarAt(WindowRecord* win, int x, int y, int hitCode);
void TrackMenuBarAt(WindowRecord* win, int x, int y);
void TrackMenuBarItem(WindowRecord* win, int item);
void OpenSystemMenu(WindowRecord* win, int x, int y);
