// The common main window of the record menu's pages.
#include "app/record/record_page_window.h"

#include "app/app_registry.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/window.h"

namespace recordpage {
namespace {

void forgetRegistration(WindowHandle window) {
  if (getRecordPageWnd() == window) setRecordPageWnd(GUI_INVALID_HANDLE);
}

}  // namespace

LResult windowDefault(WindowHandle window, int message, WParam wParam, LParam lParam, const char* section,
                      const pageframe::SheetPage* pages, int count) {
  switch (message) {
    case MSG_KEYDOWN:
      if (recordPageHook(window, static_cast<int>(wParam), static_cast<int>(lParam)) == 0) return 0;
      break;
    case MSG_DESTROY:
      DestroyAllControls(window);
      // Closed with its menu rather than by 102: no stale registration.
      forgetRegistration(window);
      return 0;
    case MSG_CLOSE:
      forgetRegistration(window);
      DestroyMainWindow(window);
      MainWindowThreadCleanup(window);
      return 0;
    case MSG_ERASEBKGND: return 0;
    case MSG_PAINT: return beginEndPaint(window);
    case MSG_INITDIALOG:
      setRecordPageWnd(window);
      pageframe::buildSheet(window, section, pages, count);
      return 0;
    default: break;
  }
  return DefaultWindowProc(window, message, wParam, lParam);
}

int open(const char* section, WindowHandle host, WindowProc proc) {
  const WindowHandle page = pageframe::openPage(section, host, proc);
  return !IsValidHandle(page) ? -1 : 0;
}

LResult runDialog(const DialogHooks& hooks, WindowHandle dialog, int message, WParam wParam, LParam lParam) {
  switch (message) {
    case MSG_INITDIALOG: hooks.init(dialog); break;
    case MSG_COMMAND:
      if (hooks.command(dialog, wParam, lParam)) return 0;
      break;
    case MSG_ERASEBKGND: paintDialogBackground(dialog, wParam, lParam); return 0;
    default: break;
  }
  return pageframe::dialogDefault(dialog, message, wParam, lParam);
}

}  // namespace recordpage
