// Backgrounds the menus draw alike.
#pragma once

#include <functional>

#include "gui/bitmap.h"
#include "gui/common.h"

namespace menus {

// Runs `draw` on the DC of an erase-background message (a client DC of its
// own when none is given) with the client size; the rectangle of lParam, in
// screen coordinates, becomes the clip.
void eraseMenu(WindowHandle hwnd, WParam wParam, LParam lParam, const std::function<void(HDC, int w, int h)>& draw);

// The title bar across the width from a three-part skin (none when null),
// and a strip of `stripHeight` at the bottom in the tip line's colour.
void drawTitleAndTipStrip(HDC hdc, int w, int h, const Bitmap* title, int stripHeight);

// The height of ("mainmenu", "tipinfo"), 0 without that item.
int tipStripHeight();

}  // namespace menus
