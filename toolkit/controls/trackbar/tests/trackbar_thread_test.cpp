// Track bars as the parent hears them: results and notifications of the
// messages, keys, clicks and the wheel; what a position change repaints;
// the time bar's columns and times in both directions at every zoom.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "controls/barkit/tests/bar_fixture.h"
#include "core/nonclient/tests/screen_picture.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/trackbar.h"

namespace {

using CodeList = std::vector<int>;

class TrackBars : public bartest::BarFixture {
 protected:
  std::string Time(WindowHandle t) {
    char text[33] = {};
    SendMessage(t, TBM_GETTIME, reinterpret_cast<WParam>(text), 0);
    return text;
  }
  void Click(WindowHandle t, int x, int y) {
    SendMessage(t, MSG_LBUTTONDOWN, 0, (x & 0xFFFF) | (static_cast<LParam>(y) << 16));
    SendMessage(t, MSG_LBUTTONUP, 0, 0);
  }
};

TEST_F(TrackBars, RangeAndSizeMessagesAnswerAndKeepTheirRules) {
  WindowHandle t = Make("trackbar", 0);
  EXPECT_EQ(SendMessage(t, TBM_GETMIN, 0, 0), 0);
  EXPECT_EQ(SendMessage(t, TBM_GETMAX, 0, 0), 10);
  EXPECT_EQ(SendMessage(t, TBM_GETLINESIZE, 0, 0), 1);
  EXPECT_EQ(SendMessage(t, TBM_GETPAGESIZE, 0, 0), 5);
  EXPECT_EQ(SendMessage(t, TBM_SETLINESIZE, 11, 0), -1);
  EXPECT_EQ(SendMessage(t, TBM_SETPAGESIZE, static_cast<WParam>(-1), 0), -1);  // unsigned: huge
  EXPECT_EQ(SendMessage(t, TBM_SETRANGE, 7, 7), -1);
  SendMessage(t, TBM_SETPOS, 3, 0);
  EXPECT_EQ(SendMessage(t, TBM_SETRANGE, 20, 5), 0);
  EXPECT_EQ(SendMessage(t, TBM_GETMIN, 0, 0), 5);
  EXPECT_EQ(SendMessage(t, TBM_GETMAX, 0, 0), 20);
  EXPECT_EQ(SendMessage(t, TBM_GETPOS, 0, 0), 5);  // clamped into the new range
  EXPECT_EQ(SendMessage(t, TBM_SETMIN, 5, 0), -1);
  EXPECT_EQ(SendMessage(t, TBM_SETMIN, 20, 0), -1);
  EXPECT_EQ(SendMessage(t, TBM_SETMAX, 4, 0), -1);
  EXPECT_EQ(SendMessage(t, TBM_SETMIN, 8, 0), 0);
  EXPECT_EQ(SendMessage(t, TBM_GETPOS, 0, 0), 8);
  EXPECT_EQ(SendMessage(t, TBM_SETMAX, 12, 0), 0);
  SendMessage(t, TBM_SETPOS, 99, 0);
  EXPECT_EQ(SendMessage(t, TBM_GETPOS, 0, 0), 12);
  EXPECT_EQ(SendMessage(t, MSG_GETDLGCODE, 0, 0), 0x11);
  EXPECT_EQ(SendMessage(t, MSG_SETTEXT, 0, 0), -1);
  EXPECT_EQ(SendMessage(t, TBM_SETTIP, reinterpret_cast<WParam>("6"), reinterpret_cast<LParam>("12")), 0);
  EXPECT_EQ(SendMessage(t, TBM_GETZOOM, 0, 0), 1);
  EXPECT_EQ(SendMessage(t, TBM_SETTIP, reinterpret_cast<WParam>("3"), reinterpret_cast<LParam>("5")), -1);
  int start = -1, end = -1;
  SendMessage(t, TBM_GETTIP, reinterpret_cast<WParam>(&start), reinterpret_cast<LParam>(&end));
  EXPECT_EQ(start, 3);  // the texts stay stored
  EXPECT_EQ(end, 5);
}

TEST_F(TrackBars, NotificationsOfEachWayToMoveTheSlider) {
  enum Act { kSetMax, kSetMin, kRight, kHome, kClick, kWheel, kActivateWheel, kFocus };
  struct Row {
    uint32_t style;
    Act act;
    CodeList codes;
  } rows[] = {
      {TBS_NOTIFY, kSetMax, {3, 11, 2}},  // the end tip reads "24"
      {TBS_NOTIFY, kSetMin, {3, 12, 1}},
      {0, kSetMax, {}},
      {TBS_NOTIFY, kRight, {3, 7}},
      {0, kRight, {}},
      {TBS_NOTIFY, kHome, {3, 12, 1, 7}},
      {TBS_NOTIFY, kClick, {4, 3, 6, 5}},
      {0, kClick, {4, 5}},
      {TBS_NOTIFY | WS_DISABLED, kClick, {}},
      {TBS_NOTIFY | WS_DISABLED, kRight, {}},
      {TBS_NOTIFY, kWheel, {}},  // only an active bar takes the wheel
      {TBS_NOTIFY, kActivateWheel, {8, 3, 7}},
      {TBS_NOTIFY, kFocus, {8, 9}},
  };
  for (const Row& r : rows) {
    WindowHandle t = Make("trackbar", r.style);
    SendMessage(t, TBM_SETPOS, 5, 0);
    Codes();
    switch (r.act) {
      case kSetMax: SendMessage(t, TBM_SETPOS, 10, 0); break;
      case kSetMin: SendMessage(t, TBM_SETPOS, 0, 0); break;
      case kRight: SendMessage(t, MSG_KEYDOWN, 106, 0); break;
      case kHome: SendMessage(t, MSG_KEYDOWN, 102, 0); break;
      case kClick: Click(t, 20, 15); break;
      case kWheel: SendMessage(t, MSG_MOUSEWHEELDOWN, 0, 0); break;
      case kActivateWheel:
        SendMessage(t, MSG_MOUSEENTER, 1, 0);
        desktest::Drain();  // the focus arrives through the queue
        SendMessage(t, MSG_MOUSEWHEELDOWN, 0, 0);
        break;
      case kFocus:
        SendMessage(t, MSG_SETFOCUS, 0, 0);
        SendMessage(t, MSG_KILLFOCUS, 0, 0);
        break;
    }
    EXPECT_EQ(Codes(), r.codes) << "row " << (&r - rows);
    DestroyWindow(t);
  }
}

TEST_F(TrackBars, APositionChangeRepaintsOnlyTheThumbsUnlessAskedForAll) {
  for (uint32_t style : {0u, TBS_FULLREPAINT, TBS_SEGMENTED}) {
    WindowHandle t = Make("trackbar", style, 300, 30);
    desktest::Drain();
    SendMessage(t, TBM_SETPOS, 1, 0);
    Rect r{};
    GetUpdateRect(t, &r);
    const int w = r.right - r.left;
    if (style == 0) {
      EXPECT_GT(w, 0);
      EXPECT_LT(w, 100) << "old and new thumb only";
    } else {
      EXPECT_EQ(w, 300) << style;
    }
    DestroyWindow(t);
  }
}

// However the thumb moves (a step, a jump, several moves before one paint,
// a repaint of everything without erase after a move) the bar ends up as
// a whole repaint at that position draws it.
TEST_F(TrackBars, MovedThumbsLeaveTheBarAsAWholeRepaintDrawsIt) {
  struct Look {
    uint32_t style;
    int w, h;
  };
  // Positions in percent of the range, each row set before one paint.
  const std::vector<std::vector<int>> moves = {{1}, {2, 3, 4}, {60}, {61, 90}, {89, 88}, {100}, {0}, {50, 49, 51}};
  for (const Look& look : {Look{0, 300, 30}, Look{TBS_TICKS, 300, 40}, Look{TBS_INSET | TBS_FOCUSED, 300, 30},
                           Look{TBS_VERTICAL, 30, 200}, Look{TBS_TIMEBAR_BOTTOM, 600, 60}}) {
    WindowHandle t = Make("trackbar", look.style, look.w, look.h);
    if (!(look.style & TBS_TIMEBAR_BOTTOM)) SendMessage(t, TBM_SETRANGE, 0, 100);
    const int64_t low = SendMessage(t, TBM_GETMIN, 0, 0), high = SendMessage(t, TBM_GETMAX, 0, 0);
    Rect r{};
    GetWindowRect(t, &r);
    auto drawnWhole = [&] {
      InvalidateRect(t, nullptr, TRUE);
      desktest::Drain();
      return guitest::Grab(r).rgb;
    };
    for (const std::vector<int>& row : moves) {
      for (int percent : row) SendMessage(t, TBM_SETPOS, static_cast<WParam>(low + (high - low) * percent / 100), 0);
      desktest::Drain();
      const std::vector<uint8_t> moved = guitest::Grab(r).rgb;
      EXPECT_TRUE(moved == drawnWhole()) << "style " << look.style << " after moving to " << row.back() << "%";
    }
    SendMessage(t, TBM_SETPOS, static_cast<WParam>(low + (high - low) / 3), 0);
    UpdateWindow(t, FALSE);
    desktest::Drain();
    const std::vector<uint8_t> updated = guitest::Grab(r).rgb;
    EXPECT_TRUE(updated == drawnWhole()) << "style " << look.style << " updated without erase";
    DestroyWindow(t);
  }
}

// Column -> time -> column comes back to the column or the one before it
// (a column spans several seconds); at the maximum the time stops a
// second short of the window's end.
TEST_F(TrackBars, TimeBarColumnsAndTimesRoundTripAtEachZoomAndWidth) {
  const char* tips[][2] = {{"0", "24"}, {"0", "6"}, {"3", "4"}};
  for (int width : {300, 517, 800}) {
    for (int level = 0; level < 3; ++level) {
      WindowHandle t = Make("trackbar", TBS_TIMEBAR_BOTTOM, width, 60);
      ASSERT_EQ(SendMessage(t, TBM_SETTIP, reinterpret_cast<WParam>(tips[level][0]),
                            reinterpret_cast<LParam>(tips[level][1])),
                0);
      const int lo = static_cast<int>(SendMessage(t, TBM_GETMIN, 0, 0));
      const int hi = static_cast<int>(SendMessage(t, TBM_GETMAX, 0, 0));
      ASSERT_EQ((hi - lo) % 120, 0) << width;
      ASSERT_GT(hi, lo);
      for (int p = lo; p <= hi; ++p) {
        SendMessage(t, TBM_SETPOS, static_cast<WParam>(p), 0);
        const std::string time = Time(t);
        SendMessage(t, TBM_SETPOS, static_cast<WParam>(p == lo ? hi : lo), 0);
        SendMessage(t, TBM_SETTIME, reinterpret_cast<WParam>(time.c_str()), 0);
        const int back = static_cast<int>(SendMessage(t, TBM_GETPOS, 0, 0));
        ASSERT_TRUE(back == p || back == p - 1) << width << " zoom " << level << " column " << p << " " << time;
      }
      SendMessage(t, TBM_SETPOS, static_cast<WParam>(hi), 0);
      const int end = std::atoi(tips[level][1]) - 1;
      EXPECT_EQ(Time(t), (end < 10 ? "0" : "") + std::to_string(end) + ":59:59");
      DestroyWindow(t);
    }
  }
}

TEST_F(TrackBars, TimeBarWindowMovesWithTheTimeAndMidnightIsReported) {
  WindowHandle t = Make("trackbar", TBS_TIMEBAR_BOTTOM | TBS_NOTIFY, 400, 60);
  SendMessage(t, TBM_SETTIP, reinterpret_cast<WParam>("0"), reinterpret_cast<LParam>("1"));
  Codes();
  SendMessage(t, TBM_SETTIME, reinterpret_cast<WParam>("07:30:00"), 0);
  EXPECT_EQ(Codes(), (CodeList{3, 2}));  // later: 3 then 2
  int start = 0, end = 0;
  SendMessage(t, TBM_GETTIP, reinterpret_cast<WParam>(&start), reinterpret_cast<LParam>(&end));
  EXPECT_EQ(start, 7);
  EXPECT_EQ(end, 8);
  SendMessage(t, TBM_SETTIME, reinterpret_cast<WParam>("02:00:00"), 0);
  EXPECT_EQ(Codes(), (CodeList{3, 1}));
  SendMessage(t, TBM_SETTIME, 0, 86399);
  Codes();
  SendMessage(t, TBM_SETTIME, 0, 0);
  EXPECT_EQ(Codes(), (CodeList{3, 1, 11}));
  SendMessage(t, TBM_SETTIME, 0, 86399);
  EXPECT_EQ(Codes(), (CodeList{3, 2, 12}));
  int seconds = 0;
  EXPECT_EQ(SendMessage(t, TBM_GETTIME, 0, reinterpret_cast<LParam>(&seconds)), 32);
  EXPECT_EQ(seconds, 86399);
  // Zoom by the buttons' commands: the window starts at the current hour.
  SendMessage(t, TBM_SETTIP, reinterpret_cast<WParam>("0"), reinterpret_cast<LParam>("24"));
  DestroyWindow(t);
  t = Make("trackbar", TBS_TIMEBAR_BOTTOM | TBS_ZOOM_LEFT, 400, 60);
  SendMessage(t, TBM_SETTIME, reinterpret_cast<WParam>("22:10:00"), 0);
  Codes();
  SendMessage(t, MSG_COMMAND, TB_ZOOMIN_ID, 0);
  SendMessage(t, MSG_COMMAND, TB_ZOOMIN_ID, 0);
  SendMessage(t, MSG_COMMAND, TB_ZOOMIN_ID, 0);  // stays at the last level
  EXPECT_EQ(SendMessage(t, TBM_GETZOOM, 0, 0), 2);
  SendMessage(t, MSG_COMMAND, TB_ZOOMOUT_ID, 0);
  EXPECT_EQ(Codes(), (CodeList{10, 10, 10, 10}));
  SendMessage(t, TBM_GETTIP, reinterpret_cast<WParam>(&start), reinterpret_cast<LParam>(&end));
  EXPECT_EQ(start, 18);  // six hours ending at 24
  EXPECT_EQ(end, 24);
  EXPECT_EQ(SendMessage(t, TBM_SETZOOM, 9, 0), 0);
  EXPECT_EQ(SendMessage(t, TBM_GETZOOM, 0, 0), 2);  // only three spans on a time bar
  // What is not a time of day is refused and leaves the time and window.
  int startBefore = 0, endBefore = 0;
  SendMessage(t, TBM_GETTIP, reinterpret_cast<WParam>(&startBefore), reinterpret_cast<LParam>(&endBefore));
  for (const char* bad : {"zz:zz:zz", "24:00:00", "12:60:00", "1:2:3", "12:00:00x", ""}) {
    EXPECT_EQ(SendMessage(t, TBM_SETTIME, reinterpret_cast<WParam>(bad), 0), -1) << bad;
    EXPECT_EQ(Time(t), "22:10:00") << bad;
  }
  EXPECT_EQ(SendMessage(t, TBM_SETTIME, 0, 86400), -1);
  EXPECT_EQ(SendMessage(t, TBM_SETTIME, 0, -1), -1);
  SendMessage(t, TBM_GETTIP, reinterpret_cast<WParam>(&start), reinterpret_cast<LParam>(&end));
  EXPECT_EQ(start, startBefore);
  EXPECT_EQ(end, endBefore);
}

// The widest range and steps past its ends: the thumb stays on the track,
// the position clamps and nothing wraps.
TEST_F(TrackBars, TheWidestRangeClampsWithoutWrapping) {
  for (uint32_t style : {0u, TBS_VERTICAL | 0u, TBS_TICKS | 0u, TBS_SEGMENTED | 0u}) {
    WindowHandle t = Make("trackbar", style | TBS_NOTIFY | TBS_ACTIVE, 200, 200);
    EXPECT_EQ(SendMessage(t, TBM_SETRANGE, static_cast<WParam>(INT_MIN), INT_MAX), 0);
    EXPECT_EQ(SendMessage(t, TBM_GETMIN, 0, 0), INT_MIN);
    EXPECT_EQ(SendMessage(t, TBM_SETPAGESIZE, 0x7FFFFFFF, 0), 0);
    EXPECT_EQ(SendMessage(t, TBM_SETLINESIZE, 0x7FFFFFFF, 0), 0);
    SendMessage(t, TBM_SETPOS, static_cast<WParam>(INT_MAX - 1), 0);
    SendMessage(t, MSG_KEYDOWN, 104, 0);  // page up
    EXPECT_EQ(SendMessage(t, TBM_GETPOS, 0, 0), INT_MAX) << style;
    SendMessage(t, TBM_SETPOS, static_cast<WParam>(INT_MIN + 1), 0);
    SendMessage(t, MSG_KEYDOWN, 109, 0);  // page down
    EXPECT_EQ(SendMessage(t, TBM_GETPOS, 0, 0), INT_MIN) << style;
    SendMessage(t, MSG_MOUSEWHEELUP, 0, 0);  // the wheel down, a line below the minimum
    EXPECT_EQ(SendMessage(t, TBM_GETPOS, 0, 0), INT_MIN) << style;
    SendMessage(t, TBM_SETZOOM, 0x7FFFFFFF, 0);
    EXPECT_EQ(SendMessage(t, TBM_GETZOOM, 0, 0), INT_MAX) << style;
    Click(t, 100, 100);
    const LResult middle = SendMessage(t, TBM_GETPOS, 0, 0);
    if (!(style & TBS_SEGMENTED)) {
      EXPECT_GT(middle, INT_MIN / 4) << style;
      EXPECT_LT(middle, INT_MAX / 4) << style;
    }
    UpdateWindow(t, TRUE);
    desktest::Drain();
    DestroyWindow(t);
  }
}

}  // namespace
