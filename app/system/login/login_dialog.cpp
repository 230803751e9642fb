// The login dialog: a user of the device's table and a password; three
// refusals in a row close it. A double click in its hidden bottom-left
// corner opens the security-code dialog instead.
#include <cstring>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_building.h"
#include "app/page_registry.h"
#include "app/system/login/login.h"
#include "app/system/users/users.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/control_paint.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr const char* kSection = "login";
constexpr int kUserId = 12528, kPasswordId = 12529;
constexpr int kMaxRefusals = 3, kCornerSize = 16;
constexpr uint32_t kUserStyle = WS_CHILD | WS_VISIBLE | CBS_NOTIFY | CBS_DROPDOWNLIST;
constexpr uint32_t kPasswordStyle = WS_CHILD | WS_VISIBLE | ES_PASSWORD, kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
// Refusals of the device with a text of their own.
constexpr int kRefusedMaxUsers = 31, kRefusedNetPassword = 34, kRefusedMac = 36;

int g_refusals = 0;

void init(WindowHandle dlg) {
  const int output = getCurOutput();
  g_refusals = 0;
  setLoginFlag(output, 0);
  setLoginWnd(output, dlg);
  login::loadTopStrip();
  login::createControl(dlg, kSection, "combobox", "username", kUserStyle, EDIT_CORNER_TOPRIGHT, kUserId, true);
  login::createControl(dlg, kSection, "sledit", "password", kPasswordStyle, EDIT_CORNER_BOTTOMRIGHT, kPasswordId, true);
  login::createControl(dlg, kSection, "button", "ok", kButtonStyle, 0, PAGE_ID_OK, false);
  const WindowHandle cancel = login::createControl(dlg, kSection, "button", "cancel", kButtonStyle, 0, IDCANCEL, false);
  UserConfig table;
  users::readTable(&table);
  for (int i = 0; i < USER_COUNT; ++i) {
    char name[sizeof table.users[i].name + 1] = {};
    std::memcpy(name, table.users[i].name, sizeof table.users[i].name);
    if (name[0] != '\0')
      SendDlgItemMessage(dlg, kUserId, CB_ADDSTRING, static_cast<WParam>(i), reinterpret_cast<LParam>(name));
  }
  SendDlgItemMessage(dlg, kUserId, CB_SETCURSEL, 0, 0);
  users::limitField(dlg, kPasswordId, users::kMaxText);
  if (IsValidHandle(cancel)) SetFocusChild(cancel);
}

// The name of the chosen record in the freshly read cached table.
void chosenName(int index, char (&name)[sizeof(UserRecord::name) + 1]) {
  std::memset(name, 0, sizeof name);
  const UserConfig* cached = getCachedUserConfig();
  if (cached && index >= 0 && index < USER_COUNT) std::memcpy(name, cached->users[index].name, sizeof name - 1);
}

void showRefusal(WindowHandle dlg, int code) {
  switch (code) {
    case kRefusedMaxUsers: showMsgBox(dlg, kSection, "login_err_maxuser", MSGBOX_INFO); return;
    case kRefusedMac: showMsgBox(dlg, kSection, "login_err_mac", MSGBOX_INFO); return;
    case kRefusedNetPassword: showMsgBox(dlg, kSection, "login_err_netpasswd", MSGBOX_ERROR); break;
    default: showMsgBox(dlg, kSection, "login_err_passwd", MSGBOX_ERROR); break;
  }
  users::clearField(dlg, kPasswordId, true);
}

void logIn(WindowHandle dlg) {
  users::refreshCache();
  const int index = comboValue(dlg, kUserId);
  char password[users::kMaxText + 1];
  users::readField(dlg, kPasswordId, password, sizeof password);
  char name[sizeof(UserRecord::name) + 1];
  chosenName(index, name);
  int loginId = 0;
  EnableWindow(dlg, FALSE);
  const int rc = loginDevice(name, password, 0, 0, 0, &loginId, 0);
  EnableWindow(dlg, TRUE);
  const int output = getCurOutput();
  if (rc == 0) {
    setLoginState(output, index, loginId);
    setOutputRelogin(output, 0);
    setLoginFlag(output, 1);
    SendMessage(dlg, MSG_CLOSE, 0, 0);
    return;
  }
  ++g_refusals;
  showRefusal(dlg, rc);
  if (g_refusals == kMaxRefusals) SendMessage(dlg, MSG_CLOSE, 0, 0);
}

bool inHiddenCorner(WindowHandle dlg, LParam lParam) {
  const int x = static_cast<int16_t>(lParam & 0xFFFF), y = static_cast<int16_t>((lParam >> 16) & 0xFFFF);
  Rect client{};
  GetClientRect(dlg, &client);
  return x >= client.left && x < client.left + kCornerSize && y >= client.bottom - kCornerSize && y < client.bottom;
}

void command(WindowHandle dlg, int id, int code) {
  switch (id) {
    case PAGE_ID_OK: logIn(dlg); return;
    case IDCANCEL:
      setLoginFlag(getCurOutput(), 0);
      SendMessage(dlg, MSG_CLOSE, 0, 0);
      return;
    case kUserId:
      if (code == CBN_SELCHANGE) g_refusals = 0;
      return;
    default: return;
  }
}

void close(WindowHandle dlg) {
  SetActiveWindow(GetHosting(dlg));
  setLoginWnd(getCurOutput(), GUI_INVALID_HANDLE);
  EndDialog(dlg, 0);
}

// A double click in the hidden corner opens the default password dialog
// in place of the login.
bool other(WindowHandle dlg, int message, WParam, LParam lParam, LResult*) {
  if (message != MSG_LBUTTONDBLCLK || !inHiddenCorner(dlg, lParam)) return false;
  createDefaultPasswdDialog(dlg);
  setLoginFlag(getCurOutput(), 0);
  SendMessage(dlg, MSG_CLOSE, 0, 0);
  return true;
}

const pageframe::DialogHooks kHooks{init, pageframe::takesAll<command>, login::paintBackground, close, nullptr, other};

int openLoginDialog(WindowHandle owner) {
  const DlgTemplate tmpl = login::centredTemplate(kSection, "loginmenu_rect");
  return pageframe::runDialog(tmpl, owner, pageframe::dialogProc<kHooks>);
}

}  // namespace

extern "C" void registerLoginPages(void) { registerLoginDialog(openLoginDialog); }
