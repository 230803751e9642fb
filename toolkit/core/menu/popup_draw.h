// Drawing steps shared by the full, the scrolled and the
// one-item drawings.
#pragma once

#include "core/menu/tracking.h"

namespace menu {

bool IsTextRecord(const ItemRecord* r);
bool IsBitmapRecord(const ItemRecord* r);
// The mark left of an item's text: a bitmap-and-text record's own bitmap,
// else the dot or check of a checked item; null when none.
const Bitmap* MarkOf(const ItemRecord* r, bool highlighted);
// The sub-menu arrow at the right edge (right: frame or column right).
void DrawSubMenuArrow(const ItemRecord* r, int right, int y, bool highlighted);
// Two lines across a separator's band.
void DrawSeparator(int x0, int right, int y, int h);
// A head's text at textX with its two lines below, from x0.
void DrawHeadText(const ItemRecord* r, int x0, int textX, int right, int y);
// Box scaled to a bitmap's place; nothing without the bitmap.
void PutBitmap(const Bitmap* b, int x, int y, int w, int h);
// Column width of a record in a frame of that width.
int ColumnWidth(const ItemRecord* r, int frameWidth);

}  // namespace menu
