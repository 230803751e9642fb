// The device reads and writes and the field helpers every user page uses.
#include <cstring>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/system/users/users.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace users {

int readTable(UserConfig* table) {
  std::memset(table, 0, sizeof *table);
  return getUserConfig(getOutputLogin(getCurOutput()), table);
}

int writeTable(const UserConfig& table) {
  const int rc = setUserConfig(getOutputLogin(getCurOutput()), &table, 0);
  if (rc != 0) return rc;
  return saveDeviceParams();
}

void refreshCache() {
  UserConfig* cached = getCachedUserConfig();
  if (cached) readTable(cached);
}

void readField(WindowHandle dlg, int id, char* out, int size) {
  out[0] = '\0';
  GetDlgItemText(dlg, id, out, size);
  out[size - 1] = '\0';
}

void focusField(WindowHandle dlg, int id) {
  const WindowHandle field = GetDlgItem(dlg, id);
  if (IsValidHandle(field)) SetFocusChild(field);
}

void clearField(WindowHandle dlg, int id, bool focus) {
  SetDlgItemText(dlg, id, "");
  if (focus) focusField(dlg, id);
}

void limitField(WindowHandle dlg, int id, int limit) {
  SendDlgItemMessage(dlg, id, EM_LIMITTEXT, static_cast<WParam>(limit), 0);
}


void fillLevels(WindowHandle dlg, int comboId) {
  static const struct {
    const char* key;
    int value;
  } kLevels[] = {{"low", kLevelLow}, {"middle", kLevelMiddle}};
  SendDlgItemMessage(dlg, comboId, CB_DELETEALL, 0, 0);
  for (const auto& row : kLevels)
    if (const char* text = lookupText("usermodify", row.key))
      SendDlgItemMessage(dlg, comboId, CB_ADDSTRING, static_cast<WParam>(row.value), reinterpret_cast<LParam>(text));
}

int runWithMenuDisabled(int (*open)(WindowHandle), WindowHandle owner) {
  const WindowHandle menu = getSystemMenuWnd();
  const bool hasMenu = IsValidHandle(menu);
  if (hasMenu) EnableWindow(menu, FALSE);
  const int rc = open(owner);
  if (hasMenu) EnableWindow(menu, TRUE);
  return rc;
}

}  // namespace users
