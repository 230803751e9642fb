// Ends the test program when the scope is not left in time: a deadlock
// would otherwise hang the whole run instead of failing one test.
#pragma once

#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

class Watchdog {
 public:
  Watchdog(int seconds, const char* what)
      : thread_([this, seconds, what] {
          std::unique_lock<std::mutex> hold(lock_);
          if (done_changed_.wait_for(hold, std::chrono::seconds(seconds), [this] { return done_; })) return;
          std::fprintf(stderr, "watchdog: %s did not finish within %d s (deadlock)\n", what, seconds);
          std::fflush(stderr);
          _exit(1);
        }) {}
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> hold(lock_);
      done_ = true;
    }
    done_changed_.notify_all();
    thread_.join();
  }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  std::mutex lock_;
  std::condition_variable done_changed_;
  bool done_ = false;
  std::thread thread_;
};
