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

// Timers set and killed from several threads while the desktop ticks.
TEST(TimerThread, TableSurvivesConcurrentUse) {
  ASSERT_EQ(InitGUI(0, nullptr), 0);
  std::vector<std::thread> users;
  for (int t = 0; t < 4; ++t) {
    users.emplace_back([] {
      ThreadQueue queue;
      auto win = MakeMainWindow(queue.info());
      for (int i = 0; i < 200; ++i) {
        SetTimer(H(win), i % 5 + 1, 0);
        TimerTick(1);
        Message msg;
        PeekMessage(&msg, H(win), 0, 0, TRUE);
        if (i % 7 == 0) KillTimer(H(win), 0);
      }
      KillTimer(H(win), 0);
      ThrowAwayMessages(H(win));
    });
  }
  for (auto& t : users) t.join();
  EXPECT_TRUE(HaveFreeTimer());
  TerminateGUI(0);
}

}  // namespace
