// Small drawing steps the painters and controls share.
#pragma once

#include <initializer_list>

#include "gui/bitmap.h"
#include "gui/common.h"

namespace painters {

// A pen path: from the first point (not drawn) through the others.
void Path(HDC hdc, GalPixel pen, std::initializer_list<Point> points);
// Outline with both corners included.
void Outline(HDC hdc, GalPixel pen, int l, int t, int r, int b);
// A box in the given brush colour.
void Fill(HDC hdc, GalPixel brush, int x, int y, int w, int h);
// The pixels DrawBoxWithBitmapCombine would draw, only where the box meets
// `limit` (DC coordinates): a small repaint of a long box skips the pieces
// it would clip away.
void DrawBoxWithBitmapCombineWithin(HDC hdc, const Rect& box, const Bitmap* bitmap, const Rect& limit);

}  // namespace painters
