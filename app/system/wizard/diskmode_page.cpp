// The disk-mode page: the device's disk mode, which takes effect only after
// a reboot: a change is written, then the reboot is offered.
#include <cstdint>

#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/system/users/users.h"
#include "app/system/wizard/wizard.h"
#include "app/system_pages.h"
#include "gui/button.h"
#include "gui/control_paint.h"
#include "gui/desktop.h"
#include "gui/dialog.h"

namespace wizard {
namespace {

constexpr const char* kSection = "startdiskmode";
constexpr int kEnable = 20064, kPrev = 20065, kNextId = 20066;
constexpr int kRebootHint = 1;
constexpr uint32_t kBoxStyle = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;
constexpr uint32_t kBoxExStyle = EDIT_CORNER_TOPLEFT | EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT;

bool deviceFlag() {
  uint8_t flag = 0;
  if (getDiskModeFlag(&flag) != 0) return false;
  return flag != 0;
}

void init(WindowHandle page) {
  make(page, kSection, "button", "enable", kBoxStyle, kBoxExStyle, kEnable, false);
  makeButtons(page, kSection, "prev", kPrev, "next", kNextId, "cancel");
  setChecked(page, kEnable, deviceFlag());
  users::focusField(page, kNextId);
}

void next(WindowHandle page) {
  const bool wanted = isChecked(page, kEnable);
  if (wanted == deviceFlag()) return goOn(page, Step::DiskMode);
  // Written first: the question only asks whether the start that takes it
  // comes now, and No keeps it for later.
  int rc = setDiskModeFlag(getLoginId(output()), wanted ? 1 : 0);
  if (rc == 0) rc = saveDeviceParams();
  if (rc != 0) {
    reportSaveFailed(page, rc);
    return;
  }
  SetPowerKeyDownFlag(1);
  if (askMsgBox(page, kSection, "param_reboot") == IDYES)
    createShutdownHintWindow(page, kRebootHint);
  else
    SetPowerKeyDownFlag(0);
}

void command(WindowHandle page, int id, int) {
  if (id == kNextId) next(page);
}

const Page kPage{kSection, kPrev, nullptr, {init, pageframe::takesAll<command>}};

}  // namespace

int openDiskModePage(WindowHandle owner) { return runPage<kPage>(owner); }

}  // namespace wizard
