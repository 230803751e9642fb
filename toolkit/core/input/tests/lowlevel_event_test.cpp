#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <vector>

#include "core/input/ial.h"
#include "core/input/lowlevel_event.h"
#include "gui/host.h"
#include "input_test_config.h"

namespace {

unsigned int g_now = 0;
unsigned int FakeClock() { return g_now; }

// The pointer as a test places it; buttons come from the engine, that is
// from the host window's injected input.
int g_x = 0, g_y = 0, g_lastX = 0, g_lastY = 0;
int FakeCursor(int* x, int* y, int* buttons) {
  *x = g_x;
  *y = g_y;
  *buttons = CurrentIalEngine()->get_mouse_button();
  const bool moved = g_x != g_lastX || g_y != g_lastY;
  g_lastX = g_x;
  g_lastY = g_y;
  return moved;
}

class LowLevelTest : public ::testing::Test {
 protected:
  void SetUp() override { Start(DefaultInputKeys()); }
  void TearDown() override {
    TermLowLevelEvents();
    SetLowLevelEventClock(nullptr);
    SetMouseCursorUpdate(nullptr);
  }
  void Start(const std::vector<ConfigKey>& keys) {
    HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    HostInjectKey(0, 0);
    g_now = 1000;
    g_x = g_y = g_lastX = g_lastY = 0;
    SetLowLevelEventClock(FakeClock);
    SetMouseCursorUpdate(FakeCursor);
    ConfigScope config(keys);
    ASSERT_EQ(InitLowLevelEvents(), 1);
  }

