// Input routing on the desktop thread and the idle time-out: low-level
// mouse and key messages are posted to the desktop queue as the event
// thread posts them, and the windows' queues show where they went.
#include <thread>

#include "core/cursor/system_cursor.h"
#include "core/cursor/tests/cursor_fixture.h"
#include "core/desktop/idle.h"
#include "core/desktop/tests/desktop_fixture.h"
#include "core/livevideo/display_switch.h"
#include "core/startup/input_helpers.h"
#include "gui/app_hooks.h"
#include "gui/message.h"
#include "gui/nonclient.h"

namespace desktest {
namespace {

using Messages = std::vector<int>;

constexpr int kRaw = 224;

class Routing : public TwoWindows {
 protected:
  std::vector<Seen> Seen_(WindowHandle hwnd) {
    Drain();
    return Recorder::Instance().TakeSeenFor(hwnd);
  }
  Messages Got(WindowHandle hwnd) {
    Messages out;
    for (const Seen& s : Seen_(hwnd)) out.push_back(s.message);
    return out;
  }
};

TEST_F(Routing, ButtonsPairWithTheWindowOfThePressAndMovesTrackThePointer) {
  Input(1, 0, PointParam(100, 100));
  Input(4, 1, PointParam(20, 20));
  Input(6, 0, PointParam(20, 20));  // the other button: ignored
  Input(2, 0, PointParam(20, 20));
  Drain();
  std::vector<Seen> all = Recorder::Instance().Take();
  std::vector<Seen> expected = {{front_, 1 + kRaw, 0}, {front_, 4 + kRaw, 1}, {front_, 2 + kRaw, 0}};
  EXPECT_EQ(all, expected);

  Input(4, 0, PointParam(20, 20));
  Input(4, 0, PointParam(100, 100));
  Drain();
  all = Recorder::Instance().Take();
  expected = {{back_, 80, 1}, {back_, 4 + kRaw, 0}, {back_, 80, 0}, {back_, 13, 1},
              {front_, 80, 1}, {front_, 4 + kRaw, 0}};
  EXPECT_EQ(all, expected);
}

// The system cursors on a small screen of their own, made before the
// desktop thread starts (it paints on that screen) and ended after it.
class RoutingWithCursors : public Routing {
 protected:
  CursorScreen cursors_;
};

// A press in a single-line edit flags a drag; only a left release ends it,
// and gives the arrow back, wherever it lands.
TEST_F(RoutingWithCursors, ALeftReleaseEndsTheDragFlagAndRestoresTheArrow) {
  ASSERT_TRUE(cursors_.ready());
  constexpr int kMoveCursor = 4;
  struct Step {
    int message;
    int x, y;
    int flagAfter;
  } steps[] = {
      {MSG_RBUTTONDOWN, 100, 100, 1}, {MSG_RBUTTONUP, 100, 100, 1}, {MSG_LBUTTONDOWN, 100, 100, 1},
      {MSG_MOUSEMOVE, 120, 120, 1},   {MSG_LBUTTONUP, 120, 120, 0}, {MSG_LBUTTONUP, 500, 500, 0},
  };
  for (const Step& step : steps) {
    SetScrollDragFlag(1);
    ShowSystemCursor(kMoveCursor);
    Input(step.message, 0, PointParam(step.x, step.y));
    EXPECT_EQ(GetScrollDragFlag(), step.flagAfter) << DescribeMessage(step.message) << " at " << step.x;
    if (step.flagAfter == 0) {
      EXPECT_EQ(CurrentSystemCursor(), 0) << step.x;
    }
  }
  SetScrollDragFlag(0);
  ShowSystemCursor(0);
}

TEST_F(Routing, PressOnAWindowBehindRaisesAndActivatesIt) {
  Input(1, 0, PointParam(20, 20));
  EXPECT_EQ(Request(MSG_DT_GETACTIVEMAIN), back_);
  EXPECT_EQ(ListOrder(MainDisplayList()), (std::vector<WindowHandle>{back_, front_}));
  Drain();
  Messages back, front;
  for (const Seen& s : Recorder::Instance().Take()) (s.hwnd == back_ ? back : front).push_back(s.message);
  EXPECT_EQ(back, (Messages{MSG_NCPAINT, MSG_ACTIVATE, MSG_NCACTIVATE, MSG_SETFOCUS, 50, 1 + kRaw, MSG_PAINT}));
  EXPECT_EQ(front, (Messages{MSG_ACTIVATE, MSG_NCACTIVATE, MSG_KILLFOCUS}));
  // A double click neither raises nor activates.
  Input(2, 0, PointParam(20, 20));
  Input(3, 0, PointParam(100, 100));
  EXPECT_EQ(Got(back_), (Messages{2 + kRaw, 3 + kRaw}));
}

TEST_F(Routing, PressOnTheDesktopClearsActivation) {
  Input(1, 0, PointParam(500, 500));
  EXPECT_EQ(Request(MSG_DT_GETACTIVEMAIN), 0u);
  EXPECT_EQ(Got(front_), (Messages{MSG_ACTIVATE, MSG_NCACTIVATE, MSG_KILLFOCUS}));
  Input(2, 0, PointParam(500, 500));
  EXPECT_TRUE(Got(back_).empty());
}

TEST_F(Routing, CaptureGetsEverythingMarkedAsCaptured) {
  Request(MSG_DT_SETCAPTURE, back_);
  Input(1, 0, PointParam(100, 100));
  Input(4, 1, PointParam(300, 300));
  std::vector<Seen> expected = {{back_, 1, 0x0400}, {back_, 4, 0x0401}};
  EXPECT_EQ(Seen_(back_), expected);
  EXPECT_TRUE(Got(front_).empty());
  // A disabled capture window loses the capture.
  Request(MSG_DT_ENABLEMAINWIN, back_, 0);
  Settle();
  Input(4, 0, PointParam(100, 100));
  EXPECT_EQ(Request(MSG_DT_GETCAPTURE), 0u);
  // So does a hidden one (a press it read after it was hidden took it): the
  // next click goes to the window under the pointer.
  Request(MSG_DT_ENABLEMAINWIN, back_, 1);
  Request(MSG_DT_HIDEMAINWIN, back_);
  Request(MSG_DT_SETCAPTURE, back_);
  Settle();
  Input(1, 0, PointParam(100, 100));
  Input(2, 0, PointParam(100, 100));
  EXPECT_EQ(Request(MSG_DT_GETCAPTURE), 0u);
  Drain();
  Messages back, front;
  for (const Seen& x : Recorder::Instance().Take())
    if (x.message == 1 + kRaw || x.message == 2 + kRaw) (x.hwnd == back_ ? back : front).push_back(x.message);
  EXPECT_TRUE(back.empty());
  EXPECT_EQ(front, (Messages{1 + kRaw, 2 + kRaw}));
}

TEST_F(Routing, DisabledWindowGetsNoPressAndAHookMayConsumeInput) {
  Request(MSG_DT_ENABLEMAINWIN, front_, 0);
  Settle();
  Input(1, 0, PointParam(100, 100));
  Input(2, 0, PointParam(100, 100));
  EXPECT_TRUE(Got(front_).empty());
  Request(MSG_DT_ENABLEMAINWIN, front_, 1);
  Settle();

  static std::atomic<int> hooked{0};
  hooked = 0;
  MsgHook eatAll = [](WindowHandle, WindowHandle, int, WParam, LParam) -> int {
    ++hooked;
    return 1;
  };
  Request(MSG_DT_SETMOUSEHOOK, 0, reinterpret_cast<LParam>(eatAll));
  Input(1, 0, PointParam(100, 100));
  EXPECT_TRUE(Got(front_).empty());
  EXPECT_EQ(hooked.load(), 1);
}

TEST_F(Routing, KeysGoToTheActiveWindow) {
  Input(MSG_KEYDOWN, 30, 0);
  Input(MSG_CHAR, 'a', 0);
  Input(20, 30, 0);
  std::vector<Seen> expected = {{front_, MSG_KEYDOWN, 30}, {front_, MSG_CHAR, 'a'}, {front_, 20, 30}};
  EXPECT_EQ(Seen_(front_), expected);
  // No active window: the key is dropped.
  Request(MSG_DT_SETACTIVEMAIN, 0);
  Settle();
  Input(MSG_KEYDOWN, 30, 0);
  EXPECT_TRUE(Got(front_).empty());
  EXPECT_TRUE(Got(back_).empty());
}

TEST_F(Routing, AltAloneIsDeliveredOnReleaseAndAltTabSwitchesWindows) {
  Input(MSG_KEYDOWN, 56, 0);
  Input(20, 56, 0);
  std::vector<Seen> expected = {{front_, 23, 56}};
  EXPECT_EQ(Seen_(front_), expected);

  Input(MSG_KEYDOWN, 56, 0);
  Input(MSG_KEYDOWN, 15, 0);
  Input(20, 15, 0);
  Input(20, 56, 0);
  EXPECT_EQ(Request(MSG_DT_GETACTIVEMAIN), back_);
  Drain();
  for (const Seen& s : Recorder::Instance().Take()) EXPECT_TRUE(s.message < 18 || s.message > 31) << s;

  // Other keys while Alt is held become system keys.
  Input(MSG_KEYDOWN, 56, 0);
  Input(MSG_KEYDOWN, 33, 0);
  Input(20, 33, 0);
  Input(20, 56, 0);
  expected = {{back_, 21, 33}, {back_, 23, 33}, {back_, 23, 56}};
  EXPECT_EQ(Seen_(back_), expected);
}

TEST_F(Routing, ShownInputMethodTakesKeysButNotCharacters) {
  WindowHandle ime = Main({600, 600, 700, 700});
  Request(MSG_DT_SETACTIVEMAIN, front_);
  ASSERT_EQ(Request(MSG_DT_REGIME, ime), 0u);
  EXPECT_EQ(static_cast<LResult>(Request(MSG_DT_REGIME, ime)), DT_ERR_IME_TAKEN);
  Settle();
  Input(MSG_KEYDOWN, 30, 0);
  Input(MSG_CHAR, 'a', 0);
  std::vector<Seen> expected = {{ime, MSG_KEYDOWN, 30}};
  EXPECT_EQ(Seen_(ime), expected);
  Input(MSG_CHAR, 'b', 0);
  expected = {{front_, MSG_CHAR, 'b'}};
  EXPECT_EQ(Seen_(front_), expected);
  EXPECT_EQ(static_cast<LResult>(Request(MSG_DT_UNREGIME, front_)), DT_ERR_IME_NOT_REGISTERED);
  EXPECT_EQ(Request(MSG_DT_UNREGIME, ime), 0u);
  EXPECT_EQ(ImeWindow(), 0u);
}

TEST_F(Routing, PowerKeyActsOnceUntilItsFlagIsCleared) {
  SetPowerKeyDownFlag(0);
  Input(MSG_KEYDOWN, 120, 0);
  EXPECT_EQ(GetPowerKeyDownFlag(), 1);
  Input(20, 120, 0);
  EXPECT_TRUE(Got(front_).empty());
  SetPowerKeyDownFlag(0);
}

TEST_F(Routing, ToolWindowSlotsRefuseTwiceAndStrangers) {
  EXPECT_EQ(Request(MSG_DT_REGBUBBLETIP, back_), 0u);
  EXPECT_EQ(static_cast<LResult>(Request(MSG_DT_REGBUBBLETIP, front_)), -1);
  EXPECT_EQ(static_cast<LResult>(Request(MSG_DT_UNREGBUBBLETIP, front_)), -1);
  EXPECT_EQ(Request(MSG_DT_UNREGBUBBLETIP, back_), 0u);
  WindowHandle control = Control(back_, {0, 0, 10, 10}, 1);
  EXPECT_EQ(static_cast<LResult>(Request(MSG_DT_REGSKB, control)), -1);  // not a main window
  EXPECT_EQ(static_cast<LResult>(Request(MSG_DT_SKBCMD)), DT_ERR_NO_SKB);
  EXPECT_EQ(static_cast<LResult>(Request(MSG_DT_IMECMD)), DT_ERR_NO_IME);
}

// Window threads ask for the bubble tip while the desktop registers it:
// they see no tip or the registered one, never anything else.
TEST_F(Routing, BubbleTipSlotIsReadSafelyFromOtherThreads) {
  std::atomic<bool> stop{false};
  std::atomic<int> odd{0}, reads{0};
  const WindowHandle tip = back_;
  std::thread reader([&] {
    while (!stop.load()) {
      WindowHandle seen = Desk().bubbleTip;
      if (seen != GUI_INVALID_HANDLE && seen != tip) ++odd;
      ++reads;
    }
  });
  while (reads.load() == 0) sched_yield();
  for (int i = 0; i < 200; ++i) {
    EXPECT_EQ(Request(MSG_DT_REGBUBBLETIP, back_), 0u);
    EXPECT_EQ(Request(MSG_DT_UNREGBUBBLETIP, back_), 0u);
  }
  stop = true;
  reader.join();
  EXPECT_EQ(odd.load(), 0);
}

// ---- idle time-out ----

std::atomic<long> g_now{1000};
long FakeClock() { return g_now.load(); }

void SetIdleIndex(int index) {
  auto* config = static_cast<uint8_t*>(getDeviceConfigHook());
  uint16_t value = static_cast<uint16_t>(index);
  std::memcpy(config + GUI_DEVCFG_IDLE_INDEX(getCurOutputHook()), &value, sizeof value);
}

class IdleTimeout : public Routing {
 protected:
  void SetUp() override {
    Routing::SetUp();
    g_now = 1000;
    SetDesktopClockForTest(FakeClock);
    Input(4, 0, PointParam(10, 10));  // input now, over a window: nothing comes back to the desktop
    SetIdleIndex(1);
    Settle();
  }
  void TearDown() override {
    SetIdleIndex(0);
    ShowSystemCursor(0);
    setOutputStateHook(OUTSTATE_LIVEVIEW, getCurOutputHook());
    Routing::TearDown();
  }
  // One message through the desktop at the given second.
  void At(long second) {
    g_now = second;
    Request(MSG_DT_GETACTIVEMAIN);
  }
};

TEST_F(IdleTimeout, NoticeAfter21SecondsThenMenusCloseAfter61) {
  At(1020);
  EXPECT_TRUE(Got(front_).empty());
  At(1021);
  std::vector<Seen> expected = {{front_, 332, static_cast<WParam>(getCurOutputHook())}};
  EXPECT_EQ(Seen_(front_), expected);
  At(1060);
  EXPECT_TRUE(Got(front_).empty());
  At(1061);
  EXPECT_EQ(Got(front_), Messages{MSG_CLOSE});
  EXPECT_EQ(Got(back_), Messages{});
  EXPECT_EQ(getOutputStateHook(getCurOutputHook()), OUTSTATE_RETURNED);
  At(1200);
  EXPECT_TRUE(Got(front_).empty());  // fires once per idle period

  // Input re-arms it and brings the output back to the live view.
  Input(4, 0, PointParam(11, 10));
  EXPECT_EQ(getOutputStateHook(getCurOutputHook()), OUTSTATE_LIVEVIEW);
  At(1260);
  EXPECT_TRUE(Got(front_).empty());
  At(1261);
  EXPECT_EQ(Got(front_), Messages{MSG_CLOSE});
}

// The desktop wakes only at the second it plans: checked against looking
// every second. From an input, for each time-out setting, nothing happens in
// the seconds before the plan, the notice or the time-out happens at it,
// and once the plan is "none" nothing happens for a long while.
TEST_F(IdleTimeout, PlannedSecondsAreExactlyWhenLookingEverySecondActs) {
  struct Case {
    int index;
    std::vector<long> acts;  // seconds after the input
  };
  const Case cases[] = {{1, {21, 61}}, {2, {21, 121}}, {0, {21}}, {7, {21}}, {65535, {21}}};
  for (const Case& c : cases) {
    SetIdleIndex(c.index);
    const long start = g_now + 1000;
    g_now = start;
    Input(4, 0, PointParam(c.index % 2 ? 11 : 10, 10));
    Request(MSG_DT_SETACTIVEMAIN, front_);  // the time-out of a case before closed the menus
    // A second request at the same second: the plan of the first is published by then.
    auto look = [](long second) {
      g_now = second;
      Request(MSG_DT_GETACTIVEMAIN);
      Request(MSG_DT_GETACTIVEMAIN);
      return PlannedIdleCheckForTest();
    };
    // What the notice or the time-out sends may go to either window.
    auto anything = [] {
      Drain();
      return !Recorder::Instance().Take().empty();
    };
    long planned = look(start);
    anything();
    std::vector<long> acted;
    for (long second = start + 1; second <= start + 400; ++second) {
      const long next = look(second);
      if (anything()) {
        EXPECT_EQ(planned, second) << "index " << c.index << " at +" << second - start;
        acted.push_back(second - start);
      } else {
        EXPECT_TRUE(planned == -1 || planned > second) << "index " << c.index << " at +" << second - start;
      }
      planned = next;
    }
    EXPECT_EQ(acted, c.acts) << "index " << c.index;
    EXPECT_EQ(PlannedIdleCheckForTest(), -1) << "index " << c.index;
  }
}

TEST_F(IdleTimeout, IndexZeroOrOutOfRangeNeverFires) {
  for (int index : {0, 7, 65535}) {
    SetIdleIndex(index);
    At(g_now + 5000);
    EXPECT_EQ(Got(front_), Messages{}) << index;
  }
  EXPECT_EQ(IdleTimeoutSeconds(6), 1800);
  EXPECT_EQ(IdleTimeoutSeconds(7), -1);
}

TEST_F(IdleTimeout, BusyCursorHoldsTheTimeOutBack) {
  CursorScreen cursors;
  ASSERT_TRUE(cursors.ready());
  ShowSystemCursor(13);
  At(1061);
  Got(front_);
  EXPECT_EQ(getOutputStateHook(getCurOutputHook()), OUTSTATE_LIVEVIEW);
  ShowSystemCursor(0);
  At(1061);
  EXPECT_EQ(getOutputStateHook(getCurOutputHook()), OUTSTATE_RETURNED);
}

// Back to the live view, the menus close and repaint: a move of a window
// frame still running lets go of the regions it held.
TEST_F(IdleTimeout, ReturnToTheLiveViewEndsFrameTracking) {
  DragInfo drag{33, 10, 10};
  ASSERT_EQ(Request(MSG_DT_STARTDRAGWIN, back_, reinterpret_cast<LParam>(&drag)), 0u);
  g_now = 1061;
  SendMessage(__gui_hwnd_desktop, MSG_TIMER, 0, 0);  // no request: nothing else ends the tracking
  EXPECT_EQ(getOutputStateHook(getCurOutputHook()), OUTSTATE_RETURNED);
  std::mutex& held = Rec(back_)->clipInfo->lock;
  ASSERT_TRUE(held.try_lock());
  held.unlock();
  Messages got = Got(back_);
  EXPECT_EQ(std::count(got.begin(), got.end(), 81), 1);
}

}  // namespace
}  // namespace desktest
