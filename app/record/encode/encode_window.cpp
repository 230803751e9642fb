// The encoding page: a modeless page beside the record menu holding the
// record tab.
#include "app/app_registry.h"
#include "app/page_registry.h"
#include "app/record/encode/encode.h"
#include "app/record_pages.h"
#include "gui/message.h"
#include "gui/window.h"

namespace encode {
namespace {

const pageframe::SheetPage kPages[] = {{"record", recordPageProc, nullptr}};

LResult encodeWinProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  switch (message) {
    case MSG_ERASEBKGND: return 0;
    case MSG_KEYDOWN:
      if (recordPageHook(hwnd, static_cast<int>(wParam), static_cast<int>(lParam)) == 0) return 0;
      break;
    case MSG_DESTROY:
      DestroyAllControls(hwnd);
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
      pageState().clear();
      pageframe::buildSheet(hwnd, kSection, kPages, 1);
      return 0;
    default: break;
  }
  return DefaultWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace
}  // namespace encode

extern "C" int createEncodeSetWindow(WindowHandle host) {
  const WindowHandle page = pageframe::openPage(encode::kSection, host, encode::encodeWinProc);
  return page == GUI_INVALID_HANDLE ? -1 : 0;
}

extern "C" void registerEncodePages(void) { registerPage(APP_MENU_RECORD, "encodeset", createEncodeSetWindow); }
