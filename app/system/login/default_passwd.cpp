// The security-code dialog: the device's serial number and a code that
// restores the administrator's default password.
#include <cstring>

#include "app/app_registry.h"
#include "app/device_backend_system.h"
#include "app/device_records.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_building.h"
#include "app/system/login/login.h"
#include "app/system/users/users.h"
#include "gui/button.h"
#include "gui/control_paint.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/static.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr const char* kSection = "defaultpasswd";
constexpr int kSerialId = 12538, kCodeId = 12539;
constexpr int kCodeLimit = 48;
constexpr uint32_t kSerialStyle = WS_CHILD | WS_VISIBLE | SS_VCENTER | SS_EDITFRAME;
constexpr uint32_t kCodeStyle = WS_CHILD | WS_VISIBLE | ES_NOCHINESE, kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;

void init(WindowHandle dlg) {
  login::loadTopStrip();
  login::createControl(dlg, kSection, "static", "sequence", kSerialStyle, EDIT_CORNER_TOPRIGHT, kSerialId, true);
  login::createControl(dlg, kSection, "sledit", "securecode", kCodeStyle, EDIT_CORNER_BOTTOMRIGHT, kCodeId, true);
  login::createControl(dlg, kSection, "button", "ok", kButtonStyle, 0, PAGE_ID_OK, false);
  login::createControl(dlg, kSection, "button", "cancel", kButtonStyle, 0, IDCANCEL, false);
  char serial[sizeof(DeviceInfo::serial) + 1] = {};
  if (const DeviceInfo* info = getCachedDeviceInfo()) std::memcpy(serial, info->serial, sizeof info->serial);
  SetDlgItemText(dlg, kSerialId, serial);
  users::limitField(dlg, kCodeId, kCodeLimit);
  users::focusField(dlg, kCodeId);
}

void submit(WindowHandle dlg) {
  char code[kCodeLimit + 1];
  users::readField(dlg, kCodeId, code, sizeof code);
  if (resetDefaultPassword(getLoginId(getCurOutput()), code) == 0) {
    showMsgBox(dlg, kSection, "ok_hint", MSGBOX_INFO);
    SendMessage(dlg, MSG_CLOSE, 0, 0);
    return;
  }
  showMsgBox(dlg, kSection, "err_hint", MSGBOX_ERROR);
  users::clearField(dlg, kCodeId, true);
}

void command(WindowHandle dlg, int id, int) {
  if (id == PAGE_ID_OK) submit(dlg);
  if (id == IDCANCEL) SendMessage(dlg, MSG_CLOSE, 0, 0);
}

const pageframe::DialogHooks kHooks{init, pageframe::takesAll<command>, login::paintBackground};

}  // namespace

extern "C" int createDefaultPasswdDialog(WindowHandle owner) {
  const DlgTemplate tmpl = login::centredTemplate(kSection, "defaultmenu_rect");
  return pageframe::runDialog(tmpl, owner, pageframe::dialogProc<kHooks>);
}
