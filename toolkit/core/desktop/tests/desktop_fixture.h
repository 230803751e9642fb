// A desktop thread of its own for each test, windows made through the real
// creation calls, and a recording window procedure that answers the
// geometry messages as the smallest default procedure does.
#pragma once

#include <gtest/gtest.h>
#include <sched.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <cstring>
#include <mutex>
#include <vector>

#include "core/desktop/desktop.h"
#include "core/desktop/desktop_state.h"
#include "core/desktop/zorder.h"
#include "core/dialog/tests/message_box_wait.h"
#include "core/input/event_thread.h"
#include "core/message/msg_queue.h"
#include "core/message/tests/message_log.h"
#include "core/startup/thread_start.h"
#include "core/window/minimal_default_proc.h"
#include "core/window/tests/main_window_creation.h"
#include "gui/app_hooks.h"
#include "gui/control_class.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/gui_etc.h"
#include "gui/region.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace desktest {

using Seen = SeenMessage;

// Every recording procedure writes here.
class Recorder : public MessageLog<Recorder, Seen> {
 public:
  // What one window received, message numbers only.
  MessageSequence TakeFor(WindowHandle hwnd) {
    MessageSequence out;
    for (const Seen& s : TakeSeenFor(hwnd)) out.push_back(s.message);
    return out;
  }
  std::vector<Seen> TakeSeenFor(WindowHandle hwnd) {
    std::vector<Seen> out;
    for (const Seen& s : Take())
      if (s.hwnd == hwnd) out.push_back(s);
    return out;
  }
  // Answer of MSG_CREATE/MSG_DESTROY for the next windows (0 accepts).
  std::atomic<int> refuseCreate{0};
  std::atomic<int> refuseDestroy{0};
};

inline LResult RecordingProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  Recorder& r = Recorder::Instance();
  r.Add({hwnd, msg, wParam, lParam});
  if (msg == MSG_CREATE && r.refuseCreate) return 1;
  if (msg == MSG_DESTROY && r.refuseDestroy) return 1;
  return MinimalWindowProc(hwnd, msg, wParam, lParam);
}

inline LParam PointParam(int x, int y) { return static_cast<LParam>((static_cast<uint32_t>(y) << 16) | (x & 0xFFFF)); }

inline WindowHandle Request(int msg, WParam wParam = 0, LParam lParam = 0) {
  return static_cast<WindowHandle>(SendMessage(__gui_hwnd_desktop, msg, wParam, lParam));
}

// Reads and dispatches everything waiting for the calling thread.
inline void Drain() {
  Message msg;
  ThreadMsgInfo* info = CurrentThreadMsgInfo();
  if (!info || !info->mainWindow) return;
  WindowHandle any = HandleOf(info->mainWindow);
  for (int guard = 0; guard < 1000 && PeekMessage(&msg, any, 0, 0, TRUE); ++guard) DispatchMessage(&msg);
}

// Answers what other threads sent to the calling thread, as a thread waiting
// in a send does.
inline void AnswerSentMessages() {
  ThreadMsgInfo* info = CurrentThreadMsgInfo();
  MsgQueue* q = info ? info->queue : nullptr;
  if (!q) return;
  for (;;) {
    Message incoming{};
    {
      std::lock_guard<std::mutex> hold(q->lock);
      if (!TakeSentHead(q, &incoming)) return;
    }
    DispatchMessage(&incoming);
  }
}

// Waits until the desktop has read everything posted to it so far. What it
// read may send to this thread (a menu tells its owner it opens), and what
// another thread posted behind it (the event thread's tick) is read only
// once that is answered: the sends are answered meanwhile.
inline void AwaitDesktopRead() {
  Message peeked;
  while (PeekPostMessage(&peeked, __gui_hwnd_desktop, 0, 0, FALSE)) {
    AnswerSentMessages();
    sched_yield();
  }
}

// Waits until everything posted to the desktop so far has been routed: once
// the posted ring is empty the desktop has read it, and a request sent then
// is answered after the last one was handled. The host's input needs it
// too: the event thread moves the cursor as it reads a move, before the
// desktop routes the keys and clicks read ahead of it, so a cursor seen
// where a marker move put it proves only that the input was read.
inline void AwaitRouted() {
  AwaitDesktopRead();
  Request(MSG_DT_GETACTIVEMAIN);
}

