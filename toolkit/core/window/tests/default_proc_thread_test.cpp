// The default procedures on a running desktop: mouse input posted to the
// desktop as the event thread posts it, and the messages the windows and
// their controls receive in turn.
#include <algorithm>
#include <cstring>

#include "core/desktop/clip_info.h"
#include "core/window/nonclient_mouse.h"
#include "core/window/tests/paint_fixture.h"
#include "gui/desktop.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace painttest {
namespace {

// Routes input through the desktop and lets this thread's windows handle
// what it caused.
void Feed(int msg, WParam wParam, int x, int y) {
  Input(msg, wParam, PointParam(x, y));
  desktest::Drain();
}

bool IsMouseTraffic(int msg) {
  return (msg >= 1 && msg <= 18) || msg == MSG_SETCURSOR || msg == MSG_SETFOCUS || msg == MSG_KILLFOCUS ||
         msg == MSG_MOUSEACTIVE || msg == MSG_NCACTIVATE || msg == MSG_NCSETCURSOR || msg == MSG_MOUSEENTER ||
         msg == MSG_CLOSE || (msg >= 225 && msg <= 233);
}

std::atomic<WindowHandle> g_framed{0};
std::atomic<WindowHandle> g_barred{0};

// The framed window has a caption along its top 10 rows with a close
// button at its right end; the barred control a vertical bar in its right
// 10 columns.
bool FrameParts(WindowHandle hwnd, int msg, WParam wParam, LParam lParam, LResult* answer) {
  if (msg != MSG_HITTEST) return false;
  int x = static_cast<int>(wParam), y = static_cast<int>(lParam);
  if (hwnd == g_framed && y < 10) {
    *answer = x >= 180 ? HT_CLOSEBUTTON : HT_CAPTION;
    return true;
  }
  if (hwnd == g_barred) {
    Rect r = ScreenRectOf(WindowOf(hwnd));
    if (x >= r.right - 10 && x < r.right && y >= r.top && y < r.bottom) {
      *answer = HT_VSCROLL;
      return true;
    }
  }
  return false;
}

class DefaultProc : public PaintTest {
 protected:
  void SetUp() override {
    PaintTest::SetUp();
    main_ = LoggedMain({0, 0, 200, 200}, WS_VISIBLE, 0, "caption text");
    a_ = LoggedControl(main_, {20, 20, 70, 50}, 1);
    b_ = LoggedControl(main_, {100, 100, 150, 150}, 2);
    g_framed = main_;
    g_barred = a_;
    Log::Instance().override = FrameParts;
    Quiet();
  }
  void TearDown() override {
    g_framed = 0;
    g_barred = 0;
    PaintTest::TearDown();
  }
  MessageSequence Mouse(WindowHandle hwnd) {
    MessageSequence out;
    for (const Got& g : For(hwnd))
      if (IsMouseTraffic(g.message)) out.push_back(g.message);
    return out;
  }
  // A logged container of the sheet's class on the main window, which the
  // routing captures for at a press as it does for a real sheet.
  WindowHandle Sheet() {
    WndClassInfo info{};
    info.className = "propsheet";
    info.windowProc = LoggingProc;
    SendMessage(__gui_hwnd_desktop, MSG_DT_ADDCTRLCLASS, 0, reinterpret_cast<LParam>(&info));
    return ControlOfClass("propsheet", main_, {20, 100, 90, 190}, 7, WS_VISIBLE, 0);
  }
  void DropSheet(WindowHandle sheet) {
    DestroyWindow(sheet);
    SendMessage(__gui_hwnd_desktop, MSG_DT_DELCTRLCLASS, 0, reinterpret_cast<LParam>("propsheet"));
  }
  // The first message of that number the window received.
  Got First(const std::vector<Got>& got, int msg) {
    for (const Got& g : got)
      if (g.message == msg) return g;
    return Got{0, 0, 0, 0};
  }
  WindowHandle main_ = 0, a_ = 0, b_ = 0;
};

TEST_F(DefaultProc, ClickInAChildReachesItInItsOwnCoordinates) {
  Feed(1, 0, 30, 25);
  Feed(2, 0, 30, 25);
  EXPECT_EQ(Mouse(main_), (MessageSequence{225, 1, 226, 2}));
  std::vector<Got> got = For(a_);
  MessageSequence numbers;
  for (const Got& g : got)
    if (IsMouseTraffic(g.message)) numbers.push_back(g.message);
  EXPECT_EQ(numbers, (MessageSequence{50, 51, 48, 1, 2}));  // notifications come before posts
  EXPECT_EQ(First(got, 50).wParam, static_cast<WParam>(HT_CLIENT));
  EXPECT_EQ(First(got, 1).lParam, PointParam(10, 5));
  EXPECT_EQ(WindowOf(main_)->activeChild, WindowOf(a_));
}

TEST_F(DefaultProc, DoubleClickIsPostedAsNonClientThenClient) {
  Feed(3, 0, 120, 130);
  std::vector<Got> got = For(main_);
  MessageSequence numbers;
  for (const Got& g : got) numbers.push_back(g.message);
  EXPECT_EQ(numbers, (MessageSequence{227, 12, 3}));
  EXPECT_EQ(got[1].wParam, static_cast<WParam>(HT_CLIENT));
  EXPECT_EQ(got[1].lParam, PointParam(120, 130));
  // A quick second press is a press: the child is made active as by one.
  EXPECT_EQ(Mouse(b_), (MessageSequence{50, 51, 48, 3}));
}

TEST_F(DefaultProc, CaptionAndCloseButtonActOnlyWhenPressAndReleaseMeet) {
  Feed(3, 0, 50, 5);
  EXPECT_EQ(Mouse(main_), (MessageSequence{227, 12, 102}));

  Feed(1, 0, 190, 5);
  Feed(2, 0, 50, 5);  // released on the caption: nothing
  EXPECT_EQ(Mouse(main_), (MessageSequence{225, 10, 226, 11}));
  EXPECT_EQ(CurrentCaptionPress().pressed, 0);

  Feed(1, 0, 190, 5);
  Feed(2, 0, 195, 8);
  EXPECT_EQ(Mouse(main_), (MessageSequence{225, 10, 226, 11, 102}));

  Feed(1, 0, 50, 5);  // a caption press is no button press
  EXPECT_EQ(CurrentCaptionPress().pressed, 0);
  Feed(2, 0, 50, 5);
}

TEST_F(DefaultProc, RightReleaseClosesLikeTheKeyAndClosesTheChild) {
  Feed(5, 0, 120, 120);
  Feed(6, 0, 120, 120);
  std::vector<Got> got = For(main_);
  Got key = First(got, 18);
  EXPECT_EQ(key.message, 18);
  EXPECT_EQ(key.wParam, 1u);
  MessageSequence child;
  for (const Got& g : For(b_))
    if (g.message == MSG_RBUTTONUP || g.message == MSG_CLOSE) child.push_back(g.message);
  EXPECT_EQ(child, (MessageSequence{6, 102}));
}

TEST_F(DefaultProc, PressOnADisabledChildIsAPressBesideTheChildren) {
  Feed(1, 0, 30, 25);
  Feed(2, 0, 30, 25);
  SendMessage(b_, MSG_ENABLE, 0, 0);
  ASSERT_TRUE(WindowOf(b_)->style & WS_DISABLED);
  Quiet();
  Feed(1, 0, 120, 120);
  std::vector<Got> got = For(a_);
  Got activation = First(got, 50);
  Got nonClient = First(got, 10);
  EXPECT_EQ(activation.wParam, 1u);
  EXPECT_EQ(nonClient.message, 10);
  EXPECT_EQ(nonClient.wParam, static_cast<WParam>(HT_OUT));
  EXPECT_TRUE(Mouse(b_).empty());
  Feed(2, 0, 120, 120);
}

TEST_F(DefaultProc, FocusMovesBetweenChildrenOnPresses) {
  Feed(1, 0, 30, 25);
  Feed(2, 0, 30, 25);
  Quiet();
  Feed(1, 0, 120, 120);
  Feed(2, 0, 120, 120);
  std::vector<Got> old = For(a_);
  EXPECT_EQ(First(old, 51).wParam, 0u);
  EXPECT_EQ(First(old, 49).wParam, b_);
  std::vector<Got> now = For(b_);
  EXPECT_EQ(First(now, 51).wParam, 1u);
  EXPECT_EQ(First(now, 48).wParam, a_);
  EXPECT_EQ(WindowOf(main_)->activeChild, WindowOf(b_));
}

TEST_F(DefaultProc, PointerEntersAndLeavesChildren) {
  Feed(4, 0, 30, 25);
  Feed(4, 0, 120, 120);
  std::vector<Got> a = For(a_);
  std::vector<Got> enterA, leaveA;
  for (const Got& g : a)
    if (g.message == MSG_MOUSEENTER) (g.wParam ? enterA : leaveA).push_back(g);
  ASSERT_EQ(enterA.size(), 1u);
  ASSERT_EQ(leaveA.size(), 1u);
  EXPECT_EQ(static_cast<WindowHandle>(leaveA[0].lParam), b_);
  MessageSequence moves;
  for (const Got& g : a)
    if (g.message == MSG_MOUSEMOVE || g.message == MSG_SETCURSOR) moves.push_back(g.message);
  EXPECT_EQ(moves, (MessageSequence{32, 4}));
  Got enterB = First(For(b_), 80);
  EXPECT_EQ(enterB.wParam, 1u);
  EXPECT_EQ(static_cast<WindowHandle>(enterB.lParam), a_);
  EXPECT_EQ(WindowOf(main_)->childUnderPointer, WindowOf(b_));
}

TEST_F(DefaultProc, PressOnAControlsBarCapturesUntilRelease) {
  Feed(1, 0, 65, 30);
  EXPECT_EQ(Request(MSG_DT_GETCAPTURE), main_);
  EXPECT_EQ(CurrentNonClientCapture().control, a_);
  Got press = First(For(a_), 10);
  EXPECT_EQ(press.wParam, static_cast<WParam>(HT_VSCROLL));
  // Outside the window, moves and the release still reach the control.
  Feed(4, 1, 300, 300);
  Got move = First(For(a_), 13);
  EXPECT_EQ(move.message, 13);
  EXPECT_EQ(move.lParam, PointParam(300, 300));
  Feed(2, 0, 300, 300);
  Got release = First(For(a_), 11);
  EXPECT_EQ(release.message, 11);
  EXPECT_EQ(Request(MSG_DT_GETCAPTURE), 0u);
  EXPECT_EQ(CurrentNonClientCapture().control, 0u);
}

// Under capture the desktop hands over client numbers with screen
// positions; the children still hear the drag in their own coordinates.
TEST_F(DefaultProc, CapturedDragReachesTheChildInItsOwnCoordinates) {
  WindowHandle other = LoggedMain({300, 300, 500, 500}, WS_VISIBLE, 0, "");
  WindowHandle inner = LoggedControl(other, {20, 20, 120, 80}, 3);
  Request(MSG_DT_SETCAPTURE, other);
  Quiet();
  const Rect client = ClientScreenRectOf(WindowOf(other));
  const int x = client.left + 30, y = client.top + 25;
  Feed(1, 0, x, y);
  Feed(4, 1, x + 40, y + 20);
  Feed(4, 1, client.right + 50, y);  // off the window: beside the children
  Feed(2, 0, x + 40, y + 20);
  Request(MSG_DT_SETCAPTURE, 0);
  MessageSequence received;
  for (const Got& g : For(other))
    if (IsMouseTraffic(g.message)) received.push_back(g.message);
  EXPECT_EQ(received, (MessageSequence{1, 4, 4, 2}));
  std::vector<Got> got = For(inner);
  Got press = First(got, 1), move = First(got, 4), release = First(got, 2);
  EXPECT_EQ(press.lParam, PointParam(10, 5));
  EXPECT_EQ(move.lParam, PointParam(50, 25));
  EXPECT_EQ(move.wParam, 1u);  // the keys without the capture mark
  EXPECT_EQ(release.lParam, PointParam(50, 25));
  int moves = 0;
  for (const Got& g : got) moves += g.message == MSG_MOUSEMOVE;
  EXPECT_EQ(moves, 1);
}

TEST_F(DefaultProc, DestroyingTheCapturingControlForgetsTheCapture) {
  Feed(1, 0, 65, 30);
  ASSERT_EQ(CurrentNonClientCapture().control, a_);
  DestroyWindow(a_);
  EXPECT_EQ(CurrentNonClientCapture().control, 0u);
  EXPECT_EQ(Request(MSG_DT_GETCAPTURE), 0u);  // the main window does not keep it
  Feed(2, 0, 65, 30);
}

// A sheet takes the mouse at a press it routes on to a page's control; the
// release gives it back, whether it came at once (routed by the pointer, as
// a press and release with no pause arrive) or later, captured, off the
// window. Kept, every later click would go to the sheet.
TEST_F(DefaultProc, ASheetsCaptureEndsAtTheRelease) {
  const WindowHandle sheet = Sheet();
  const WindowHandle inner = LoggedControl(sheet, {10, 10, 60, 60}, 8);
  Quiet();
  Input(1, 0, PointParam(40, 130));
  Input(2, 0, PointParam(40, 130));
  desktest::Drain();
  EXPECT_EQ(Mouse(inner), (MessageSequence{50, 51, 48, 1, 2}));
  EXPECT_EQ(Request(MSG_DT_GETCAPTURE), 0u) << "released at once";
  Feed(1, 0, 40, 130);
  EXPECT_EQ(Request(MSG_DT_GETCAPTURE), sheet);
  Feed(2, 0, 400, 400);
  EXPECT_EQ(Request(MSG_DT_GETCAPTURE), 0u) << "released off the window";
  // The next click is the main window's again, in its own coordinates.
  Quiet();
  Feed(1, 0, 30, 25);
  Feed(2, 0, 30, 25);
  EXPECT_EQ(First(For(a_), 1).lParam, PointParam(10, 5));
  DropSheet(sheet);
}

// The desktop sends input straight to the window holding the capture; what
// it routed before through the windows on the way still comes first: a
// second click never overtakes the first one's release, however many
// containers the first one crosses.
TEST_F(DefaultProc, AClickUnderACaptureTakenOnTheWayComesAfterTheClickBefore) {
  const WindowHandle sheet = Sheet();
  const WindowHandle inner = LoggedControl(sheet, {10, 10, 60, 60}, 8);
  Quiet();
  Input(1, 0, PointParam(40, 130));
  Input(2, 0, PointParam(40, 130));
  // Read one at a time until the sheet has taken the capture for the press.
  Message m{};
  while (Request(MSG_DT_GETCAPTURE) != sheet && PeekMessage(&m, main_, 0, 0, TRUE)) DispatchMessage(&m);
  ASSERT_EQ(Request(MSG_DT_GETCAPTURE), sheet);
  Input(1, 0, PointParam(40, 130));
  Input(2, 0, PointParam(40, 130));
  desktest::Drain();
  MessageSequence buttons;
  for (int msg : Mouse(inner))
    if (msg == MSG_LBUTTONDOWN || msg == MSG_LBUTTONUP) buttons.push_back(msg);
  EXPECT_EQ(buttons, (MessageSequence{1, 2, 1, 2}));
  EXPECT_EQ(Request(MSG_DT_GETCAPTURE), 0u);
  DropSheet(sheet);
}

// A move the desktop sent to a sheet under its capture, read after the
// release that ended it, is not routed on: the pointer may be over a window
// the sheet does not hold (an open drop-down list), and its controls
// beneath would take the move (and the focus with it).
TEST_F(DefaultProc, AMoveQueuedUnderAnEndedCaptureIsNotRoutedOn) {
  const WindowHandle sheet = Sheet();
  const WindowHandle inner = LoggedControl(sheet, {10, 10, 60, 60}, 8);
  Feed(1, 0, 40, 130);
  ASSERT_EQ(Request(MSG_DT_GETCAPTURE), sheet);
  Quiet();
  Input(2, 0, PointParam(400, 400));
  Input(4, 0, PointParam(40, 130));
  desktest::Drain();
  const MessageSequence got = Mouse(inner);
  EXPECT_EQ(std::count(got.begin(), got.end(), MSG_MOUSEMOVE), 0);
  EXPECT_EQ(std::count(got.begin(), got.end(), MSG_MOUSEENTER), 0);
  EXPECT_EQ(Request(MSG_DT_GETCAPTURE), 0u);
  // Once the capture is gone the desktop routes the pointer as ever.
  Feed(4, 0, 45, 135);
  const MessageSequence after = Mouse(inner);
  EXPECT_EQ(std::count(after.begin(), after.end(), MSG_MOUSEMOVE), 1);
  DropSheet(sheet);
}

TEST_F(DefaultProc, CaptionTextIsCopiedWithinTheBufferAndTerminated) {
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(SendMessage(main_, MSG_GETTEXTLENGTH, 0, 0), 12);
  EXPECT_EQ(SendMessage(main_, MSG_GETTEXT, 5, reinterpret_cast<LParam>(buffer)), 4);
  EXPECT_STREQ(buffer, "capt");
  EXPECT_EQ(buffer[5], 'x');
  EXPECT_EQ(SendMessage(main_, MSG_GETTEXT, 0, reinterpret_cast<LParam>(buffer)), 0);
  EXPECT_EQ(buffer[0], 'c');
  EXPECT_EQ(SendMessage(main_, MSG_GETTEXT, sizeof buffer, 0), 0);

  EXPECT_EQ(SendMessage(main_, MSG_SETTEXT, 0, reinterpret_cast<LParam>("new")), 0);
  EXPECT_EQ(SendMessage(main_, MSG_GETTEXTLENGTH, 0, 0), 3);
  EXPECT_EQ(SendMessage(main_, MSG_GETTEXT, sizeof buffer, reinterpret_cast<LParam>(buffer)), 3);
  EXPECT_STREQ(buffer, "new");
  SendMessage(a_, MSG_SETTEXT, 0, reinterpret_cast<LParam>("other"));  // kept by the class
  EXPECT_STREQ(WindowOf(a_)->caption, "ctl");
}

TEST_F(DefaultProc, AutoRepeatTickResendsTheRecordOnlyFromItsMainWindow) {
  WindowHandle other = LoggedMain({300, 300, 400, 400});
  Quiet();
  SetAutoRepeatMessage(a_, 288, 7, 9);
  SendMessage(other, MSG_BROADCAST_NOTICE, 0, 0);
  EXPECT_TRUE(Mouse(a_).empty());
  SendMessage(main_, MSG_BROADCAST_NOTICE, 0, 0);
  Got repeated = First(For(a_), 288);
  EXPECT_EQ(repeated.wParam, 7u);
  EXPECT_EQ(repeated.lParam, 9);
  DestroyWindow(a_);
  SendMessage(main_, MSG_BROADCAST_NOTICE, 0, 0);  // the record went with its window
  Quiet();
  SetAutoRepeatMessage(0, 0, 0, 0);
}

TEST_F(DefaultProc, WindowUnderCursorIsTheDeepestOne) {
  WindowHandle bare = LoggedMain({300, 300, 400, 400});
  Quiet();
  Feed(4, 0, 30, 25);
  Quiet();
  EXPECT_EQ(GetWindowUnderCursor(), a_);
  Feed(4, 0, 10, 150);
  Quiet();
  EXPECT_EQ(GetWindowUnderCursor(), main_);
  Feed(4, 0, 350, 350);
  Quiet();
  EXPECT_EQ(GetWindowUnderCursor(), bare);
}

TEST_F(DefaultProc, KeysGoOnToTheActiveChildOfAnEnabledWindow) {
  Feed(1, 0, 30, 25);
  Feed(2, 0, 30, 25);
  Quiet();
  SendMessage(main_, MSG_KEYDOWN, 30, 0);
  SendMessage(main_, MSG_CHAR, 'a', 0);
  MessageSequence keys;
  for (const Got& g : For(a_)) keys.push_back(g.message);
  EXPECT_EQ(keys, (MessageSequence{18, 19}));
  SendMessage(main_, MSG_ENABLE, 0, 0);
  SendMessage(main_, MSG_KEYDOWN, 30, 0);
  EXPECT_TRUE(For(a_).empty());
  SendMessage(main_, MSG_ENABLE, 1, 0);
  EXPECT_FALSE(WindowOf(main_)->style & WS_DISABLED);
}

std::atomic<int> g_entryCalls[3];

LResult CountingEntry0(WindowHandle, int, WParam, LParam) { return ++g_entryCalls[0]; }
LResult CountingEntry2(WindowHandle, int, WParam, LParam) { return ++g_entryCalls[2]; }

TEST_F(DefaultProc, DefaultWindowProcPicksTheEntryOfTheWindowsKind) {
  for (auto& c : g_entryCalls) c = 0;
  __gui_def_proc[0] = CountingEntry0;
  __gui_def_proc[2] = CountingEntry2;
  EXPECT_EQ(DefaultWindowProc(main_, 999, 0, 0), 1);
  EXPECT_EQ(DefaultWindowProc(a_, 999, 0, 0), 1);
  EXPECT_EQ(DefaultWindowProc(GUI_INVALID_HANDLE, 999, 0, 0), 0);
  EXPECT_EQ(g_entryCalls[0].load(), 1);
  EXPECT_EQ(g_entryCalls[2].load(), 1);
  __gui_def_proc[0] = DefaultMainWinProc;
  __gui_def_proc[2] = DefaultControlProc;
}

// ---- the soft keyboard beside a pressed edit ----

std::atomic<WindowHandle> g_edit{0};

bool EditWantsKeyboard(WindowHandle hwnd, int msg, WParam wParam, LParam lParam, LResult* answer) {
  if (hwnd == g_edit && msg == MSG_NEEDSKB) {
    *answer = 1;
    return true;
  }
  if (msg == MSG_DT_SKBQUERY || msg == MSG_SKBCURRENTEDIT) {  // the keyboard serves nothing yet
    *answer = 0;
    return true;
  }
  return false;
}

class SoftKeyboard : public PaintTest {
 protected:
  void SetUp() override {
    PaintTest::SetUp();
    WndClassInfo info{};
    info.className = "sledit";
    info.windowProc = LoggingProc;
    SendMessage(__gui_hwnd_desktop, MSG_DT_ADDCTRLCLASS, 0, reinterpret_cast<LParam>(&info));
    screen_ = ScreenRect();
    main_ = LoggedMain({0, 0, screen_.right, screen_.bottom - 60});
    skb_ = LoggedMain({0, 0, 200, 100});
    ASSERT_EQ(Request(MSG_DT_REGSKB, skb_), 0u);
    Log::Instance().override = EditWantsKeyboard;
    Quiet();
  }
  void TearDown() override {
    Request(MSG_DT_UNREGSKB, skb_);
    g_edit = 0;
    PaintTest::TearDown();
    SendMessage(__gui_hwnd_desktop, MSG_DT_DELCTRLCLASS, 0, reinterpret_cast<LParam>("sledit"));
  }
  WindowHandle Edit(Rect r) {
    WindowHandle edit = CreateWindowEx("sledit", "", WS_VISIBLE, 0, 5, r.left, r.top, r.right - r.left,
                                       r.bottom - r.top, main_, 0);
    g_edit = edit;
    Quiet();
    return edit;
  }
  void Click(int x, int y) {
    Feed(1, 0, x, y);
    Feed(2, 0, x, y);
    Request(MSG_DT_SETCAPTURE, 0);
  }
  Rect screen_{};
  WindowHandle main_ = 0, skb_ = 0;
};

TEST_F(SoftKeyboard, OpensBelowAnEditAndKeepsOffTheRightEdge) {
  int left = screen_.right - 44;
  WindowHandle edit = Edit({left, 101, left + 40, 121});
  Click(left + 5, 110);
  Rect placed = WindowOf(skb_)->window;
  EXPECT_EQ(placed.left, screen_.right - 10 - 200);
  EXPECT_EQ(placed.top, 122);  // 121 rounded up to even
  EXPECT_EQ(placed.right - placed.left, 200);
  // After the keyboard was asked whether it serves an edit: closed, opened
  // at the unrounded position, told which edit it serves.
  MessageSequence told;
  bool asked = false;
  for (const Got& g : For(skb_)) {
    asked = asked || g.message == MSG_DT_SKBQUERY;
    if (asked && (g.message == MSG_SKBOPEN || g.message == MSG_SKBCLOSE || g.message == MSG_SKBACTIVEWIN))
      told.push_back(g.message);
    if (g.message == MSG_SKBOPEN) {
      EXPECT_EQ(g.lParam, PointParam(screen_.right - 210, 121));
    }
  }
  EXPECT_EQ(told, (MessageSequence{356, 355, 359, 359}));
  EXPECT_EQ(Request(MSG_DT_GETCAPTURE), 0u);
  (void)edit;
}

TEST_F(SoftKeyboard, GoesAboveAnEditNearTheBottom) {
  int top = screen_.bottom - 90;
  Edit({100, top, 200, top + 20});
  Click(150, top + 5);
  EXPECT_EQ(WindowOf(skb_)->window.top, top - 100);
  EXPECT_EQ(WindowOf(skb_)->window.left, 100);
}

TEST_F(SoftKeyboard, PressBesideTheChildrenClosesIt) {
  Edit({100, 100, 200, 120});
  Click(150, 110);
  Quiet();
  Click(400, 400);
  MessageSequence told;
  for (const Got& g : For(skb_))
    if (g.message == MSG_SKBOPEN || g.message == MSG_SKBCLOSE) told.push_back(g.message);
  EXPECT_EQ(told, (MessageSequence{356}));
}

}  // namespace
}  // namespace painttest
