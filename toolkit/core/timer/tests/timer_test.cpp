#include <gtest/gtest.h>

#include "core/message/tests/hand_made_windows.h"
#include "core/timer/timer_internal.h"
#include "gui/timer.h"

namespace {

class TimerTest : public ::testing::Test {
 protected:
  void SetUp() override { Recorder::Instance().Take(); }
  void TearDown() override { TerminateTimers(); }

  // Timer ids delivered by reading the queue dry.
  std::vector<WParam> TimerIds() {
    std::vector<WParam> ids;
    Message msg;
    while (PeekMessage(&msg, H(main_), 0, 0, TRUE))
      if (msg.message == MSG_TIMER) ids.push_back(msg.wParam);
    return ids;
  }

  ThreadQueue thread_;
  std::unique_ptr<MainWinRecord> main_ = MakeMainWindow(thread_.info());
};

TEST_F(TimerTest, PeriodCountsDesktopTicksAndMarksCoalesce) {
  ASSERT_TRUE(SetTimer(H(main_), 1, 3));
  TimerTick(2);
  EXPECT_TRUE(TimerIds().empty());
  TimerTick(1);
  EXPECT_EQ(TimerIds(), (std::vector<WParam>{1}));
  TimerTick(3);
  TimerTick(3);  // due twice before being read: one message
  EXPECT_EQ(TimerIds(), (std::vector<WParam>{1}));
}

TEST_F(TimerTest, PeriodsZeroAndOneFireOnEveryTick) {
  ASSERT_TRUE(SetTimer(H(main_), 1, 0));
  ASSERT_TRUE(SetTimer(H(main_), 2, 1));
  for (int i = 0; i < 3; ++i) {
    TimerTick(1);
    EXPECT_EQ(TimerIds(), (std::vector<WParam>{1, 2}));
  }
}

// A resting timer keeps its slot but neither fires nor plans a wake (a mark
// made before it rested is taken back); a reset starts its period afresh.
TEST_F(TimerTest, ARestingTimerKeepsItsSlotAndWakesNobodyUntilReset) {
  ASSERT_TRUE(SetTimer(H(main_), 1, 3));
  ASSERT_TRUE(SetTimer(H(main_), 2, 5));
  TimerTick(3);
  EXPECT_TRUE(RestTimer(H(main_), 1));
  EXPECT_FALSE(RestTimer(H(main_), 9));
  EXPECT_TRUE(IsTimerInstalled(H(main_), 1));
  EXPECT_FALSE(SetTimer(H(main_), 1, 3));
  TimerTick(2);
  EXPECT_EQ(TimerIds(), (std::vector<WParam>{2}));
  ASSERT_TRUE(KillTimer(H(main_), 2));
  EXPECT_EQ(NextTimerDueStep(0), -1);
  TimerTickToStep(50);
  EXPECT_TRUE(TimerIds().empty());
  ASSERT_TRUE(ResetTimer(H(main_), 1, 4));
  EXPECT_GE(NextTimerDueStep(0), 0);
  TimerTick(3);
  EXPECT_TRUE(TimerIds().empty());
  TimerTick(1);
  EXPECT_EQ(TimerIds(), (std::vector<WParam>{1}));
}

TEST_F(TimerTest, DuplicateAndFullTableAreRefused) {
  ASSERT_TRUE(SetTimer(H(main_), 1, 5));
  EXPECT_FALSE(SetTimer(H(main_), 1, 1));  // the first period stays
  TimerTick(1);
  EXPECT_TRUE(TimerIds().empty());
  for (int id = 2; id <= MAX_TIMERS; ++id) ASSERT_TRUE(SetTimer(H(main_), id, 5));
  EXPECT_FALSE(HaveFreeTimer());
  EXPECT_FALSE(SetTimer(H(main_), 99, 5));
  EXPECT_TRUE(KillTimer(H(main_), 7));
  EXPECT_TRUE(HaveFreeTimer());
  EXPECT_FALSE(IsTimerInstalled(H(main_), 7));
  EXPECT_TRUE(IsTimerInstalled(H(main_), 8));
  EXPECT_FALSE(SetTimer(0, 1, 1));
}

TEST_F(TimerTest, KillAllDropsPendingMarks) {
  auto other = MakeMainWindow(thread_.info());
  SetTimer(H(main_), 1, 1);
  SetTimer(H(main_), 2, 1);
  SetTimer(H(other), 3, 1);
  TimerTick(1);
  EXPECT_TRUE(KillTimer(H(main_), 0));
  EXPECT_FALSE(KillTimer(H(main_), 0));
  EXPECT_EQ(TimerIds(), (std::vector<WParam>{3}));
}

TEST_F(TimerTest, ResetRestartsTheCountAndClearsTheMark) {
  SetTimer(H(main_), 1, 2);
  TimerTick(2);
  EXPECT_TRUE(ResetTimer(H(main_), 1, 4));
  EXPECT_TRUE(TimerIds().empty());
  TimerTick(3);
  EXPECT_TRUE(TimerIds().empty());
  TimerTick(1);
  EXPECT_EQ(TimerIds(), (std::vector<WParam>{1}));
  EXPECT_FALSE(ResetTimer(H(main_), 9, 1));
  EXPECT_FALSE(ResetTimer(0, 1, 1));
}

TEST_F(TimerTest, DestroyedWindowIsNotMarked) {
  SetTimer(H(main_), 1, 1);
  main_->dataType = kWindowDestroyed;
  TimerTick(1);
  main_->dataType = kWindowValid;
  EXPECT_TRUE(TimerIds().empty());
}

TEST_F(TimerTest, ThreadStepAdvancesTheCounterByTen) {
  unsigned int before = GetTickCount();
  TimerThreadStep();
  TimerThreadStep();
  EXPECT_EQ(GetTickCount(), before + 20);
}

}  // namespace
