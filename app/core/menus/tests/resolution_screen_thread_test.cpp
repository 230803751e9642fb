// The resolution confirmation as the user meets it: the countdown on screen
// against a reference picture, and the dialog left by a click on either
// button, by Escape and by the end of the countdown, driven by timer
// expiries the test hands it.
#include <gtest/gtest.h>

#include <linux/input-event-codes.h>

#include <functional>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/device_test_seam.h"
#include "app/login_rights.h"
#include "app/core/liveview/tests/host_input.h"
#include "app/menus.h"
#include "app/page_ids.h"
#include "app/system_services.h"
#include "app/testing/page_harness.h"
#include "core/nonclient/tests/screen_picture.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/app_hooks.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/timer.h"
#include "gui/window_attr.h"

namespace {

constexpr int kAct = 0x9001, kTimerId = 8195, kOk = PAGE_ID_OK, kCancel = IDCANCEL;
constexpr uint8_t kNewVga = 9, kPrevVga = 1;

std::function<void(WindowHandle)> g_step;

LResult HelperProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == kAct) {
    desktest::Drain();  // the dialog paints itself first
    const WindowHandle dialog = GetActiveWindow();
    // The test hands out the expiries itself, so none arrives on its own.
    KillTimer(dialog, kTimerId);
    g_step(dialog);
    return 0;
  }
  return DefaultWindowProc(hwnd, msg, wParam, lParam);
}

class ResolutionOnScreen : public guitest::StartedGui {
 protected:
  void SetUp() override {
    device_seam::resetAll();
    initDeviceAbility();
    setMainOutput(3);
    setCurOutput(3);
    DeviceConfig config{};
    getDeviceConfig(getOutputLogin(3), &config);  // whole: the device checks every field
    config.resolutions[2].code = kNewVga;
    EXPECT_EQ(setDeviceConfig(getOutputLogin(3), &config, 1), 0);
    storeCachedDeviceConfig(&config);
    setPrevResolutionOut3(kPrevVga);
    MainWinCreate create = MainWindowCreation({0, 0, 10, 10}, HelperProc, "helper", 0);
    helper_ = CreateMainWindow(&create);
    windows_.push_back(helper_);
  }
  void TearDown() override {
    StartedGui::TearDown();
    device_seam::resetAll();
  }

  // Runs the dialog with `step` done on it once it is on screen.
  void Run(std::function<void(WindowHandle)> step) {
    g_step = std::move(step);
    PostMessage(helper_, kAct, 0, 0);
    EXPECT_EQ(showResolutionConfirm(0), 0);
  }

  static uint8_t StoredVga() {
    DeviceConfig stored{};
    getDeviceConfig(getOutputLogin(3), &stored);
    return stored.resolutions[2].code;
  }

  WindowHandle helper_ = GUI_INVALID_HANDLE;
};

TEST_F(ResolutionOnScreen, CountdownPictureMatchesTheReference) {
  guitest::Picture shot;
  int stateWhileOpen = -1, switchWhileOpen = -1;
  Run([&](WindowHandle dialog) {
    stateWhileOpen = getOutputState(3);
    switchWhileOpen = isDispSwitchEnabled();
    for (int i = 0; i < 3; ++i) SendMessage(dialog, MSG_TIMER, kTimerId, 0);
    desktest::Drain();
    Rect r{};
    GetWindowRect(dialog, &r);
    shot = guitest::Grab(r);
    inputtest::ClickClosing(dialog, kCancel);
  });
  EXPECT_EQ(stateWhileOpen, 1);
  EXPECT_EQ(switchWhileOpen, 0);
  EXPECT_EQ(getOutputState(3), OUTSTATE_LIVEVIEW);
  EXPECT_EQ(isDispSwitchEnabled(), 1);
  EXPECT_EQ(StoredVga(), kPrevVga);
  guitest::MatchReference(shot, guitest::ReferencePath(__FILE__, "resolution_countdown.png"));
}

TEST_F(ResolutionOnScreen, EachWayOutKeepsOrRestoresAsItSays) {
  const auto expire = [](WindowHandle dialog, int times) {
    for (int i = 0; i < times; ++i) SendMessage(dialog, MSG_TIMER, kTimerId, 0);
  };
  const struct {
    const char* way;
    std::function<void(WindowHandle)> leave;
    bool kept;
  } ways[] = {
      {"OK", [](WindowHandle dialog) { inputtest::ClickClosing(dialog, kOk); }, true},
      {"Cancel", [](WindowHandle dialog) { inputtest::ClickClosing(dialog, kCancel); }, false},
      {"Escape", [](WindowHandle) { livetest::PressKey(KEY_ESC); }, false},
      {"the sixteenth expiry", [&](WindowHandle dialog) { expire(dialog, 1); }, false},
  };
  for (const auto& w : ways) {
    DeviceConfig config{};
    getDeviceConfig(getOutputLogin(3), &config);
    config.resolutions[2].code = kNewVga;
    EXPECT_EQ(setDeviceConfig(getOutputLogin(3), &config, 1), 0);
    storeCachedDeviceConfig(&config);
    setPrevResolutionOut3(kPrevVga);
    bool openAfterFifteen = false;
    Run([&](WindowHandle dialog) {
      expire(dialog, 15);
      openAfterFifteen = IsWindow(dialog) && StoredVga() == kNewVga;
      w.leave(dialog);
    });
    EXPECT_TRUE(openAfterFifteen) << w.way;
    EXPECT_EQ(StoredVga(), w.kept ? kNewVga : kPrevVga) << w.way;
    EXPECT_EQ(getPrevResolutionOut3(), w.kept ? kNewVga : kPrevVga) << w.way;
    EXPECT_EQ(getOutputState(3), OUTSTATE_LIVEVIEW) << w.way;
  }
}

}  // namespace
