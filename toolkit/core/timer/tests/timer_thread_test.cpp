#include <gtest/gtest.h>

#include <thread>

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
