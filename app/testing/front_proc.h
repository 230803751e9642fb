// A test's procedure put in front of a main window's own. The own one is
// noted before the swap, and kept after it is given back: the desktop thread
// calls a main window's procedure too (to draw its frame, to erase it), at
// any moment, so a front procedure must find the own one from its first
// call to its last.
#pragma once

#include <map>
#include <mutex>

#include "gui/window.h"
#include "gui/window_attr.h"

namespace frontproc {

inline std::mutex& Lock() {
  static std::mutex lock;
  return lock;
}

inline std::map<WindowHandle, WindowProc>& Owns() {
  static std::map<WindowHandle, WindowProc> owns;
  return owns;
}

// The window's own procedure, as it was when `front` went in front of it.
inline WindowProc OwnOf(WindowHandle hwnd) {
  std::lock_guard<std::mutex> hold(Lock());
  auto it = Owns().find(hwnd);
  return it != Owns().end() ? it->second : DefaultMainWinProc;
}

inline void PutInFront(WindowHandle hwnd, WindowProc front) {
  const WindowProc own = GetWindowCallbackProc(hwnd);
  if (own == front) return;  // already in front
  {
    std::lock_guard<std::mutex> hold(Lock());
    Owns()[hwnd] = own;
  }
  SetWindowCallbackProc(hwnd, front);
}

inline void GiveBack(WindowHandle hwnd, WindowProc front) {
  if (IsWindow(hwnd) && GetWindowCallbackProc(hwnd) == front) SetWindowCallbackProc(hwnd, OwnOf(hwnd));
}

}  // namespace frontproc
