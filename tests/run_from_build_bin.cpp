// Linked into every test program: the tests find the build's resources at
// "../guiRes/..." as the program does, so a test program started by hand in
// any folder first moves to the folder it lives in (build/bin), where ctest
// would have started it.
#include <unistd.h>

#include <climits>
#include <string>

namespace {

struct MoveToOwnFolder {
  MoveToOwnFolder() {
    char exe[PATH_MAX] = {};
    ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) return;
    std::string dir(exe, static_cast<size_t>(n));
    dir.resize(dir.rfind('/') + 1);
    if (::chdir(dir.c_str()) != 0) {
      // Left where it was started; the resource paths then say what is missing.
    }
  }
} g_moveToOwnFolder;

}  // namespace