// Waits until every change the host took in has been read and posted by the
// event thread, routed by the desktop and handled by this thread. Not a
// state the input leaves (a list shown, the button up): the press of a
// click shows it before its release is read, and a button shows released
// before the press is read too.
inline void AwaitInputHandled() {
  for (int i = 0; i < 15000 && !HostInputPosted(); ++i) {
    Drain();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  AwaitRouted();
  Drain();
}

// Posts input to the desktop and waits until it has been routed.
inline void Input(int msg, WParam wParam, LParam lParam) {
  PostMessage(__gui_hwnd_desktop, msg, wParam, lParam);
  AwaitRouted();
}

// Waits until cond holds; false when it still does not after a while (the
// thread it waits for is stuck).
template <typename Cond>
bool Eventually(Cond cond) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!cond()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    sched_yield();
  }
  return true;
}

// Keeps the desktop thread inside its key hook until let go: what another
// thread, or this one, finishes meanwhile it finished without the desktop.
// A thread stuck on the desktop is freed after a while by a watchdog, and
// the test learns that from LetGoByWatchdog.
class DesktopHeld {
 public:
  DesktopHeld() {
    entered_ = false;
    holding_ = true;
    SendMessage(__gui_hwnd_desktop, MSG_DT_SETKEYHOOK, 0, reinterpret_cast<LParam>(&Hook));
    PostMessage(__gui_hwnd_desktop, MSG_KEYDOWN, kScanA, 0);
    while (!entered_) sched_yield();
    watchdog_ = std::thread([this] { byWatchdog_ = !Eventually([] { return !holding_.load(); }); LetGo(); });
  }
  ~DesktopHeld() {
    LetGo();
    if (watchdog_.joinable()) watchdog_.join();
    SendMessage(__gui_hwnd_desktop, MSG_DT_SETKEYHOOK, 0, 0);
  }
  DesktopHeld(const DesktopHeld&) = delete;
  DesktopHeld& operator=(const DesktopHeld&) = delete;
  void LetGo() { holding_ = false; }
  bool LetGoByWatchdog() {
    LetGo();
    if (watchdog_.joinable()) watchdog_.join();
    return byWatchdog_;
  }

 private:
  static constexpr WParam kScanA = 30;
  static int Hook(WindowHandle, WindowHandle, int, WParam, LParam) {
    entered_ = true;
    while (holding_) sched_yield();
    return 1;
  }
  static inline std::atomic<bool> entered_{false}, holding_{false};
  std::thread watchdog_;
  bool byWatchdog_ = false;
};

