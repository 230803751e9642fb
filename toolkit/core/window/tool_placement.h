// Placing the soft keyboard and the input-method window beside the control
// that wants them, and hiding them.
#pragma once

#include "core/window/window_record.h"

// Opens the soft keyboard below the control (left edge leftOffset pixels
// left of the control's) when show is set and the control wants it, else
// closes it.
void PlaceSoftKeyboard(WindowRecord* control, bool show, int leftOffset);
// Opens the input-method window above the control when show is set and the
// control wants it, else closes it.
void PlaceIme(WindowRecord* control, bool show);
// True for the soft keyboard's and the input method's own windows: presses
// on them are typing, not a press beside the edit they serve.
bool IsInputToolWindow(WindowHandle hwnd);
// Closes both for the window.
void HideInputTools(WindowRecord* win);
