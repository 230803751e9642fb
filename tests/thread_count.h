// The process's threads, for tests that check a shut-down leaves no thread
// running. Threads are told apart by id rather than counted: a thread that
// has been joined can still be listed for a moment while the kernel ends it,
// so a count read then would be one too high, whether it is the baseline or
// the final reading.
#pragma once

#include <dirent.h>

#include <chrono>
#include <cstdlib>
#include <set>
#include <thread>

namespace threadcount {

using ThreadIds = std::set<long>;

// The ids listed in /proc/self/task. Sanitizers start a helper thread with
// the first thread made; one thread made and joined first keeps it out of
// what a test starts.
inline ThreadIds RunningThreads() {
  static const bool warmedUp = (std::thread([] {}).join(), true);
  (void)warmedUp;
  ThreadIds ids;
  DIR* dir = opendir("/proc/self/task");
  if (!dir) return ids;
  while (dirent* entry = readdir(dir))
    if (entry->d_name[0] != '.') ids.insert(std::strtol(entry->d_name, nullptr, 10));
  closedir(dir);
  return ids;
}

// How many threads run that were not running in `before`, read again until
// exactly `expected` do (or time is up, when the last reading is what the
// test sees). A thread of `before` that has ended since counts for nothing.
inline int StartedSince(const ThreadIds& before, int expected) {
  const auto count = [&before] {
    int started = 0;
    for (long id : RunningThreads()) started += before.count(id) == 0 ? 1 : 0;
    return started;
  };
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  int started = count();
  while (started != expected && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    started = count();
  }
  return started;
}

}  // namespace threadcount
