// The shutdown dialog and the hint window as a user meets them: every way
// out of the dialog, the question before going down, the hint's text by
// kind, its deafness to keys and mouse, its close on the timer, and both
// windows as their reference pictures show them.
#include <atomic>
#include <chrono>
#include <string>

#include "app/core/program/program_seam.h"
#include "app/device_backend.h"
#include "app/page_frame.h"
#include "app/system_pages.h"
#include "app/system/tests/system_input.h"
#include "app/testing/page_harness.h"
#include "controls/barkit/tests/quick_clicks.h"
#include "core/input/lowlevel_event.h"
#include "core/timer/timer_internal.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "app/page_keys.h"

namespace {

using livetest::ClickItem;
using livetest::PumpUntil;


constexpr int kLock = 21248, kShutdown = 21249, kReboot = 21250, kHintText = 21264;

// The steady clock moved on by what the test has stepped, or standing
// where it was held. It stays installed once installed: taking it away
// would turn the timer thread's clock back.
std::atomic<long long> g_stepped{0};
std::atomic<long long> g_heldAt{-1};
long long SteadyMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
long long SteppedClock() {
  const long long held = g_heldAt.load();
  return (held >= 0 ? held : SteadyMs()) + g_stepped.load();
}
// Moves the toolkit's time on without waiting for it.
void StepTime(long long ms) {
  SetTimerClockForTest(SteppedClock);
  g_stepped += ms;
  WakeTimerThread();
}
// The toolkit's time stands still while one lives: a window that closes
// itself on its timer is still there when its picture is taken, however
// slowly a loaded machine gets to it.
struct HeldTime {
  HeldTime() {
    SetTimerClockForTest(SteppedClock);
    g_heldAt = SteadyMs();
  }
  ~HeldTime() {
    g_heldAt = -1;
    WakeTimerThread();
  }
};

std::atomic<int> g_ends{0};
std::atomic<bool> g_reboot{false};
void RecordEnd(bool reboot) {
  g_reboot = reboot;
  ++g_ends;
}

std::string Text(WindowHandle dlg, int id) {
  char text[128] = {};
  GetWindowText(GetDlgItem(dlg, id), text, sizeof text);
  return text;
}

livetest::Picture Settled(WindowHandle window) {
  Rect r{};
  GetWindowRect(window, &r);
  return livetest::SettledGrab(r);
}

class Shutdown : public livetest::LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    g_ends = 0;
    program_seam::setEndRequests(RecordEnd);
    SetPowerKeyDownFlag(0);
    setDispSwitchEnabled(1);
    setLiveViewActive(3, 1);
  }
  void TearDown() override {
    program_seam::setEndRequests(nullptr);
    SetPowerKeyDownFlag(0);
    setDispSwitchEnabled(1);
    LiveGui::TearDown();
  }
  int Dialog(const std::function<void(WindowHandle)>& steps) {
    return RunInLoop(createShutdownWindow, [&] {
      const WindowHandle dlg = GetActiveWindow();
      steps(dlg);
      // A step that failed early still ends the dialog.
      if (IsWindowVisible(dlg)) SendMessage(dlg, MSG_CLOSE, 0, 0);
    });
  }
};

TEST_F(Shutdown, CancelEscapeAndCloseLeaveTheDialogAndThePictureButtonsAskFirst) {
  int focused = 0;
  Dialog([&](WindowHandle dlg) {
    focused = GetDlgCtrlID(GetFocusChild(dlg));
    ClickItem(dlg, IDCANCEL);
    EXPECT_TRUE(PumpUntil([dlg] { return !IsWindowVisible(dlg); }));
  });
  EXPECT_EQ(focused, IDCANCEL);
  Dialog([](WindowHandle dlg) {
    livetest::PressKey(KEY_ESC);
    EXPECT_TRUE(PumpUntil([dlg] { return !IsWindowVisible(dlg); }));
  });
  // Declined questions change nothing and leave the dialog open.
  livetest::BoxAnswer() = IDNO;
  Dialog([](WindowHandle dlg) {
    for (int id : {kShutdown, kReboot}) {
      livetest::Boxes().clear();
      ClickItem(dlg, id);
      EXPECT_TRUE(PumpUntil([] { return !livetest::Boxes().empty(); })) << id;
      EXPECT_TRUE(IsWindowVisible(dlg)) << id;
    }
    EXPECT_EQ(livetest::Boxes().back().text, "Reboot the device?");
    EXPECT_EQ(livetest::Boxes().back().section + "/" + livetest::Boxes().back().key, "shutdown/reboothint");
    SendMessage(dlg, MSG_CLOSE, 0, 0);
  });
  EXPECT_EQ(g_ends.load(), 0);
  EXPECT_EQ(GetPowerKeyDownFlag(), 0);
}

