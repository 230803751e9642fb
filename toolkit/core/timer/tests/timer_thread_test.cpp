#include <gtest/gtest.h>

#include <ctime>
#include <thread>

#include "core/message/refresh_list.h"
#include "core/message/tests/hand_made_windows.h"
#include "core/startup/system_threads.h"
#include "core/timer/timer_internal.h"
#include "gui/startup.h"
#include "gui/timer.h"

namespace {

TEST(TimerThread, TicksUntilStopped) {
  ASSERT_EQ(StartTimerThread(), 1);
  while (GetTickCount() < 20) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  StopTimerThread();
  unsigned int stopped = GetTickCount();
  EXPECT_EQ(stopped % 10, 0u);
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_EQ(GetTickCount(), stopped);
}

// The thread on a clock the test moves: it must sleep through steps with
// nothing due, wake for each kind of work, and sleep again once it is done.
std::atomic<long long> g_fakeMs{0};
long long FakeMs() { return g_fakeMs.load(); }

class TimerThreadOnFakeClock : public ::testing::Test {
 protected:
  void SetUp() override {
    g_fakeMs = 5000000;
    SetTimerClockForTest(FakeMs);
    SetDesktopTickNeeds(false, kNoIdleCheck);
    ASSERT_TRUE(CreateRefreshList());
    ASSERT_EQ(StartTimerThread(), 1);
  }
  void TearDown() override {
    StopTimerThread();
    SetDesktopTickNeeds(false, kNoIdleCheck);
    SetTimerClockForTest(nullptr);
    DestroyRefreshList();
    TerminateTimers();
  }
  static TimerThreadStats Advance(long long ms) {
    g_fakeMs += ms;
    WakeTimerThread();
    return SettleTimerThreadForTest();
  }
};

TEST_F(TimerThreadOnFakeClock, SleepsUntilWorkArrivesAndAfterItIsDone) {
  TimerThreadStats s = Advance(10000);
  EXPECT_TRUE(s.sleeping);
  EXPECT_EQ(s.steps, 0u);
  EXPECT_EQ(GetTickCount(), 1000u);  // counted from the clock, not by the thread

  // A timer of 5 steps set in step 100 comes due in steps 105 and 110: the
  // thread wakes for those alone, and the desktop's count (done here by
  // hand) delivers exactly those.
  ThreadQueue queue;
  auto win = MakeMainWindow(queue.info());
  ASSERT_TRUE(SetTimer(H(win), 1, 5));
  EXPECT_EQ(SettleTimerThreadForTest().due, 105);
  std::vector<uint64_t> fired, woke;
  for (uint64_t step = 101; step <= 112; ++step) {
    uint64_t before = s.desktopTicks;
    s = Advance(100);
    TimerTickToStep(MarkedDesktopStep());
    Message msg;
    if (PeekMessage(&msg, H(win), 0, 0, TRUE) && msg.message == MSG_TIMER) fired.push_back(step);
    if (s.desktopTicks != before) woke.push_back(step);
  }
  EXPECT_EQ(fired, (std::vector<uint64_t>{105, 110}));
  EXPECT_EQ(woke, (std::vector<uint64_t>{105, 110}));
  // Reset to a shorter period in step 112, it comes due in step 114, before
  // the step the thread had planned for.
  ASSERT_TRUE(ResetTimer(H(win), 1, 2));
  EXPECT_EQ(SettleTimerThreadForTest().due, 114);
  uint64_t before = s.desktopTicks;
  EXPECT_EQ(Advance(100).desktopTicks, before);
  s = Advance(100);
  EXPECT_EQ(s.desktopTicks, before + 1);
  KillTimer(H(win), 0);
  EXPECT_TRUE(Advance(500).sleeping);

  // A refresh request: drained at the next step, without a desktop tick.
  uint64_t ticks = s.desktopTicks;
  ASSERT_EQ(SendRefreshMessage(H(win), MSG_REFRESH_RECT, 0, 0), 0);
  EXPECT_FALSE(SettleTimerThreadForTest().sleeping);
  s = Advance(100);
  EXPECT_TRUE(s.sleeping);
  EXPECT_FALSE(RefreshWorkPending());
  EXPECT_EQ(s.desktopTicks, ticks);

  // A display switch asked for after refreshes: due on one step, done on the next.
  RequestDisplaySwitch();
  EXPECT_FALSE(SettleTimerThreadForTest().sleeping);
  EXPECT_FALSE(Advance(100).sleeping);
  EXPECT_TRUE(IsDisplaySwitchPending());
  EXPECT_TRUE(Advance(100).sleeping);
  EXPECT_FALSE(IsDisplaySwitchPending());

  // A caret: a tick every step until it goes, each marked with its step.
  SetDesktopTickNeeds(true, kNoIdleCheck);
  EXPECT_FALSE(SettleTimerThreadForTest().sleeping);
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(Advance(100).desktopTicks, ticks + i);
    EXPECT_EQ(MarkedDesktopStep(), CurrentTimerStep());
  }
  SetDesktopTickNeeds(false, kNoIdleCheck);
  EXPECT_TRUE(Advance(100).sleeping);
  ThrowAwayMessages(H(win));
}

