#include "core/startup/thread_start.h"

#include <atomic>
#include <chrono>

namespace {
std::atomic<int> g_failingSlot{0};
}

void FailThreadLaunchForTest(int slot) { g_failingSlot = slot; }

bool ThreadStart::Begin(pthread_t* thread, void* (*body)(void*), int slot) {
  if (slot != 0 && g_failingSlot.load() == slot) return false;
  ok_ = false;
  return pthread_create(thread, nullptr, body, this) == 0;
}

bool ThreadStart::Finish(pthread_t thread) {
  ready_.Wait();
  if (!ok_) pthread_join(thread, nullptr);
  return ok_;
}

bool StoppableThread::Begin(void* (*body)(void*), int slot) { return start_.Begin(&starting_, body, slot); }

bool StoppableThread::Finish() {
  if (!start_.Finish(starting_)) return false;
  std::lock_guard<std::mutex> hold(lock_);
  thread_ = starting_;
  running_ = true;
  stop_ = false;
  return true;
}

bool StoppableThread::SleepFor(long usec) {
  std::unique_lock<std::mutex> lock(lock_);
  wake_.wait_for(lock, std::chrono::microseconds(usec), [this] { return stop_; });
  return !stop_;
}

bool StoppableThread::StopRequested() {
  std::lock_guard<std::mutex> hold(lock_);
  return stop_;
}

void StoppableThread::Stop(void (*wake)()) {
  {
    std::lock_guard<std::mutex> hold(lock_);
    if (!running_) return;
    stop_ = true;
  }
  wake_.notify_all();
  if (wake) wake();
  pthread_join(thread_, nullptr);
  std::lock_guard<std::mutex> hold(lock_);
  running_ = false;
  stop_ = false;
}
