#include "gdi/readable_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace files {
namespace {

// Reads into `into` from `got` on until the file ends or the buffer is
// full; false on a read error.
bool ReadInto(int fd, char* into, size_t room, size_t& got) {
  while (got < room) {
    const ssize_t n = ::read(fd, into + got, room - got);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    got += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

ReadableFile::ReadableFile(const char* path, size_t limit) : limit_(limit) {
  if (path == nullptr) {
    Refuse("has no name");
    return;
  }
  fd_ = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) {
    missing_ = errno == ENOENT;
    why_ = missing_ ? "is missing" : std::string("cannot be opened (") + std::strerror(errno) + ")";
    return;
  }
  struct stat info {};
  if (::fstat(fd_, &info) != 0) {
    Refuse(std::string("cannot be examined (") + std::strerror(errno) + ")");
    return;
  }
  if (!S_ISREG(info.st_mode)) {
    Refuse(S_ISDIR(info.st_mode) ? "is a directory, not a file" : "is not a regular file");
    return;
  }
  size_ = static_cast<uint64_t>(info.st_size);
  if (size_ > limit_) Refuse("is larger than any such file (" + std::to_string(size_) + " bytes)");
}

ReadableFile::~ReadableFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool ReadableFile::Refuse(std::string why) {
  why_ = std::move(why);
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  return false;
}

bool ReadableFile::ReadWhole(FileText& out) {
  if (fd_ < 0) return false;
  // One byte more than the status says, so that the end is seen by the
  // same read; a file grown since is read on up to the limit.
  size_t room = static_cast<size_t>(size_) + 1;
  std::unique_ptr<char[]> bytes(new char[room + 1]);
  size_t got = 0;
  for (;;) {
    if (!ReadInto(fd_, bytes.get(), room, got))
      return Refuse(std::string("cannot be read (") + std::strerror(errno) + ")");
    if (got < room) break;
    if (room > limit_) return Refuse("grew larger than any such file while it was read");
    const size_t bigger = room * 2;
    std::unique_ptr<char[]> grown(new char[bigger + 1]);
    std::memcpy(grown.get(), bytes.get(), got);
    bytes = std::move(grown);
    room = bigger;
  }
  if (got > limit_) return Refuse("grew larger than any such file while it was read");
  bytes[got] = '\0';
  out.bytes = std::move(bytes);
  out.size = got;
  return true;
}

std::FILE* ReadableFile::TakeStream() {
  if (fd_ < 0) return nullptr;
  std::FILE* stream = ::fdopen(fd_, "rb");
  if (stream != nullptr) fd_ = -1;
  return stream;
}

bool IsReadableFile(const char* path, size_t limit, std::string* why) {
  ReadableFile file(path, limit);
  if (why != nullptr) *why = file.Why();
  return file.IsOpen();
}

}  // namespace files
