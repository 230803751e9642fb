// The firmware upgrade page: a file of the removable device or an FTP
// server's address, a confirmation, then the progress dialog; a failed
// upgrade's result is shown when the dialog has closed.
#include <cstring>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/maintenance_pages.h"
#include "app/msgbox.h"
#include "app/page_keys.h"
#include "app/system/maintenance/maintenance.h"
#include "app/usbdev.h"
#include "gui/display.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/listview.h"
#include "gui/text_entry.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr const char* kSection = "upgrade";
constexpr int kLocalUpgrade = 20864, kFtpAddress = 20880, kFtpUpgrade = 20881;
constexpr int kModeFtp = 0, kModeLocal = 1;
constexpr int kAddressLimit = 64;
constexpr const char* kNoAddress = "0.0.0.0";
constexpr uint32_t kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL;
constexpr uint32_t kAddressStyle = WS_CHILD | WS_VISIBLE | IPS_IPV4 | IPS_HOSTADDRESS | IPS_RESERVED9;

const ValueKeyRow kResults[] = {
    {"success_update", 0},   {"error_nodevice", 1}, {"error_nofile", 2},   {"error_dataerror", 3},
    {"error_processing", 4}, {"error_nomemory", 5}, {"error_disconnect", 6}, {"error_language", 7},
    {"error_devclass", 8},   {"error_oemcode", 9},  {"error_version", 10},  {"error_flash", 11},
    {"error_ram", 12},       {"error_dsp_ram", 13}};
constexpr int kResultCount = static_cast<int>(sizeof kResults / sizeof kResults[0]);

// Set while the progress dialog runs: a second start is refused.
bool g_running = false;

void choose(WindowHandle page, int index) {
  selectUsbdev(page, index);
  ShowWindow(GetDlgItem(page, kLocalUpgrade), usbdevIsCd() ? SW_HIDE : SW_SHOW);
}

void initLocal(WindowHandle page) {
  setUsbClientWnd(page);
  const pageframe::Control kControls[] = {
      {"combobox", "device", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_NOTIFY, WS_EX_PLACE_X | WS_EX_PLACE_W,
       USBDEV_ID_DEVICE, true},
      {"button", "refresh", WS_CHILD | WS_VISIBLE, WS_EX_PLACE_X | WS_EX_PLACE_W, USBDEV_ID_REFRESH, false},
      {"listview", "devlist", kListStyle, WS_EX_PLACE_MASK, USBDEV_ID_LIST, false}};
  pageframe::createControls(page, kSection, kControls, 3);
  addUsbdevColumns(page, kSection);
  maintenance::bottomButton(page, kSection, "local_upgrade", kLocalUpgrade);
  maintenance::bottomButton(page, kSection, "local_close", PAGE_ID_EXIT);
  fillUsbdevCombo(page);
  choose(page, 0);
}

void initFtp(WindowHandle page) {
  pageframe::createFromKey(page, kSection, {"ipedit", "ftp_ip", kAddressStyle, WS_EX_PLACE_X | WS_EX_PLACE_W,
                                            kFtpAddress, true});
  maintenance::bottomButton(page, kSection, "ftp_upgrade", kFtpUpgrade);
  maintenance::bottomButton(page, kSection, "ftp_close", PAGE_ID_EXIT);
}

// Runs the progress dialog over the disabled menu and shows a failure.
void run(WindowHandle page, int mode, const char* source) {
  const WindowHandle menu = getMaintenanceMenuWnd();
  g_running = true;
  EnableWindow(menu, FALSE);
  showUpgradingDialog(page, mode, source);
  EnableWindow(menu, TRUE);
  g_running = false;
  const int result = getLastOpResult();
  if (result != 0) maintenance::showResultBox(page, kSection, kResults, kResultCount, result, -1);
}

void upgradeLocal(WindowHandle page) {
  if (const int rc = checkUsbdev()) {
    showUsbdevError(page, rc);
    return;
  }
  if (g_running) {
    showMsgBox(page, kSection, "error_processing", MSGBOX_WARNING);
    return;
  }
  int key = -1;
  if (SendDlgItemMessage(page, USBDEV_ID_LIST, LVM_GETSELECTEDITEM, 0, reinterpret_cast<LParam>(&key)) == 0) {
    showMsgBox(page, kSection, "itemselect", MSGBOX_INFO);
    return;
  }
  if (askMsgBox(page, kSection, "reboot_confirm_hint") != IDYES) return;
  char path[USBDEV_PATH_SIZE + 1] = "";
  if (getUsbdevSelectedPath(page, path, sizeof path) != 0) {
    showMsgBox(page, kSection, "opfolder", MSGBOX_INFO);
    return;
  }
  run(page, kModeLocal, path);
}

void upgradeFtp(WindowHandle page) {
  if (g_running) {
    showMsgBox(page, kSection, "error_processing", MSGBOX_ERROR);
    return;
  }
  char address[kAddressLimit + 1] = "";
  GetDlgItemText(page, kFtpAddress, address, sizeof address);
  // The address field reads its empty fields as zeros: "0.0.0.0" is empty too.
  if (std::strcmp(address, "...") == 0 || std::strcmp(address, kNoAddress) == 0 || !isValidUpgradeIp(address)) {
    showValidWantedHint(page, kSection, "ftp_static");
    SetFocusChild(GetDlgItem(page, kFtpAddress));
    return;
  }
  if (askMsgBox(page, kSection, "reboot_confirm_hint") != IDYES) return;
  run(page, kModeFtp, address);
}

void localCommand(WindowHandle page, int id, int code) {
  if (id == USBDEV_ID_REFRESH) choose(page, 0);
  else if (id == USBDEV_ID_DEVICE && code == CBN_SELCHANGE)
    choose(page, comboValue(page, USBDEV_ID_DEVICE));
  else if (id == kLocalUpgrade) upgradeLocal(page);
}

void ftpCommand(WindowHandle page, int id, int) {
  if (id == kFtpUpgrade) upgradeFtp(page);
}

void erase(WindowHandle p, WParam w, LParam l) { eraseBkgndGrey50(p, w, l); }
int noSave(WindowHandle) { return 0; }
void noReport(WindowHandle, int) {}

LResult localProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks{initLocal, erase,   localCommand, noSave,  noReport,
                                           closeMaintenanceMenu, nullptr, nullptr, nullptr, nullptr,
                                           nullptr,   maintenance::usbdevKeys};
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

LResult ftpProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks{initFtp, erase, ftpCommand, noSave, noReport, closeMaintenanceMenu};
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

const pageframe::SheetPage kPages[] = {{"local", localProc, nullptr}, {"ftp", ftpProc, nullptr}};

bool windowMessage(WindowHandle, int message, WParam, LParam, LResult*) {
  if (message == MSG_INITDIALOG) setUsbdevPurpose(USBDEV_PURPOSE_UPGRADE);
  if (message == MSG_CLOSE || message == MSG_DESTROY) setUsbClientWnd(GUI_INVALID_HANDLE);
  return false;
}

const pageframe::PageWindow kWindow{kSection, kPages, pageframe::kMaintenanceSlot, windowMessage};

}  // namespace

extern "C" int createUpgradeWindow(WindowHandle owner) {
  return pageframe::openWindow<kWindow>(owner);
}
