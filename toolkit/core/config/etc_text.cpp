#include "core/config/etc_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace etc {
namespace {

constexpr size_t kFirstGuess = 4096;

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

ReadableFile::ReadableFile(const char* path) : fd_(path ? ::open(path, O_RDONLY | O_CLOEXEC) : -1) {}

ReadableFile::~ReadableFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool ReadableFile::ReadWhole(size_t limit, FileText& out) const {
  struct stat info {};
  if (fd_ < 0 || ::fstat(fd_, &info) != 0) return false;
  const bool sized = S_ISREG(info.st_mode);
  if (sized && static_cast<unsigned long long>(info.st_size) > limit) return false;
  // One byte more than the status says, so that the end is seen by the
  // same read; anything beyond it (a file still growing) grows the buffer.
  size_t room = sized ? static_cast<size_t>(info.st_size) + 1 : kFirstGuess;
  std::unique_ptr<char[]> bytes(new char[room + 1]);
  size_t got = 0;
  for (;;) {
    if (!ReadInto(fd_, bytes.get(), room, got)) return false;
    if (got < room) break;
    if (room > limit) return false;
    const size_t bigger = room * 2;
    std::unique_ptr<char[]> grown(new char[bigger + 1]);
    std::memcpy(grown.get(), bytes.get(), got);
    bytes = std::move(grown);
    room = bigger;
  }
  if (got > limit) return false;
  bytes[got] = '\0';
  out.bytes = std::move(bytes);
  out.size = got;
  return true;
}

size_t LineCountAtMost(std::string_view text, bool crEnds) {
  size_t count = 1;
  for (char end : {'\n', '\r'}) {
    if (end == '\r' && !crEnds) break;
    const char* p = text.data();
    const char* const last = p + text.size();
    while (p < last && (p = static_cast<const char*>(std::memchr(p, end, static_cast<size_t>(last - p))))) {
      ++count;
      ++p;
    }
  }
  return count;
}

}  // namespace etc