constexpr const char* kTestClass = "recorded";

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetAppCallbacks(nullptr);
    InitQueueRegistry();
    InitEtcFilePath();  // the desktop reads the window metrics
    ASSERT_EQ(InitDesktop(), 1);
    SetAuxDisplayPresent(true);  // a started toolkit before may have noted none
    ASSERT_TRUE(start_.Launch(&thread_, DesktopMain, kDesktopThread));
    WndClassInfo info{};
    info.className = kTestClass;
    info.windowProc = RecordingProc;
    SendMessage(__gui_hwnd_desktop, MSG_DT_ADDCTRLCLASS, 0, reinterpret_cast<LParam>(&info));
    Recorder::Instance().Take();
    Recorder::Instance().refuseCreate = 0;
    Recorder::Instance().refuseDestroy = 0;
  }

  void TearDown() override {
    Recorder::Instance().refuseDestroy = 0;
    DestroyKept();
    Drain();
    SendMessage(__gui_hwnd_desktop, MSG_DT_DELCTRLCLASS, 0, reinterpret_cast<LParam>(kTestClass));
    if (SendMessage(__gui_hwnd_desktop, MSG_DT_END, 0, 0) != 1) PostQuitMessage(__gui_hwnd_desktop);
    pthread_join(thread_, nullptr);
    TerminateDesktop();
    SetDesktopClockForTest(nullptr);
    SetAppCallbacks(nullptr);
  }

  // A main window on the calling thread; kept for clean-up.
  WindowHandle Main(Rect r, uint32_t style = WS_VISIBLE, uint32_t exStyle = 0, WindowHandle hosting = 0) {
    MainWinCreate create = MainWindowCreation(r, RecordingProc, "main", style, exStyle);
    create.hHosting = hosting;
    return Kept(CreateMainWindow(&create));
  }

  WindowHandle Control(WindowHandle parent, Rect r, int id, uint32_t style = WS_VISIBLE, uint32_t exStyle = 0) {
    return ControlOfClass(kTestClass, parent, r, id, style, exStyle);
  }

  static WindowHandle ControlOfClass(const char* className, WindowHandle parent, Rect r, int id, uint32_t style,
                                     uint32_t exStyle) {
    return CreateWindowEx(className, "ctl", style, exStyle, id, r.left, r.top, r.right - r.left, r.bottom - r.top,
                          parent, 0);
  }

  // Keeps a created main window for clean-up.
  WindowHandle Kept(WindowHandle hwnd) {
    if (hwnd != GUI_INVALID_HANDLE) windows_.push_back(hwnd);
    return hwnd;
  }

  // Destroys and cleans up every kept main window, the newest first.
  void DestroyKept() {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
      if (IsMainWindow(*it)) DestroyMainWindow(*it);
      MainWindowThreadCleanup(*it);
    }
    windows_.clear();
  }

  // Forgets everything received so far, the queued part included.
  void Settle() {
    Drain();
    Recorder::Instance().Take();
  }

  // Destroys and cleans up a main window made by Main.
  bool Destroy(WindowHandle hwnd) {
    if (!DestroyMainWindow(hwnd)) return false;
    MainWindowThreadCleanup(hwnd);
    windows_.erase(std::remove(windows_.begin(), windows_.end(), hwnd), windows_.end());
    return true;
  }

  ThreadStart start_;
  pthread_t thread_{};
  std::vector<WindowHandle> windows_;
};

// back (0,0)-(200,200) below front (50,50)-(150,150), both visible, front
// active, every message so far consumed.
class TwoWindows : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    back_ = Main({0, 0, 200, 200});
    front_ = Main({50, 50, 150, 150});
    Settle();
  }
  WindowHandle back_ = 0, front_ = 0;
};

// A main window running on a thread of its own until it is closed, made
// from `create` (whose procedure must close it with DestroyAndQuitOnClose).
struct OwnThreadWindow {
  explicit OwnThreadWindow(const MainWinCreate& creation) : create(creation) {}
  MainWinCreate create;
  std::atomic<WindowHandle> hwnd{0};
  Semaphore created;

  static LResult CloseOrRecord(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
    if (DestroyAndQuitOnClose(hwnd, msg)) return 0;
    return RecordingProc(hwnd, msg, wParam, lParam);
  }

  static void* Run(void* arg) {
    auto* self = static_cast<OwnThreadWindow*>(arg);
    WindowHandle made = CreateMainWindow(&self->create);
    self->hwnd = made;
    self->created.Post();
    RunMainWindow(made);
    return nullptr;
  }
};

inline WindowRecord* Rec(WindowHandle hwnd) { return WindowOf(hwnd); }

inline std::vector<WindowHandle> ListOrder(const ZOrderList& list) {
  std::vector<WindowHandle> out;
  for (const ZOrderNode* node = list.head; node; node = node->next) out.push_back(node->hwnd);
  return out;
}

inline bool ClipHolds(WindowHandle hwnd, int x, int y) {
  GlobalClipInfo* info = Rec(hwnd)->clipInfo;
  std::lock_guard<std::mutex> hold(info->lock);
  return PtInRegion(&info->region, x, y);
}

inline bool DesktopClipHolds(int x, int y) {
  GlobalClipInfo* info = DesktopRecord()->clipInfo;
  std::lock_guard<std::mutex> hold(info->lock);
  return PtInRegion(&info->region, x, y);
}

}  // namespace desktest
