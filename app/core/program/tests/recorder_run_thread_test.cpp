// The recorder as a user runs it, in-process and headless: runRecorder on
// the test's thread, and a script on a second thread that drives it through
// the host window's input and reads back what the host window shows. Each
// run starts into the live view and ends by closing the host window (or by
// a quit request, as SIGTERM makes one), with exit code 0 and no thread
// left behind.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/device_test_seam.h"
#include "app/core/program/program_seam.h"
#include "app/core/program/tests/program_test_support.h"
#include "app/core/program/tests/recorder_driver.h"
#include "core/driver/host_thread.h"
#include "core/input/tests/key_tap.h"
#include "core/nonclient/tests/screen_picture.h"
#include "gui/app_hooks.h"
#include "gui/dialog.h"
#include "gui/desktop.h"
#include "gui/host.h"
#include "gui/startup.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

using programtest::StartedSince;
using programtest::Driver;
using programtest::g_programEnded;
using programtest::Open;
using programtest::RunWithScript;
using programtest::RunningThreads;

// A hang guard for the first screen's gate, not a clock.
constexpr int kPatientGateMs = 120000;

TEST(RecorderRun, StartsIntoTheLiveViewAndEndsWhenTheHostWindowCloses) {
  const threadcount::ThreadIds before = RunningThreads();
  const int code = RunWithScript([](Driver& d) {
    const WindowHandle live = d.WaitForLiveView();
    ASSERT_NE(live, 0u);
    ASSERT_TRUE(d.LeaveWizard());
    // The live view covers the main output's screen, which the host
    // window shows whole.
    Rect r{};
    GetWindowRect(live, &r);
    int w = 0, h = 0;
    ASSERT_TRUE(HostGetWindowSize(0, &w, &h));
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, w);
    EXPECT_EQ(r.bottom, h);
    EXPECT_NE(d.Pixel(w / 2, h / 2), -1);
    d.CloseHostWindow();
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(StartedSince(before, 0), 0);
}

// The host window appears once, with the whole first screen: the live view
// with the start-up wizard's page over it, never the live view alone (nor
// an empty window) a moment before.
TEST(RecorderRun, TheWindowAppearsWithTheWholeFirstScreen) {
  // A loaded machine may take longer than the gate's limit to paint the
  // first screen; the gate still opens as soon as it is painted.
  host::SetMaxStartGateMs(kPatientGateMs);
  const int code = RunWithScript([](Driver& d) {
    ASSERT_NE(d.WaitForLiveView(), 0u);
    ASSERT_NE(d.WaitForWizard(), 0u);
    Driver::Screen();  // drawn to the end
    const std::vector<uint32_t> first = host::FirstShownSamples(0);
    int w = 0, h = 0;
    ASSERT_TRUE(HostGetWindowSize(0, &w, &h));
    const int step = host::kShownSampleStep;
    const int perRow = (w + step - 1) / step;
    ASSERT_EQ(first.size(), static_cast<size_t>(perRow) * ((h + step - 1) / step));
    // A grid over the whole window, and every sample of its top-left corner,
    // where the pointer starts.
    int differing = 0, compared = 0;
    for (size_t i = 0; i < first.size(); ++i) {
      const int x = static_cast<int>(i % perRow) * step, y = static_cast<int>(i / perRow) * step;
      if ((x % 32 || y % 32) && (x >= 64 || y >= 64)) continue;
      ++compared;
      const int64_t now = d.Pixel(x, y);
      if (now != first[i] && ++differing <= 5)
        ADD_FAILURE() << "(" << x << ", " << y << ") first shown " << std::hex << first[i] << ", now " << now;
    }
    EXPECT_EQ(differing, 0) << "of " << compared << " points of the first picture shown";
    ASSERT_TRUE(d.LeaveWizard());
    d.CloseHostWindow();
  });
  host::SetMaxStartGateMs(0);
  EXPECT_EQ(code, 0);
}

TEST(RecorderRun, AQuitRequestEndsItTheSameWay) {
  const threadcount::ThreadIds before = RunningThreads();
  const int code = RunWithScript([](Driver& d) {
    ASSERT_NE(d.WaitForLiveView(), 0u);
    ASSERT_TRUE(d.LeaveWizard());
    d.Click(100, 100, HOST_BUTTON_LEFT);
    RequestQuit();
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(StartedSince(before, 0), 0);
}

// Reference pictures are read back pixel by pixel: too slow to take under
// ThreadSanitizer, whose run checks the same steps without them.
#if defined(__SANITIZE_THREAD__)
constexpr bool kComparePictures = false;
#else
constexpr bool kComparePictures = true;
#endif

void MatchScreen(const char* name) {
  if (kComparePictures) guitest::MatchReference(Driver::Screen(), guitest::ReferencePath(__FILE__, name));
}

// Live view, its side menu, its pop-up menu, the main menu, the system menu
// and back, as a user clicks through them; each stop as the reference
// picture shows it.
TEST(RecorderRun, ClicksThroughTheSideMenuThePopUpMenuTheMainMenuAndASubMenuAndBack) {
  const threadcount::ThreadIds before = RunningThreads();
  const int code = RunWithScript([](Driver& d) {
    ASSERT_NE(d.WaitForLiveView(), 0u);
    ASSERT_TRUE(d.LeaveWizard());
    // Start-up ends with the disk check, after the session flag is set.
    // Start-up has made its tool windows, asked the wizard (or logged in)
    // and checked the disks, which leaves the live view active.
    ASSERT_TRUE(Driver::WaitFor([] { return !program_seam::startUpThreadRunning(); }));
    ASSERT_EQ(getOutputState(getMainOutput()), OUTSTATE_LIVEVIEW);
    MatchScreen("run_liveview.png");

    d.Click(300, 200, HOST_BUTTON_LEFT);  // a channel: its side menu
    ASSERT_TRUE(Driver::WaitFor([] { return Open(getLeftMenuWnd(getMainOutput())); }));
    MatchScreen("run_sidemenu.png");

    d.Click(300, 200, HOST_BUTTON_RIGHT);  // closes the side menu, opens the pop-up menu
    ASSERT_TRUE(Driver::WaitFor([] { return !Open(getLeftMenuWnd(getMainOutput())); }));
    ASSERT_TRUE(Driver::WaitFor([] { return IsMenuPopup(GetWindowDisplay(FirstPreviewWindow(getMainOutput()))) != 0; }));
    MatchScreen("run_popup.png");

    d.Click(320, 212, HOST_BUTTON_LEFT);  // the first item: the main menu
    ASSERT_TRUE(Driver::WaitFor([] { return Open(getMainMenuWnd()); }));
    MatchScreen("run_mainmenu.png");

    // The sub-menu's first page shows the device clock: a fixed one keeps
    // the picture.
    const DeviceTime clock{2026, 3, 14, 9, 26, 53, 8, 0};
    device_seam::overrideAnswer(getDeviceTime, 1, &clock, sizeof clock);
    d.ClickItem(getMainMenuWnd(), 16390);  // system settings
    // The sub-menu opens the page of its first item once it stands.
    ASSERT_TRUE(Driver::WaitFor([] { return Open(getSystemMenuWnd()) && Open(getSystemPageWnd()); }));
    MatchScreen("run_systemmenu.png");
    device_seam::clearOverrides();

    // Escape on the page closes it with the sub-menu that hosts it.
    inputtest::TapKey(KEY_ESC);
    ASSERT_TRUE(Driver::WaitFor([] { return getSystemPageWnd() == GUI_INVALID_HANDLE; }));
    ASSERT_TRUE(Driver::WaitFor([] { return !Open(getSystemMenuWnd()); }));
    ASSERT_TRUE(Driver::AwaitMainMenuOrLiveView());
    if (Open(getMainMenuWnd())) d.ClickItem(getMainMenuWnd(), 2);  // the main menu's exit
    ASSERT_TRUE(Driver::WaitFor([] { return !Open(getMainMenuWnd()) && getOutputState(getMainOutput()) == OUTSTATE_LIVEVIEW; }));
    MatchScreen("run_back.png");
    d.CloseHostWindow();
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(StartedSince(before, 0), 0);
}

// Closing the host window while the main menu runs its modal loop still
// ends the program.
TEST(RecorderRun, ClosingTheWindowOverAnOpenMenuEndsItToo) {
  const threadcount::ThreadIds before = RunningThreads();
  const int code = RunWithScript([](Driver& d) {
    ASSERT_NE(d.WaitForLiveView(), 0u);
    ASSERT_TRUE(d.LeaveWizard());
    ASSERT_TRUE(Driver::WaitFor([] { return !program_seam::startUpThreadRunning(); }));
    d.Click(300, 200, HOST_BUTTON_RIGHT);
    ASSERT_TRUE(Driver::WaitFor([] { return IsMenuPopup(GetWindowDisplay(FirstPreviewWindow(getMainOutput()))) != 0; }));
    d.Click(320, 212, HOST_BUTTON_LEFT);
    ASSERT_TRUE(Driver::WaitFor([] { return Open(getMainMenuWnd()); }));
    d.CloseHostWindow();
    // The program ends with the close, not a minute later when the idle
    // time-out closes the menu.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!g_programEnded && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_TRUE(g_programEnded.load());
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(StartedSince(before, 0), 0);
}

}  // namespace
