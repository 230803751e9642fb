// The live view settings window: a modeless page beside the system menu
// holding a property sheet with the base and the view page.
#include "app/app_registry.h"
#include "app/system/previewset/previewset.h"
#include "app/system_pages.h"
#include "gui/message.h"
#include "gui/window.h"

namespace previewset {
namespace {

const pageframe::SheetPage kPages[] = {{"base", basePageProc, nullptr}, {"view", viewPageProc, nullptr}};

void forgetRegistration(WindowHandle hwnd) {
  if (getSystemPageWnd() == hwnd) setSystemPageWnd(GUI_INVALID_HANDLE);
}

LResult previewSetWinProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  switch (message) {
    case MSG_ERASEBKGND: return 0;
    case MSG_KEYDOWN:
      if (systemPageHook(hwnd, static_cast<int>(wParam), static_cast<int>(lParam)) == 0) return 0;
      break;
    case MSG_DESTROY:
      DestroyAllControls(hwnd);
      // Closed with its menu rather than by 102: no stale registration.
      forgetRegistration(hwnd);
      return 0;
    case MSG_CLOSE: closeMainWindow(hwnd); return 0;
    case MSG_PAINT: return beginEndPaint(hwnd);
    case MSG_INITDIALOG:
      registerSystemPage(hwnd);
      pageframe::buildSheet(hwnd, kWindow, kPages, 2);
      return 0;
    default: break;
  }
  return DefaultWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace
}  // namespace previewset

extern "C" int createPreviewSetWindow(WindowHandle host) {
  const WindowHandle page = pageframe::openPage(previewset::kWindow, host, previewset::previewSetWinProc);
  return page == GUI_INVALID_HANDLE ? -1 : 0;
}
