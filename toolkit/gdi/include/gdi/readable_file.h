// The one way the toolkit reads a file it is given: opened without waiting
// (a FIFO without a writer never blocks the reader), accepted only when the
// opened file is a regular one no larger than its kind of file ever is, so
// that a FIFO, a link to a device or a huge file is refused before it costs
// time or memory, with the reason in words for the one line that says so.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace files {

// Bounds of the kinds of files the toolkit reads, each far above any such
// file it ships with.
constexpr size_t kMaxTextFile = size_t{16} << 20;   // configuration, layout and language files
constexpr size_t kMaxBinaryFile = size_t{64} << 20;  // fonts, images, input-method tables

// A file's bytes with one zero byte after them, so that a line parsed in
// place can be terminated where it ends.
struct FileText {
  std::unique_ptr<char[]> bytes;
  size_t size = 0;
};

// An open file, closed when it goes.
class ReadableFile {
 public:
  ReadableFile(const char* path, size_t limit);
  ~ReadableFile();
  ReadableFile(const ReadableFile&) = delete;
  ReadableFile& operator=(const ReadableFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  // The file is not there (nothing to refuse).
  bool Missing() const { return missing_; }
  // Why the file was refused or its reading failed, as it follows the
  // file's name ("is not a regular file"); "" while all is well.
  const std::string& Why() const { return why_; }
  // Its size when opened.
  uint64_t Size() const { return size_; }
  int Descriptor() const { return fd_; }

  // Reads what is left of the file, never more than the limit (a file
  // still growing is refused).
  bool ReadWhole(FileText& out);
  // Hands the file to a stream that reads on from here; null when it is
  // not open.
  std::FILE* TakeStream();

 private:
  bool Refuse(std::string why);

  int fd_ = -1;
  size_t limit_;
  uint64_t size_ = 0;
  bool missing_ = false;
  std::string why_;
};

// The same checks for a reader that opens the file itself (a library given
// a path): false with the reason when the file would be refused.
bool IsReadableFile(const char* path, size_t limit, std::string* why);

}  // namespace files
