// Window attribute calls the toolkit makes with C++ arguments.
#pragma once

#include "gui/common.h"

// Moves a window (MoveWindow) and captures the mouse for a window (0
// releases it; SetCapture).
void MoveWindowTo(WindowHandle hwnd, const Rect& rect, bool repaint);
void CaptureMouse(WindowHandle hwnd);
