// A push button clicked twice in quick succession through the host window:
// each click is heard, and the capture each press takes ends at its release.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "controls/barkit/tests/bar_fixture.h"
#include "controls/barkit/tests/quick_clicks.h"
#include "core/input/lowlevel_event.h"
#include "gui/button.h"

namespace {

std::atomic<unsigned int> g_ticks{1000};
// Every reading of the clock a second later: no two clicks make a double click.
unsigned int SlowHand() { return g_ticks += 100; }
// Every reading a tick later: two presses in one place make a double click.
unsigned int QuickHand() { return g_ticks += 1; }

class QuickClicks : public bartest::BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    SetLowLevelEventClock(SlowHand);
    button_ = Make("button", BS_PUSHBUTTON, 120, 40, "Apply");
  }
  void TearDown() override {
    SetLowLevelEventClock(nullptr);
    BarFixture::TearDown();
  }

  Point OnButton(int x) {
    int y = 20;
    ClientToScreen(button_, &x, &y);
    return {x, y};
  }

  // Counts the clicks heard since the last look, in `clicks`.
  bool HeardClicks(int wanted) {
    const std::vector<int> codes = Codes();
    clicks_ += static_cast<int>(std::count(codes.begin(), codes.end(), BN_CLICKED));
    return clicks_ >= wanted && GetCapture() == 0;
  }

  WindowHandle button_ = 0;
  int clicks_ = 0;
};

TEST_F(QuickClicks, AClickRightAfterAnotherIsHeardAndEndsItsCapture) {
  EXPECT_TRUE(quickclick::ClickTwiceQuickly(button_, OnButton(30), OnButton(90))) << "the second release reached the button";
  EXPECT_TRUE(quickclick::Pump([this] { return HeardClicks(2); })) << clicks_ << " clicks heard";
  EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(QuickClicks, ADoubleClickIsTwoClicks) {
  SetLowLevelEventClock(QuickHand);
  HostInjectMouseMove(OnButton(90).x, OnButton(90).y - 40);  // the pointer comes from elsewhere
  quickclick::ClickTwiceInPlace(OnButton(60), [this] { return HeardClicks(1); });
  EXPECT_TRUE(quickclick::Pump([this] { return HeardClicks(2); })) << clicks_ << " clicks heard";
  EXPECT_EQ(GetCapture(), 0u);
}

}  // namespace
