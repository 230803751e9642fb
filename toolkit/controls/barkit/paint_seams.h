// The shared control painters these controls call (background erasers,
// the three-part bitmap box, the edit frame, the 3D control frame). Until
// the painters are part of the toolkit these answer with plain fills.
#pragma once

#include "gui/bitmap.h"
#include "gui/common.h"

namespace barkit::seam {

int EraseTwoTone(WindowHandle hwnd, HDC hdc, const Rect* clip);
int EraseTwoToneCaret(WindowHandle hwnd, HDC hdc, const Rect* clip);
int EraseTrack(WindowHandle hwnd, HDC hdc, const Rect* clip);
int EraseEditFrame(WindowHandle hwnd, HDC hdc, const Rect* clip);
int DrawBoxCombine(HDC hdc, const Rect* rect, const Bitmap* bitmap);
int DrawEditFrame(HDC hdc, uint32_t style, uint32_t corners, const Rect* rect, GalPixel fill);
void Draw3DControlFrame(HDC hdc, WindowHandle hwnd, int x0, int y0, int x1, int y1, GalPixel fill);

}  // namespace barkit::seam
