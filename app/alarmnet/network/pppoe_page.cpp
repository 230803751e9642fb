// The PPPoE tab: the dial-up account of the device. Turning PPPoE on or off,
// or changing the account while it is on, needs a reboot the tab asks for.
#include <cstdio>
#include <cstring>

#include "app/alarmnet/network/netset.h"
#include "app/control_services.h"
#include "app/msgbox.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/window_attr.h"

namespace netset {
namespace {

enum : int { kEnable = 20302, kUser, kPassword, kConfirm };
constexpr int kUserChars = 32, kPasswordChars = 16;
constexpr uint32_t kMasked = ES_PASSWORD;
constexpr int kQuestionSize = 256;

const CodeRow kErrors[] = {
    {NET_ERR_PPPOE_USER, Reaction::Hint, "username", 0, 0, kUser},
    {DEVICE_ERR_PASSWORD_MISMATCH, Reaction::Box, "passwdmismatch", MSGBOX_ERROR, 0, kPassword},
    {NET_ERR_DEVICE_IP_CONFLICT, Reaction::Box, "deviceip_conflict", MSGBOX_INFO, 0, 0},
    {NET_ERR_POE_ADDRESS_CLASH, Reaction::Box, "eth0_poe_ip_conflict", MSGBOX_INFO, 0, 0},
};
constexpr int kErrorCount = static_cast<int>(sizeof kErrors / sizeof kErrors[0]);

void enableAccount(WindowHandle page, bool on) {
  for (int id : {kUser, kPassword, kConfirm}) enableLabeledCtrl(page, id, on ? 1 : 0);
}

void load(WindowHandle page) {
  NetConfig net{};
  getNetConfig(login(), &net);
  setChecked(page, kEnable, net.pppoeEnabled != 0);
  showField(page, kUser, net.pppoeUser, sizeof net.pppoeUser);
  showField(page, kPassword, net.pppoePassword, sizeof net.pppoePassword);
  showField(page, kConfirm, net.pppoePassword, sizeof net.pppoePassword);
  enableAccount(page, net.pppoeEnabled != 0);
}

void init(WindowHandle page) {
  create(page, "button", "pppoeenable", kEnable);
  create(page, "sledit", "username", kUser);
  create(page, "sledit", "passwd", kPassword, -1, kMasked);
  create(page, "sledit", "confirm", kConfirm, -1, kMasked);
  pageframe::createBottomButtons(page, kSection, "pppoe_apply", "pppoe_close", PAGE_ID_EXIT);
  limitText(page, kUser, kUserChars);
  limitText(page, kPassword, kPasswordChars);
  limitText(page, kConfirm, kPasswordChars);
  load(page);
}

// The device may word the question itself; otherwise the tab's own text.
bool askReboot(WindowHandle page) {
  char deviceHint[16] = {};
  SetPowerKeyDownFlag(1);
  if (getPppoeHint(login(), deviceHint) != 0) {
    char text[kQuestionSize];
    const char* caption = lookupText(kSection, "enablepppoehint");
    std::snprintf(text, sizeof text, "%s", caption ? caption : "");
    return askQuestionText(page, text) == IDYES;
  }
  return askMsgBox(page, kSection, "pppoereboothint") == IDYES;
}

int save(WindowHandle page) {
  NetConfig stored{}, net{};
  if (int rc = getNetConfig(login(), &stored)) return rc;
  net = stored;
  net.pppoeEnabled = isChecked(page, kEnable) ? 1 : 0;
  if (net.pppoeEnabled) {
    readField(page, kUser, net.pppoeUser, sizeof net.pppoeUser);
    if (net.pppoeUser[0] == '\0') return NET_ERR_PPPOE_USER;
    char password[kPasswordChars] = {}, confirm[kPasswordChars] = {};
    readField(page, kPassword, password, sizeof password);
    readField(page, kConfirm, confirm, sizeof confirm);
    if (fieldsDiffer(password, confirm, sizeof password)) return DEVICE_ERR_PASSWORD_MISMATCH;
    std::memcpy(net.pppoePassword, password, sizeof password);
  }
  const bool sameState = (net.pppoeEnabled != 0) == (stored.pppoeEnabled != 0);
  const bool sameAccount = !fieldsDiffer(net.pppoeUser, stored.pppoeUser, sizeof net.pppoeUser) &&
                           !fieldsDiffer(net.pppoePassword, stored.pppoePassword, sizeof net.pppoePassword);
  if (sameState && (!net.pppoeEnabled || sameAccount)) {
    int rc = setNetConfig(login(), &net, 1);
    if (rc == 0) rc = applyNetConfig(login());
    return rc;
  }
  return saveAndOfferReboot(page, net, askReboot);
}

void command(WindowHandle page, int id, int code) {
  if (id == kEnable) {
    enableAccount(page, isChecked(page, kEnable));
    enableApply(page, 0, 0);
  } else if (id >= kUser && id <= kConfirm && code == EN_UPDATE) {
    enableApply(page, 0, 0);
  }
}

void report(WindowHandle page, int code) {
  if (code == DEVICE_ERR_PASSWORD_MISMATCH) {
    SetDlgItemText(page, kPassword, "");
    SetDlgItemText(page, kConfirm, "");
  }
  reportCode(page, kErrors, kErrorCount, code);
}

}  // namespace

LResult pppoePageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks = tabHooks(init, command, save, report);
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace netset
