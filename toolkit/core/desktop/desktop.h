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
