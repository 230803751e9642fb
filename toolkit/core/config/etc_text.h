// Configuration and text files read whole: one read into one buffer, split
// into lines in place.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace etc {

// A file's bytes with one zero byte after them, so that a line parsed in
// place can be terminated where it ends.
struct FileText {
  std::unique_ptr<char[]> bytes;
  size_t size = 0;
};

// An open file, closed when it goes.
class ReadableFile {
 public:
  explicit ReadableFile(const char* path);
  ~ReadableFile();
  ReadableFile(const ReadableFile&) = delete;
  ReadableFile& operator=(const ReadableFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  // Reads what is left of the file; false on a read error or when it holds
  // more than `limit` bytes. A size its status gives is read with one read;
  // a file that does not give one is read to its end all the same.
  bool ReadWhole(size_t limit, FileText& out) const;

 private:
  int fd_ = -1;
};

// Calls `line` with each line of `text`, without its end: a line ends at
// every LF, and with `crEnds` at every CR too (so CR LF ends a line and
// leaves an empty one). A CR that ends no line stays in it.
template <typename Line>
void ForEachLine(std::string_view text, bool crEnds, Line line) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
    const char* stop = lf ? lf : end;
    if (crEnds)
      if (const char* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(stop - p)))) stop = cr;
    line(std::string_view(p, static_cast<size_t>(stop - p)));
    p = stop + 1;
  }
}

// The number of lines ForEachLine finds at most, to size tables once.
size_t LineCountAtMost(std::string_view text, bool crEnds);

}  // namespace etc
