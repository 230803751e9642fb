#include "core/window/window_record.h"

WindowRecord* ValidWindow(WindowHandle hwnd) {
  if (hwnd == 0 || hwnd == GUI_INVALID_HANDLE) return nullptr;
  WindowRecord* win = WindowOf(hwnd);
  return win->dataType == kWindowValid ? win : nullptr;
}

MainWinRecord* MainWindowOf(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  return win ? win->mainWindow : nullptr;
}

bool HasInvalidArea(WindowRecord* win) {
  std::lock_guard<std::mutex> hold(win->invalid.lock);
  return win->invalid.region != nullptr;
}

bool WindowBelongsTo(WindowHandle w, WindowHandle target) {
  if (w == target) return true;
  WindowRecord* win = ValidWindow(w);
  if (!win || win->windowType != kWindowControl) return false;
  for (WindowRecord* up = win->parent; up; up = up->parent)
    if (HandleOf(up) == target) return true;
  return false;
}
