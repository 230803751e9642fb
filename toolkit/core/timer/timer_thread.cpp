// The timer thread. The tick counter follows a monotonic clock in steps of
// 100 ms (10 per step) from the thread's start, so it needs no thread to
// count it. The thread wakes only for the steps with work: the refresh
// list, window timers, a caret, or the second at which the idle bookkeeping
// comes due; otherwise it sleeps until someone hands it work. A change of
// the wall clock wakes it too, since the idle bookkeeping counts in it.
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <limits>
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
std::atomic<int64_t> g_idleDue{kNoIdleCheck};
std::atomic<uint64_t> g_markedStep{0};

struct Control {
  std::mutex lock;
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

// The first step that falls at or after the start of a second of the wall
// clock, which the idle bookkeeping counts in.
int64_t StepOfWallSecond(int64_t second) {
  const Ms since = second * 1000 - WallAtOrigin();
  return since <= 0 ? 0 : (since + kStepMs - 1) / kStepMs;
}

// The clock timer is armed again after each change of the clock it reported.
void ArmClockWatch(int fd) {
  itimerspec far{};
  far.it_value.tv_sec = std::numeric_limits<time_t>::max() / 2;
  timerfd_settime(fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &far, nullptr);
}

// What the sleeping thread polls: wakes (an event counter) and changes of
// the wall clock (a timer that is cancelled when the clock is set). Made on
// first use, for the process; -1 when the system gave none.
struct WakeFds {
  int wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  int clock = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
  WakeFds() {
    if (clock >= 0) ArmClockWatch(clock);
  }
};

const WakeFds& Fds() {
  static const WakeFds fds;
  return fds;
}

void SignalWakeFd() {
  if (Fds().wake < 0) return;
  const uint64_t one = 1;
  [[maybe_unused]] ssize_t n = write(Fds().wake, &one, sizeof one);
}

// Sleeps up to `timeoutMs` (-1: no limit) or until woken; true when the
// wall clock was set meanwhile. Without a wake counter it sleeps a step at
// most, so that no wake is missed for long.
bool PollForWake(Ms timeoutMs) {
  const WakeFds& fds = Fds();
  if (fds.wake < 0) timeoutMs = timeoutMs < 0 ? kStepMs : std::min(timeoutMs, kStepMs);
  pollfd polled[2] = {{fds.wake, POLLIN, 0}, {fds.clock, POLLIN, 0}};
  const int ready = poll(polled, 2, static_cast<int>(std::min<Ms>(timeoutMs, std::numeric_limits<int>::max())));
  if (ready <= 0) return false;
  uint64_t count = 0;
  ssize_t got = 0;
  if (polled[0].revents & POLLIN) got = read(fds.wake, &count, sizeof count);
  if (!(polled[1].revents & POLLIN)) return false;
  got = read(fds.clock, &count, sizeof count);  // ECANCELED after a change
  (void)got;
  ArmClockWatch(fds.clock);
  return true;
}

int64_t Earliest(int64_t a, int64_t b) { return a < 0 ? b : b < 0 ? a : std::min(a, b); }

// The next step with work after `last`; -1 when only a wake can bring some.
int64_t NextDueStep(int64_t last) {
  int64_t next = std::max(last, ClockStep()) + 1;
  if (g_caretNeed.load() || RefreshWorkPending()) return next;
  int64_t due = NextTimerDueStep(g_markedStep.load());
  if (due >= 0) due = std::max(due, next);
  const int64_t idleDue = g_idleDue.load();
  if (idleDue != kNoIdleCheck) due = Earliest(due, std::max(next, StepOfWallSecond(idleDue)));
  return due;
}

bool IdleChecksDue(int64_t step) {
  const int64_t idleDue = g_idleDue.load();
  return idleDue != kNoIdleCheck && step >= StepOfWallSecond(idleDue);
}

enum class Woke { kStop, kWork, kDue, kClockSet };

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
    const Ms timeoutMs = due < 0 ? -1 : std::max<Ms>(1, due * kStepMs + g_origin.load() - NowMs());
    hold.unlock();
    const bool clockSet = PollForWake(timeoutMs);
    hold.lock();
    g_ctl.waiting = g_ctl.sleeping = false;
    if (clockSet) return Woke::kClockSet;
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
    // A step already due stays due; one still ahead is planned afresh.
    int64_t fresh = NextDueStep(handled);
    due = due >= 0 && ClockStep() >= due ? Earliest(due, fresh) : fresh;
    Woke woke = WaitForStep(due);
    if (woke == Woke::kStop) break;
    if (woke == Woke::kWork) continue;
    if (woke == Woke::kClockSet) {
      // The idle bookkeeping looks at once at what the new time means for it.
      if (g_idleDue.load() != kNoIdleCheck) MarkDesktopTick(static_cast<uint64_t>(ClockStep()));
      continue;
    }
    due = -1;
    handled = ClockStep();
    if (RefreshWorkPending()) HandleRefreshMsgs();
    // The desktop counts timers and the caret up to this step when it reads the tick.
    bool desktopTick = g_caretNeed.load() || IdleChecksDue(handled) || NextTimerDueStep(0) >= 0;
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
  SignalWakeFd();
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
  SignalWakeFd();
}

void SetDesktopTickNeeds(bool caret, int64_t idleDueSecond) {
  bool caretRose = g_caretNeed.exchange(caret) != caret && caret;
  // Moved either way, the thread plans again (the bookkeeping moves its
  // second on with each input).
  bool idleMoved = g_idleDue.exchange(idleDueSecond) != idleDueSecond && idleDueSecond != kNoIdleCheck;
  if (caretRose || idleMoved) WakeTimerThread();
}

void RaiseDesktopCaretNeed() {
  if (!g_caretNeed.exchange(true)) WakeTimerThread();
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

bool BeginTimerThread() {
  {
    std::lock_guard<std::mutex> hold(g_ctl.lock);
    if (g_ctl.running) return false;
    g_ctl.stats = TimerThreadStats{};
    g_ctl.stop = g_ctl.work = false;
    g_ctl.running = true;
  }
  if (g_thread.Begin(TimerThreadMain, kTimerThread)) return true;
  std::lock_guard<std::mutex> hold(g_ctl.lock);
  g_ctl.running = false;
  return false;
}

bool FinishTimerThread() {
  if (g_thread.Finish()) return true;
  std::lock_guard<std::mutex> hold(g_ctl.lock);
  g_ctl.running = false;
  return false;
}

extern "C" {

unsigned int GetTickCount(void) { return static_cast<unsigned int>(CountedSteps() % kWrapSteps * kTickStep); }

int StartTimerThread(void) { return BeginTimerThread() && FinishTimerThread(); }

}  // extern "C"
