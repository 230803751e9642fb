// Crash-safe replacement of a configuration file: the new content is written
// to a temporary file beside the target, flushed to disk, and renamed over
// the target, so the target is at every moment either the old file or the
// new one, whole. The temporary file never outlives the replacement.
#pragma once

#include <cstdio>
#include <mutex>
#include <string>

namespace etc {

// Serialises every by-path writer of the process: they share one temporary
// file name per directory.
std::mutex& FileWriterLock();

class FileReplacement {
 public:
  explicit FileReplacement(const char* target);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Creates (truncating) the temporary file for reading and writing; null
  // when it cannot be created. It gets the target's permissions if the
  // target exists.
  std::FILE* Create();
  // Flushes and syncs the temporary file and renames it over the target.
  // False on any failure; the target is then untouched.
  bool Commit();

  const std::string& TempPath() const { return tempPath_; }

 private:
  void Discard();

  std::string target_;
  std::string tempPath_;
  std::FILE* temp_ = nullptr;
  bool created_ = false;
  bool committed_ = false;
};

}  // namespace etc
