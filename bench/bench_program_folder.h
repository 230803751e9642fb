// Benchmarks that read the build's resources move to the program's own
// folder (build/bin), from where they are found at "../guiRes/...".
#pragma once

#include <unistd.h>

#include <climits>
#include <string>

namespace benchfolder {

inline bool EnterProgramFolder() {
  char path[PATH_MAX] = {};
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return false;
  std::string dir(path, static_cast<size_t>(n));
  return chdir(dir.substr(0, dir.rfind('/')).c_str()) == 0;
}

}  // namespace benchfolder
