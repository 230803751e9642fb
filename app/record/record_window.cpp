#include "app/record/record_window.h"

#include "app/app_registry.h"
#include "app/page_frame.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/window.h"

namespace recordpages {

LResult windowProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam, void (*init)(WindowHandle)) {
  switch (message) {
    case MSG_ERASEBKGND: return 0;
    case MSG_KEYDOWN:
      if (recordPageHook(hwnd, static_cast<int>(wParam), static_cast<int>(lParam)) == 0) return 0;
      break;
    case MSG_DESTROY:
      DestroyAllControls(hwnd);
      // Closed with its menu rather than by 102: no stale registration.
      if (getRecordPageWnd() == hwnd) setRecordPageWnd(GUI_INVALID_HANDLE);
      return 0;
    case MSG_CLOSE:
      setRecordPageWnd(GUI_INVALID_HANDLE);
      DestroyMainWindow(hwnd);
      MainWindowThreadCleanup(hwnd);
      return 0;
    case MSG_PAINT: return beginEndPaint(hwnd);
    case MSG_INITDIALOG:
      setRecordPageWnd(hwnd);
      init(hwnd);
      return 0;
    default: break;
  }
  return DefaultWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace recordpages
