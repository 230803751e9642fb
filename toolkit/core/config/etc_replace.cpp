#include "core/config/etc_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "gui/config.h"

namespace etc {
namespace {

// A symbolic link is followed, so the real file is replaced and the link
// stays a link.
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

void SyncDirectory(const std::string& dir) {
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::mutex& FileWriterLock() {
  static std::mutex lock;
  return lock;
}

FileReplacement::FileReplacement(const char* target)
    : target_(ResolveTarget(target)), tempPath_(DirectoryOf(target_) + "/" + ETC_TEMP_FILE_NAME) {}

FileReplacement::~FileReplacement() {
  if (!committed_) Discard();
}

std::FILE* FileReplacement::Create() {
  int fd = ::open(tempPath_.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  struct stat info {};
  if (::stat(target_.c_str(), &info) == 0) ::fchmod(fd, info.st_mode & 07777);
  created_ = true;
  temp_ = ::fdopen(fd, "w+");
  if (temp_ == nullptr) {
    ::close(fd);
    ::unlink(tempPath_.c_str());
  }
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
  if (created_) ::unlink(tempPath_.c_str());
}

}  // namespace etc
