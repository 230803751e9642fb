// The login dialog on the simulated device, driven inside its own modal
// loop: the refusal codes and what each leaves of the password, the three
// refusals that close it, the user change that starts the count again, the
// hidden corner, and its picture.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/device_backend.h"
#include "app/pages_calls.h"
#include "app/system/tests/system_input.h"
#include "app/testing/page_harness.h"
#include "controls/barkit/tests/quick_clicks.h"
#include "core/input/lowlevel_event.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/message.h"

namespace {

using livetest::LiveGui;

constexpr int kUser = 12528, kPassword = 12529, kOk = PAGE_ID_OK, kCancel = IDCANCEL, kCode = 12539,
              kSerial = 12538;

// The event clock held still: two clicks make a double click however
// slowly the run goes.
unsigned int QuickHand() { return 1000; }
std::string Text(WindowHandle w, int id) {
  char text[64] = "";
  GetDlgItemText(w, id, text, sizeof text);
  return text;
}
std::vector<std::string> Boxes() {
  std::vector<std::string> texts;
  for (const auto& box : livetest::Boxes()) texts.push_back(box.text + "/" + std::to_string(box.type));
  livetest::Boxes().clear();
  return texts;
}
std::string Caption(const char* section, const char* key) {
  const char* text = lookupText(section, key);
  return text ? text : "";
}


class Login : public LiveGui {
 protected:
  // Runs `steps` with the login dialog open on the current output.
  void WithLogin(std::function<void(WindowHandle)> steps) {
    const int output = getCurOutput();
    RunInLoop(createLoginWindow, [&] {
      const WindowHandle dlg = getLoginWnd(output);
      ASSERT_NE(dlg, GUI_INVALID_HANDLE);
      steps(dlg);
      if (getLoginWnd(output) != GUI_INVALID_HANDLE) systest::ClickClosing(dlg, kCancel);
    });
    EXPECT_EQ(getLoginWnd(output), GUI_INVALID_HANDLE);
  }
  void TryPassword(WindowHandle dlg, const char* password) {
    SetDlgItemText(dlg, kPassword, password);
    systest::ClickClosing(dlg, kOk);
  }
};

TEST_F(Login, ListsTheNamedUsersAndEachRefusalLeavesThePasswordAsItsTableSays) {
  struct Row {
    int code;
    const char* key;
    int style;
    bool kept;
  };
  const Row rows[] = {{31, "login_err_maxuser", MSGBOX_INFO, true},
                      {34, "login_err_netpasswd", MSGBOX_ERROR, false},
                      {36, "login_err_mac", MSGBOX_INFO, true},
                      {1, "login_err_passwd", MSGBOX_ERROR, false},
                      {-1, "login_err_passwd", MSGBOX_ERROR, false}};
  WithLogin([&](WindowHandle dlg) {
    EXPECT_EQ(SendDlgItemMessage(dlg, kUser, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendDlgItemMessage(dlg, kUser, CB_GETSELVALUE, 0, 0), 0);
    EXPECT_EQ(Text(dlg, kUser), "admin");
    for (const Row& row : rows) {
      device_seam::overrideAnswer(loginDevice, row.code);
      TryPassword(dlg, "secret");
      EXPECT_EQ(Boxes(), std::vector<std::string>{Caption("login", row.key) + "/" + std::to_string(row.style)})
          << row.code;
      EXPECT_EQ(Text(dlg, kPassword), row.kept ? "secret" : "") << row.code;
      EXPECT_EQ(isLoginFlag(getCurOutput()), 0);
      // A new selection starts the count again, so five refusals keep it open.
      EXPECT_TRUE(livetest::Pick(dlg, kUser, static_cast<int>((&row - rows + 1) % 2)));
    }
    device_seam::clearOverrides();
  });
}

TEST_F(Login, ThreeRefusalsInARowCloseItAndAUserChangeStartsTheCountAgain) {
  setLoginState(3, 5, 7);
  WithLogin([&](WindowHandle dlg) {
    TryPassword(dlg, "wrong");
    TryPassword(dlg, "wrong");
    EXPECT_TRUE(livetest::Pick(dlg, kUser, 1));
    TryPassword(dlg, "wrong");
    TryPassword(dlg, "wrong");
    EXPECT_EQ(getLoginWnd(3), dlg);
    TryPassword(dlg, "wrong");
    EXPECT_EQ(getLoginWnd(3), GUI_INVALID_HANDLE);
  });
  EXPECT_EQ(Boxes().size(), 5u);
  int user = 0, id = 0;
  getLoginState(3, &user, &id);
  EXPECT_EQ(user, 5);  // a refused login changes no state
  EXPECT_EQ(isLoginFlag(3), 0);
}

TEST_F(Login, TheRightPasswordLogsTheChosenUserIn) {
  setLoginState(3, -2, -2);
  setOutputRelogin(3, 1);
  WithLogin([&](WindowHandle dlg) {
    EXPECT_TRUE(livetest::Pick(dlg, kUser, 1));
    TryPassword(dlg, "73916");
    EXPECT_EQ(getLoginWnd(3), GUI_INVALID_HANDLE);
  });
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(getLoginUserIndex(3), 1);
  EXPECT_EQ(getLoginId(3), 0);
  EXPECT_EQ(isLoginFlag(3), 1);
  EXPECT_EQ(getOutputRelogin(3), 0);
}

TEST_F(Login, TheHiddenCornerEndsAtSixteenPixelsAndOpensTheSecurityCodeDialog) {
  WindowHandle helper = Main({0, 0, 4, 4}, systest::LookProc);
  bool nestedRan = false;
  std::string serial;
  setLoginFlag(3, 1);
  WithLogin([&](WindowHandle dlg) {
    Rect client{};
    GetClientRect(dlg, &client);
    SetLowLevelEventClock(QuickHand);
    const auto doubleClick = [&](int x, int y) {
      Point at{x, y};
      ClientToScreen(dlg, &at.x, &at.y);
      quickclick::ClickTwiceInPlace(at, [] { return true; });
      systest::Settle();
    };
    // Right of the square, and on the bottom edge: nothing.
    doubleClick(16, client.bottom - 1);
    doubleClick(0, client.bottom);
    EXPECT_EQ(getLoginWnd(3), dlg);
    // Inside: the security-code dialog, whose code the device refuses, then
    // succeeds through the seam. The steps wait for it: the double click
    // comes through the event thread.
    int looks = 0;
    systest::LookSteps() = [&] {
      if (nestedRan) return;
      const WindowHandle code = GetActiveWindow();
      if (code == dlg || !IsValidHandle(GetDlgItem(code, kCode))) {
        if (++looks > 100000) return;  // it never opened: the checks below say so
        PostMessage(helper, systest::kLookAgain, 0, 0);
        return;
      }
      nestedRan = true;
      serial = Text(code, kSerial);
      SetDlgItemText(code, kCode, "not-a-code");
      livetest::Click(code, kOk);
      EXPECT_EQ(Text(code, kCode), "");
      device_seam::overrideAnswer(resetDefaultPassword, 0);
      systest::ClickClosing(code, kOk);
      device_seam::clearOverrides();
    };
    PostMessage(helper, systest::kLookAgain, 0, 0);
    doubleClick(15, client.bottom - 16);
    EXPECT_TRUE(livetest::PumpUntil([] { return getLoginWnd(3) == GUI_INVALID_HANDLE; }));
    SetLowLevelEventClock(nullptr);
    systest::LookSteps() = nullptr;  // a look still queued finds nothing to run
  });
  EXPECT_TRUE(nestedRan);
  const DeviceInfo* info = getCachedDeviceInfo();
  EXPECT_EQ(serial, std::string(info->serial, strnlen(info->serial, sizeof info->serial)));
  EXPECT_EQ(Boxes(), (std::vector<std::string>{Caption("defaultpasswd", "err_hint") + "/16",
                                               Caption("defaultpasswd", "ok_hint") + "/64"}));
  EXPECT_EQ(isLoginFlag(3), 0);
}

TEST_F(Login, OnScreen) {
  WithLogin([&](WindowHandle dlg) {
    Rect r{};
    GetWindowRect(dlg, &r);
    desktest::Drain();
    livetest::MatchesReference(__FILE__, "login_main", livetest::SettledGrab(r));
  });
}

}  // namespace
