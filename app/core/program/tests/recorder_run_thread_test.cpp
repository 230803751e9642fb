// The recorder as a user runs it, in-process and headless: runRecorder on
// the test's thread, and a script on a second thread that drives it through
// the host window's input and reads back what the host window shows. Each
// run starts into the live view and ends by closing the host window (or by
// a quit request, as SIGTERM makes one), with exit code 0 and no thread
// left behind.
#include <chrono>
#include <functional>
#include <thread>

#include "app/app_registry.h"
#include "app/core/program/tests/program_test_support.h"
#include "gui/desktop.h"
#include "gui/host.h"
#include "gui/startup.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

using programtest::CountOnceSettled;
using programtest::ThreadCount;

// What a script does to the running program; every call comes from the
// script's thread.
class Driver {
 public:
  // The live-view window of the main output once the program shows it;
  // 0 when it does not within 10 s.
  WindowHandle WaitForLiveView() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int w = 0, h = 0;
    // The host window stands once the toolkit's locks exist.
    while (!HostGetWindowSize(0, &w, &h))
      if (!Wait(deadline)) return 0;
    WindowHandle live = 0;
    while ((live = FirstPreviewWindow(getMainOutput())) == 0 || IsWindowVisible(live) != TRUE)
      if (!Wait(deadline)) return 0;
    HostFlush();
    return live;
  }
  // A click of `button` (HOST_BUTTON_LEFT or _RIGHT) at a point of the main
  // output's screen.
  void Click(int x, int y, int button) {
    HostInjectMouseMove(x, y);
    HostInjectMouseButton(button, 1);
    HostInjectMouseButton(button, 0);
    Settle();
  }
  int64_t Pixel(int x, int y) {
    HostFlush();
    return HostReadWindowPixel(0, x, y);
  }
  void CloseHostWindow() { HostInjectClose(); }

 private:
  static bool Wait(std::chrono::steady_clock::time_point deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return std::chrono::steady_clock::now() < deadline;
  }
  static void Settle() {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    HostFlush();
  }
};

// Runs the program on this thread and `script` beside it; the exit code.
int RunWithScript(const std::function<void(Driver&)>& script) {
  std::thread driver([&script] {
    Driver d;
    script(d);
    // A script stopped by a failed assertion still ends the program.
    if (::testing::Test::HasFatalFailure()) RequestQuit();
  });
  const programtest::Run run = programtest::RunRecorder();
  driver.join();
  return run.code;
}

TEST(RecorderRun, StartsIntoTheLiveViewAndEndsWhenTheHostWindowCloses) {
  const int before = ThreadCount();
  const int code = RunWithScript([](Driver& d) {
    const WindowHandle live = d.WaitForLiveView();
    ASSERT_NE(live, 0u);
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
  EXPECT_EQ(CountOnceSettled(before), before);
}

TEST(RecorderRun, AQuitRequestEndsItTheSameWay) {
  const int before = ThreadCount();
  const int code = RunWithScript([](Driver& d) {
    ASSERT_NE(d.WaitForLiveView(), 0u);
    d.Click(100, 100, HOST_BUTTON_LEFT);
    RequestQuit();
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(CountOnceSettled(before), before);
}

}  // namespace
