// The advanced disk settings beside the storage menu: the disk-mode switch,
// whose change needs a reboot, and the storage page.
#include "app/app_registry.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_registry.h"
#include "app/record/disks/disks.h"
#include "app/storage_pages.h"
#include "gui/button.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace disks {

LResult storagePageProc(WindowHandle page, int message, WParam wParam, LParam lParam);

namespace {

constexpr int kDiskModeBox = 20048;
constexpr int kStoragePage = 1;

LResult closeStorageMenu() { return SendMessage(getDiskMenuWnd(), MSG_CLOSE, 0, 0); }

bool readDiskMode() {
  uint8_t flag = 0;
  return getDiskModeFlag(&flag) == 0 && flag != 0;
}

void initDiskMode(WindowHandle page) {
  pageframe::createBottomButtons(page, kAdvanceSection, "diskmode_apply", "diskmode_close", PAGE_ID_EXIT);
  pageframe::createFromKey(page, kAdvanceSection,
                           {"button", "diskmode_enable", WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_AUTOCHECKBOX, 0,
                            kDiskModeBox, false});
  setChecked(page, kDiskModeBox, readDiskMode());
}

void diskModeCommand(WindowHandle page, int id, int) {
  if (id == kDiskModeBox) enableApply(page, 0, 0);
}

int saveDiskMode(WindowHandle page) {
  const bool wanted = isChecked(page, kDiskModeBox);
  if (wanted == readDiskMode()) return 0;
  // Written first: the question only asks whether the start that takes it
  // comes now, and No keeps it for later.
  const int loginId = getLoginId(getMainOutput());
  int rc = setDiskModeFlag(loginId, wanted ? 1 : 0);
  if (rc == 0) rc = applyDiskParams(loginId);
  if (rc == 0) rc = saveDeviceParams();
  if (rc != 0) return rc;
  SetPowerKeyDownFlag(1);
  if (askMsgBox(page, kAdvanceSection, "param_reboot") != IDYES) {
    SetPowerKeyDownFlag(0);
    return 0;
  }
  EnableWindow(getDiskMenuWnd(), FALSE);
  openShutdownHint(page, 1);
  EnableWindow(getDiskMenuWnd(), TRUE);
  return 0;
}

void reportDiskMode(WindowHandle page, int code) { showSaveFailedCode(page, code); }

LResult diskModePageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks hooks{initDiskMode, eraseBkgndGrey50, diskModeCommand, saveDiskMode,
                                          reportDiskMode, closeStorageMenu};
  return pageframe::runPage(hooks, page, message, wParam, lParam);
}

bool diskModeOffered() { return hasDiskModeSetting() != 0; }

const pageframe::SheetPage kPages[] = {{"diskmode", diskModePageProc, diskModeOffered},
                                       {"quota", storagePageProc, nullptr}};

// Without a channel to share space between, only the disk mode is offered.
void afterDefault(WindowHandle hwnd, int message, WParam, LParam) {
  if (message == MSG_INITDIALOG && hasDiskModeSetting() && !hasUsableChan(32, 0))
    SendDlgItemMessage(hwnd, PAGE_ID_SHEET, PSM_ENABLEPAGE, kStoragePage, 0);
}

const pageframe::PageWindow kWindow{kAdvanceSection, kPages, pageframe::kDiskSlot, nullptr, afterDefault};

}  // namespace
}  // namespace disks

extern "C" int createDiskAdvanceWindow(WindowHandle host) {
  return pageframe::openWindow<disks::kWindow>(host);
}
