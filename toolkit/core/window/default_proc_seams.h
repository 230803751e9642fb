// Calls the default procedures and the painting code make into areas that
// are built separately: cursors and boxes filled through a DC. Each does the
// least the finished call would (no cursor) and is replaced by the real call when
// its area lands. The headers below are the real calls that replaced the
// earlier stand-ins.
#pragma once

#include "core/nonclient/frame.h"
#include "core/nonclient/hit_test.h"
#include "core/nonclient/nc_paint.h"
#include "core/nonclient/scroll_track.h"
#include "core/caret/caret.h"
#include "core/cursor/system_cursor.h"
#include "core/livevideo/areas.h"
#include "core/menu/menu_bar.h"
#include "core/window/window_record.h"

// The pointer position in screen coordinates, as the last raw mouse message
// a window received gave it.
void NoteCursorPosition(int x, int y);
void CursorPosition(int* x, int* y);


// Moves a window (MoveWindow) and captures the mouse for a window (0
// releases it; SetCapture).
void MoveWindowTo(WindowHandle hwnd, const Rect& rect, bool repaint);
void CaptureMouse(WindowHandle hwnd);

// Fills a rectangle (DC coordinates) with a pixel through the DC's clip.
void FillWithPixel(HDC hdc, const Rect& rect, GalPixel pixel);
