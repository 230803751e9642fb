// The process-wide records of non-client mouse handling: the control that
// captured the mouse on a non-client part (with its main window) and the
// caption-button press. Each is guarded by a mutex of its own, so window
// threads and destruction may read and clear them at any time.
#pragma once

#include "gui/common.h"

struct NonClientCapture {
  WindowHandle control = 0;
  WindowHandle main = 0;
};

NonClientCapture CurrentNonClientCapture();
void SetNonClientCapture(WindowHandle control, WindowHandle main);
void ClearNonClientCapture();

// Pressed hit code and the hit code under the pointer; both 0 when idle.
struct CaptionPress {
  int pressed = 0;
  int current = 0;
};

CaptionPress CurrentCaptionPress();
// Ends a press, as the end of scroll-bar tracking does.
void ClearCaptionPress();

// Forgets the records that name the window or one of its controls (called
// when it is destroyed); a capture they held is released.
void ForgetNonClientStateOf(WindowHandle hwnd);
