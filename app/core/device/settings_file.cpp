// The parameter file: the device's kept settings survive the program's end.
// It is written whole through the configuration files' writer (a temporary
// beside it, flushed and renamed, under the writers' lock), so a kill at any
// moment leaves the old file or the new one.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include "app/core/device/sim_state.h"
#include "app/device_backend.h"
#include "app/device_test_seam.h"
#include "gui/config.h"
#include "gui/gui_etc.h"

// Test programs name a file of their own (a weak reference: absent in the
// program itself).
extern "C" const char* testDeviceParamsPath(void) __attribute__((weak));

namespace devsim {
namespace {

std::string defaultPath() {
  if (testDeviceParamsPath) return testDeviceParamsPath();
  return std::string(GUI_ETC_DIR) + "device_params.dat";
}

struct FileState {
  std::mutex lock;  // one save at a time, so an older image never lands last
  std::string path = defaultPath();
};

FileState& fileState() {
  static FileState f;
  return f;
}

std::string currentPath() {
  std::lock_guard<std::mutex> hold(fileState().lock);
  return fileState().path;
}

// A refused file is kept for a look, under a name no later refusal reuses.
void setAside(const std::string& path, const std::string& why) {
  std::string aside = path + ".refused." + std::to_string(static_cast<long long>(std::time(nullptr)));
  for (int n = 1; std::ifstream(aside).good(); ++n)
    aside = path + ".refused." + std::to_string(static_cast<long long>(std::time(nullptr))) + "-" + std::to_string(n);
  bool moved = std::rename(path.c_str(), aside.c_str()) == 0;
  std::fprintf(stderr, "device parameters: %s refused (%s); %s%s, defaults in use\n", path.c_str(), why.c_str(),
               moved ? "set aside as " : "could not be set aside", moved ? aside.c_str() : "");
}

}  // namespace

int saveSettingsFile() {
  FileState& f = fileState();
  std::lock_guard<std::mutex> hold(f.lock);
  std::vector<uint8_t> image = serializeSettings();
  return ReplaceFileContents(f.path.c_str(), image.data(), image.size()) == ETC_OK ? 0 : -1;
}

void loadSettingsFile() {
  const std::string path = currentPath();
  RemoveStaleEtcTemps(path.c_str());
  std::ifstream in(path, std::ios::binary);
  if (!in) return;  // no file yet: the defaults
  std::vector<uint8_t> image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    std::fprintf(stderr, "device parameters: %s unreadable (%s), defaults in use\n", path.c_str(),
                 std::strerror(errno));
    return;
  }
  in.close();
  std::string why;
  if (!parseSettings(image.data(), image.size(), &why)) setAside(path, why);
}

}  // namespace devsim

namespace device_seam {
void setSettingsFile(const std::string& path) {
  std::lock_guard<std::mutex> hold(devsim::fileState().lock);
  devsim::fileState().path = path.empty() ? devsim::defaultPath() : path;
}
}  // namespace device_seam

extern "C" {

int saveDeviceParams(void) {
  DEVICE_ENTER(nullptr, 0);
  return devsim::saveSettingsFile();
}

int restoreDeviceDefaults(OutputLogin*, int flag) {
  DEVICE_ENTER(nullptr, 0, flag);
  devsim::forgetSettings();
  return devsim::saveSettingsFile();
}

}  // extern "C"
