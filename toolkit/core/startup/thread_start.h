// Start-up hand-shake of a system thread: the starter waits until the new
// thread reports that its set-up is done, or that it failed.
#pragma once

#include <pthread.h>

#include <condition_variable>
#include <mutex>

#include "core/semaphore.h"

class ThreadStart {
 public:
  // Creates a joinable thread running body(this) for a slot and waits for its report.
  // False when the thread could not be created or failed its set-up (a
  // failed thread has been joined).
  bool Launch(pthread_t* thread, void* (*body)(void*), int slot) {
    return Begin(thread, body, slot) && Finish(*thread);
  }
  // Launch in two halves, so that several threads start side by side: a new
  // thread may wait a while for a processor, and each wait then costs once.
  // Begin creates the thread (false: none made); Finish, called once for
  // every thread begun, waits for its report and joins it when it failed.
  bool Begin(pthread_t* thread, void* (*body)(void*), int slot);
  bool Finish(pthread_t thread);
  void Started() { Report(true); }
  void Failed() { Report(false); }

 private:
  void Report(bool ok) {
    ok_ = ok;
    ready_.Post();
  }
  Semaphore ready_;
  bool ok_ = false;
};

// Thread slots (as recorded for diagnostics; the idle thread has none).
enum SystemThreadSlot { kDesktopThread = 1, kShortLivedThread = 2, kEventThread = 3, kTimerThread = 4, kIdleThread = 6 };

// Test hook: launches of the thread in this slot fail as if the thread could
// not be created; 0 clears it.
void FailThreadLaunchForTest(int slot);

// A system thread that runs until asked to stop: it sleeps through
// SleepFor, which returns early (false) once Stop was called; Stop joins it.
class StoppableThread {
 public:
  // Starts body(ThreadStart*) in a slot and keeps the thread for Stop.
  bool Start(void* (*body)(void*), int slot) { return Begin(body, slot) && Finish(); }
  // Start in the two halves of ThreadStart: Finish once after every Begin
  // that made a thread.
  bool Begin(void* (*body)(void*), int slot);
  bool Finish();
  // Sleeps up to usec microseconds; false once a stop was asked for.
  bool SleepFor(long usec);
  bool StopRequested();
  // `wake`, when given, is called once the stop is asked for, to end a wait
  // the thread may be in elsewhere.
  void Stop(void (*wake)() = nullptr);

 private:
  std::mutex lock_;
  std::condition_variable wake_;
  bool stop_ = false;
  bool running_ = false;
  pthread_t thread_{};
  // Between Begin and Finish; the starter's thread only.
  ThreadStart start_;
  pthread_t starting_{};
};
