// One copy of the program per configuration folder: two would rewrite each
// other's settings. The claim is an advisory lock on a file in the folder,
// held until the process ends (the kernel drops it even after a crash).
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "gdi/startup_report.h"
#include "gui/gui_etc.h"
#include "gui/startup.h"

namespace {

constexpr char kClaimFile[] = ".instance_lock";
constexpr mode_t kClaimMode = 0644;
// Never follows a link planted at the name, never waits on a FIFO there.
constexpr int kClaimFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;

// The process id the holder wrote into the file, or "" when unknown.
std::string HolderOf(int fd) {
  char text[32] = {};
  ssize_t got = ::pread(fd, text, sizeof text - 1, 0);
  if (got <= 0) return "";
  text[got] = '\0';
  text[std::strcspn(text, "\n")] = '\0';
  return text;
}

void Say(char* why, int len, const std::string& text) {
  if (why != nullptr && len > 0) std::snprintf(why, static_cast<size_t>(len), "%s", text.c_str());
}

// The lock file, created when missing; in a folder that cannot be written,
// one an earlier run left is locked all the same (a lock needs no write).
// -1 with errno when neither can be opened.
int OpenClaimFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | kClaimFlags, kClaimMode);
  if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
    const int denied = errno;
    fd = ::open(path.c_str(), O_RDONLY | kClaimFlags);
    if (fd < 0 && errno == ENOENT) errno = denied;
  }
  return fd;
}

std::string WhyNotOpened(int error) {
  if (error == ELOOP) return "a symbolic link stands at its name, and it is never followed";
  if (error == EACCES || error == EROFS || error == EPERM)
    return std::string("the configuration folder cannot be written (") + std::strerror(error) + ")";
  return std::strerror(error);
}

// Settings applied in a folder that cannot be written are lost: said once
// at start-up rather than found out later.
void WarnIfUnwritable() {
  if (::access(GUI_ETC_DIR, W_OK) == 0) return;
  WarnOfFallback("configuration folder \"%s\" cannot be written (%s); settings applied will not be kept",
                 ShownPath(GUI_ETC_DIR).c_str(), std::strerror(errno));
}

}  // namespace

extern "C" int ClaimConfigurationFolder(char* why, int len) {
  const std::string path = std::string(GUI_ETC_DIR) + kClaimFile;
  const std::string refusal = "cannot take the one-copy lock \"" + ShownPath(path.c_str()) + "\": ";
  const int fd = OpenClaimFile(path);
  if (fd < 0) {
    // No folder: nothing to share, and start-up names the file it misses.
    if (errno == ENOENT || errno == ENOTDIR) return -2;
    Say(why, len, refusal + WhyNotOpened(errno));
    return -1;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    Say(why, len, refusal + "it is not a regular file");
    return -1;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    std::string holder = HolderOf(fd);
    ::close(fd);
    if (error != EWOULDBLOCK) {
      Say(why, len, refusal + std::strerror(error));
      return -1;
    }
    Say(why, len,
        "another copy of the program" + (holder.empty() ? "" : " (process " + holder + ")") +
            " already runs on the configuration in \"" + ShownPath(GUI_ETC_DIR) +
            "\"; only one may use it at a time");
    return 0;
  }
  char pid[32];
  int n = std::snprintf(pid, sizeof pid, "%ld\n", static_cast<long>(::getpid()));
  // Written over the last holder's id and cut only where that was longer:
  // emptying the file first frees its block, file-system work that costs
  // more than the rest of the claim on every start. The id only makes the
  // refusal's message friendlier, so a failed write is let pass.
  const bool written = ::pwrite(fd, pid, static_cast<size_t>(n), 0) == n;
  if (written && info.st_size > n && ::ftruncate(fd, n) != 0) {
    // A longer old text stays behind the new id's newline, where the reader stops.
  }
  WarnIfUnwritable();
  return 1;  // fd stays open: the claim lasts as long as the process
}
