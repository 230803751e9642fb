// The parameter file: the device's kept settings survive the program's end.
// It is written whole through the configuration files' writer (a temporary
// beside it, flushed and renamed, under the writers' lock), so a kill at any
// moment leaves the old file or the new one. It holds the users' passwords:
// only its owner may read it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
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

constexpr mode_t kOwnerOnly = 0600;
// Far above any file this device writes (every record of every channel
// kept stays well under 1 MB); a larger file is damaged, and is refused
// before it costs memory.
constexpr size_t kMaxFileSize = size_t{4} << 20;
constexpr size_t kReadChunk = size_t{64} << 10;

std::string defaultPath() {
  if (testDeviceParamsPath) return testDeviceParamsPath();
  return std::string(GUI_ETC_DIR) + "device_params.dat";
}

struct FileState {
  std::mutex lock;  // one save at a time, so an older image never lands last
  std::string path = defaultPath();
  // A write failed and no write succeeded since: the failures that follow
  // the first one are not told again.
  bool failing = false;
};

FileState& fileState() {
  static FileState f;
  return f;
}

std::string currentPath() {
  std::lock_guard<std::mutex> hold(fileState().lock);
  return fileState().path;
}

bool exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

bool isLink(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

// Empty when the image is in the file, else why it is not. The writer
// would replace the file a link names, wherever that is: a link planted at
// the file's name is never written through.
std::string replaceFile(const std::string& path, const std::vector<uint8_t>& image) {
  if (isLink(path)) return "a symbolic link, not a file";
  errno = 0;
  if (ReplaceOwnerOnlyFileContents(path.c_str(), image.data(), image.size()) == ETC_OK) return "";
  return errno != 0 ? std::strerror(errno) : "the write failed";
}

// Caller holds the file's lock.
int writeSettings(FileState& f) {
  uint64_t changes = 0;
  std::vector<uint8_t> image = serializeSettings(&changes);
  const std::string why = replaceFile(f.path, image);
  noteSettingsWrite(changes, why.empty());
  if (!why.empty() && !f.failing)
    std::fprintf(stderr, "device parameters: %s could not be written (%s); the settings are kept until the next write\n",
                 f.path.c_str(), why.c_str());
  f.failing = !why.empty();
  return why.empty() ? 0 : -1;
}

// A refused file is kept for a look, under a name no later refusal reuses.
void setAside(const std::string& path, const std::string& why) {
  const std::string stem = path + ".refused." + std::to_string(static_cast<long long>(std::time(nullptr)));
  std::string aside = stem;
  for (int n = 1; exists(aside); ++n) aside = stem + "-" + std::to_string(n);
  bool moved = std::rename(path.c_str(), aside.c_str()) == 0;
  std::fprintf(stderr, "device parameters: %s refused (%s); %s%s, defaults in use\n", path.c_str(), why.c_str(),
               moved ? "set aside as " : "could not be set aside", moved ? aside.c_str() : "");
}

// Owns a descriptor.
struct Fd {
  int fd;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
};

// Reads the whole file into `image`; false with the reason. A link is
// never followed (its target would be changed to owner-only and replaced
// by every save); anything but a regular file, or one larger than the
// device writes, is refused without reading it, and opening never waits for
// a writer of a FIFO.
bool readImage(const std::string& path, std::vector<uint8_t>* image, bool* missing, std::string* why) {
  Fd file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC)};
  if (file.fd < 0) {
    const int error = errno;
    *missing = error == ENOENT;
    *why = error == ELOOP && isLink(path) ? "a symbolic link, not a file"
                                          : std::string("cannot be opened: ") + std::strerror(error);
    return false;
  }
  struct stat info {};
  if (::fstat(file.fd, &info) != 0) {
    *why = std::string("cannot be examined: ") + std::strerror(errno);
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    *why = S_ISDIR(info.st_mode) ? "a directory, not a file" : "not a regular file";
    return false;
  }
  // The file holds passwords: one made readable by others is closed again.
  if ((info.st_mode & 07777) != kOwnerOnly) ::fchmod(file.fd, kOwnerOnly);
  if (static_cast<uint64_t>(info.st_size) > kMaxFileSize) {
    *why = "larger than any parameter file (" + std::to_string(static_cast<long long>(info.st_size)) + " bytes)";
    return false;
  }
  image->clear();
  // Read to its end, however it changed since fstat, but never past the bound.
  for (;;) {
    const size_t at = image->size();
    image->resize(at + kReadChunk);
    const ssize_t got = ::read(file.fd, image->data() + at, kReadChunk);
    if (got < 0 && errno == EINTR) {
      image->resize(at);
      continue;
    }
    if (got < 0) {
      *why = std::string("unreadable: ") + std::strerror(errno);
      return false;
    }
    image->resize(at + static_cast<size_t>(got));
    if (got == 0) return true;
    if (image->size() > kMaxFileSize) {
      *why = "larger than any parameter file";
      return false;
    }
  }
}

}  // namespace

int saveSettingsFile() {
  FileState& f = fileState();
  std::lock_guard<std::mutex> hold(f.lock);
  return writeSettings(f);
}

int writeChangedSettings(bool retryFailed) {
  if (!settingsWriteDue(retryFailed)) return 0;
  FileState& f = fileState();
  std::lock_guard<std::mutex> hold(f.lock);
  // Another thread may have written the change meanwhile.
  if (!settingsWriteDue(retryFailed)) return 0;
  return writeSettings(f);
}

void loadSettingsFile() {
  const std::string path = currentPath();
  std::vector<uint8_t> image;
  bool missing = false;
  std::string why;
  if (!readImage(path, &image, &missing, &why)) {
    if (!missing) setAside(path, why);  // no file yet: the defaults
    return;
  }
  RemoveStaleEtcTemps(path.c_str());
  if (!parseSettings(image.data(), image.size(), &why)) {
    setAside(path, why);
    return;
  }
  dropLostV6References();
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
  DEVICE_ENTER(saveDeviceParams, nullptr, 0);
  return devsim::saveSettingsFile();
}

void writeChangedDeviceParams(void) { devsim::writeChangedSettings(false); }

void finishDeviceParams(void) { devsim::writeChangedSettings(true); }

int keepDeviceParams(void) {
  DEVICE_ENTER(keepDeviceParams, nullptr, 0);
  return devsim::writeChangedSettings(true);
}

int restoreDeviceDefaults(OutputLogin*, int flag) {
  DEVICE_ENTER(restoreDeviceDefaults, nullptr, 0, flag);
  devsim::forgetSettings();
  return devsim::saveSettingsFile();
}

}  // extern "C"
