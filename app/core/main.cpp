// The recorder program: one copy per configuration folder, quit signals
// honoured from its first instruction, then the recorder itself.
#include <cstdio>

#include "app/program.h"
#include "app/program_pages.h"
#include "gui/startup.h"

namespace {

// Called by the loader before any constructor, those of the shared libraries
// included: a SIGTERM, SIGINT or SIGHUP from the very start asks for an
// orderly quit instead of killing the program.
__attribute__((section(".preinit_array"), used)) void (*const kHandleQuitSignalsFirst)(void) = InstallQuitSignals;

}  // namespace

int main() {
  PrepareStartupHeap();
  char why[1024];
  // Without the lock a second copy could run on the same files: no start.
  const int claim = ClaimConfigurationFolder(why, sizeof why);
  if (claim == 0 || claim == -1) {
    std::fprintf(stderr, "recorder_gui: %s\n", why);
    return 1;
  }
  registerAppPages();
  return runRecorder();
}
