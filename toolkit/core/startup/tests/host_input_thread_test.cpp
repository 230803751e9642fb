// The whole road of one click and one key: the toolkit brought up by InitGUI,
// input fed to the host window as its window procedure would get it, and a
// main window on its own thread that must receive it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <tuple>
#include <vector>

#include "core/desktop/clip_info.h"
#include "core/driver/host_thread.h"
#include "core/driver/windib.h"
#include "core/message/message_names.h"
#include "core/message/tests/message_log.h"
#include "core/window/tests/main_window_creation.h"
#include "gui/cursor.h"
#include "gui/desktop.h"
#include "gui/host.h"
#include "gui/message.h"
#include "gui/startup.h"
#include "gui/window.h"
#include "gui/window_attr.h"

extern "C" WindowProc __gui_def_proc[3];

namespace {

constexpr int kRoutedLeftDown = MSG_DT_MOUSEOFFSET + MSG_LBUTTONDOWN;
constexpr int kRoutedLeftUp = MSG_DT_MOUSEOFFSET + MSG_LBUTTONUP;
constexpr int kLinuxKeyA = 30;

using Received = SeenMessage;
using Inbox = MessageRecord<Received>;

Inbox* g_inbox;

LResult ProbeProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  g_inbox->Add({hwnd, msg, wParam, lParam});
  if (DestroyAndQuitOnClose(hwnd, msg)) return 0;
  return __gui_def_proc[0](hwnd, msg, wParam, lParam);
}

struct ProbeWindow {
  std::atomic<WindowHandle> hwnd{0};
  std::thread thread;

  void Start() {
    thread = std::thread([this] {
      MainWinCreate create = MainWindowCreation({100, 100, 400, 300}, ProbeProc, "probe");
      WindowHandle h = CreateMainWindow(&create);
      hwnd = h;
      if (h == GUI_INVALID_HANDLE) return;
      RunMainWindow(h);
    });
    while (hwnd.load() == 0) std::this_thread::yield();
  }
  ~ProbeWindow() {
    if (!thread.joinable()) return;
    PostMessage(hwnd, MSG_CLOSE, 0, 0);
    thread.join();
  }
};

// Tears the toolkit down even when an assertion ends the test early.
struct ToolkitUp {
  int code = InitGUI(0, nullptr);
  ~ToolkitUp() {
    if (code == 0) TerminateGUI(0);
  }
};

TEST(HostInput, ClickAndKeyInTheHostWindowReachTheWindowUnderThePointer) {
  static Inbox inbox;
  g_inbox = &inbox;
  ToolkitUp toolkit;
  ASSERT_EQ(toolkit.code, 0);
  ProbeWindow probe;
  probe.Start();
  ASSERT_NE(probe.hwnd.load(), GUI_INVALID_HANDLE);

  HostInjectMouseMove(150, 120);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
  HostInjectKey(kLinuxKeyA, 1);
  HostInjectKey(kLinuxKeyA, 0);

  Received r{};
  ASSERT_TRUE(inbox.WaitFor(kRoutedLeftDown, &r));
  EXPECT_EQ(r.lParam & 0xFFFF, 150);
  EXPECT_EQ((r.lParam >> 16) & 0xFFFF, 120);
  EXPECT_TRUE(inbox.WaitFor(kRoutedLeftUp, &r));
  ASSERT_TRUE(inbox.WaitFor(MSG_KEYDOWN, &r));
  EXPECT_EQ(r.wParam, static_cast<WParam>(kLinuxKeyA));
  EXPECT_TRUE(inbox.WaitFor(MSG_KEYUP, &r));
}

// The cursor starts at the middle of the screen, unless the host's pointer
// already rests over the window: the first frame then shows it there.
TEST(HostInput, TheCursorStartsAtTheMiddleOrWhereThePointerRests) {
  for (const bool over : {false, true}) {
    windib::RecordPointer(over ? 300 : 0, over ? 200 : 0, over);
    ToolkitUp toolkit;
    ASSERT_EQ(toolkit.code, 0);
    const Rect& screen = ScreenRect();
    Point at{};
    GetCursorPos(&at);
    EXPECT_EQ(at.x, over ? 300 : screen.right >> 1) << "pointer over the window: " << over;
    EXPECT_EQ(at.y, over ? 200 : screen.bottom >> 1) << "pointer over the window: " << over;
  }
  windib::RecordPointer(0, 0, false);
}

// What the desktop receives of the mouse, in order: message and place.
struct MouseSeen {
  int message, x, y;
  bool operator==(const MouseSeen& o) const { return std::tie(message, x, y) == std::tie(o.message, o.x, o.y); }
};

std::ostream& operator<<(std::ostream& out, const MouseSeen& m) {
  return out << "{" << DescribeMessage(m.message) << " at " << m.x << "," << m.y << "}";
}

// The button messages the desktop got (moves left out) once `count` have
// come; the moves are checked to lead to each button's place.
std::vector<MouseSeen> DesktopButtons(Inbox& desktop, size_t count) {
  std::vector<MouseSeen> buttons;
  desktop.WaitUntil(
      [&](const std::vector<Received>& seen) {
        buttons.clear();
        int x = -1, y = -1;
        for (const Received& r : seen) {
          const MouseSeen m{r.message, static_cast<int16_t>(r.lParam & 0xFFFF),
                            static_cast<int16_t>(r.lParam >> 16 & 0xFFFF)};
          if (m.message != MSG_MOUSEMOVE) {
            EXPECT_TRUE(m.x == x && m.y == y) << m << " comes where the pointer was not moved to";
            buttons.push_back(m);
          }
          x = m.x;
          y = m.y;
        }
        return buttons.size() >= count;
      },
      true);
  return buttons;
}

