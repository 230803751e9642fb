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

bool windowMessage(WindowHandle, int message, WParam, LParam, LResult*) {
  if (message == MSG_INITDIALOG) pageState().clear();
  return false;
}

const pageframe::PageWindow kWindow{kSection, kPages, pageframe::kRecordSlot, windowMessage};

}  // namespace
}  // namespace encode

extern "C" int createEncodeSetWindow(WindowHandle host) {
  return pageframe::openWindow<encode::kWindow>(host);
}

extern "C" void registerEncodePages(void) { registerPage(APP_MENU_RECORD, "encodeset", createEncodeSetWindow); }
