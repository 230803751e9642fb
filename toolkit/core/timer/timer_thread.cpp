// The timer thread: every 100 ms the tick counter advances by 10, the
// refresh list is drained and the desktop is woken for its tick.
#include <pthread.h>

#include <atomic>
#include <mutex>

#include "core/desktop/desktop.h"
#include "core/message/msg_queue.h"
#include "core/startup/thread_start.h"
#include "core/timer/timer_internal.h"
#include "gui/timer.h"

namespace {

constexpr unsigned int kTickStep = 10;
constexpr unsigned int kTickWrap = 10000000;

std::atomic<unsigned int> g_tickCount{0};

StoppableThread g_thread;

void MarkDesktopTick() {
  MainWinRecord* desktop = DesktopRecord();
  MsgQueue* q = desktop ? desktop->queue : nullptr;
  if (!q) return;
  std::lock_guard<std::mutex> hold(q->lock);
  q->timerMask = 1;
  q->wake.Wake();
}

void* TimerThreadMain(void* arg) {
  RecordThreadProcessId(kTimerThread);
  g_tickCount = 0;
  static_cast<ThreadStart*>(arg)->Started();
  while (g_thread.SleepFor(100000)) TimerThreadStep();
  return nullptr;
}

}  // namespace

void TimerThreadStep() {
  unsigned int tick = g_tickCount.load() + kTickStep;
  if (tick > kTickWrap) tick = 0;
  g_tickCount = tick;
  if (tick % kTickStep == 0) {
    HandleRefreshMsgs();
    MarkDesktopTick();
  }
}

void StopTimerThread() { g_thread.Stop(); }

extern "C" {

unsigned int GetTickCount(void) { return g_tickCount.load(std::memory_order_relaxed); }

int StartTimerThread(void) { return g_thread.Start(TimerThreadMain, kTimerThread) ? 1 : 0; }

}  // extern "C"
