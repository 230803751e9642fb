// Stand-ins for the system, alarm, network, user and log pages, which land
// separately: each opener shows a placeholder page registered as the page of
// its menu, and the shared words answer as the finished pages do.
#include "app/app_registry.h"
#include "app/device_ability.h"
#include "app/msgbox.h"
#include "app/placeholder_page.h"
#include "app/system_pages.h"
#include "gui/dialog.h"
#include "gui/startup.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kApplyId = 4098;

// A placeholder page titled from ("systempages", key); the menu that
// opened it keeps the output's state.
int openPlaceholder(WindowHandle owner, const char* key, void (*registerWnd)(WindowHandle)) {
  PlaceholderPage page{"systempages", key, -1};
  page.registerWnd = registerWnd;
  return runPlaceholderPage(owner, page);
}

// The resolution words the display settings keep between a change and its
// confirmation; each one word, written and read whole.
int gPrevResolutionOut3 = 0;
int gPrevResolutionOut2 = 0;
int gResolutionPending = 0;

}  // namespace

extern "C" {

int createDisplaySetWindow(WindowHandle owner) { return openPlaceholder(owner, "display", setSystemPageWnd); }
int createRs232SetWindow(WindowHandle owner) { return openPlaceholder(owner, "rs232", setSystemPageWnd); }
int createUserSetWindow(WindowHandle owner) { return openPlaceholder(owner, "user", setSystemPageWnd); }
int createNetSetWindow(WindowHandle owner) { return openPlaceholder(owner, "network", setSystemPageWnd); }
int createAlarmSetWindow(WindowHandle owner) { return openPlaceholder(owner, "alarm", setSystemPageWnd); }
int createExceptionSetWindow(WindowHandle owner) { return openPlaceholder(owner, "exception", setSystemPageWnd); }
int createManualAlarmWindow(WindowHandle owner) { return openPlaceholder(owner, "manualalarm", setManualPageWnd); }
int createSystemInfoWindow(WindowHandle owner) { return openPlaceholder(owner, "sysinfo", setMaintenancePageWnd); }
int createLogSearchWindow(WindowHandle owner) { return openPlaceholder(owner, "log", setMaintenancePageWnd); }
int createConfigurationWindow(WindowHandle owner) { return openPlaceholder(owner, "config", setMaintenancePageWnd); }
int createUpgradeWindow(WindowHandle owner) { return openPlaceholder(owner, "upgrade", setMaintenancePageWnd); }
int createDefaultSetWindow(WindowHandle owner) { return openPlaceholder(owner, "default", setMaintenancePageWnd); }
int createNetDaWindow(WindowHandle owner) { return openPlaceholder(owner, "netda", setMaintenancePageWnd); }

// The language stays as configured and the wizard has nothing to ask yet.
int createLangSelWindow(WindowHandle) { return 0; }
int createStartGuideWindow(WindowHandle) { return 0; }

int createShutdownWindow(WindowHandle owner) {
  if (askShutdown(owner) == MSGBOX_ANSWER_YES) RequestQuit();
  return 0;
}

int getPrevResolutionOut3(void) { return gPrevResolutionOut3; }
int getPrevResolutionOut2(void) { return gPrevResolutionOut2; }
void setPrevResolutionOut3(int value) { gPrevResolutionOut3 = value; }
void setPrevResolutionOut2(int value) { gPrevResolutionOut2 = value; }
int isResolutionChangePending(void) { return gResolutionPending; }
void setResolutionChangePending(int flag) { gResolutionPending = flag; }

void closeSystemMenu(void) {
  const WindowHandle menu = getSystemMenuWnd();
  if (menu != GUI_INVALID_HANDLE) SendMessage(menu, MSG_CLOSE, 0, 0);
}

int enableApplyOnNotify1(WindowHandle page, WParam wParam, LParam) {
  if (((wParam >> 16) & 0xFFFF) == 1) SendDlgItemMessage(page, kApplyId, MSG_ENABLE, 1, 0);
  return 0;
}

// The simulated device has no IP cameras that report alarms of their own.
int hasAlarmIn(void) { return getAlarmInNum() > 0; }
int hasAlarmOut(void) { return getAlarmOutNum() > 0; }

void registerSystemPage(WindowHandle page) { setSystemPageWnd(page); }

int reportSaveFailed(WindowHandle hwnd, int code) {
  showMsgBoxNum(hwnd, "commons", "savefailed_code", code);
  return 0;
}

int systemPageHook(WindowHandle hwnd, int code, int) {
  if (code != 1) return 1;
  SendMessage(hwnd, MSG_CLOSE, 0, 0);
  return 0;
}

}  // extern "C"
