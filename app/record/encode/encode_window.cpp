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

const pageframe::SheetPage kPages[] = {{"record", recordPageProc, nullptr}, {"sub", subPageProc, hasSubStreamTab},
                                       {"snapshot", snapshotPageProc, hasSnapshotTab}};
const pageframe::PageWindow kWindow{kSection, kPages, pageframe::kRecordSlot};

LResult encodeWinProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  if (message == MSG_INITDIALOG) pageState().clear();
  return pageframe::windowDefault(kWindow, hwnd, message, wParam, lParam);
}

}  // namespace
}  // namespace encode

extern "C" int createEncodeSetWindow(WindowHandle host) {
  return pageframe::openWindow(encode::kSection, host, encode::encodeWinProc);
}

extern "C" void registerEncodePages(void) { registerPage(APP_MENU_RECORD, "encodeset", createEncodeSetWindow); }
