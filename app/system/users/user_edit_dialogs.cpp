// The add and modify user dialogs: one record of a fresh table copy
// changed and written back whole.
#include <cstring>

#include "app/app_registry.h"
#include "app/device_caps.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/system/users/userset.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/control_paint.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/static.h"
#include "gui/text_entry.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace users {
namespace {

constexpr int kMacRead = 64;
constexpr uint32_t kEditStyle = WS_CHILD | WS_VISIBLE, kAlnumEditStyle = WS_CHILD | WS_VISIBLE | ES_NOCHINESE;
constexpr uint32_t kPasswordStyle = WS_CHILD | WS_VISIBLE | ES_PASSWORD;
constexpr uint32_t kComboStyle = WS_CHILD | WS_VISIBLE | CBS_NOTIFY | CBS_DROPDOWNLIST;
constexpr uint32_t kMacStyle = WS_CHILD | WS_VISIBLE | IPS_NOTIFY | IPS_MAC, kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
constexpr uint32_t kNameLabelStyle = WS_CHILD | WS_VISIBLE | SS_EDITFRAME;
constexpr uint32_t kCheckStyle = WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_AUTOCHECKBOX;

// Control ids of one dialog.
struct Ids {
  int name, oldPassword, enable, password, confirm, level, mac;
};
constexpr Ids kAddIds{20512, -1, -1, 20513, 20514, 20515, 20516};
constexpr Ids kModifyIds{20576, 20577, 20578, 20579, 20580, 20581, 20582};

struct DialogState {
  int index = 0;
};
DialogState g_add, g_modify;

uint32_t nameStyle() { return allowsSpecialNameChars() ? kEditStyle : kAlnumEditStyle; }

void createButtons(WindowHandle dlg, const char* section) {
  const int y = pageframe::bottomRow(dlg);
  pageframe::createFromKey(dlg, section, {"button", "ok", kButtonStyle, 0, PAGE_ID_OK, false}, y);
  const WindowHandle cancel =
      pageframe::createFromKey(dlg, section, {"button", "cancel", kButtonStyle, 0, IDCANCEL, false}, y);
  if (IsValidHandle(cancel)) SetFocusChild(cancel);
}

void showMac(WindowHandle dlg, int id, int index) {
  char text[32] = "";
  const UserConfig* cached = getCachedUserConfig();
  static const uint8_t kNone[kMacBytes] = {};
  const bool known = cached && index >= 0 && index < USER_COUNT;
  formatMacAddr(known ? macOf(cached->users[index]) : kNone, text, sizeof text);
  SetDlgItemText(dlg, id, text);
}

struct Fields {
  char name[kMaxText + 1], oldPassword[kMaxText + 1], password[kMaxText + 1], confirm[kMaxText + 1];
  char mac[kMacRead + 1];
  UserFields view;
};

void readFields(WindowHandle dlg, const Ids& ids, Fields& f) {
  readField(dlg, ids.name, f.name, sizeof f.name);
  readField(dlg, ids.password, f.password, sizeof f.password);
  readField(dlg, ids.confirm, f.confirm, sizeof f.confirm);
  readField(dlg, ids.mac, f.mac, sizeof f.mac);
  f.oldPassword[0] = '\0';
  if (ids.oldPassword > 0) readField(dlg, ids.oldPassword, f.oldPassword, sizeof f.oldPassword);
  f.view = UserFields{f.name, f.password, f.confirm, f.mac, kLevelLow, true, f.oldPassword};
  f.view.level = comboValue(dlg, ids.level);
  if (ids.enable > 0) f.view.changePassword = isChecked(dlg, ids.enable);
}

int saveTable(UserConfig& table) { return writeTable(table); }

// What a refused save shows and where the focus goes; both dialogs alike.
void report(WindowHandle dlg, const char* section, const Ids& ids, int code) {
  switch (code) {
    case DEVICE_ERR_PASSWORD_MISMATCH:
      showMsgBox(dlg, section, "passwdmismatch", MSGBOX_ERROR);
      clearField(dlg, ids.confirm, false);
      clearField(dlg, ids.password, true);
      return;
    case USER_ERR_NAME_EMPTY: showMsgBox(dlg, section, "namenull", MSGBOX_INFO); break;
    case USER_ERR_NAME_CHARS:
      if (deviceNameRule() == NameRule::kSeparators)
        showNameHint(dlg, section, "username");
      else
        showMsgBox(dlg, section, "invalidname", MSGBOX_INFO);
      break;
    case USER_ERR_NAME_USED: showMsgBox(dlg, section, "nameused", MSGBOX_INFO); break;
    case USER_ERR_NO_FREE: showMsgBox(dlg, kSection, "user_limit", MSGBOX_INFO); return;
    case USER_ERR_OLD_PASSWORD:
      showMsgBox(dlg, section, "oldpasswderror", MSGBOX_ERROR);
      clearField(dlg, ids.oldPassword, true);
      return;
    case USER_ERR_PASSWORD_EMPTY:
      showMsgBox(dlg, section, "passwdnull", MSGBOX_ERROR);
      focusField(dlg, ids.password);
      return;
    case kErrBadMac:
      showValidWantedHint(dlg, section, "usermac");
      focusField(dlg, ids.mac);
      return;
    default: showSaveFailedCode(dlg, code); refreshCache(); return;
  }
  focusField(dlg, ids.name);
}

// Add ---------------------------------------------------------------------

constexpr const char* kAddSection = "useradd";

void initAdd(WindowHandle dlg) {
  getUserDlgArgs(&g_add.index);
  const Ids& ids = kAddIds;
  const pageframe::Control controls[] = {
      {"sledit", "username", nameStyle(), EDIT_CORNER_TOPRIGHT, ids.name, true},
      {"sledit", "password", kPasswordStyle, 0, ids.password, true},
      {"sledit", "confirm", kPasswordStyle, 0, ids.confirm, true},
      {"combobox", "level", kComboStyle, 0, ids.level, true},
      {"ipedit", "usermac", kMacStyle, EDIT_CORNER_BOTTOMRIGHT, ids.mac, true},
  };
  pageframe::createControls(dlg, kAddSection, controls, 5);
  createButtons(dlg, kAddSection);
  for (int id : {ids.name, ids.password, ids.confirm}) limitField(dlg, id, kMaxText);
  fillLevels(dlg, ids.level);
  selectComboValue(dlg, ids.level, kLevelLow);
  showMac(dlg, ids.mac, g_add.index);
}

int saveAdd(WindowHandle dlg) {
  UserConfig table;
  if (int rc = readTable(&table)) return rc;
  Fields f;
  readFields(dlg, kAddIds, f);
  int index = g_add.index;
  const int rc = addUser(table, &index, f.view, deviceNameRule());
  if (index != g_add.index && index >= 0) {
    g_add.index = index;
    setUserDlgArgs(kModeAdd, index);
  }
  return rc != 0 ? rc : saveTable(table);
}

// Modify ------------------------------------------------------------------

constexpr const char* kModifySection = "usermodify";

int recordHeight(const char* key) {
  const CtrlResInfo* r = pageframe::record(kModifySection, key);
  return r ? r->h : 0;
}

// Rows below a row the record has no use for move up by its height.
void createModifyRows(WindowHandle dlg, bool admin) {
  const Ids& ids = kModifyIds;
  struct Row {
    pageframe::Control control;
    bool present;
  };
  const Row rows[] = {
      {{admin ? "static" : "sledit", "username", admin ? kNameLabelStyle : nameStyle(), EDIT_CORNER_TOPRIGHT, ids.name, true}, true},
      {{"sledit", "oldpasswd_admin", kPasswordStyle, 0, ids.oldPassword, true}, admin},
      {{"button", "enable_changepasswd", kCheckStyle, 0, ids.enable, true}, true},
      {{"sledit", "password", kPasswordStyle, 0, ids.password, true}, true},
      {{"sledit", "confirm", kPasswordStyle, 0, ids.confirm, true}, true},
      {{"combobox", "level", kComboStyle, 0, ids.level, true}, !admin},
      {{"ipedit", "usermac", kMacStyle, EDIT_CORNER_BOTTOMRIGHT, ids.mac, true}, true},
  };
  int lift = 0;
  for (const Row& row : rows) {
    const CtrlResInfo* r = pageframe::record(kModifySection, row.control.key);
    if (!row.present) {
      lift += recordHeight(row.control.key);
      continue;
    }
    if (r) pageframe::createFromKey(dlg, kModifySection, row.control, r->y - lift);
  }
}

void enablePasswordRows(WindowHandle dlg, bool enable) {
  EnableWindow(GetDlgItem(dlg, kModifyIds.password), enable);
  EnableWindow(GetDlgItem(dlg, kModifyIds.confirm), enable);
}

void initModify(WindowHandle dlg) {
  getUserDlgArgs(&g_modify.index);
  const int index = g_modify.index;
  const bool admin = index == 0;
  const Ids& ids = kModifyIds;
  createModifyRows(dlg, admin);
  createButtons(dlg, kModifySection);
  const UserConfig* cached = getCachedUserConfig();
  const bool known = cached && index >= 0 && index < USER_COUNT;
  limitField(dlg, ids.name, kMaxText);
  char name[sizeof(UserRecord::name) + 1] = {};
  if (known) std::memcpy(name, cached->users[index].name, sizeof name - 1);
  SetDlgItemText(dlg, ids.name, name);
  if (admin) limitField(dlg, ids.oldPassword, kMaxText);
  setChecked(dlg, ids.enable, false);
  limitField(dlg, ids.password, kMaxText);
  limitField(dlg, ids.confirm, kMaxText);
  enablePasswordRows(dlg, false);
  if (!admin) {
    fillLevels(dlg, ids.level);
    if (known) SendDlgItemMessage(dlg, ids.level, CB_SELECTVALUE, cached->users[index].priority, 0);
  }
  showMac(dlg, ids.mac, index);
}

int saveModify(WindowHandle dlg) {
  UserConfig table;
  if (int rc = readTable(&table)) return rc;
  Fields f;
  readFields(dlg, kModifyIds, f);
  if (int rc = modifyUser(table, g_modify.index, f.view, deviceNameRule())) return rc;
  return saveTable(table);
}

// Both ---------------------------------------------------------------------

struct EditDialog {
  const char* section;
  const Ids* ids;
  void (*init)(WindowHandle);
  int (*save)(WindowHandle);
};
const EditDialog kAdd{kAddSection, &kAddIds, initAdd, saveAdd};
const EditDialog kModify{kModifySection, &kModifyIds, initModify, saveModify};

void command(const EditDialog& d, WindowHandle dlg, int id) {
  if (id == PAGE_ID_OK) {
    const int rc = d.save(dlg);
    if (rc == 0)
      SendMessage(dlg, MSG_CLOSE, 0, 0);
    else
      report(dlg, d.section, *d.ids, rc);
  } else if (id == IDCANCEL) {
    SendMessage(dlg, MSG_CLOSE, 0, 0);
  } else if (id == d.ids->enable && d.ids->enable > 0) {
    enablePasswordRows(dlg, isChecked(dlg, id));
  }
}
void addCommand(WindowHandle dlg, int id, int) { command(kAdd, dlg, id); }
void modifyCommand(WindowHandle dlg, int id, int) { command(kModify, dlg, id); }

void close(WindowHandle dlg) {
  refreshCache();
  EndDialog(dlg, 0);
}

const pageframe::DialogHooks kAddHooks{initAdd, pageframe::takesAll<addCommand>, nullptr, close};
const pageframe::DialogHooks kModifyHooks{initModify, pageframe::takesAll<modifyCommand>, nullptr, close};

}  // namespace
}  // namespace users

extern "C" int createUserAddDialog(WindowHandle owner) {
  return pageframe::runDialog(users::kAddSection, owner, pageframe::dialogProc<users::kAddHooks>);
}
extern "C" int createUserModifyDialog(WindowHandle owner) {
  return pageframe::runDialog(users::kModifySection, owner, pageframe::dialogProc<users::kModifyHooks>);
}
