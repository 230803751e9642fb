// The live view settings window: a modeless page beside the system menu
// holding a property sheet with the base and the view page.
#include "app/system/previewset/previewset.h"
#include "app/system_pages.h"

namespace previewset {
namespace {

const pageframe::SheetPage kPages[] = {{"base", basePageProc, nullptr}, {"view", viewPageProc, nullptr}};

const pageframe::PageWindow kPageWindow{kWindow, kPages, pageframe::kSystemSlot};

}  // namespace
}  // namespace previewset

extern "C" int createPreviewSetWindow(WindowHandle host) {
  return pageframe::openWindow<previewset::kPageWindow>(host);
}
