// A thread that reads shared state over and over, as one of the toolkit's
// threads does while the application changes it, until it goes: under
// ThreadSanitizer a change made meanwhile without lock or atomic is reported.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace livetest {

class ReaderThread {
 public:
  explicit ReaderThread(std::function<void()> read)
      : read_(std::move(read)), thread_([this] {
          while (!stop_.load()) {
            read_();
            passes_.fetch_add(1);
          }
        }) {}
  ~ReaderThread() {
    stop_.store(true);
    thread_.join();
  }
  ReaderThread(const ReaderThread&) = delete;
  ReaderThread& operator=(const ReaderThread&) = delete;

  // Returns once it has read again after what the caller did before.
  void AwaitFreshPasses() {
    const long from = passes_.load();
    while (passes_.load() < from + 2) std::this_thread::yield();
  }

 private:
  std::function<void()> read_;
  std::atomic<bool> stop_{false};
  std::atomic<long> passes_{0};
  std::thread thread_;
};

}  // namespace livetest
