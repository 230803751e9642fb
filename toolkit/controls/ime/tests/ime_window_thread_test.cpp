// The input-method window on its own thread: the hand-back of its handle,
// its registration with the desktop, and the key chain from posted key
// presses through translation and the engine to the receiver.
#include <algorithm>
#include <linux/input-event-codes.h>

#include "controls/ime/tests/ime_gui_fixture.h"

#include "controls/ime/ime_toolkit.h"
#include "controls/ime/ime_tableset.h"
#include "core/message/tests/watchdog.h"
#include "core/startup/input_helpers.h"
#include "core/window/window_threads.h"
#include "gui/desktop.h"
#include "gui/message.h"

namespace {

using imetest::ImeOnGui;


void Press(WindowHandle ime, int scan) {
  PostMessage(ime, MSG_KEYDOWN, scan, 0);
  PostMessage(ime, MSG_KEYUP, scan, 0);
}

TEST_F(ImeOnGui, HandBackRegistrationAndRelease) {
  Watchdog dog(60, "creating and closing the input-method window");
  const ime::ImeConfig configured = ime::ConfiguredTables();
  ime::SetConfiguredTables({"/nonexistent/", 1, {"pinyin"}});
  EXPECT_EQ(GBIMEWindow(0), GUI_INVALID_HANDLE);  // the tables cannot load
  EXPECT_EQ(ImeWindow(), 0u);
  EXPECT_EQ(UnjoinedMainWindowThreads(), 0u) << "the thread that made no window is left running";
  ime::SetConfiguredTables(configured);

  OpenIme();
  EXPECT_EQ(ImeWindow(), ime_);
  EXPECT_EQ(GBIMEWindow(0), 0u);  // the slot is taken
  EXPECT_EQ(SendMessage(__gui_hwnd_desktop, MSG_DT_IMEQUERY, 4, 0), 1);  // the pinyin table is current
  EXPECT_EQ(SendMessage(ime_, MSG_DT_IMEQUERY, 5, 0), 0);  // the desktop's first 340 cleared the shown flag
  SendMessage(ime_, MSG_IMESHOW, 0, 0);
  EXPECT_EQ(SendMessage(ime_, MSG_DT_IMEQUERY, 5, 0), 1);
  EXPECT_TRUE(IsVisibleRecord(WindowOf(ime_)));
  SendMessage(__gui_hwnd_desktop, MSG_DT_IMECMD, 1, 0);
  EXPECT_EQ(SendMessage(__gui_hwnd_desktop, MSG_DT_IMEQUERY, 1, 0), 0);
  CloseIme();
  EXPECT_EQ(ImeWindow(), 0u);
  EXPECT_EQ(static_cast<LResult>(SendMessage(__gui_hwnd_desktop, MSG_DT_IMEQUERY, 1, 0)), DT_ERR_NO_IME);
}

TEST_F(ImeOnGui, KeyPressesBecomeTextForTheReceiver) {
  Watchdog dog(60, "the key chain");
  OpenIme();
  SendMessage(ime_, MSG_IMESHOW, 0, 0);
  SendMessage(ime_, MSG_IMEACTIVEWIN, receiver_, 0);
  EXPECT_EQ(static_cast<WindowHandle>(SendMessage(ime_, MSG_IMERECEIVER, 0, 0)), receiver_);
  Press(ime_, KEY_N);
  Press(ime_, KEY_I);
  Press(ime_, KEY_SPACE);
  std::vector<SeenMessage> got = Received(1);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].message, 19);
  EXPECT_EQ(got[0].wParam, imetest::FirstCandidate("ni"));

  // Enter goes on as a key; with Chinese input off every key goes on, marked.
  Press(ime_, KEY_ENTER);
  got = Received(2);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].message, 18);
  EXPECT_EQ(got[0].wParam, static_cast<WParam>(KEY_ENTER));
  SendMessage(ime_, MSG_DT_IMECMD, 1, 0);
  Press(ime_, KEY_A);
  got = Received(2);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].message, 18);
  EXPECT_EQ(got[0].wParam, static_cast<WParam>(KEY_A));
  EXPECT_EQ(got[0].lParam, 0x200);
}

// Symbol mode as the soft keyboard's symbol kind starts it: a chosen row
// closes the window and tells the receiver.
TEST_F(ImeOnGui, ChosenSymbolClosesTheWindow) {
  Watchdog dog(60, "choosing a symbol");
  OpenIme();
  SendMessage(ime_, MSG_IMEACTIVEWIN, receiver_, 0);
  SendMessage(ime_, MSG_IMESHOW, 0, 0);
  SendMessage(ime_, MSG_KEYDOWN, 130, 0);
  SendMessage(ime_, MSG_CHAR, 130, 0);
  SendMessage(ime_, MSG_CHAR, '3', 0);  // row 3, the colon
  // Key 130 goes on as a key; the notification overtakes the posted text.
  std::vector<SeenMessage> got = Received(3);
  auto has = [&got](int msg, WParam wParam) {
    return std::count_if(got.begin(), got.end(), [&](const SeenMessage& m) { return m.message == msg && m.wParam == wParam; });
  };
  EXPECT_EQ(got.size(), 3u);
  EXPECT_EQ(has(19, 0xBAA3), 1);
  EXPECT_EQ(has(346, 16), 1);
  LResult shown = 1;
  for (int i = 0; i < 500 && (shown = SendMessage(ime_, MSG_DT_IMEQUERY, 5, 0)) != 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(shown, 0);  // the window closed itself
}

}  // namespace

namespace {

LParam Point(int x, int y) { return static_cast<LParam>((y << 16) | x); }

// Clicks on the page arrows and on a candidate act as their keys.
TEST_F(ImeOnGui, ClicksOnArrowsAndCandidates) {
  Watchdog dog(60, "clicking the input-method window");
  OpenIme();
  SendMessage(ime_, MSG_IMEACTIVEWIN, receiver_, 0);
  SendMessage(ime_, MSG_IMESHOW, 0, 0);
  const int right = ime_toolkit::ClientRect(ime_).right;
  SendMessage(ime_, MSG_CHAR, 'n', 0);
  SendMessage(ime_, MSG_CHAR, 'i', 0);
  SendMessage(ime_, MSG_CHAR, 22, 0);
  AwaitPainted();  // the drawing makes the arrows live
  SendMessage(ime_, MSG_LBUTTONDOWN, 0, Point(right - 30, 10));  // previous page
  AwaitPainted();
  SendMessage(ime_, MSG_LBUTTONDOWN, 0, Point(20, 24));  // the first candidate
  std::vector<SeenMessage> got = Received(1);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].wParam, imetest::FirstCandidate("ni"));
}

}  // namespace
