// The process's thread count, for tests that check a shut-down leaves no
// thread running.
#pragma once

#include <dirent.h>

#include <chrono>
#include <thread>

namespace threadcount {

// Sanitizers start a helper thread with the first thread made; one thread
// made and joined first keeps it out of the counts.
inline int ThreadCount() {
  static const bool warmedUp = (std::thread([] {}).join(), true);
  (void)warmedUp;
  int count = 0;
  DIR* dir = opendir("/proc/self/task");
  while (dirent* entry = readdir(dir))
    if (entry->d_name[0] != '.') ++count;
  closedir(dir);
  return count;
}

// A joined thread can still be listed for a moment while the kernel ends
// it, so the count is read again until it is the one expected (or time is
// up, when the last reading is what the test sees).
inline int CountOnceSettled(int expected) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  int count = ThreadCount();
  while (count != expected && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    count = ThreadCount();
  }
  return count;
}

}  // namespace threadcount
