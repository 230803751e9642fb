// The whole road of one click and one key: the toolkit brought up by InitGUI,
// input fed to the host window as its window procedure would get it, and a
// main window on its own thread that must receive it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "core/window/tests/main_window_creation.h"
#include "gui/host.h"
#include "gui/message.h"
#include "gui/startup.h"
#include "gui/window.h"

extern "C" WindowProc __gui_def_proc[3];

namespace {

constexpr int kRoutedLeftDown = 224 + 1;
constexpr int kRoutedLeftUp = 224 + 2;
constexpr int kLinuxKeyA = 30;

struct Received {
  int message;
  WParam wParam;
  LParam lParam;
};

class Inbox {
 public:
  void Add(const Received& r) {
    std::lock_guard<std::mutex> hold(lock_);
    seen_.push_back(r);
    changed_.notify_all();
  }
  // Waits (bounded, so a broken road fails instead of hanging) until a
  // message with this number has arrived; answers it.
  bool WaitFor(int message, Received* out) {
    std::unique_lock<std::mutex> hold(lock_);
    return changed_.wait_for(hold, std::chrono::seconds(10), [&] {
      for (const Received& r : seen_)
        if (r.message == message) {
          *out = r;
          return true;
        }
      return false;
    });
  }

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  std::vector<Received> seen_;
};

Inbox* g_inbox;

LResult ProbeProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  g_inbox->Add({msg, wParam, lParam});
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

}  // namespace
