// Crash-safe and process-safe replacement of a configuration file. A writer
// first takes an advisory lock on the target (on its folder while the target
// does not exist yet), which serialises the writers of every process and
// thread; it then writes the new content to a temporary file of its own
// beside the target, flushes it to disk and renames it over the target, so
// the target is at every moment either the old file or the new one, whole.
// A failed write removes its temporary file; one left by a killed writer is
// removed by the next writer or loader of that target.
#pragma once

#include <sys/types.h>

#include <cstdio>
#include <string>

namespace etc {

// An exclusive advisory lock on a target file, or on its folder while the
// target is missing. Released by the destructor.
class TargetLock {
 public:
  TargetLock() = default;
  ~TargetLock();
  TargetLock(const TargetLock&) = delete;
  TargetLock& operator=(const TargetLock&) = delete;

  // Waits for the lock. ETC_OK; ETC_FILE_IO_FAILED when the target may not
  // be written (read-only, a directory); ETC_TEMP_FILE_FAILED when its folder
  // cannot be used.
  int Acquire(const std::string& target);
  // Takes the lock only when no writer holds it and the target exists.
  bool TryAcquireExisting(const std::string& target);

  bool TargetMissing() const { return missing_; }
  // A fresh stream reading the locked target from its start; null when the
  // target is missing.
  std::FILE* OpenForReading() const;

 private:
  void Release();
  int fd_ = -1;
  bool missing_ = false;
};

// Removes the temporary files a killed writer of `target` left behind, when
// no writer of it is at work. Harmless when there are none.
void RemoveStaleTemporaries(const char* target);

class FileReplacement {
 public:
  explicit FileReplacement(const char* target);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Locks the target (TargetLock::Acquire's codes) and removes stale
  // temporary files of it.
  int Lock();
  bool TargetMissing() const { return lock_.TargetMissing(); }
  std::FILE* OpenTargetForReading() const { return lock_.OpenForReading(); }

  // Creates a temporary file under a new name (never through an existing
  // file or link) for reading and writing; null when it cannot be created.
  // It gets the target's permissions, or those of a new file; or `mode`
  // when given (the temporary file never has more than 0600 before).
  std::FILE* Create();
  std::FILE* Create(mode_t mode);
  // Flushes and syncs the temporary file and renames it over the target.
  // False on any failure; the target is then untouched.
  bool Commit();

 private:
  void Discard();
  std::FILE* CreateTemporary(const mode_t* mode);

  std::string target_;
  std::string tempPath_;
  std::FILE* temp_ = nullptr;
  bool committed_ = false;
  TargetLock lock_;
};

}  // namespace etc
