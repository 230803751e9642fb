// The S.M.A.R.T. window beside the maintenance menu: the S.M.A.R.T. page
// when a local disk exists, the bad-sector page when a disk can be checked.
// Its polls end with it, however it closes.
#include <string>

#include "app/app_registry.h"
#include "app/device_ability.h"
#include "app/page_registry.h"
#include "app/record/disks/disks.h"
#include "app/record_services.h"
#include "app/storage_pages.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/propsheet.h"
#include "gui/window.h"

namespace disks {
namespace {

constexpr int kCheckPageIndex = 1;

bool localDiskPresent() { return hasLocalDisk() != 0; }

const pageframe::SheetPage kPages[] = {{"smart", smartPageProc, localDiskPresent}};

WindowHandle sheetOf(WindowHandle window) { return GetDlgItem(window, PAGE_ID_SHEET); }

// The bad-sector page takes its record from this window's section under
// the disk check's own key.
void addCheckPage(WindowHandle window) {
  WindowHandle sheet = sheetOf(window);
  const CtrlResInfo* r = pageframe::record(kSmartSection, "tab_disk_detect_badtrack");
  if (!IsValidHandle(sheet) || !r || !hasDetectableDisk()) return;
  DlgTemplate tmpl{};
  tmpl.caption = r->caption ? r->caption : "";
  tmpl.dwAddData = static_cast<LParam>(window);
  SendMessage(sheet, PSM_ADDPAGE, reinterpret_cast<WParam>(&tmpl), reinterpret_cast<LParam>(diskCheckPageProc));
  SendMessage(sheet, PSM_SETACTIVEINDEX, 0, 0);
}

WindowHandle page(WindowHandle window, int index) {
  return static_cast<WindowHandle>(SendMessage(sheetOf(window), PSM_GETPAGE, static_cast<WParam>(index), 0));
}

// The pages by what they are, whichever of them the sheet holds.
void stopPolls(WindowHandle window) {
  const int count = static_cast<int>(SendMessage(sheetOf(window), PSM_GETPAGECOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const WindowHandle p = page(window, i);
    if (!IsValidHandle(p)) continue;
    stopSmartPagePoll(p);
    if (hasDiskDetect()) stopDiskCheckPoll(getMainOutput(), p);
  }
}

bool windowMessage(WindowHandle hwnd, int message, WParam wParam, LParam, LResult* answer) {
  switch (message) {
    case MSG_INITDIALOG: loadSmartBitmaps(); return false;
    case MSG_COMMAND:
      if (pageframe::idOf(wParam) != PAGE_ID_SHEET || pageframe::codeOf(wParam) != PSN_ACTIVE_CHANGED ||
          SendMessage(sheetOf(hwnd), PSM_GETACTIVEINDEX, 0, 0) != kCheckPageIndex)
        return false;
      resetDiskCheckGrid();
      InvalidateRect(page(hwnd, kCheckPageIndex), nullptr, TRUE);
      *answer = 0;
      return true;
    case MSG_CLOSE:
    case MSG_DESTROY: stopPolls(hwnd); return false;
    default: return false;
  }
}

void afterDefault(WindowHandle hwnd, int message, WParam, LParam) {
  if (message == MSG_INITDIALOG) addCheckPage(hwnd);
}

const pageframe::PageWindow kWindow{kSmartSection, kPages, pageframe::kMaintenanceSlot, windowMessage, afterDefault};

}  // namespace
}  // namespace disks

extern "C" int createDiskSmartInfoWindow(WindowHandle host) {
  return pageframe::openWindow<disks::kWindow>(host);
}
