// Scroll-bar share of a window's non-client mouse input.
#pragma once

#include "core/window/window_record.h"

// True when the bars consumed the message (position on the screen).
bool ScrollBarsTakeMouse(WindowRecord* win, int msg, int hitCode, LParam lParam);
// Ends tracking on a window that goes.
void ForgetScrollTrackingOf(WindowHandle hwnd);
