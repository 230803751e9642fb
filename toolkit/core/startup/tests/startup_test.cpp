#include <gtest/gtest.h>

#include "core/message/tests/hand_made_windows.h"
#include "core/startup/gui_locks.h"
#include "core/startup/input_helpers.h"
#include "core/startup/startup_internal.h"
#include "gui/app_hooks.h"
#include "gui/startup.h"

namespace {

int NoOutputs(uint8_t* count) {
  *count = 0;
  return 0;
}

class ShortPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GuiAppCallbacks device = {};
    device.getVideoOutputCount = NoOutputs;
    SetAppCallbacks(&device);
  }
  void TearDown() override {
    FailStartupStageForTest(StartupStage::kNone);
    TerminateGUI(-1);
    SetAppCallbacks(nullptr);
  }
};

TEST_F(ShortPathTest, DeviceWithoutOutputLoadsOnlyWhatTheApplicationNeeds) {
  EXPECT_EQ(InitGUI(0, nullptr), 0);
  EXPECT_TRUE(GuiLocksCreated());
  StartupCleanup undone = LastStartupCleanup();
  EXPECT_FALSE(undone.locksDestroyed || undone.graphicsStopped || undone.threadsStopped);
}

TEST_F(ShortPathTest, FailuresHaveTheirOwnCodes) {
  struct Case {
    StartupStage stage;
    int code;
    bool locksDestroyed;
  } cases[] = {
      {StartupStage::kFixStr, kFixStrFailureCode, false},
      {StartupStage::kConfig, 1, false},
      {StartupStage::kLayouts, 2, true},
      {StartupStage::kStrings, 2, true},
      // Stages of the full path are never reached.
      {StartupStage::kGraphics, 0, false},
      {StartupStage::kSystemThreads, 0, false},
  };
  for (const Case& c : cases) {
    FailStartupStageForTest(c.stage);
    EXPECT_EQ(InitGUI(0, nullptr), c.code) << static_cast<int>(c.stage);
    EXPECT_EQ(LastStartupCleanup().locksDestroyed, c.locksDestroyed) << static_cast<int>(c.stage);
    TerminateGUI(-1);
  }
}

TEST(EventHint, NoDisplayShowsOne) {
  Rect rect{1, 2, 3, 4};
  GetEventHintRect(3, &rect);
  EXPECT_EQ(rect.left | rect.top | rect.right | rect.bottom, 0);
  GetEventHintRect(1, nullptr);
}

TEST(DesktopRequests, ReinitFailsWithoutADesktop) { EXPECT_FALSE(ReinitDesktopEx(TRUE)); }

class InputHelperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Recorder::Instance().Take();
    skb_->style |= 0x08000000;
    ime_->style |= 0x08000000;
    SetSoftKeyboardWindow(H(skb_));
    SetImeWindow(H(ime_));
  }
  void TearDown() override {
    SetSoftKeyboardWindow(0);
    SetImeWindow(0);
    ClearInputHelperState();
  }
  std::vector<Seen> Notifications() {
    DrainQueue(H(skb_));
    return Recorder::Instance().Take();
  }
  ThreadQueue thread_;
  std::unique_ptr<MainWinRecord> skb_ = MakeMainWindow(thread_.info());
  std::unique_ptr<MainWinRecord> ime_ = MakeMainWindow(thread_.info());
};

TEST_F(InputHelperTest, SoftKeyboardModeFollowsTheInputKind) {
  struct Case {
    int kind;
    int mode;
    LParam subMode;
  } cases[] = {{16, 1, 0}, {128, 2, 0}, {32, 0, 1}, {5, 1, 0}};
  for (const Case& c : cases) {
    SetSoftKeyboardMode(c.kind);
    EXPECT_EQ(GetSoftKeyboardMode(), c.mode) << c.kind;
    EXPECT_EQ(Notifications(), (std::vector<Seen>{{H(skb_), 357, 2, c.subMode}})) << c.kind;
  }
}

TEST_F(InputHelperTest, SymbolKindDrivesBothHelpersInOrder) {
  SetSoftKeyboardMode(256);
  EXPECT_EQ(GetSoftKeyboardMode(), 3);
  std::vector<Seen> expected = {{H(skb_), 357, 2, 2}, {H(ime_), 342, 1, 0}, {H(ime_), 339, 0, 0},
                                {H(ime_), 18, 130, 0}, {H(ime_), 19, 130, 0}};
  EXPECT_EQ(Notifications(), expected);
}

TEST_F(InputHelperTest, ChineseKindNeedsTheImeWindow) {
  SetSoftKeyboardMode(64);
  EXPECT_EQ(GetSoftKeyboardMode(), 4);
  EXPECT_EQ(Notifications(), (std::vector<Seen>{{H(skb_), 357, 2, 2}, {H(ime_), 342, 1, 1}}));
  SetImeWindow(0);
  SetSoftKeyboardMode(64);
  EXPECT_EQ(GetSoftKeyboardMode(), 4);
  EXPECT_TRUE(Notifications().empty());
}

TEST_F(InputHelperTest, ClosingNotifiesVisibleHelpersAndSetsTheState) {
  SetSoftKeyboardMode(128);
  Notifications();
  CloseInputHelpersHeld();
  EXPECT_EQ(GetInputHelperState(), 1);
  EXPECT_EQ(GetSoftKeyboardMode(), 0);
  EXPECT_EQ(Notifications(), (std::vector<Seen>{{H(skb_), 356, 0, 0}, {H(ime_), 340, 0, 0}}));
  ime_->style &= ~0x08000000u;  // hidden helpers are left alone
  CloseInputHelpers();
  EXPECT_EQ(GetInputHelperState(), 0);
  EXPECT_EQ(Notifications(), (std::vector<Seen>{{H(skb_), 356, 0, 0}}));
}

}  // namespace
