// The input-method and soft-keyboard windows register their handles here
// (through the desktop) so that edits and the desktop can close them.
#pragma once

#include "core/control_support.h"  // ImeWindow, SoftKeyboardWindow
#include "gui/common.h"

void SetImeWindow(WindowHandle hwnd);
void SetSoftKeyboardWindow(WindowHandle hwnd);
