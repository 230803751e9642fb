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

LResult previewSetWinProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  static const pageframe::SystemPage kPage{kWindow, kPages, 2};
  return pageframe::runSystemPageWindow(kPage, hwnd, message, wParam, lParam);
}

}  // namespace
}  // namespace previewset

extern "C" int createPreviewSetWindow(WindowHandle host) {
  const WindowHandle page = pageframe::openPage(previewset::kWindow, host, previewset::previewSetWinProc);
  return page == GUI_INVALID_HANDLE ? -1 : 0;
}
