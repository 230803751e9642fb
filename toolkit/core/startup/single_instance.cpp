// One copy of the program per configuration folder: two would rewrite each
// other's settings. The claim is an advisory lock on a file in the folder,
// held until the process ends (the kernel drops it even after a crash).
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "gdi/startup/startup_report.h"
#include "gui/gui_etc.h"
#include "gui/startup.h"

namespace {

constexpr char kClaimFile[] = ".instance_lock";

// The process id the holder wrote into the file, or "" when unknown.
std::string HolderOf(int fd) {
  char text[32] = {};
  ssize_t got = ::pread(fd, text, sizeof text - 1, 0);
  if (got <= 0) return "";
  text[got] = '\0';
  text[std::strcspn(text, "\n")] = '\0';
  return text;
}

}  // namespace

extern "C" int ClaimConfigurationFolder(char* why, int len) {
  std::string path = std::string(GUI_ETC_DIR) + kClaimFile;
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    std::string holder = HolderOf(fd);
    ::close(fd);
    if (why != nullptr && len > 0)
      std::snprintf(why, static_cast<size_t>(len),
                    "another copy of the program%s%s%s already runs on the configuration in \"%s\"; "
                    "only one may use it at a time",
                    holder.empty() ? "" : " (process ", holder.c_str(), holder.empty() ? "" : ")",
                    ShownPath(GUI_ETC_DIR).c_str());
    return 0;
  }
  char pid[32];
  int n = std::snprintf(pid, sizeof pid, "%ld\n", static_cast<long>(::getpid()));
  if (::ftruncate(fd, 0) == 0 && ::pwrite(fd, pid, static_cast<size_t>(n), 0) != n) {
    // The process id only makes the refusal's message friendlier.
  }
  return 1;  // fd stays open: the claim lasts as long as the process
}
