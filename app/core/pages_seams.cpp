// Stand-ins for pages that land separately; each answers as the finished
// page would on the default device.
#include "app/core/pages_calls.h"

#include "app/app_registry.h"
#include "app/login_rights.h"
#include "app/menus.h"
#include "app/playback.h"
#include "app/program.h"
#include "gui/startup.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"

extern "C" {

// The login dialog as a user who logs in as the administrator.
int createLoginWindow(WindowHandle) {
  const int output = getCurOutput();
  setLoginState(output, 0, 0);
  setLoginFlag(output, 1);
  setOutputRelogin(output, 0);
  return 0;
}

// The device shuts down: the program ends cleanly.
int createShutdownHintWindow(WindowHandle, int) {
  RequestQuit();
  return 0;
}

// The menu shows itself again; its hidden flag arrives with the menus.
void reshowMainMenu(int, WindowHandle menu) {
  if (menu != GUI_INVALID_HANDLE) ShowWindow(menu, SW_SHOWNORMAL);
}
void refreshLeftMenuCaptions(int) {}
// The side menu is not built yet: the live view shows none.
WindowHandle createLeftMenuWindow(WindowHandle, int) { return GUI_INVALID_HANDLE; }

// The main menu is not built yet: it closes at once.
int showMainMenu(WindowHandle) { return 0; }

// The playback bar and result pages are not built yet: nothing to load.
void loadPlaybackBarBitmaps(void) {}
void loadPlaybackBarBitmapsAux(void) {}
void loadResultPageBitmaps(void) {}

// The live view as a plain window that ends the program when it closes.
LResult previewMainWinProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  if (message == MSG_CLOSE) {
    DestroyMainWindow(hwnd);
    PostQuitMessage(hwnd);
    return 0;
  }
  return DefaultMainWinProc(hwnd, message, wParam, lParam);
}

}  // extern "C"
