// Main windows made through the real creation call, and the loop of a main
// window that runs on a thread of its own.
#pragma once

#include <cstdint>

#include "gui/message.h"
#include "gui/window.h"

// The creation record of a main window over `frame` (screen coordinates).
inline MainWinCreate MainWindowCreation(Rect frame, WindowProc proc, const char* caption,
                                    uint32_t style = WS_VISIBLE, uint32_t exStyle = 0) {
  MainWinCreate create{};
  create.dwStyle = style;
  create.dwExStyle = exStyle;
  create.spCaption = caption;
  create.MainWindowProc = proc;
  create.lx = frame.left;
  create.ty = frame.top;
  create.rx = frame.right;
  create.by = frame.bottom;
  return create;
}

// A window on its own thread closes by destroying itself and ending its
// loop; true when `msg` was that close.
inline bool DestroyAndQuitOnClose(WindowHandle hwnd, int msg) {
  if (msg != MSG_CLOSE) return false;
  DestroyMainWindow(hwnd);
  PostQuitMessage(hwnd);
  return true;
}

// Dispatches the window's messages until it quits, then frees what its
// thread held for it.
inline void RunMainWindow(WindowHandle hwnd) {
  Message msg;
  while (GetMessage(&msg, hwnd)) DispatchMessage(&msg);
  MainWindowThreadCleanup(hwnd);
}
