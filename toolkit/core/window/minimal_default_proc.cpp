#include "core/window/minimal_default_proc.h"

#include "core/desktop/zorder.h"
#include "core/window/window_record.h"
#include "gui/window.h"

LResult MinimalWindowProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win) return 0;
  switch (msg) {
    case MSG_SIZECHANGING:
      if (wParam && lParam) *reinterpret_cast<Rect*>(lParam) = *reinterpret_cast<const Rect*>(wParam);
      return 0;
    case MSG_SIZECHANGED: {
      StackWriteLock hold;  // other threads read rectangles during their walks
      if (wParam) win->window = *reinterpret_cast<const Rect*>(wParam);
      win->client = win->window;
      return 0;
    }
    case MSG_PAINT: {
      std::lock_guard<std::mutex> hold(win->invalid.lock);
      EmptyClipRgn(&win->invalid.region);
      return 0;
    }
    default:
      return 0;
  }
}
