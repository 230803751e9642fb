// Collecting damage in a window's invalid region and asking for a paint:
// the part of invalidation the desktop and the window module need. Erasing
// is not deferred: the window's procedure gets 176 in the calling thread.
#pragma once

#include "core/window/window_record.h"

// Adds a rectangle in client coordinates (null: the whole client area) to
// the window's invalid region, erases when asked (children always), and
// posts 177. False when nothing could be added (painting in progress, a
// transparent control whose rectangle misses its parent).
bool InvalidateWindowArea(WindowRecord* win, const Rect* rect, bool erase);

// A window's own rectangles, read under the lock they are stored under.
struct WindowGeometry {
  Rect window;
  Rect client;
};
WindowGeometry GeometryOf(const WindowRecord* win);

// Window and client rectangles of a window in screen coordinates.
Rect ScreenRectOf(const WindowRecord* win);
Rect ClientScreenRectOf(const WindowRecord* win);

// Stores a window rectangle under the stack lock, where other threads'
// walks read it; the client rectangle follows as the default procedure
// would, until MSG_SIZECHANGED computes it.
void StoreWindowRect(WindowRecord* win, const Rect& rect);

// Calls a window's procedure directly, in the calling thread.
LResult CallProc(WindowRecord* win, int msg, WParam wParam, LParam lParam);
