// The helpers every settings page shares: Apply, painters, registration,
// menu closing, key hooks and the boxes of a failed save.
#include "app/page_keys.h"
#include "app/app_registry.h"
#include "app/liveview_dialogs.h"
#include "app/msgbox.h"
#include "app/page_colours.h"
#include "app/page_building.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/combobox.h"
#include "gui/edit.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/startup.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kSystemFocus = 20224, kMaintenanceFocus = 20751, kRecordFocus = 18447, kDiskFocus = 19727;
constexpr int kManualFocus = 17935;

LResult enableApplyFor(WindowHandle page, WParam wParam, bool (*wanted)(int code)) {
  const int code = pageframe::codeOf(wParam);
  if (!wanted(code)) return code;
  return SendDlgItemMessage(page, PAGE_ID_APPLY, MSG_ENABLE, 1, 0);
}

LResult closeMenu(WindowHandle menu) {
  if (!IsValidHandle(menu)) return 0;
  return SendMessage(menu, MSG_CLOSE, 0, 0);
}

// A control on the focus chain that holds the keyboard (a drop-down list
// that is open) takes every key, Escape included: the page acts on a key
// only when nothing on the chain wants it.
bool keyHeldByControl(WindowHandle page) {
  WindowHandle at = page;
  for (int depth = 0; depth < 8; ++depth) {
    at = GetFocusChild(at);
    if (!IsValidHandle(at)) return false;
    // The sheet only passes keys on to its page.
    if (IsControlOfClass(at, "propsheet")) continue;
    if (SendMessage(at, MSG_GETDLGCODE, 0, 0) & (DLGC_WANTALLKEYS | DLGC_WANTCHARS)) return true;
  }
  return false;
}

int pageHook(WindowHandle page, int key, WindowHandle menu, int focusId) {
  if (keyHeldByControl(page)) return -1;
  switch (key) {
    case KEY_ESC:
      SendMessage(GetHosting(page), MSG_CLOSE, 0, 0);
      return 0;
    case KEY_LEFT:
      if (GetInputHelperState() != 0) return -1;
      if (!IsValidHandle(menu)) return 0;
      SetActiveWindow(menu);
      SetFocusChild(GetDlgItem(menu, focusId));
      return 0;
    case KEY_RIGHT: return GetInputHelperState() != 0 ? -1 : 0;
    default: return -1;
  }
}

void destroyPage(WindowHandle page, void (*setSlot)(WindowHandle)) {
  setSlot(GUI_INVALID_HANDLE);
  DestroyMainWindow(page);
  MainWindowThreadCleanup(page);
}

}  // namespace

extern "C" {

LResult enableApply(WindowHandle page, WParam, LParam) {
  return SendDlgItemMessage(page, PAGE_ID_APPLY, MSG_ENABLE, 1, 0);
}
LResult enableApplyOnNotify1(WindowHandle page, WParam wParam, LParam) {
  return enableApplyFor(page, wParam, [](int code) { return code == CBN_SELCHANGE; });
}
LResult enableApplyOnNotify1Or5(WindowHandle page, WParam wParam, LParam) {
  return enableApplyFor(page, wParam, [](int code) { return code == CBN_SELCHANGE || code == CBN_EDITCHANGE; });
}
LResult enableApplyOnChange(WindowHandle page, WParam wParam, LParam) {
  return enableApplyFor(page, wParam, [](int code) { return code == EN_UPDATE; });
}

void registerSystemPage(WindowHandle page) { setSystemPageWnd(page); }
void registerMaintenancePage(WindowHandle page) { setMaintenancePageWnd(page); }
void registerDiskPage(WindowHandle page) { setDiskPageWnd(page); }
void registerManualPage(WindowHandle page) { setManualPageWnd(page); }
void destroyManualPage(WindowHandle page) { destroyPage(page, setManualPageWnd); }
void closeMainWindow(WindowHandle page) { destroyPage(page, setSystemPageWnd); }

LResult closeSystemMenu(void) { return closeMenu(getSystemMenuWnd()); }
LResult closeMaintenanceMenu(void) { return closeMenu(getMaintenanceMenuWnd()); }
LResult closeManualMenu(void) { return closeMenu(getManualMenuWnd()); }
LResult closeRecordMenu(void) { return closeMenu(getRecordMenuWnd()); }
LResult closeOwnerWindow(WindowHandle window) {
  return closeMenu(static_cast<WindowHandle>(GetWindowAdditionalData(window)));
}

int systemPageHook(WindowHandle page, int key, int) {
  return pageHook(page, key, getSystemMenuWnd(), kSystemFocus);
}
int maintenancePageHook(WindowHandle page, int key, int) {
  return pageHook(page, key, getMaintenanceMenuWnd(), kMaintenanceFocus);
}
int recordPageHook(WindowHandle page, int key, int) { return pageHook(page, key, getRecordMenuWnd(), kRecordFocus); }
int diskPageHook(WindowHandle page, int key, int) { return pageHook(page, key, getDiskMenuWnd(), kDiskFocus); }
int onManualPageKeyUp(WindowHandle page, int key, int) {
  return pageHook(page, key, getManualMenuWnd(), kManualFocus);
}

int showSaveFailedCode(WindowHandle window, int code) {
  if (code == PAGE_CODE_DECLINED) return 0;
  return reportSaveFailed(window, code);
}

int reportSaveFailed(WindowHandle window, int code) {
  showMsgBoxNum(window, "commons", "savefailed_code", code);
  return 0;
}

}  // extern "C"
