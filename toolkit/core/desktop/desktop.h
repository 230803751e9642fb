// The desktop window and its thread, as the queues and start-up see them.
#pragma once

#include <pthread.h>

#include "core/window/window_record.h"
#include "gui/common.h"

extern "C" WindowHandle __gui_hwnd_desktop;

// The desktop's record; its queue exists while the desktop thread runs.
MainWinRecord* DesktopRecord();
// The desktop thread's queue record, or null before it started.
ThreadMsgInfo* DesktopThreadInfo();
// Makes the calling thread the desktop's: its queue becomes the desktop
// queue. False when the queue cannot be made.
bool BecomeDesktopThread();
void LeaveDesktopThread();

extern "C" {
void* DesktopMain(void* startSemaphore);
LResult DesktopWinProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam);
int GetWindowDisplay(WindowHandle hwnd);
}

// Desktop requests used here.
enum DesktopRequest {
  kDesktopInit = 208,
  kDesktopEnd = 210,
  kDesktopReinit = 211,
  kDesktopBackground = 223,
  kDesktopIdleBroadcast = 323,
  kDesktopTick = 324,
  kDesktopBroadcast = 374,
  kDesktopAddClass = 375,
  kDesktopDeleteClass = 376,
  kDesktopFindClass = 379,
  kDesktopClassInfo = 380,
};
