// The own-password page of every user but the administrator.
#include <cstdio>
#include <cstring>

#include "app/app_registry.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/system/users/userset.h"
#include "gui/control_paint.h"
#include "gui/display.h"
#include "gui/edit.h"
#include "gui/static.h"
#include "gui/window.h"

namespace users {
namespace {

constexpr int kNameId = 20505, kOldId = 20506, kNewId = 20507, kConfirmId = 20508;
constexpr int kOldPasswordRead = 32;
constexpr uint32_t kNameStyle = WS_CHILD | WS_VISIBLE | SS_EDITFRAME, kPasswordStyle = WS_CHILD | WS_VISIBLE | ES_PASSWORD;
constexpr uint32_t kPlacedEx = WS_EX_PLACE_X | WS_EX_PLACE_W;

void init(WindowHandle page) {
  pageframe::createBottomButtons(page, kSection, "change_save", "change_close", PAGE_ID_EXIT);
  const pageframe::Control fields[] = {
      {"static", "curusername", kNameStyle, kPlacedEx | EDIT_CORNER_TOPRIGHT, kNameId, true},
      {"sledit", "oldpasswd", kPasswordStyle, kPlacedEx, kOldId, true},
      {"sledit", "newpasswd", kPasswordStyle, kPlacedEx, kNewId, true},
      {"sledit", "newconfirm", kPasswordStyle, kPlacedEx, kConfirmId, true},
  };
  pageframe::createControls(page, kSection, fields, 4);
  for (int id : {kOldId, kNewId, kConfirmId}) limitField(page, id, kMaxText);
  UserConfig table;
  readTable(&table);
  const int index = getLoginUserIndex(getCurOutput());
  char name[sizeof(UserRecord::name) + 1] = {};
  if (index >= 0 && index < USER_COUNT) std::memcpy(name, table.users[index].name, sizeof name - 1);
  SetDlgItemText(page, kNameId, name);
}

int save(WindowHandle page) {
  UserConfig table;
  if (int rc = readTable(&table)) return rc;
  const int index = getLoginUserIndex(getCurOutput());
  if (index < 0 || index >= USER_COUNT) return -1;
  char old[kOldPasswordRead + 1], password[kMaxText + 1], confirm[kMaxText + 1];
  readField(page, kOldId, old, sizeof old);
  readField(page, kNewId, password, sizeof password);
  readField(page, kConfirmId, confirm, sizeof confirm);
  if (int rc = changeOwnPassword(table.users[index], old, password, confirm)) return rc;
  return writeTable(table);
}

void report(WindowHandle page, int code) {
  switch (code) {
    case DEVICE_ERR_PASSWORD_MISMATCH:
      showMsgBox(page, kSection, "passwdmismatch", MSGBOX_ERROR);
      clearField(page, kConfirmId, false);
      clearField(page, kNewId, true);
      return;
    case USER_ERR_OLD_PASSWORD:
      showMsgBox(page, kSection, "oldpasswderror", MSGBOX_ERROR);
      clearField(page, kOldId, true);
      return;
    case USER_ERR_PASSWORD_EMPTY:
      showMsgBox(page, kSection, "passwdnull", MSGBOX_ERROR);
      focusField(page, kNewId);
      return;
    default: reportWriteFailed(page, code); return;
  }
}

void command(WindowHandle page, int id, int code) {
  // The single-line edit reports a change with EN_CHANGE.
  if ((id == kOldId || id == kNewId || id == kConfirmId) && code == EN_CHANGE) enableApply(page, 0, 0);
}

const pageframe::PageHooks kHooks{init, eraseBkgndGrey50, command, save, report, closeSystemMenu};

}  // namespace

LResult changePageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace users
