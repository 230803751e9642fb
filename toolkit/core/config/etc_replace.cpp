#include "core/config/etc_replace.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "gui/config.h"

namespace etc {
namespace {

// A symbolic link to the configuration is followed, so the real file is
// replaced and the link stays a link.
std::string ResolveTarget(const char* target) {
  char resolved[PATH_MAX];
  if (::realpath(target, resolved) != nullptr) return resolved;
  return target;
}

std::string DirectoryOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The temporary files of one target share this name; a random tail follows.
std::string TempPrefixOf(const std::string& target) {
  return std::string(ETC_TEMP_FILE_NAME) + "." + BaseOf(target) + ".";
}
constexpr size_t kRandomTail = 6;

void SyncDirectory(const std::string& dir) {
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

int LockFd(int fd, int how) {
  int rc;
  do rc = ::flock(fd, how);
  while (rc != 0 && errno == EINTR);
  return rc;
}

// The lock is good only while the path still names the locked file: a
// writer that renamed its new file over it meanwhile makes us start again.
bool StillNamesFile(int fd, const std::string& path) {
  struct stat held {}, named {};
  return ::fstat(fd, &held) == 0 && held.st_nlink > 0 && ::stat(path.c_str(), &named) == 0 &&
         held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

bool Exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

void RemoveTemporariesOf(const std::string& target) {
  std::string dir = DirectoryOf(target);
  std::string prefix = TempPrefixOf(target);
  DIR* folder = ::opendir(dir.c_str());
  if (folder == nullptr) return;
  while (dirent* entry = ::readdir(folder)) {
    std::string name = entry->d_name;
    if (name.size() == prefix.size() + kRandomTail && name.compare(0, prefix.size(), prefix) == 0)
      ::unlinkat(::dirfd(folder), name.c_str(), 0);
  }
  ::closedir(folder);
}

// What a file created with fopen(path, "w") would get.
mode_t NewFileMode() {
  mode_t mask = 022;
  if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
    char line[128];
    while (std::fgets(line, sizeof line, status))
      if (std::strncmp(line, "Umask:", 6) == 0) mask = static_cast<mode_t>(std::strtol(line + 6, nullptr, 8));
    std::fclose(status);
  }
  return 0666 & ~mask;
}

}  // namespace

TargetLock::~TargetLock() { Release(); }

void TargetLock::Release() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  missing_ = false;
}

int TargetLock::Acquire(const std::string& target) {
  Release();
  // Each pass loses only to a writer that replaced or created the target
  // meanwhile, so a bound is only a guard against a file that keeps flipping.
  for (int attempt = 0; attempt < 1000; ++attempt) {
    // Never waits on a FIFO planted in the file's place; what is no regular
    // file (a FIFO, a device) is never read to be rewritten.
    int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0 && errno != ENOENT) return ETC_FILE_IO_FAILED;
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
      ::close(fd);
      return ETC_FILE_IO_FAILED;
    }
    if (fd >= 0) {
      if (LockFd(fd, LOCK_EX) == 0 && StillNamesFile(fd, target)) {
        fd_ = fd;
        return ETC_OK;
      }
      ::close(fd);
      continue;
    }
    int dir = ::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return ETC_TEMP_FILE_FAILED;
    if (LockFd(dir, LOCK_EX) == 0 && !Exists(target)) {
      fd_ = dir;
      missing_ = true;
      return ETC_OK;
    }
    ::close(dir);
  }
  return ETC_FILE_IO_FAILED;
}

bool TargetLock::TryAcquireExisting(const std::string& target) {
  Release();
  // Never waits for a writer of a FIFO planted in the file's place.
  int fd = ::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  if (LockFd(fd, LOCK_EX | LOCK_NB) != 0 || !StillNamesFile(fd, target)) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

std::FILE* TargetLock::OpenForReading() const {
  if (fd_ < 0 || missing_) return nullptr;
  // A second descriptor of the same open file: closing it keeps the lock.
  int copy = ::dup(fd_);
  if (copy < 0) return nullptr;
  std::FILE* stream = ::fdopen(copy, "r");
  if (stream == nullptr) {
    ::close(copy);
    return nullptr;
  }
  std::rewind(stream);
  return stream;
}

void RemoveStaleTemporaries(const char* target) {
  std::string resolved = ResolveTarget(target);
  TargetLock lock;
  if (lock.TryAcquireExisting(resolved)) RemoveTemporariesOf(resolved);
}

FileReplacement::FileReplacement(const char* target) : target_(ResolveTarget(target)) {}

FileReplacement::~FileReplacement() {
  if (!committed_) Discard();
}

int FileReplacement::Lock() {
  int rc = lock_.Acquire(target_);
  if (rc == ETC_OK) RemoveTemporariesOf(target_);
  return rc;
}

std::FILE* FileReplacement::Create() { return CreateTemporary(nullptr); }

std::FILE* FileReplacement::Create(mode_t mode) { return CreateTemporary(&mode); }

std::FILE* FileReplacement::CreateTemporary(const mode_t* mode) {
  std::string pattern = DirectoryOf(target_) + "/" + TempPrefixOf(target_) + std::string(kRandomTail, 'X');
  // mkostemp creates the name exclusively: a file or link planted there is
  // never opened.
  int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) return nullptr;
  tempPath_ = pattern;
  struct stat info {};
  if (mode) ::fchmod(fd, *mode);
  else ::fchmod(fd, ::stat(target_.c_str(), &info) == 0 ? (info.st_mode & 07777) : NewFileMode());
  temp_ = ::fdopen(fd, "w+");
  if (temp_ == nullptr) ::close(fd);
  return temp_;
}

bool FileReplacement::Commit() {
  if (temp_ == nullptr) return false;
  bool written = std::fflush(temp_) == 0 && !std::ferror(temp_) && ::fsync(::fileno(temp_)) == 0;
  bool closed = std::fclose(temp_) == 0;
  temp_ = nullptr;
  if (!written || !closed || ::rename(tempPath_.c_str(), target_.c_str()) != 0) {
    Discard();
    return false;
  }
  committed_ = true;
  SyncDirectory(DirectoryOf(target_));
  return true;
}

void FileReplacement::Discard() {
  if (temp_ != nullptr) {
    std::fclose(temp_);
    temp_ = nullptr;
  }
  if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
  tempPath_.clear();
}

}  // namespace etc
