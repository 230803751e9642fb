// The upgrade's progress dialog: it starts the upgrade, follows the
// device's phase and percentage on a timer, and ends on the device's
// result: success announces the reboot, anything else is kept for the page.
#include <cstdio>
#include <string>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/maintenance_pages.h"
#include "app/msgbox.h"
#include "app/playback.h"
#include "app/disk_texts.h"
#include "app/system/maintenance/maintenance.h"
#include "app/usbdev.h"
#include "gui/display.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/progressbar.h"
#include "gui/timer.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr const char* kSection = "upgrading";
constexpr int kPhaseText = 20896, kBar = 20898;
constexpr int kTimer = 8202, kTimerTicks = 10;
constexpr int kPercentMax = 100;

struct Progress {
  int mode = 0;
  std::string source;
  int lastPhase = UPGRADE_PHASE_NONE;
  int lastPercent = 0;
  bool running = false;
};
Progress g;

const char* phaseKey(int phase) {
  switch (phase) {
    case UPGRADE_PHASE_NONE:
    case UPGRADE_PHASE_READ: return "upgrading_read";
    case UPGRADE_PHASE_WRITE: return "upgrading_upgrade";
    case UPGRADE_PHASE_BACKUP: return "upgrading_backup";
    default: return nullptr;
  }
}

void showPhase(WindowHandle dlg, int phase) {
  const char* text = lookupText(kSection, phaseKey(phase));
  SetDlgItemText(dlg, kPhaseText, text ? text : "");
}

void poll(WindowHandle dlg) {
  const int phase = getUpgradePhase();
  if (!phaseKey(phase)) return;
  if (phase != g.lastPhase) {
    showPhase(dlg, phase);
    // Writing and backing up each run from zero again.
    if (phase == UPGRADE_PHASE_WRITE || phase == UPGRADE_PHASE_BACKUP) {
      g.lastPercent = 0;
      SendDlgItemMessage(dlg, kBar, PBM_SETPOS, 0, 0);
    }
    g.lastPhase = phase;
  }
  if (phase != UPGRADE_PHASE_WRITE && phase != UPGRADE_PHASE_BACKUP) return;
  const int percent = getUpgradePercent();
  if (percent == g.lastPercent || percent < 0 || percent > kPercentMax) return;
  SendDlgItemMessage(dlg, kBar, PBM_SETPOS, static_cast<WParam>(percent), 0);
  g.lastPercent = percent;
}

void init(WindowHandle dlg) {
  g.lastPercent = 0;
  g.lastPhase = UPGRADE_PHASE_NONE;
  g.running = true;
  setDispSwitchEnabled(0);
  setLiveViewActive(getCurOutput(), 0);
  SetPowerKeyDownFlag(1);
  pageframe::createFromKey(dlg, kSection, {"static", "updating_static", WS_CHILD | WS_VISIBLE, WS_EX_TRANSPARENT,
                                           kPhaseText, false});
  pageframe::createFromKey(dlg, kSection, {"progressbar", "updating_progress", WS_CHILD | WS_VISIBLE, 0, kBar, false});
  SendDlgItemMessage(dlg, kBar, PBM_SETRANGE, 0, kPercentMax);
  SendDlgItemMessage(dlg, kBar, PBM_SETPOS, 0, 0);
  SetTimer(dlg, kTimer, kTimerTicks);
  const int started = startUpgrade(getOutputLogin(getCurOutput()), g.mode, g.source.c_str());
  g.running = false;
  // A refused start is the upgrade's result: no message of the device follows.
  if (started != 0) PostMessage(dlg, MSG_DISK_REFRESH, static_cast<WParam>(started), 0);
}

void finish(WindowHandle dlg, WParam result) {
  const int code = static_cast<int>(static_cast<intptr_t>(result));
  if (code == 0) {
    maintenance::announceReboot(maintenance::kUpgradeRebootHint);
    return;
  }
  setLastOpResult(code);
  SendMessage(dlg, MSG_CLOSE, 0, 0);
}

void timer(WindowHandle dlg, int id) {
  if (id == kTimer) poll(dlg);
}

void close(WindowHandle dlg) {
  if (g.running) return;
  KillTimer(dlg, kTimer);
  SetPowerKeyDownFlag(0);
  setLiveViewActive(getCurOutput(), 1);
  setDispSwitchEnabled(1);
  EndDialog(dlg, 0);
}

// The result of the upgrade; neither keys nor a double click reach the
// dialog while it runs.
bool other(WindowHandle dlg, int message, WParam wParam, LParam, LResult*) {
  if (message == MSG_DISK_REFRESH) finish(dlg, wParam);
  return message == MSG_DISK_REFRESH || message == MSG_NCLBUTTONDBLCLK || message == MSG_KEYDOWN;
}

const pageframe::DialogHooks kHooks{init, nullptr, paintSmallDialogBackground, close, timer, other};

}  // namespace

extern "C" int showUpgradingDialog(WindowHandle owner, int mode, const char* source) {
  g = Progress{};
  g.mode = mode;
  g.source = source ? std::string(source).substr(0, USBDEV_PATH_SIZE - 1) : std::string();
  setLastOpResult(0);
  return pageframe::runDialog(kSection, owner, pageframe::dialogProc<kHooks>);
}
