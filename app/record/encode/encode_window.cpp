// The encoding page: a modeless page beside the record menu holding the
// record tab.
#include "app/app_registry.h"
#include "app/page_registry.h"
#include "app/record/encode/encode.h"
#include "app/record/record_window.h"
#include "app/record_pages.h"
#include "gui/message.h"
#include "gui/window.h"

namespace encode {
namespace {

const pageframe::SheetPage kPages[] = {{"record", recordPageProc, nullptr}, {"sub", subPageProc, hasSubStreamTab},
                                       {"snapshot", snapshotPageProc, hasSnapshotTab}};

void buildPage(WindowHandle hwnd) {
  pageState().clear();
  pageframe::buildSheet(hwnd, kSection, kPages, 3);
}

LResult encodeWinProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  return recordpages::windowProc(hwnd, message, wParam, lParam, buildPage);
}

}  // namespace
}  // namespace encode

extern "C" int createEncodeSetWindow(WindowHandle host) {
  const WindowHandle page = pageframe::openPage(encode::kSection, host, encode::encodeWinProc);
  return page == GUI_INVALID_HANDLE ? -1 : 0;
}

extern "C" void registerEncodePages(void) { registerPage(APP_MENU_RECORD, "encodeset", createEncodeSetWindow); }