  // What the event thread does after one engine wait that found input.
  int Next(LowLevelEvent* event) {
    timeval zero{};
    const int which = CurrentIalEngine()->wait_event(IAL_MOUSEEVENT | IAL_KEYEVENT, &zero);
    *event = LowLevelEvent{};
    return which > 0 ? ReadLowLevelEvent(which, event) : -1;
  }
  // The mouse code the next read makes, -1 for none.
  int MouseCode() {
    LowLevelEvent ev;
    if (Next(&ev) != 1 || ev.type != kEventMouse) return -1;
    return ev.event;
  }
  std::vector<int> Press(int button, unsigned int at) {
    g_now = at;
    HostInjectMouseButton(button, 1);
    int down = MouseCode();
    HostInjectMouseButton(button, 0);
    return {down, MouseCode()};
  }
  LowLevelEvent Key(int code, int down) {
    HostInjectKey(code, down);
    LowLevelEvent ev;
    EXPECT_EQ(Next(&ev), 1);
    return ev;
  }
  // The time-out path once the engine's wait has used up its time.
  LowLevelEvent TimedOut(int* made) {
    *LowLevelEventTimeout() = timeval{};
    LowLevelEvent ev{};
    *made = ReadLowLevelEvent(0, &ev);
    return ev;
  }
  static long TimeoutUsec() { return LowLevelEventTimeout()->tv_sec * 1000000 + LowLevelEventTimeout()->tv_usec; }
};

TEST_F(LowLevelTest, ClickGivesDownAndUpWithTheButtonStatus) {
  HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
  LowLevelEvent ev;
  ASSERT_EQ(Next(&ev), 1);
  EXPECT_EQ(ev.type, kEventMouse);
  EXPECT_EQ(ev.event, ME_LEFTDOWN);
  EXPECT_EQ(ev.mouseStatus & 0xF000, KS_LEFTBUTTON);
  EXPECT_EQ(GetKeyStatus(0x1400), IAL_MOUSE_LEFTBUTTON) << "button query through bits 12..15";
  EXPECT_EQ(GetKeyStatus(0x1100), 0);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
  ASSERT_EQ(Next(&ev), 1);
  EXPECT_EQ(ev.event, ME_LEFTUP);
  EXPECT_EQ(ev.mouseStatus & 0xF000, 0);
}

TEST_F(LowLevelTest, LeftDoubleClickNeedsTheSecondDownWithinTheThreshold) {
  EXPECT_EQ(Press(HOST_BUTTON_LEFT, 1000), (std::vector<int>{ME_LEFTDOWN, ME_LEFTUP}));
  EXPECT_EQ(Press(HOST_BUTTON_LEFT, 1030), (std::vector<int>{ME_LEFTDBLCLICK, ME_LEFTUP}));
  EXPECT_EQ(Press(HOST_BUTTON_LEFT, 2000), (std::vector<int>{ME_LEFTDOWN, ME_LEFTUP}));
  EXPECT_EQ(Press(HOST_BUTTON_LEFT, 2031), (std::vector<int>{ME_LEFTDOWN, ME_LEFTUP}));
  // A late second down starts a new window for the third.
  EXPECT_EQ(Press(HOST_BUTTON_LEFT, 2040), (std::vector<int>{ME_LEFTDBLCLICK, ME_LEFTUP}));
}

TEST_F(LowLevelTest, RightButtonLateSecondPressOnlyEndsTheWindow) {
  EXPECT_EQ(Press(HOST_BUTTON_RIGHT, 1000)[0], ME_RIGHTDOWN);
  EXPECT_EQ(Press(HOST_BUTTON_RIGHT, 1100)[0], ME_RIGHTDOWN);
  EXPECT_EQ(Press(HOST_BUTTON_RIGHT, 1110)[0], ME_RIGHTDOWN);
  EXPECT_EQ(Press(HOST_BUTTON_RIGHT, 1120)[0], ME_RIGHTDBLCLICK);
  EXPECT_EQ(Press(HOST_BUTTON_RIGHT, 1130), (std::vector<int>{ME_RIGHTDOWN, ME_RIGHTUP}));
}

TEST_F(LowLevelTest, MoveBetweenClicksPreventsADoubleClick) {
  Press(HOST_BUTTON_LEFT, 1000);
  g_x = 40;
  HostInjectMouseMove(-1, -1);  // signals the engine; the fake cursor has the position
  LowLevelEvent ev;
  ASSERT_EQ(Next(&ev), 1);
  EXPECT_EQ(ev.event, ME_MOVED);
  EXPECT_EQ(ev.data1, 40);
  EXPECT_EQ(Press(HOST_BUTTON_LEFT, 1005)[0], ME_LEFTDOWN);
}

TEST_F(LowLevelTest, MiddleButtonMakesNoEvent) {
  HostInjectMouseButton(HOST_BUTTON_MIDDLE, 1);
  EXPECT_EQ(MouseCode(), -1);
  HostInjectMouseButton(HOST_BUTTON_MIDDLE, 0);
  EXPECT_EQ(MouseCode(), -1);
}

TEST_F(LowLevelTest, WheelStepsAndTheClickAfterThem) {
  HostInjectWheel(120);
  EXPECT_EQ(MouseCode(), ME_WHEEL_AWAY);
  HostInjectWheel(-120);
  EXPECT_EQ(MouseCode(), ME_WHEEL_TOWARDS);
  // A click in place after a wheel step is a click, not a move.
  EXPECT_EQ(Press(HOST_BUTTON_LEFT, 1000), (std::vector<int>{ME_LEFTDOWN, ME_LEFTUP}));
  // Moving after a wheel step stays a move.
  HostInjectWheel(120);
  EXPECT_EQ(MouseCode(), ME_WHEEL_AWAY);
  g_x = 9;
  HostInjectMouseMove(-1, -1);
  EXPECT_EQ(MouseCode(), ME_MOVED);
  // A press read together with a move after a wheel step is the press, at
  // the new place.
  const struct { int button, down, up; } buttons[] = {{HOST_BUTTON_LEFT, ME_LEFTDOWN, ME_LEFTUP},
                                                      {HOST_BUTTON_RIGHT, ME_RIGHTDOWN, ME_RIGHTUP}};
  for (const auto& b : buttons) {
    HostInjectWheel(-120);
    EXPECT_EQ(MouseCode(), ME_WHEEL_TOWARDS);
    g_x += 5;
    HostInjectMouseButton(b.button, 1);
    LowLevelEvent ev;
    ASSERT_EQ(Next(&ev), 1);
    EXPECT_EQ(ev.event, b.down);
    EXPECT_EQ(ev.data1, g_x);
    HostInjectMouseButton(b.button, 0);
    EXPECT_EQ(MouseCode(), b.up);
  }
  // A wheel step while a button is held ends that press.
  HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
  EXPECT_EQ(MouseCode(), ME_LEFTDOWN);
  HostInjectWheel(120);
  EXPECT_EQ(MouseCode(), ME_LEFTUP);
}

TEST_F(LowLevelTest, DoubleClickTimeFromTheConfiguration) {
  TermLowLevelEvents();
  Start(With(DefaultInputKeys(), "dblclicktime", "5"));  // 0 ticks
  EXPECT_EQ(Press(HOST_BUTTON_LEFT, 1000)[0], ME_LEFTDOWN);
  EXPECT_EQ(Press(HOST_BUTTON_LEFT, 1001)[0], ME_LEFTDOWN);
  EXPECT_EQ(Press(HOST_BUTTON_LEFT, 1001)[0], ME_LEFTDBLCLICK);

  for (const char* refused : {"1000", "0", "soon"}) {
    TermLowLevelEvents();
    Start(With(DefaultInputKeys(), "dblclicktime", refused));
    EXPECT_EQ(Press(HOST_BUTTON_LEFT, 1000)[0], ME_LEFTDOWN);
    EXPECT_EQ(Press(HOST_BUTTON_LEFT, 1030)[0], ME_LEFTDBLCLICK) << refused << " keeps 30 ticks";
  }
}

TEST_F(LowLevelTest, KeysCarryModifiersAndTheKeyState) {
  LowLevelEvent ev = Key(KEY_LEFTSHIFT, 1);
  EXPECT_EQ(ev.type, kEventKey);
  EXPECT_EQ(ev.event, KE_KEYDOWN);
  EXPECT_EQ(ev.data1, KEY_LEFTSHIFT);
  EXPECT_EQ(ev.data2, KS_LEFTSHIFT);
  ev = Key(KEY_A, 1);
  EXPECT_EQ(ev.data1, KEY_A);
  EXPECT_EQ(ev.data2, KS_LEFTSHIFT);
  EXPECT_EQ(GetKeyStatus(KEY_A), 1);
  EXPECT_EQ(GetKeyStatus(300), 0);
  ev = Key(KEY_A, 0);
  EXPECT_EQ(ev.event, KE_KEYUP);
  EXPECT_EQ(GetKeyStatus(KEY_A), 0);
  ev = Key(KEY_LEFTSHIFT, 0);
  EXPECT_EQ(ev.data2, 0);
  ev = Key(KEY_RIGHTCTRL, 1);
  EXPECT_EQ(ev.data2, KS_RIGHTCTRL);
  Key(KEY_RIGHTALT, 1);
  EXPECT_EQ(GetShiftKeyStatus() & 0xFFF, static_cast<unsigned>(KS_RIGHTCTRL | KS_RIGHTALT));
  // Scan codes above 127 are keys like any other.
  ev = Key(KEY_F13, 1);
  EXPECT_EQ(ev.data1, KEY_F13);
  EXPECT_EQ(GetKeyStatus(KEY_F13), 1);
}

TEST_F(LowLevelTest, ButtonHeldDuringAKeyShowsInItsStatus) {
  HostInjectMouseButton(HOST_BUTTON_RIGHT, 1);
  EXPECT_EQ(MouseCode(), ME_RIGHTDOWN);
  LowLevelEvent ev = Key(KEY_B, 1);
  EXPECT_EQ(ev.data2 & 0xF000, KS_RIGHTBUTTON);
}

TEST_F(LowLevelTest, CapsLockTogglesOnEveryPressAfterARelease) {
  LowLevelEvent ev = Key(KEY_CAPSLOCK, 1);
  EXPECT_EQ(ev.data2 & 0xFFF, KS_CAPSLOCK);
  EXPECT_EQ(ev.data2 >> 16, 4) << "the lights";
  Key(KEY_CAPSLOCK, 0);
  ev = Key(KEY_CAPSLOCK, 1);
  EXPECT_EQ(ev.data2 & KS_CAPSLOCK, 0);
  Key(KEY_CAPSLOCK, 0);
  ev = Key(KEY_NUMLOCK, 1);
  EXPECT_EQ(ev.data2 & 0xFFF, KS_NUMLOCK);
  EXPECT_EQ(ev.data2 >> 16, 2);
}

TEST_F(LowLevelTest, HeldKeyRepeatsThroughTheTimeOutPath) {
  Key(KEY_X, 1);
  int made = 0;
  LowLevelEvent ev = TimedOut(&made);
  ASSERT_EQ(made, 1);
  EXPECT_EQ(ev.type, kEventKey);
  EXPECT_EQ(ev.event, KE_KEYDOWN);
  EXPECT_EQ(ev.data1, KEY_X);
  EXPECT_EQ(ev.data2 & KS_REPEATED, KS_REPEATED);
  EXPECT_EQ(TimeoutUsec(), 50000) << "repeats come at the repeat interval";
  ev = TimedOut(&made);
  EXPECT_EQ(ev.data1, KEY_X);

  Key(KEY_X, 0);
  ev = TimedOut(&made);
  ASSERT_EQ(made, 1);
  EXPECT_EQ(ev.type, kEventTimeout);
  EXPECT_EQ(ev.count, 1);
  EXPECT_EQ(TimeoutUsec(), 300000);
  ev = TimedOut(&made);
  EXPECT_EQ(ev.count, 2);
}

TEST_F(LowLevelTest, TimeLeftOnTheRecordMeansNoTimeOutYet) {
  Key(KEY_X, 1);
  LowLevelEvent ev{};
  LowLevelEventTimeout()->tv_usec = 10;
  EXPECT_EQ(ReadLowLevelEvent(0, &ev), 0);
  // That also ends the repeat.
  int made = 0;
  ev = TimedOut(&made);
  EXPECT_EQ(ev.type, kEventTimeout);
}

TEST_F(LowLevelTest, ButtonHeldKeepsTimeOutsAtTheRepeatInterval) {
  HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
  EXPECT_EQ(MouseCode(), ME_LEFTDOWN);
  int made = 0;
  LowLevelEvent ev = TimedOut(&made);
  EXPECT_EQ(ev.type, kEventTimeout);
  EXPECT_EQ(TimeoutUsec(), 50000);
}

// A key event for a code beyond the key-state array makes no change; it must
// not bring back a key released before.
TEST_F(LowLevelTest, ActivityWithoutChangeRepeatsOnlyAKeyStillDown) {
  Key(KEY_Y, 1);
  Key(KEY_Y, 0);
  HostInjectKey(0x1FF, 1);
  LowLevelEvent ev;
  EXPECT_EQ(Next(&ev), 0);
  Key(KEY_Y, 1);
  HostInjectKey(0x1FF, 1);
  ASSERT_EQ(Next(&ev), 1);
  EXPECT_EQ(ev.event, KE_KEYDOWN);
  EXPECT_EQ(ev.data1, KEY_Y);
}

TEST_F(LowLevelTest, IntervalsNeedBothKeysAndSaneValues) {
  struct Case {
    const char* key;
    const char* value;
    long timeout;
  } cases[] = {{"timeoutusec", "200000", 200000}, {"repeatusec", "", 300000}, {"repeatusec", "-1", 300000},
               {"timeoutusec", "0", 300000}};
  for (const Case& c : cases) {
    TermLowLevelEvents();
    Start(With(DefaultInputKeys(), c.key, c.value));
    int made = 0;
    TimedOut(&made);
    EXPECT_EQ(TimeoutUsec(), c.timeout) << c.key << "=" << c.value;
  }
}

// ---- an engine that reports keys as a test sets them ----

uint8_t g_keys[256];
unsigned int g_lights = 0;
IalEngine MakeKeyEngine() {
  IalEngine e{};
  e.name = "keys";
  e.update_mouse = [] { return 1; };
  e.update_keyboard = [] { return 256; };
  e.get_keyboard_state = []() -> const uint8_t* { return g_keys; };
  e.set_leds = [](unsigned int lights) { g_lights = lights; };
  return e;
}

TEST_F(LowLevelTest, LockPressedTwiceWithoutReleaseTogglesOnce) {
  IalEngine keys = MakeKeyEngine();
  UseIalEngineForTest(&keys);
  std::fill(std::begin(g_keys), std::end(g_keys), 0);
  LowLevelEvent ev;
  g_keys[KEY_CAPSLOCK] = 1;
  ASSERT_EQ(ReadLowLevelEvent(IAL_KEYEVENT, &ev), 1);
  EXPECT_EQ(g_lights, 4u);
  // The engine saw the key go up and down again, but reports it down.
  g_keys[KEY_CAPSLOCK] = 2;
  ASSERT_EQ(ReadLowLevelEvent(IAL_KEYEVENT, &ev), 1);
  EXPECT_EQ(GetShiftKeyStatus() & KS_CAPSLOCK, static_cast<unsigned>(KS_CAPSLOCK));
  g_keys[KEY_SCROLLLOCK] = 1;
  ASSERT_EQ(ReadLowLevelEvent(IAL_KEYEVENT, &ev), 1);
  EXPECT_EQ(g_lights, 5u);
  EXPECT_EQ(ev.data2 & 0xFFF, KS_CAPSLOCK | KS_SCROLLLOCK);
  TermLowLevelEvents();
  ASSERT_EQ(StartIalEngine("Win", "", ""), 0);
}

// ---- when the wait needs a time limit ----

// The host window's engine, except that the event thread's wait only tells
// whether it was given a limit (and then uses it up).
IalEngine g_probe;
IalEngine* g_win = nullptr;
bool g_probing = false, g_limited = false;
int ProbeWait(int which, timeval* timeout) {
  if (!g_probing) return g_win->wait_event(which, timeout);
  g_limited = timeout != nullptr;
  if (timeout) *timeout = timeval{};
  return 0;
}

TEST_F(LowLevelTest, TheWaitHasALimitOnlyWhileATimeOutWouldDoSomething) {
  g_win = CurrentIalEngine();
  g_probe = *g_win;
  g_probe.wait_event = ProbeWait;
  UseIalEngineForTest(&g_probe);
  auto limited = [] {
    g_probing = true;
    LowLevelEventEngine()->wait(IAL_MOUSEEVENT | IAL_KEYEVENT, 0);
    g_probing = false;
    return g_limited;
  };
  int made = 0;
  EXPECT_TRUE(limited()) << "the first notice may end a drag";
  TimedOut(&made);
  EXPECT_FALSE(limited());
  EXPECT_EQ(Key(KEY_K, 1).event, KE_KEYDOWN);
  EXPECT_TRUE(limited()) << "a held key repeats";
  EXPECT_EQ(Key(KEY_K, 0).event, KE_KEYUP);
  EXPECT_FALSE(limited());
  for (int button : {HOST_BUTTON_LEFT, HOST_BUTTON_RIGHT}) {
    HostInjectMouseButton(button, 1);
    EXPECT_NE(MouseCode(), -1);
    EXPECT_TRUE(limited()) << "button " << button << " held";
    HostInjectMouseButton(button, 0);
    EXPECT_NE(MouseCode(), -1);
    EXPECT_FALSE(limited()) << "button " << button << " up";
  }
  UseIalEngineForTest(g_win);
}

}  // namespace
