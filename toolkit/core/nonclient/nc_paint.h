// Drawing of the frame, caption and scroll bars (MSG_NCPAINT).
#pragma once

#include "core/window/window_record.h"

// hdc 0: the window's own DC; clip in window coordinates, or null.
void DrawNonClientArea(WindowRecord* win, HDC hdc, const Rect* clip);
void RedrawCaptionBar(WindowRecord* win, bool active);
// Asks the window to repaint a part of its frame (record coordinates).
void RepaintFramePart(WindowRecord* win, const Rect& part);
