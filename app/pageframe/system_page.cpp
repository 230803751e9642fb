// The main window of a page under the system menu: a property sheet, the
// system key hook, and a registration that never outlives the window.
#include "app/app_registry.h"
#include "app/pageframe/page_frame.h"
#include "gui/message.h"
#include "gui/window.h"

namespace pageframe {

LResult runSystemPageWindow(const SystemPage& page, WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  switch (message) {
    case MSG_ERASEBKGND: return 0;
    case MSG_KEYDOWN:
      if (systemPageHook(hwnd, static_cast<int>(wParam), static_cast<int>(lParam)) == 0) return 0;
      break;
    case MSG_DESTROY:
      DestroyAllControls(hwnd);
      // Closed with its menu rather than by 102: no stale registration.
      if (getSystemPageWnd() == hwnd) setSystemPageWnd(GUI_INVALID_HANDLE);
      return 0;
    case MSG_CLOSE: closeMainWindow(hwnd); return 0;
    case MSG_PAINT: return beginEndPaint(hwnd);
    case MSG_INITDIALOG:
      registerSystemPage(hwnd);
      buildSheet(hwnd, page.section, page.pages, page.count);
      return 0;
    default: break;
  }
  return DefaultWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace pageframe
