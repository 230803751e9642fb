// The helpers the maintenance pages share.
#include "app/system/maintenance/maintenance.h"

#include "app/app_registry.h"
#include "app/msgbox.h"
#include "app/page_keys.h"
#include "app/page_registry.h"
#include "app/usbdev.h"
#include "gui/display.h"
#include "gui/button.h"
#include "gui/cursor.h"
#include "gui/desktop.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace maintenance {

WindowHandle bottomButton(WindowHandle page, const char* section, const char* key, int id, bool visible) {
  const uint32_t style = WS_CHILD | BS_AUTOSIZE | (visible ? WS_VISIBLE : 0u);
  return pageframe::createFromKey(page, section, {"button", key, style, WS_EX_PLACE_X | WS_EX_PLACE_W, id, false},
                                  pageframe::bottomRow(page));
}

void announceReboot(int kind) {
  SetPowerKeyDownFlag(1);
  const WindowHandle menu = getMaintenanceMenuWnd();
  EnableWindow(menu, FALSE);
  openShutdownHint(menu, kind);
  EnableWindow(menu, TRUE);
}

BusyCursor::BusyCursor() { SetCursor(GetSystemCursor(PAGE_CURSOR_BUSY)); }
BusyCursor::~BusyCursor() { SetCursor(GetSystemCursor(PAGE_CURSOR_NORMAL)); }

void showResultBox(WindowHandle owner, const char* section, const ValueKeyRow* rows, int count, int code,
                   int errorCode) {
  for (int i = 0; i < count; ++i)
    if (rows[i].value == code) {
      showMsgBox(owner, section, rows[i].key, code == errorCode ? MSGBOX_ERROR : MSGBOX_INFO);
      return;
    }
  // A code outside the table would show nothing: the user learns it failed.
  showMsgBoxNum(owner, "commons", "savefailed_code", code);
}

bool usbdevKeys(WindowHandle page, int message, WParam wParam, LParam, LResult*) {
  if (message != MSG_KEYDOWN || (wParam != PANEL_KEY_PLAY && wParam != PANEL_KEY_ACTION)) return false;
  usbdevKeyHandler(page, static_cast<int>(wParam));
  return true;
}

}  // namespace maintenance
