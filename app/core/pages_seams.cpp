// Stand-ins for pages that land separately; each answers as the finished
// page would on the default device.
#include "app/core/pages_calls.h"

#include "app/app_registry.h"
#include "app/login_rights.h"
#include "gui/startup.h"

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

}  // extern "C"
