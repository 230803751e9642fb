// The timer thread. The tick counter follows a monotonic clock in steps of
// 100 ms (10 per step) from the thread's start, so it needs no thread to
// count it. The thread wakes only for the steps with work: the refresh
// list, window timers, a caret, or the idle bookkeeping's next whole second;
// otherwise it sleeps until someone hands it work.
#include <pthread.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "core/desktop/desktop.h"
#include "core/message/msg_queue.h"
#include "core/message/refresh_list.h"
#include "core/startup/thread_start.h"
#include "core/timer/timer_internal.h"
#include "gui/timer.h"

namespace {

using Ms = long long;
constexpr unsigned int kTickStep = 10;
constexpr uint64_t kWrapSteps = 1000001;  // the counter runs 0, 10, ..., 10000000, then 0 again
constexpr Ms kStepMs = 100;

std::atomic<TimerClock> g_clock{nullptr};
// While the thread runs the count is read from the clock; otherwise it
// stands at g_frozen.
std::atomic<bool> g_counting{false};
std::atomic<Ms> g_origin{0};
std::atomic<Ms> g_wallOrigin{0};
std::atomic<uint64_t> g_frozen{0};

std::atomic<bool> g_caretNeed{false};
std::atomic<bool> g_idleNeed{false};
std::atomic<uint64_t> g_markedStep{0};

struct Control {
  std::mutex lock;
  std::condition_variable wake;     // the thread waits here
  std::condition_variable settled;  // tests wait here for the thread to wait
  bool stop = false;
  bool work = false;  // woken since the thread last planned
  bool running = false;
  bool waiting = false;
  bool sleeping = false;
  TimerThreadStats stats{};
};
Control g_ctl;

StoppableThread g_thread;

Ms NowMs() {
  if (TimerClock clock = g_clock.load()) return clock();
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

int64_t ClockStep() { return std::max<int64_t>(0, (NowMs() - g_origin.load()) / kStepMs); }

uint64_t CountedSteps() { return g_counting.load() ? static_cast<uint64_t>(ClockStep()) : g_frozen.load(); }

void MarkDesktopTick(uint64_t step) {
  g_markedStep = step;
  MainWinRecord* desktop = DesktopRecord();
  MsgQueue* q = desktop ? desktop->queue : nullptr;
  if (!q) return;
  std::lock_guard<std::mutex> hold(q->lock);
  q->timerMask = 1;
  q->wake.Wake();
}

Ms WallMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// The wall clock at the thread's first step: read afresh on the steady
// clock (it may have been set since), kept from the start on a test's clock.
Ms WallAtOrigin() { return g_clock.load() ? g_wallOrigin.load() : WallMs() - (NowMs() - g_origin.load()); }

// The first step after `step` that falls at or after a new whole second of
// the wall clock, which the idle bookkeeping counts in.
int64_t StepOfNextSecond(int64_t step) {
  Ms origin = WallAtOrigin();
  Ms boundary = ((origin + step * kStepMs) / 1000 + 1) * 1000;
  return (boundary - origin + kStepMs - 1) / kStepMs;
}

int64_t Earliest(int64_t a, int64_t b) { return a < 0 ? b : b < 0 ? a : std::min(a, b); }

// The next step with work after `last`; -1 when only a wake can bring some.
int64_t NextDueStep(int64_t last) {
  int64_t next = std::max(last, ClockStep()) + 1;
  if (g_caretNeed.load() || RefreshWorkPending()) return next;
  int64_t due = NextTimerDueStep(g_markedStep.load());
  if (due >= 0) due = std::max(due, next);
  if (g_idleNeed.load()) due = Earliest(due, std::max(next, StepOfNextSecond(next - 1)));
  return due;
}

enum class Woke { kStop, kWork, kDue };

Woke WaitForStep(int64_t due) {
  std::unique_lock<std::mutex> hold(g_ctl.lock);
  for (;;) {
    if (g_ctl.stop) return Woke::kStop;
    if (g_ctl.work) return Woke::kWork;
    if (due >= 0 && ClockStep() >= due) return Woke::kDue;
    g_ctl.waiting = true;
    g_ctl.sleeping = due < 0;
    g_ctl.stats.due = due;
    g_ctl.settled.notify_all();
    if (due < 0)
      g_ctl.wake.wait(hold);
    else
      g_ctl.wake.wait_for(hold, std::chrono::milliseconds(std::max<Ms>(1, due * kStepMs + g_origin.load() - NowMs())));
    g_ctl.waiting = g_ctl.sleeping = false;
  }
}

void CountStep(bool desktopTick) {
  std::lock_guard<std::mutex> hold(g_ctl.lock);
  ++g_ctl.stats.steps;
  if (desktopTick) ++g_ctl.stats.desktopTicks;
}

void* TimerThreadMain(void* arg) {
  RecordThreadProcessId(kTimerThread);
  g_origin = NowMs();
  g_wallOrigin = WallMs();
  g_counting = true;
  g_markedStep = 0;
  static_cast<ThreadStart*>(arg)->Started();
  int64_t handled = 0, due = -1;
  for (;;) {
    {
      std::lock_guard<std::mutex> hold(g_ctl.lock);
      g_ctl.work = false;
    }
    // New work only brings the planned step closer: a step already due stays due.
    int64_t fresh = NextDueStep(handled);
    due = Earliest(due, fresh);
    Woke woke = WaitForStep(due);
    if (woke == Woke::kStop) break;
    if (woke == Woke::kWork) continue;
    due = -1;
    handled = ClockStep();
    if (RefreshWorkPending()) HandleRefreshMsgs();
    // The desktop counts timers and the caret up to this step when it reads the tick.
    bool desktopTick = g_caretNeed.load() || g_idleNeed.load() || NextTimerDueStep(0) >= 0;
    if (desktopTick) MarkDesktopTick(static_cast<uint64_t>(handled));
    CountStep(desktopTick);
  }
  return nullptr;
}

}  // namespace

void TimerThreadStep() {
  if (g_counting.load())
    g_origin -= kStepMs;
  else
    ++g_frozen;
  HandleRefreshMsgs();
  MarkDesktopTick(CountedSteps());
}

void StopTimerThread() {
  {
    std::lock_guard<std::mutex> hold(g_ctl.lock);
    if (!g_ctl.running) return;
    g_ctl.stop = true;
  }
  g_ctl.wake.notify_all();
  g_thread.Stop();
  g_frozen = CountedSteps();
  g_counting = false;
  std::lock_guard<std::mutex> hold(g_ctl.lock);
  g_ctl.stop = g_ctl.running = g_ctl.waiting = g_ctl.sleeping = false;
  g_ctl.settled.notify_all();
}

void WakeTimerThread() {
  {
    std::lock_guard<std::mutex> hold(g_ctl.lock);
    g_ctl.work = true;
  }
  g_ctl.wake.notify_one();
}

void SetDesktopTickNeeds(bool caret, bool idleChecks) {
  bool caretRose = g_caretNeed.exchange(caret) != caret && caret;
  bool idleRose = g_idleNeed.exchange(idleChecks) != idleChecks && idleChecks;
  if (caretRose || idleRose) WakeTimerThread();
}

uint64_t CurrentTimerStep() { return CountedSteps(); }
uint64_t MarkedDesktopStep() { return g_markedStep.load(); }

void SetTimerClockForTest(TimerClock clock) { g_clock = clock; }

TimerThreadStats SettleTimerThreadForTest() {
  std::unique_lock<std::mutex> hold(g_ctl.lock);
  g_ctl.settled.wait(hold, [] { return !g_ctl.running || (g_ctl.waiting && !g_ctl.work); });
  TimerThreadStats stats = g_ctl.stats;
  stats.sleeping = g_ctl.sleeping;
  return stats;
}

extern "C" {

unsigned int GetTickCount(void) { return static_cast<unsigned int>(CountedSteps() % kWrapSteps * kTickStep); }

int StartTimerThread(void) {
  {
    std::lock_guard<std::mutex> hold(g_ctl.lock);
    if (g_ctl.running) return 0;
    g_ctl.stats = TimerThreadStats{};
    g_ctl.stop = g_ctl.work = false;
    g_ctl.running = true;
  }
  if (g_thread.Start(TimerThreadMain, kTimerThread)) return 1;
  std::lock_guard<std::mutex> hold(g_ctl.lock);
  g_ctl.running = false;
  return 0;
}

}  // extern "C"
