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

// Desktop requests used inside the toolkit.
enum DesktopRequest {
  kDesktopInit = 208,
  kDesktopEnd = 210,
  kDesktopReinit = 211,
  kDesktopReturnToPreview = 212,
  kDesktopBackground = 223,
  kDesktopIdleBroadcast = 323,
  kDesktopTick = 324,
  kDesktopBroadcast = 374,
  kDesktopAddClass = 375,
  kDesktopDeleteClass = 376,
  kDesktopAddControl = 377,
  kDesktopRemoveControl = 378,
  kDesktopFindClass = 379,
  kDesktopClassInfo = 380,
};