// What the desktop's hooks see.
Inbox* g_desktopInput;

int RecordDesktopInput(WindowHandle hwnd, WindowHandle, int msg, WParam wParam, LParam lParam) {
  g_desktopInput->Add({hwnd, msg, wParam, lParam});
  return 0;
}

// A step of the user's hand, fed to the host window with no pause.
struct Step {
  enum Kind { kMove, kLeft, kRight } kind;
  int x = 0, y = 0;  // moves
  bool down = false;  // buttons
};
Step MoveTo(int x, int y) { return {Step::kMove, x, y, false}; }
Step Left(bool down) { return {Step::kLeft, 0, 0, down}; }
Step Right(bool down) { return {Step::kRight, 0, 0, down}; }

// Each button change is expected where the pointer was when it happened.
std::vector<MouseSeen> Expected(const std::vector<Step>& steps) {
  std::vector<MouseSeen> out;
  int x = 0, y = 0;
  for (const Step& s : steps) {
    if (s.kind == Step::kMove) {
      x = s.x;
      y = s.y;
    } else if (s.kind == Step::kLeft) {
      out.push_back({s.down ? MSG_LBUTTONDOWN : MSG_LBUTTONUP, x, y});
    } else {
      out.push_back({s.down ? MSG_RBUTTONDOWN : MSG_RBUTTONUP, x, y});
    }
  }
  return out;
}

void Feed(const std::vector<Step>& steps) {
  for (const Step& s : steps) {
    if (s.kind == Step::kMove) HostInjectMouseMove(s.x, s.y);
    if (s.kind == Step::kLeft) HostInjectMouseButton(HOST_BUTTON_LEFT, s.down);
    if (s.kind == Step::kRight) HostInjectMouseButton(HOST_BUTTON_RIGHT, s.down);
  }
}

// The toolkit up, with what the desktop receives of mouse and keys recorded
// by its hooks.
class DesktopInput : public ::testing::Test {
 protected:
  void SetUp() override {
    g_desktopInput = &desktop_;
    ASSERT_EQ(toolkit_.code, 0);
    mouseBefore_ = RegisterMouseMsgHook(0, RecordDesktopInput);
    keysBefore_ = RegisterKeyMsgHook(0, RecordDesktopInput);
  }
  void TearDown() override {
    if (toolkit_.code != 0) return;
    RegisterKeyMsgHook(0, keysBefore_);
    RegisterMouseMsgHook(0, mouseBefore_);
  }

  Inbox desktop_;
  ToolkitUp toolkit_;
  MsgHook mouseBefore_ = nullptr, keysBefore_ = nullptr;
};

// Quick input, faster than the event thread reads it, whether fed from
// another thread or taken in by the host thread in one wake-up: the
// desktop gets every press and release in order, each at its own place.
// Every sequence starts with a move to a new place, so no click of one
// sequence makes a double click with the last.
TEST_F(DesktopInput, QuickClicksReachTheDesktopInOrderAtTheirOwnPlaces) {
  const std::vector<std::vector<Step>> sequences = {
      // A click at A, then at once a click at B.
      {MoveTo(100, 100), Left(true), Left(false), MoveTo(300, 200), Left(true), Left(false)},
      // A drag from A to C through B: released where it ends.
      {MoveTo(50, 60), Left(true), MoveTo(120, 60), MoveTo(200, 61), Left(false)},
      // A right click, then a left click elsewhere.
      {MoveTo(400, 300), Right(true), Right(false), MoveTo(20, 700), Left(true), Left(false)},
      // A press, moves that come back, and the release where it started.
      {MoveTo(600, 500), Left(true), MoveTo(610, 505), MoveTo(600, 500), Left(false)},
      // Three clicks in a row, each at its own place.
      {MoveTo(10, 10), Left(true), Left(false), MoveTo(20, 20), Left(true), Left(false), MoveTo(30, 30),
       Left(true), Left(false)},
  };
  for (bool onHostThread : {false, true}) {
    for (size_t i = 0; i < sequences.size(); ++i) {
      const std::vector<Step>& steps = sequences[i];
      if (onHostThread)
        host::RunOnHost([&steps] { Feed(steps); });
      else
        Feed(steps);
      const std::vector<MouseSeen> expected = Expected(steps);
      EXPECT_EQ(DesktopButtons(desktop_, expected.size()), expected)
          << "sequence " << i << (onHostThread ? " taken in by the host thread" : " fed from a test thread");
    }
  }
}

// A click and a key the host thread takes in at one wake-up reach the
// desktop in the order they came.
TEST_F(DesktopInput, AClickBeforeAKeyStaysBeforeIt) {
  host::RunOnHost([] {
    HostInjectMouseMove(200, 150);
    HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
    HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    HostInjectKey(kLinuxKeyA, 1);
    HostInjectKey(kLinuxKeyA, 0);
  });
  MessageSequence order;
  desktop_.WaitUntil([&](const std::vector<Received>& seen) {
    order.clear();
    for (const Received& r : seen)
      if (r.message != MSG_MOUSEMOVE) order.push_back(r.message);
    return order.size() >= 4;
  });
  EXPECT_EQ(order, (MessageSequence{MSG_LBUTTONDOWN, MSG_LBUTTONUP, MSG_KEYDOWN, MSG_KEYUP}));
}

}  // namespace
