// The administrator's password page: the stored password must be typed
// before the wizard goes on (three refusals in a row close it), and a new
// one may be set at the same time.
#include <cstring>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/system/users/users.h"
#include "app/system/wizard/wizard.h"
#include "gui/button.h"
#include "gui/control_paint.h"
#include "gui/edit.h"

namespace wizard {
namespace {

constexpr const char* kSection = "startpasswd";
constexpr int kOld = 16416, kChange = 16417, kNew = 16418, kConfirm = 16419;
constexpr int kMaxRefusals = 3;
constexpr uint32_t kEditStyle = WS_CHILD | WS_VISIBLE | ES_PASSWORD;
constexpr uint32_t kBoxStyle = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;

int g_refusals = 0;

void init(WindowHandle page) {
  g_refusals = 0;
  make(page, kSection, "sledit", "setpasswd_old", kEditStyle, EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT, kOld, true);
  make(page, kSection, "button", "setpasswd_static", kBoxStyle, EDIT_CORNER_TOPRIGHT, kChange, true);
  make(page, kSection, "sledit", "setpasswd_input", kEditStyle | WS_DISABLED, 0, kNew, true);
  make(page, kSection, "sledit", "setpasswd_check", kEditStyle | WS_DISABLED, EDIT_CORNER_BOTTOMRIGHT, kConfirm, true);
  enableLabeledCtrl(page, kNew, 0);
  enableLabeledCtrl(page, kConfirm, 0);
  makeButtons(page, kSection, "setpasswd_prevstep", PAGE_ID_PREVIOUS, "setpasswd_nextstep", PAGE_ID_NEXT, "setpasswd_cancel");
  for (int id : {kOld, kNew, kConfirm}) users::limitField(page, id, users::kMaxText);
  users::focusField(page, PAGE_ID_NEXT);
}

// A wrong password: its box, the field cleared; the third in a row leaves.
void refuse(WindowHandle page) {
  ++g_refusals;
  showMsgBox(page, kSection, "setpasswd_clue2", MSGBOX_ERROR);
  users::clearField(page, kOld, true);
  if (g_refusals >= kMaxRefusals) closeAll();
}

// Nobody logged in on the output: the administrator is.
bool logInAdministrator(WindowHandle page, const UserRecord& admin) {
  if (getLoginId(output()) >= 0) return true;
  char name[sizeof admin.name + 1] = {};
  char password[sizeof admin.password + 1] = {};
  std::memcpy(name, admin.name, sizeof admin.name);
  std::memcpy(password, admin.password, sizeof admin.password);
  int loginId = -1;
  if (loginDevice(name, password, 0, 0, 0, &loginId, 0) != 0) {
    // A refused login says so rather than leaving Next without a word.
    showMsgBox(page, "login", "login_err_passwd", MSGBOX_ERROR);
    return false;
  }
  setLoginState(getMainOutput(), 0, loginId);
  return true;
}

// The new password, when asked for; false when the page stays.
bool storeNewPassword(WindowHandle page, UserConfig* cached) {
  if (!isChecked(page, kChange)) return true;
  char password[users::kMaxText + 1], confirm[users::kMaxText + 1];
  users::readField(page, kNew, password, sizeof password);
  users::readField(page, kConfirm, confirm, sizeof confirm);
  if (password[0] == '\0') {
    showMsgBox(page, kSection, "passwdnull", MSGBOX_ERROR);
    users::focusField(page, kNew);
    return false;
  }
  if (std::strcmp(password, confirm) != 0) {
    showMsgBox(page, kSection, "setpasswd_clue", MSGBOX_ERROR);
    users::clearField(page, kConfirm, false);
    users::clearField(page, kNew, true);
    return false;
  }
  UserConfig table = *cached;
  std::memset(table.users[0].password, 0, sizeof table.users[0].password);
  std::memcpy(table.users[0].password, password, std::strlen(password));
  // Every non-zero answer is a refusal: the device keeps the old password.
  if (const int rc = setUserConfig(login(), &table, 0)) {
    if (rc == -1)
      showMsgBox(page, "commons", "savefailed", MSGBOX_ERROR);
    else
      reportSaveFailed(page, rc);
    return false;
  }
  *cached = table;
  if (const int rc = saveDeviceParams()) {
    reportSaveFailed(page, rc);
    return false;
  }
  return true;
}

void next(WindowHandle page) {
  UserConfig* cached = getCachedUserConfig();
  if (!cached || users::readTable(cached) == -1) {
    // A table that cannot be read says so instead of a silent stop.
    showMsgBox(page, "commons", "getsettingshint", MSGBOX_ERROR);
    return;
  }
  char typed[users::kMaxText + 1];
  users::readField(page, kOld, typed, sizeof typed);
  if (!users::samePassword(cached->users[0], typed)) return refuse(page);
  if (!logInAdministrator(page, cached->users[0])) return;
  if (!storeNewPassword(page, cached)) return;
  g_refusals = 0;
  goOn(page, Step::Password);
}

void command(WindowHandle page, int id, int) {
  if (id == kChange) {
    const int on = isChecked(page, kChange) ? 1 : 0;
    enableLabeledCtrl(page, kNew, on);
    enableLabeledCtrl(page, kConfirm, on);
  } else if (id == PAGE_ID_NEXT) {
    next(page);
  }
}

const Page kPage{kSection, PAGE_ID_PREVIOUS, nullptr, {init, pageframe::takesAll<command>}};

}  // namespace

int openPasswordPage(WindowHandle owner) { return runPage<kPage>(owner); }

}  // namespace wizard
