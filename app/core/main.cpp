// The recorder program. Until the application's pages land it brings the
// toolkit up, waits until it is asked to quit, and tears it down.
#include <cstdio>

#include "app/app_callbacks.h"
#include "app/device_ability.h"
#include "gui/startup.h"

namespace {

// Called by the loader before any constructor, those of the shared libraries
// included: a SIGTERM or SIGINT from the very start asks for an orderly quit
// instead of killing the program.
__attribute__((section(".preinit_array"), used)) void (*const kHandleQuitSignalsFirst)(void) = InstallQuitSignals;

void SayWhyStartUpFailed(int code) {
  const char* reason = GetStartupFailureReason();
  std::fprintf(stderr, "recorder_gui: InitGUI failed with code %d (%s)%s%s\n", code, GetStartupFailureStage(),
               reason[0] ? ": " : "", reason);
}

}  // namespace

int main(int argc, char** argv) {
  char why[1024];
  if (ClaimConfigurationFolder(why, sizeof why) == 0) {
    std::fprintf(stderr, "recorder_gui: %s\n", why);
    return 1;
  }
  // The toolkit asks the device through the application from its first
  // stage on.
  initDeviceAbility();
  installAppCallbacks();
  int code = InitGUI(argc, argv);
  if (code != 0) {
    SayWhyStartUpFailed(code);
    return 1;
  }
  RunUntilQuit();
  TerminateGUI(-1);
  return 0;
}
