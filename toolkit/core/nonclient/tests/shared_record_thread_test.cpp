// Parts of a window record that two threads touch at once: a host's chain of
// hosted windows, which the desktop links while the host's thread walks it,
// and a control's rectangles, which one thread moves while another scrolls it.
#include <gtest/gtest.h>
#include <sched.h>

#include <atomic>
#include <thread>

#include "core/message/tests/watchdog.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/nonclient.h"
#include "gui/window_attr.h"

namespace {

constexpr int kRounds = 200;

using SharedRecords = guitest::StartedGui;

// Another thread opens and closes windows hosted by the test thread's window
// (a page's message box made from a worker) while the host looks them up.
TEST_F(SharedRecords, HostedWindowsComeAndGoWhileTheHostWalksThem) {
  WindowHandle host = Main({0, 0, 300, 300}, 0);
  ASSERT_NE(host, GUI_INVALID_HANDLE);
  std::atomic<bool> done{false};
  std::atomic<int> made{0};
  std::thread worker([&] {
    for (int i = 0; i < kRounds; ++i) {
      MainWinCreate create = MainWindowCreation({10, 10, 60, 60}, DefaultMainWinProc, "hosted", 0);
      create.hHosting = host;
      WindowHandle hosted = CreateMainWindow(&create);
      if (hosted == GUI_INVALID_HANDLE) continue;
      ++made;
      DestroyMainWindow(hosted);
      MainWindowThreadCleanup(hosted);
    }
    done = true;
  });
  int strangers = 0;
  {
    Watchdog dog(120, "hosted windows made and destroyed beside their host's walk");
    while (!done) {
      for (WindowHandle w = GetFirstHosted(host); w && w != GUI_INVALID_HANDLE; w = GetNextHosted(host, w))
        if (GetHosting(w) != host && IsMainWindow(w)) ++strangers;
      desktest::AnswerSentMessages();
      sched_yield();
    }
    worker.join();
  }
  desktest::Drain();
  EXPECT_EQ(made.load(), kRounds);
  EXPECT_EQ(strangers, 0);
  EXPECT_EQ(GetFirstHosted(host), 0u);
}

// One thread lays a control out anew while the window's thread scrolls it:
// the scroll reads the control's size as the move stores it.
TEST_F(SharedRecords, AControlMovedOnOneThreadWhileAnotherScrollsIt) {
  WindowHandle main = Main({0, 0, 300, 300}, 0);
  ASSERT_NE(main, GUI_INVALID_HANDLE);
  WindowHandle control = CreateWindowEx("static", "", WS_VISIBLE, 0, 1, 10, 10, 100, 100, main, 0);
  ASSERT_NE(control, GUI_INVALID_HANDLE);
  std::atomic<bool> done{false};
  std::thread mover([&] {
    for (int i = 0; i < kRounds; ++i) MoveWindow(control, 10 + i % 7, 10, 100 + i % 5, 100, FALSE);
    done = true;
  });
  {
    Watchdog dog(120, "a control scrolled while another thread moves it");
    while (!done) {
      ScrollWindow(control, 0, 1, nullptr, nullptr);
      desktest::Drain();
    }
    mover.join();
  }
  Rect placed{};
  GetWindowRect(control, &placed);
  EXPECT_EQ(placed.right - placed.left, 100 + (kRounds - 1) % 5);
}

}  // namespace
