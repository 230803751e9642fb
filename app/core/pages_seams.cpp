// Stand-ins for pages that land separately; each answers as the finished
// page would on the default device.
#include "app/core/pages_calls.h"

#include "app/app_registry.h"
#include "app/liveview_menu.h"
#include "app/login_rights.h"
#include "app/menus.h"
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

// The pop-up menu is not built yet: a right click opens nothing.
void loadLiveViewMenuRes(void) {}
MenuHandle buildLiveViewMenu(int) { return 0; }
MenuHandle getLiveViewMenu(int) { return 0; }
int onLiveViewMenuCommand(WindowHandle, int, int) { return 0; }

// No tool windows start with the live view yet.
void startMenuMainThread(void) {}

}  // extern "C"
