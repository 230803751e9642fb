// The message a held button repeats (window, message, wParam, lParam; all 0
// when unset). Set by controls, read by the main windows on the desktop's
// periodic broadcast and by the idle-tick policy.
#pragma once

#include "gui/message.h"

Message AutoRepeatMessage();
bool AutoRepeatIsSet();
// Clears the record when it belongs to the window or one of its controls.
void ClearAutoRepeatOf(WindowHandle hwnd);
