// Invalidation inside the toolkit: adding damage to a window without
// posting, and the dirty screen rectangle the preview window's damage
// accumulates in.
#pragma once

#include "core/window/window_record.h"

// Adds damage (client coordinates; null: everything) to a main window or a
// control and its visible children, erasing as described in paint.h. False
// while the window is painting or for a window of another kind.
bool AddDamage(WindowRecord* win, const Rect* rect, bool erase);

// Whether the calling thread is the one the window's messages go to.
bool OnOwnThread(const WindowRecord* win);

// The damage of InvalidateRect on a window record (see gui/paint.h).
bool InvalidateWindow(WindowRecord* win, const Rect* rect, bool erase);

// Bounding union, in screen coordinates, of the area invalidated on the
// preview window since the last reset; empty when reset.
Rect DirtyScreenRect();
void ResetDirtyScreenRect();

// Before the calling thread draws a control of its own at once: the frame
// and erase it and its ancestors owe to another thread's damage are paid,
// outermost first.
constexpr int kMaxOwedDepth = 32;
void PayOwedErase(WindowRecord* ctl);
