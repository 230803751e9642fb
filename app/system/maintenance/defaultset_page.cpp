// The restore-defaults page: one text and OK. OK asks the device to restore
// its factory settings and announces the reboot; the long-operation block
// keeps the settings of before, so the hint centres on the output as it was.

#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/app_registry.h"
#include "app/system/maintenance/maintenance.h"
#include "app/maintenance_pages.h"
#include "gui/display.h"
#include "gui/desktop.h"
#include "gui/static.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr const char* kSection = "defaultset";
constexpr int kText = 20992;
constexpr int kRestoreAll = 1;


void init(WindowHandle page) {
  pageframe::createFromKey(page, kSection, {"static", "continue", WS_CHILD | WS_VISIBLE | SS_LEFT, WS_EX_PLACE_MASK | WS_EX_TRANSPARENT,
                                            kText, false});
  maintenance::bottomButton(page, kSection, "ok", PAGE_ID_OK);
  maintenance::bottomButton(page, kSection, "close", PAGE_ID_EXIT);
}

void restore(WindowHandle page) {
  maintenance::BusyCursor busy;
  SetPowerKeyDownFlag(1);
  OutputLogin* login = getOutputLogin(getCurOutput());
  DeviceConfig config{};
  getDeviceConfig(login, &config);
  beginLongOp(&config);
  // A refused restore changed nothing: no reboot to announce.
  if (const int rc = restoreDefaults(login, kRestoreAll)) {
    endLongOp();
    SetPowerKeyDownFlag(0);
    reportSaveFailed(page, rc);
    return;
  }
  maintenance::announceReboot(maintenance::kRebootHint);
}

void command(WindowHandle page, int id, int) {
  if (id == PAGE_ID_OK) restore(page);
}

LResult pageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks{
      init, [](WindowHandle p, WParam w, LParam l) { eraseBkgndGrey50(p, w, l); }, command,
      [](WindowHandle) { return 0; }, [](WindowHandle, int) {}, closeMaintenanceMenu};
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

const pageframe::SheetPage kPages[] = {{"default", pageProc, nullptr}};

// A restore left from before must not move the hint of a later reboot.
bool windowMessage(WindowHandle, int message, WParam, LParam, LResult*) {
  if (message == MSG_INITDIALOG) endLongOp();
  return false;
}

const pageframe::PageWindow kWindow{kSection, kPages, pageframe::kMaintenanceSlot, windowMessage};

}  // namespace

extern "C" int createDefaultSetWindow(WindowHandle owner) {
  return pageframe::openWindow<kWindow>(owner);
}
