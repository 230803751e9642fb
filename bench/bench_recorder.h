// The recorder's toolkit started for a benchmark: the resources beside the
// program's folder, the simulated device and the application's call-backs.
#pragma once

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "app/app_callbacks.h"
#include "app/app_registry.h"
#include "app/device_ability.h"
#include "gui/startup.h"

namespace benchapp {

inline bool StartRecorderToolkit() {
  ::setenv("SDL_VIDEODRIVER", "dummy", 0);
  char exe[PATH_MAX] = {};
  const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  const std::string path = n > 0 ? std::string(exe, static_cast<size_t>(n)) : std::string("./x");
  if (chdir(path.substr(0, path.rfind('/')).c_str()) != 0) return false;
  initDeviceAbility();
  setMainOutput(3);
  setAuxOutput(1);
  setCurOutput(3);
  installAppCallbacks();
  return InitGUI(0, nullptr) == 0;
}

}  // namespace benchapp