// Idle checks tick the desktop once, at the step that starts the second of
// the wall clock they come due in, and not in the steps before it.
TEST_F(TimerThreadOnFakeClock, IdleChecksTickAtTheirSecondOnly) {
  TimerThreadStats s = SettleTimerThreadForTest();
  EXPECT_TRUE(s.sleeping);
  const int64_t second = static_cast<int64_t>(time(nullptr)) + 3;
  SetDesktopTickNeeds(false, second);
  s = SettleTimerThreadForTest();
  const int64_t due = s.due;
  EXPECT_GE(due, 20);  // the thread started within the second before
  EXPECT_LE(due, 31);
  while (static_cast<int64_t>(CurrentTimerStep()) + 1 < due) s = Advance(100);
  EXPECT_EQ(s.desktopTicks, 0u);
  EXPECT_EQ(s.steps, 0u);
  s = Advance(100);
  EXPECT_EQ(s.desktopTicks, 1u);
  EXPECT_EQ(static_cast<int64_t>(MarkedDesktopStep()), due);
  // Moved on by input, then done: no tick before the new second, none after.
  SetDesktopTickNeeds(false, second + 1);
  EXPECT_EQ(SettleTimerThreadForTest().due, due + 10);
  SetDesktopTickNeeds(false, kNoIdleCheck);
  for (int i = 0; i < 20; ++i) s = Advance(100);
  EXPECT_TRUE(s.sleeping);
  EXPECT_EQ(s.desktopTicks, 1u);
}

TEST_F(TimerThreadOnFakeClock, CounterWrapsAfterTenMillion) {
  Advance(1000000LL * 100);
  EXPECT_EQ(GetTickCount(), 10000000u);
  Advance(100);
  EXPECT_EQ(GetTickCount(), 0u);
  Advance(100);
  EXPECT_EQ(GetTickCount(), 10u);
}

// The desktop's tick, driven by the timer thread, reaches a window's queue.
TEST(TimerThread, RunningToolkitDeliversTimerMessages) {
  ASSERT_EQ(InitGUI(0, nullptr), 0);
  {
    ThreadQueue queue;
    auto win = MakeMainWindow(queue.info());
    ASSERT_TRUE(SetTimer(H(win), 9, 1));
    Message msg;
    ASSERT_TRUE(GetMessage(&msg, H(win)));
    EXPECT_EQ(msg.message, MSG_TIMER);
    EXPECT_EQ(msg.wParam, 9u);
    KillTimer(H(win), 0);
  }
  TerminateGUI(0);
}

// Timers set and killed from more threads than the table has slots for,
// while the desktop ticks: a slot is never given twice (a timer a thread
// was granted stays installed until it kills it), and a full table says so.
TEST(TimerThread, TableSurvivesConcurrentUse) {
  ASSERT_EQ(InitGUI(0, nullptr), 0);
  constexpr int kThreads = 8, kIds = 6;  // 48 wanted, 32 slots
  static_assert(kThreads * kIds > MAX_TIMERS, "the table must run full");
  std::atomic<int> lost{0}, refused{0}, filled{0};
  std::vector<std::thread> users;
  for (int t = 0; t < kThreads; ++t) {
    users.emplace_back([&] {
      ThreadQueue queue;
      auto win = MakeMainWindow(queue.info());
      bool held[kIds + 1] = {};
      // Everyone asks for all its timers first, so the table runs full.
      for (int id = 1; id <= kIds; ++id) {
        held[id] = SetTimer(H(win), id, 0) != 0;
        if (!held[id]) ++refused;
      }
      ++filled;
      while (filled.load() < kThreads) std::this_thread::yield();
      for (int i = 0; i < 300; ++i) {
        int id = i % kIds + 1;
        if (!held[id]) {
          held[id] = SetTimer(H(win), id, 0) != 0;
          if (!held[id]) ++refused;
        }
        TimerTick(1);
        Message msg;
        PeekMessage(&msg, H(win), 0, 0, TRUE);
        for (int k = 1; k <= kIds; ++k)
          if (held[k] && !IsTimerInstalled(H(win), k)) ++lost;
        if (i % 7 == 0 && held[id]) held[id] = !KillTimer(H(win), id);
      }
      KillTimer(H(win), 0);
      ThrowAwayMessages(H(win));
    });
  }
  for (auto& t : users) t.join();
  EXPECT_EQ(lost.load(), 0);
  EXPECT_GT(refused.load(), 0);  // the table did run full
  EXPECT_TRUE(HaveFreeTimer());
  TerminateGUI(0);
}

}  // namespace
