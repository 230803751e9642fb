// The pieces of the default main-window procedure, one per message range,
// kept in files of their own. Each takes a valid window record.
#pragma once

#include "core/window/child_walk.h"
#include "core/window/window_record.h"

// 225..233: the desktop's raw mouse input into client and non-client
// messages.
LResult HandleRawMouse(WindowRecord* win, int msg, WParam wParam, LParam lParam);
// 1..9: client mouse input routed to the child controls.
LResult HandleClientMouse(WindowRecord* win, int msg, WParam wParam, LParam lParam);
// 10..17: non-client mouse input (scroll bars, caption, menu bar).
LResult HandleNonClientMouse(WindowRecord* win, int msg, WParam wParam, LParam lParam);
// 160..207: erase, paint and non-client paint.
LResult HandlePaintMessage(WindowRecord* win, int msg, WParam wParam, LParam lParam);

// The child of a window at a point in its client coordinates, and the hit
// code there; null when there is none. The child's record is not freed
// while `walk` lives.
WindowRecord* ChildAtPoint(const ChildWalk& walk, WindowRecord* win, int x, int y, int* hitCode);

// The pointer position in screen coordinates, as the last raw mouse message
// a window received gave it.
void NoteCursorPosition(int x, int y);
void CursorPosition(int* x, int* y);

// Whether the soft keyboard is registered and shown.
bool SoftKeyboardShown();
// The bubble-tip window, or 0.
WindowHandle BubbleTip();

// Packed positions: x in the low 16 bits, y in the next 16, both signed.
inline LParam PackPoint(int x, int y) {
  return static_cast<LParam>((static_cast<uint32_t>(y & 0xFFFF) << 16) | static_cast<uint32_t>(x & 0xFFFF));
}
inline int PointX(LParam l) { return static_cast<int16_t>(l & 0xFFFF); }
inline int PointY(LParam l) { return static_cast<int16_t>((l >> 16) & 0xFFFF); }