TEST_F(Shutdown, AgreedShutdownAndRebootShowTheHintThenEndOrRestart) {
  livetest::BoxAnswer() = IDYES;
  for (int id : {kShutdown, kReboot}) {
    g_ends = 0;
    Dialog([id](WindowHandle dlg) {
      ClickItem(dlg, id);
      // The hint closes itself on its one-second timer.
      EXPECT_TRUE(PumpUntil([] { return g_ends.load() == 1; })) << id;
      SendMessage(dlg, MSG_CLOSE, 0, 0);
    });
    EXPECT_EQ(g_reboot.load(), id == kReboot);
    EXPECT_EQ(GetPowerKeyDownFlag(), 1);
    EXPECT_EQ(isDispSwitchEnabled(), 0);
    SetPowerKeyDownFlag(0);
  }
}

// Going down needs the local shutdown right or the administrator, checked
// at the buttons: the main menu lets every user open the dialog.
TEST_F(Shutdown, ShutDownAndRebootNeedTheShutdownRight) {
  struct Case {
    int user;
    bool grant;
    const char* expected;
  } const cases[] = {{livetest::kAdminUser, false, "shutdown/"},
                     {livetest::kGuestUser, false, "commons/permission"},
                     {livetest::kGuestUser, true, "shutdown/"}};
  livetest::BoxAnswer() = IDNO;
  for (const Case& c : cases) {
    device_seam::resetKeptRecords();
    if (c.grant) {
      UserConfig users{};
      ASSERT_EQ(getUserConfig(getOutputLogin(3), &users), 0);
      users.users[c.user].rights |= RIGHT_LOCAL_SHUTDOWN;
      ASSERT_EQ(setUserConfig(getOutputLogin(3), &users, 0), 0);
    }
    LoginAs(c.user);
    Dialog([&](WindowHandle dlg) {
      for (int id : {kShutdown, kReboot}) {
        livetest::Boxes().clear();
        ClickItem(dlg, id);
        ASSERT_TRUE(PumpUntil([] { return !livetest::Boxes().empty(); })) << c.user << " " << id;
        const livetest::Box& box = livetest::Boxes().back();
        EXPECT_EQ((box.section + "/" + box.key).rfind(c.expected, 0), 0u) << c.user << " " << id << " " << box.key;
        EXPECT_TRUE(IsWindowVisible(dlg));
      }
    });
  }
  EXPECT_EQ(g_ends.load(), 0);
  EXPECT_EQ(GetPowerKeyDownFlag(), 0);
}

TEST_F(Shutdown, LockLogsTheOutputOutAndClosesTheMenus) {
  setLoginState(3, 0, 7);
  setLoginFlag(3, 1);
  Dialog([](WindowHandle dlg) {
    ClickItem(dlg, kLock);
    EXPECT_TRUE(PumpUntil([dlg] { return !IsWindowVisible(dlg); }));
  });
  EXPECT_EQ(getLoginUserIndex(3), -2);
  EXPECT_EQ(isLoginFlag(3), 0);
}

TEST_F(Shutdown, TheHintSaysItsKindIgnoresKeysAndMouseAndClosesOnItsTimer) {
  const std::pair<int, const char*> kinds[] = {
      {0, "Shutting down, please wait..."}, {1, "Rebooting, please wait..."},
      {2, "Upgrade finished, rebooting..."}, {-1, "Upgrade finished, rebooting..."}};
  for (const auto& kind : kinds) {
    g_ends = 0;
    std::string text;
    bool stayed = false;
    RunInLoop([&](WindowHandle owner) { return createShutdownHintWindow(owner, kind.first); }, [&] {
      const WindowHandle hint = GetActiveWindow();
      text = Text(hint, kHintText);
      // A key and a double click on the hint, through the host input.
      livetest::PressKey(KEY_ESC);
      systest::DoubleClickCaption(hint);
      stayed = IsWindowVisible(hint) != FALSE;
      StepTime(1000);  // the hint's one second
    });
    EXPECT_EQ(text, kind.second);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(g_ends.load(), 1);
    EXPECT_EQ(g_reboot.load(), kind.first != 0);
    EXPECT_EQ(isLiveViewActive(3), 0);
  }
}

TEST_F(Shutdown, TheDialogWithAHoveredButtonAndTheHintMatchTheirReferences) {
  Dialog([](WindowHandle dlg) {
    livetest::PointAtMiddle(GetDlgItem(dlg, kShutdown));
    livetest::MatchesReference(__FILE__, "shutdown_hover", Settled(dlg));
    SendMessage(dlg, MSG_CLOSE, 0, 0);
  });
  HeldTime held;
  RunInLoop([](WindowHandle owner) { return createShutdownHintWindow(owner, 1); }, [] {
    const WindowHandle hint = GetActiveWindow();
    livetest::MatchesReference(__FILE__, "shutdown_hint", Settled(hint));
    SendMessage(hint, MSG_CLOSE, 0, 0);
  });
}

}  // namespace
