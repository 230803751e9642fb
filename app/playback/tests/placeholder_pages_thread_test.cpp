// The stand-in pages as a user meets them. The search pages open beside
// their owner with their caption, kept in the export menu's page slot and
// leaving the output's state to the menu; they leave with Escape. The
// playback windows open modally, hold the output's state while open and
// leave when playback is stopped or with Escape; the playback window shows
// the main menu again when it ends.
#include <functional>
#include <string>

#include "app/app_registry.h"
#include "app/device_test_seam.h"
#include "app/playback.h"
#include "app/playback_pages.h"
#include "app/program_pages.h"
#include "app/testing/page_harness.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/app_hooks.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/window_attr.h"
#include "app/page_keys.h"

namespace {

constexpr int kAct = 0x9002;
constexpr int kMain = 3;

struct Seen {
  std::string caption;
  int state = -1;
  bool canSwitch = false;
  WindowHandle page = GUI_INVALID_HANDLE;
};

Seen g_seen;
std::function<WindowHandle()> g_registered;
std::function<void(WindowHandle)> g_leave;

LResult HelperProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == kAct) {
    desktest::Drain();
    WindowHandle page = GetActiveWindow();
    g_seen.page = page;
    const char* caption = GetWindowCaption(page);
    g_seen.caption = caption ? caption : "";
    g_seen.state = getOutputState(kMain);
    g_seen.canSwitch = canSwitchPlaybackChannel(kMain) != 0;
    if (g_registered) {
      EXPECT_EQ(g_registered(), page) << "registered while open";
    }
    g_leave(page);
    return 0;
  }
  return DefaultWindowProc(hwnd, msg, wParam, lParam);
}

class PlaceholderPages : public guitest::StartedGui {
 protected:
  void SetUp() override {
    registerAppPages();
    device_seam::resetAll();
    setMainOutput(kMain);
    setCurOutput(kMain);
    setOutputState(kMain, OUTSTATE_LIVEVIEW);
    MainWinCreate create = MainWindowCreation({0, 0, 10, 10}, HelperProc, "helper", 0);
    helper_ = CreateMainWindow(&create);
    windows_.push_back(helper_);
    g_seen = Seen{};
  }
  // Runs `open` with the helper's look taken inside the page's own loop.
  void Open(const std::function<int()>& open) {
    PostMessage(helper_, kAct, 0, 0);
    open();
  }
  WindowHandle helper_ = GUI_INVALID_HANDLE;
};

TEST_F(PlaceholderPages, SearchPagesOpenBesideTheirOwnerInItsPageSlotAndLeaveWithEscape) {
  struct Row {
    const char* caption;
    int (*open)(WindowHandle);
  } rows[] = {
      {"Event Search", createSearchEventWindow},
      {"Record Search", createSearchGenWindow},
      {"Picture Search", createSearchPicWindow},
  };
  setOutputState(kMain, OUTSTATE_MENU);  // as the export menu holds it
  for (const Row& row : rows) {
    SCOPED_TRACE(row.caption);
    // Modeless: the opener gets its answer at once, the page stays.
    ASSERT_EQ(row.open(helper_), 0);
    desktest::Drain();
    const WindowHandle page = getSearchPicWnd();
    ASSERT_TRUE(IsValidHandle(page) && IsWindow(page)) << "registered while open";
    const char* caption = GetWindowCaption(page);
    EXPECT_EQ(std::string(caption ? caption : ""), row.caption);
    EXPECT_TRUE(IsWindowVisible(page));
    EXPECT_EQ(getOutputState(kMain), OUTSTATE_MENU);
    EXPECT_EQ(GetActiveWindow(), page) << "a key reaches it";
    livetest::PressKey(KEY_ESC);
    EXPECT_TRUE(livetest::PumpUntil([] { return getSearchPicWnd() == GUI_INVALID_HANDLE; })) << "unregistered after";
    EXPECT_FALSE(IsWindow(page));
    EXPECT_EQ(getOutputState(kMain), OUTSTATE_MENU) << "the menu still holds the output";
  }
  setOutputState(kMain, OUTSTATE_LIVEVIEW);
}

TEST_F(PlaceholderPages, PlaybackHoldsItsStateAndStopOrEscapeReturnsToTheMainMenu) {
  // A hidden main menu that playback shows again when it ends.
  MainWinCreate create = MainWindowCreation({0, 0, 20, 20}, guitest::LoggingProc, "menu", 0);
  WindowHandle menu = CreateMainWindow(&create);
  windows_.push_back(menu);
  setMainMenuWnd(menu);
  g_registered = [] { return getPlaybackWnd(kMain); };
  struct Leave {
    const char* how;
    void (*leave)(WindowHandle);
  } leaves[] = {
      {"stopped", [](WindowHandle) { stopPlayback(kMain); }},
      {"Escape", [](WindowHandle) { livetest::PressKey(KEY_ESC); }},
  };
  for (const Leave& way : leaves) {
    SCOPED_TRACE(way.how);
    ShowWindow(menu, SW_HIDE);
    setPlaybackType(kMain, 1);
    g_leave = way.leave;
    Open([] { return runPlaybackDialog(0); });
    EXPECT_EQ(g_seen.caption, "Playback");
    EXPECT_EQ(g_seen.state, OUTSTATE_PLAYBACK);
    EXPECT_TRUE(g_seen.canSwitch);
    EXPECT_EQ(getOutputState(kMain), OUTSTATE_LIVEVIEW);
    EXPECT_EQ(getPlaybackWnd(kMain), GUI_INVALID_HANDLE);
    EXPECT_EQ(canSwitchPlaybackChannel(kMain), 0);
    EXPECT_EQ(getPlaybackType(kMain), 0);
    EXPECT_TRUE(IsWindowVisible(menu));
  }
  EXPECT_EQ(getPlayState(kMain), 6) << "stopped by the last stop";

  // The instant playback leaves the same way and registers on its own slot.
  g_leave = [](WindowHandle) { stopPlayback(kMain); };
  g_registered = [] { return getInstantPlayWnd(kMain); };
  setPlaybackType(kMain, 1);
  Open([] { return runInstantPlaybackDialog(0); });
  EXPECT_EQ(g_seen.caption, "Instant Playback");
  EXPECT_EQ(g_seen.state, OUTSTATE_PLAYBACK);
  EXPECT_EQ(getInstantPlayWnd(kMain), GUI_INVALID_HANDLE);
  EXPECT_EQ(getPlaybackType(kMain), 0);
  setMainMenuWnd(GUI_INVALID_HANDLE);
  g_registered = nullptr;
}

}  // namespace
