// The desktop window and its thread, as the queues, start-up and the window
// module see them.
#pragma once

#include <pthread.h>

#include "core/window/window_record.h"
#include "gui/common.h"
#include "gui/desktop.h"

extern "C" WindowHandle __gui_hwnd_desktop;

// The desktop's record; its queue exists while the desktop thread runs.
MainWinRecord* DesktopRecord();
// The desktop thread's queue record, or null before it started.
ThreadMsgInfo* DesktopThreadInfo();
// Makes the calling thread the desktop's: its queue becomes the desktop
// queue. False when the queue cannot be made.
bool BecomeDesktopThread();
void LeaveDesktopThread();
bool OnDesktopThread();

// The window whose caret the desktop's tick blinks. Set and cleared on the
// caret's own thread without a request: each edit of a page makes its caret
// as it is made, and a round trip each cost the page frames. The desktop
// clears it too when the window goes.
void SetCaretWindow(WindowHandle hwnd, unsigned period);
// Clears it only when it is hwnd.
void ClearCaretWindow(WindowHandle hwnd);
