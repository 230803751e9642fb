// What the scroll window and container take from the page procedures of
// the painters, which are built separately.
#pragma once

#include "gui/common.h"

namespace scrollwnd {

// The dialog-like key handling of pages and containers.
LResult ContainerDialogDefault(WindowHandle hwnd, int message, WParam wParam, LParam lParam);
// Erases a control's background in its background colour.
void EraseBackground(WindowHandle hwnd, HDC hdc, const Rect* clip);

}  // namespace scrollwnd
