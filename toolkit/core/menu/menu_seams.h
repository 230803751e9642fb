// Drawing calls the popups make into the control foundation, which is
// built separately. Each stand-in draws what the finished call draws on
// the default skin and is replaced by it when that area lands.
#pragma once

#include "gui/bitmap.h"
#include "gui/common.h"

extern "C" {
// A two-pixel 3D frame; flag 0x10 fills the inside with the fill colour.
void Draw3DThickFrameEx(HDC hdc, WindowHandle reserved, int left, int top, int right, int bottom, uint32_t flags,
                        GalPixel fill);
// The bitmap at the rectangle's top-left corner, as wide as the rectangle
// and as high as the bitmap (three-part fill); -1 without either.
int DrawBoxWithBitmapCombine(HDC hdc, const Rect* rect, const Bitmap* bitmap);
}
