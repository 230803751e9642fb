#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <cstring>

#include "core/input/ial.h"
#include "gui/gal.h"
#include "gui/host.h"
#include "input_test_config.h"

namespace {

TEST(InputLayer, StartsTheHostEngineWhateverTheConfigurationNames) {
  ConfigScope config(With(DefaultInputKeys(), "ial_engine", "dummy"));
  ASSERT_EQ(InitIAL(), 0);
  ASSERT_NE(CurrentIalEngine(), nullptr);
  EXPECT_STREQ(CurrentIalEngine()->name, "Win");
  EXPECT_STREQ(CurrentIalEngine()->mdev, "/dev/mouse");
  TermIAL();
}

TEST(InputLayer, EverySystemKeyIsRequired) {
  for (const char* key : {"ial_engine", "mdev", "mtype"}) {
    ConfigScope config(With(DefaultInputKeys(), key, ""));
    EXPECT_EQ(InitIAL(), -18) << key;
  }
}

TEST(InputLayer, UnknownEngineNameKeepsTheEngineChosenBefore) {
  ASSERT_EQ(StartIalEngine("dummy", "", ""), 0);
  ASSERT_EQ(StartIalEngine("nothing", "", ""), 0);
  EXPECT_STREQ(CurrentIalEngine()->name, "dummy");
  TermIAL();
}

TEST(InputLayer, DummyEngineReportsNothingAndUsesUpItsTimeOut) {
  ASSERT_EQ(StartIalEngine("dummy", "", ""), 0);
  IalEngine* e = CurrentIalEngine();
  int x = 7, y = 7;
  e->get_mouse_xy(&x, &y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(e->get_mouse_button(), 0);
  EXPECT_EQ(e->update_keyboard(), 0);
  EXPECT_EQ(e->get_keyboard_state(), nullptr);
  timeval timeout{0, 1000};
  EXPECT_EQ(e->wait_event(IAL_MOUSEEVENT | IAL_KEYEVENT, &timeout), 0);
  EXPECT_EQ(timeout.tv_sec, 0);
  EXPECT_EQ(timeout.tv_usec, 0);
  TermIAL();
}

struct WinEngineTest : ::testing::Test {
  IalEngine* e = nullptr;
  void SetUp() override {
    HostInjectMouseMove(-1, -1);
    HostInjectKey(0, 0);
    HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    ASSERT_EQ(StartIalEngine("Win", "/dev/mouse", "imps2"), 0);
    e = CurrentIalEngine();
  }
  void TearDown() override {
    TermIAL();
    GAL_VideoQuit();
  }
  int WaitNow() {
    timeval zero{};
    return e->wait_event(IAL_MOUSEEVENT | IAL_KEYEVENT, &zero);
  }
};

TEST_F(WinEngineTest, ButtonsAreMappedToTheEngineBits) {
  const struct {
    int host, engine;
  } cases[] = {{HOST_BUTTON_LEFT, 4}, {HOST_BUTTON_RIGHT, 1}, {HOST_BUTTON_MIDDLE, 2}};
  for (const auto& c : cases) {
    HostInjectMouseButton(c.host, 1);
    EXPECT_EQ(WaitNow(), IAL_MOUSEEVENT);
    EXPECT_EQ(e->update_mouse(), 1);
    EXPECT_EQ(e->get_mouse_button(), c.engine);
    HostInjectMouseButton(c.host, 0);
    e->update_mouse();
    EXPECT_EQ(e->get_mouse_button(), 0);
  }
  HostInjectWheel(120);
  e->update_mouse();
  EXPECT_EQ(e->get_mouse_button(), 16);
  HostInjectWheel(-120);
  e->update_mouse();
  EXPECT_EQ(e->get_mouse_button(), 8);
}

TEST_F(WinEngineTest, PointerOutsideTheWindowKeepsTheLastInsidePosition) {
  ASSERT_EQ(InitGAL(), 0);
  int x = 0, y = 0;
  HostInjectMouseMove(100, 200);
  EXPECT_EQ(e->update_mouse(), 1);
  e->get_mouse_xy(&x, &y);
  EXPECT_EQ(x, 100);
  EXPECT_EQ(y, 200);
  HostInjectMouseMove(5000, -3);
  EXPECT_EQ(e->update_mouse(), 1);
  e->get_mouse_xy(&x, &y);
  EXPECT_EQ(x, 100);
  EXPECT_EQ(y, 200);
}

TEST_F(WinEngineTest, KeyRecordsSetTheKeyStateArray) {
  HostInjectKey(KEY_A, 1);
  EXPECT_EQ(WaitNow(), IAL_KEYEVENT);
  EXPECT_EQ(e->update_keyboard(), 256);
  EXPECT_EQ(e->get_keyboard_state()[KEY_A], 1);
  HostInjectKey(KEY_A, 0);
  e->update_keyboard();
  EXPECT_EQ(e->get_keyboard_state()[KEY_A], 0);

  // A key code above the array must not alias the key of its low byte.
  HostInjectKey(0x100 + KEY_B, 1);
  e->update_keyboard();
  EXPECT_EQ(e->get_keyboard_state()[KEY_B], 0);

  // Codes above 127 have their own entries.
  HostInjectKey(KEY_F13, 1);
  e->update_keyboard();
  EXPECT_EQ(e->get_keyboard_state()[KEY_F13], 1);
}

TEST_F(WinEngineTest, EmptyKeyRecordReleasesTheKeyPressedLast) {
  HostInjectKey(KEY_Q, 1);
  e->update_keyboard();
  HostInjectKey(KEY_W, 1);
  e->update_keyboard();
  HostInjectKey(0, 0);
  e->update_keyboard();
  EXPECT_EQ(e->get_keyboard_state()[KEY_W], 0);
  EXPECT_EQ(e->get_keyboard_state()[KEY_Q], 1);
}

TEST_F(WinEngineTest, WaitCountsItsTimeOutDown) {
  timeval timeout{0, 2000};
  EXPECT_EQ(e->wait_event(IAL_MOUSEEVENT | IAL_KEYEVENT, &timeout), 0);
  EXPECT_EQ(timeout.tv_sec, 0);
  EXPECT_EQ(timeout.tv_usec, 0);

  // An event that is already there leaves time on the record.
  HostInjectKey(KEY_A, 1);
  timeout = {5, 0};
  EXPECT_EQ(e->wait_event(IAL_MOUSEEVENT | IAL_KEYEVENT, &timeout), IAL_KEYEVENT);
  EXPECT_GT(timeout.tv_sec * 1000000 + timeout.tv_usec, 0);
  // Only the sources asked for are waited on.
  HostInjectKey(KEY_A, 0);
  timeout = {0, 1000};
  EXPECT_EQ(e->wait_event(IAL_MOUSEEVENT, &timeout), 0);
  EXPECT_EQ(WaitNow(), IAL_KEYEVENT);
}

// ---- calibration ----

struct Calibration : ::testing::Test {
  void TearDown() override { ResetMouseCalibration(); }
  static Point At(int x, int y) { return Point{x, y}; }
  static Point Apply(int x, int y) {
    CalibrateMousePosition(&x, &y);
    return {x, y};
  }
};

TEST_F(Calibration, IdentityPointsGiveTheIdentity) {
  const Point pts[5] = {At(0, 0), At(1023, 0), At(1023, 767), At(0, 767), At(512, 384)};
  ASSERT_TRUE(SetMouseCalibrationParameters(pts, pts));
  for (Point p : {At(0, 0), At(17, 3), At(1023, 767), At(600, 100)}) {
    Point q = Apply(p.x, p.y);
    EXPECT_EQ(q.x, p.x);
    EXPECT_EQ(q.y, p.y);
  }
}

TEST_F(Calibration, ScaleAndOffsetAreFollowed) {
  const Point src[5] = {At(0, 0), At(100, 0), At(100, 100), At(0, 100), At(50, 50)};
  const Point dst[5] = {At(10, 20), At(210, 20), At(210, 220), At(10, 220), At(110, 120)};
  ASSERT_TRUE(SetMouseCalibrationParameters(src, dst));
  Point q = Apply(30, 40);
  EXPECT_EQ(q.x, 70);
  EXPECT_EQ(q.y, 100);
}

// Touch-panel raw coordinates run into the tens of thousands; the products
// of the fit leave 32 bits there.
TEST_F(Calibration, LargeRawCoordinatesDoNotOverflow) {
  const Point src[5] = {At(0, 0), At(60000, 0), At(60000, 60000), At(0, 60000), At(30000, 30000)};
  const Point dst[5] = {At(0, 0), At(1200, 0), At(1200, 1200), At(0, 1200), At(600, 600)};
  ASSERT_TRUE(SetMouseCalibrationParameters(src, dst));
  Point q = Apply(30000, 15000);
  EXPECT_NEAR(q.x, 600, 1);
  EXPECT_NEAR(q.y, 300, 1);
}

TEST_F(Calibration, DegenerateTripleIsRefusedAndKeepsTheOldOne) {
  const Point src[5] = {At(0, 0), At(100, 0), At(100, 100), At(0, 100), At(50, 50)};
  const Point dst[5] = {At(0, 0), At(200, 0), At(200, 200), At(0, 200), At(100, 100)};
  ASSERT_TRUE(SetMouseCalibrationParameters(src, dst));
  // All five on one line: every triple is degenerate.
  const Point line[5] = {At(0, 0), At(10, 10), At(20, 20), At(30, 30), At(40, 40)};
  EXPECT_FALSE(SetMouseCalibrationParameters(line, dst));
  EXPECT_EQ(Apply(10, 10).x, 20);
  // A coefficient that leaves 32 bits is refused rather than wrapped.
  const Point tiny[5] = {At(0, 0), At(1, 0), At(1, 1), At(0, 1), At(1, 1)};
  const Point huge[5] = {At(0, 0), At(2000000000, 0), At(2000000000, 2000000000), At(0, 2000000000),
                         At(2000000000, 2000000000)};
  EXPECT_FALSE(SetMouseCalibrationParameters(tiny, huge));
  EXPECT_EQ(Apply(10, 10).x, 20);
}

}  // namespace
