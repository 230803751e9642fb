// The recorder program. Until the application's pages land it brings the
// toolkit up, waits until it is asked to quit, and tears it down.
#include <cstdio>

#include "app/app_callbacks.h"
#include "app/device_ability.h"
#include "gui/startup.h"

int main(int argc, char** argv) {
  // The toolkit asks the device through the application from its first
  // stage on.
  initDeviceAbility();
  installAppCallbacks();
  int code = InitGUI(argc, argv);
  if (code != 0) {
    std::printf("InitGUI failed with code %d\n", code);
    return 1;
  }
  RunUntilQuit();
  TerminateGUI(-1);
  return 0;
}
