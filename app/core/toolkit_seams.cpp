// Stand-ins for toolkit calls whose areas land separately (dialog items,
// window attributes, live-video areas, cursors). Each answers as the finished
// call would on the default device with no such window open.
#include "app/core/toolkit_calls.h"
#include "gui/app_hooks.h"
#include "gui/display.h"

extern "C" {

WindowHandle GetDlgItem(WindowHandle, int) { return 0; }
LResult SendDlgItemMessage(WindowHandle, int, int, WParam, LParam) { return 0; }
BOOL ShowWindow(WindowHandle, int) { return FALSE; }
WindowHandle SetActiveWindow(WindowHandle) { return 0; }
// Main windows sit at the screen origin.
void ScreenToClient(WindowHandle, int*, int*) {}
void ClientToScreen(WindowHandle, int*, int*) {}

Size* GetScreenExtentEx(int output, Size* size) {
  if (!size) return size;
  getOutputScreenSizeHook(output, size);
  return size;
}

int EnableSwitchDispDev(int flag) { return flag; }
HCURSOR GetSystemCursor(int index) { return static_cast<HCURSOR>(index); }
HCURSOR SetCursorEx(HCURSOR cursor, BOOL) { return cursor; }

}  // extern "C"
