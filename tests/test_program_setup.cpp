// Linked into every test program, so one started by hand works as under
// ctest: it moves to the folder it lives in (build/bin), where the build's
// resources are found at "../guiRes/...", and it runs headless, asking SDL
// for its dummy video driver unless the caller chose another.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct TestProgramSetup {
  TestProgramSetup() {
    ::setenv("SDL_VIDEODRIVER", "dummy", 0);
    char exe[PATH_MAX] = {};
    ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) return;
    std::string dir(exe, static_cast<size_t>(n));
    dir.resize(dir.rfind('/') + 1);
    if (::chdir(dir.c_str()) != 0) {
      // Left where it was started; the resource paths then say what is missing.
    }
  }
} g_testProgramSetup;

// Each test program keeps the device's saved parameters in a file of its
// own, so that no test finds the settings another one saved, and none
// reaches the file of the program in the build folder.
std::string& testParamsPath() {
  static std::string path = "/tmp/gui_test_device_params." + std::to_string(::getpid()) + ".dat";
  return path;
}

void removeTestParams() { std::remove(testParamsPath().c_str()); }

}  // namespace

extern "C" const char* testDeviceParamsPath(void) {
  // An earlier process of the same number that ended without its clean-up
  // (killed, or left through _exit) may have left its file behind: a test
  // then started from that process's settings. Each starts from none.
  static const bool cleaned = (removeTestParams(), std::atexit(removeTestParams) == 0);
  (void)cleaned;
  return testParamsPath().c_str();
}
