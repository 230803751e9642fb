// The common main window of the record menu's pages.
#include "app/record/record_page_window.h"

#include "app/app_registry.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/window.h"

namespace recordpage {

LResult windowDefault(WindowHandle window, int message, WParam wParam, LParam lParam, const char* section,
                      const pageframe::SheetPage* pages, int count) {
  static const pageframe::PageSlot kRecord{getRecordPageWnd, setRecordPageWnd, recordPageHook};
  return pageframe::sheetWindow(kRecord, section, pages, count, window, message, wParam, lParam);
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
