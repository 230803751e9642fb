// The bubble tip on its own thread against a list view on the test thread:
// it asks the list view for cut texts, shows only at its next tick (driven
// here by hand, its own timer stopped), keeps a 10-pixel margin at the
// screen's edges, never shows for a control hidden before the tick, and
// closes and comes back cleanly.
#include <gtest/gtest.h>
#include <unistd.h>

#include "controls/bubbletip/bubbletip.h"
#include "controls/listview/tests/listview_fixture.h"
#include "controls/listview/listview_internal.h"
#include "gui/app_hooks.h"
#include "gui/button.h"
#include "gui/control_tip.h"
#include "gui/dialog.h"
#include "gui/bubbletip.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/static.h"
#include "gui/timer.h"
#include "gui/window.h"

namespace {

constexpr int kTimer = 9478;

class BubbleTip : public lvtest::ListViewFixture {
 protected:
  void SetUp() override {
    lvtest::ListViewFixture::SetUp();
    ASSERT_NE(Make(0, {20, 60, 340, 220}), GUI_INVALID_HANDLE);
    AddColumn(60, "a header far too long for sixty pixels");
    AddColumn(200, "short");
    HLVROW row = AddRow(nullptr, 0);
    SetText(row, 0, "a cell text far too long for its column");
    SetText(row, 1, "fits");
    tip_ = bubbletipWindow();
    ASSERT_NE(tip_, GUI_INVALID_HANDLE);
    ASSERT_NE(tip_, 0u);
    KillTimer(tip_, kTimer);  // ticks come from the test only
    Size s{};
    GetScreenExtentEx(getCurOutputHook(), &s);
    screenWidth_ = s.cx;
  }
  void TearDown() override {
    if (controls::BubbleTipWindow()) SendMessage(tip_, MSG_CLOSE, 0, 0);
    lvtest::ListViewFixture::TearDown();
  }
  // The screen position of a client point of the list view.
  LParam Screen(int x, int y) {
    ClientToScreen(lv_, &x, &y);
    return lvtest::Point(x, y);
  }
  LParam CutCell() { return Screen(30, listview::DataOf(lv_)->headerHeight + 6); }
  LParam FittingCell() { return Screen(100, listview::DataOf(lv_)->headerHeight + 6); }
  void Request(LParam at) { SendMessage(tip_, MSG_TIPSHOW, lv_, at); }
  void Tick() { SendMessage(tip_, MSG_TIMER, kTimer, 0); }
  Rect TipRect() {
    Rect r{};
    GetWindowRect(tip_, &r);
    return r;
  }

  WindowHandle tip_ = 0;
  int screenWidth_ = 0;
};

TEST_F(BubbleTip, ShowsACutTextAtTheNextTickOnlyAndKeepsItUntilHidden) {
  EXPECT_EQ(bubbletipWindow(), 0u);  // one tip for the program
  EXPECT_EQ(SendMessage(tip_, MSG_TIPOWNER, 0, 0), static_cast<LResult>(GUI_INVALID_HANDLE));
  Request(CutCell());
  EXPECT_EQ(SendMessage(tip_, MSG_TIPOWNER, 0, 0), static_cast<LResult>(lv_));
  EXPECT_FALSE(IsWindowVisible(tip_));
  Tick();
  ASSERT_TRUE(IsWindowVisible(tip_));
  const Rect shown = TipRect();
  EXPECT_GT(shown.right - shown.left, 16);
  Request(CutCell() + 3);  // same cell and text: the shown tip stays put
  Tick();
  EXPECT_EQ(TipRect().left, shown.left);
  SendMessage(tip_, MSG_TIPHIDE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(tip_));
  Tick();
  EXPECT_FALSE(IsWindowVisible(tip_));  // hiding cleared the request
}

TEST_F(BubbleTip, FittingTextsAndHiddenControlsNeverShow) {
  Request(FittingCell());
  Tick();
  EXPECT_FALSE(IsWindowVisible(tip_));
  Request(CutCell());
  ShowWindow(lv_, SW_HIDE);
  Tick();
  EXPECT_FALSE(IsWindowVisible(tip_));
}

TEST_F(BubbleTip, KeepsTenPixelsFromTheScreenEdges) {
  Request(CutCell());
  Tick();
  ASSERT_TRUE(IsWindowVisible(tip_));
  const Rect inside = TipRect();
  EXPECT_EQ(inside.bottom, static_cast<int>(CutCell() >> 16));  // above the pointer
  SendMessage(tip_, MSG_TIPHIDE, 0, 0);
  // The list view at the screen's top right: a tip above the pointer would
  // leave the screen at the top and on the right.
  MoveWindow(main_, 0, 0, screenWidth_ + 400, 300, TRUE);
  MoveWindow(lv_, screenWidth_ - 120, 2, 400, 200, TRUE);
  Request(CutCell());
  Tick();
  ASSERT_TRUE(IsWindowVisible(tip_));
  EXPECT_EQ(TipRect().top, 10);
  EXPECT_EQ(TipRect().right, screenWidth_ - 10);
  EXPECT_EQ(TipRect().bottom - TipRect().top, inside.bottom - inside.top);
}

// The pointer resting on a static (one the pointer hits: with the notify
// style) or a button whose caption is cut: the
// core asks the control (MSG_TIPQUERY), the tip asks it for the text in its
// one record (MSG_TIPTEXT) and shows it, as it does for list views.
TEST_F(BubbleTip, EveryControlAnsweringTheQueryGetsItsTip) {
  const char* caption = "a caption far too long for its control";
  const WindowHandle controls[] = {
      CreateWindowEx("static", caption, SS_LEFT | SS_ELLIPSIS | SS_NOTIFY | WS_VISIBLE, 0, 50, 20, 230, 80, 20, main_, 0),
      CreateWindowEx("button", caption, BS_PUSHBUTTON | WS_VISIBLE, 0, 51, 120, 230, 80, 24, main_, 0)};
  for (WindowHandle control : controls) {
    ASSERT_NE(control, GUI_INVALID_HANDLE);
    Rect r{};
    GetWindowRect(control, &r);
    int x = r.left + 10, y = r.top + 8;
    ClientToScreen(main_, &x, &y);
    desktest::Input(MSG_MOUSEMOVE, 0, lvtest::Point(x, y));
    // The tip asks the control on this thread: answered while it waits.
    for (int i = 0; i < 500 && !IsWindowVisible(tip_); ++i) {
      desktest::Drain();
      Tick();
      usleep(2000);
    }
    ASSERT_TRUE(IsWindowVisible(tip_)) << (control == controls[0] ? "static" : "button");
    EXPECT_EQ(SendMessage(tip_, MSG_TIPOWNER, 0, 0), static_cast<LResult>(control));
    char shown[64] = "";
    GetWindowText(GetDlgItem(tip_, 9479), shown, sizeof shown);
    EXPECT_STREQ(shown, caption);
    SendMessage(tip_, MSG_TIPHIDE, 0, 0);
  }
}

TEST_F(BubbleTip, ClosesAndComesBack) {
  SendMessage(tip_, MSG_CLOSE, 0, 0);
  EXPECT_EQ(controls::BubbleTipWindow(), 0u);
  tip_ = bubbletipWindow();
  ASSERT_NE(tip_, GUI_INVALID_HANDLE);
  ASSERT_NE(tip_, 0u);
  KillTimer(tip_, kTimer);
  Request(CutCell());
  Tick();
  EXPECT_TRUE(IsWindowVisible(tip_));
}

}  // namespace

// A close that reaches the tip while it waits for a control's text (it
// answers sends meanwhile) ends the tip only once the control has answered:
// the control still writes into the tip's record. Under ASan the early close
// was a use after free.
WindowHandle g_closingTip = 0;
WindowProc g_listViewProc = nullptr;
LResult CloseTipWhileAnswering(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  if (message == MSG_TIPTEXT && g_closingTip) SendMessage(g_closingTip, MSG_CLOSE, 0, 0);
  return g_listViewProc(hwnd, message, wParam, lParam);
}

TEST_F(BubbleTip, ACloseWhileAskingForTheTextWaitsForTheAnswer) {
  g_closingTip = tip_;
  g_listViewProc = SetWindowCallbackProc(lv_, CloseTipWhileAnswering);
  Request(CutCell());
  g_closingTip = 0;
  SetWindowCallbackProc(lv_, g_listViewProc);
  EXPECT_EQ(controls::BubbleTipWindow(), 0u) << "the close was carried out after the answer";
}
