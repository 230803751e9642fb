#include <gtest/gtest.h>
#include <semaphore.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "core/desktop/desktop.h"
#include "core/desktop/zorder.h"
#include "core/message/tests/hand_made_windows.h"
#include "core/input/event_thread.h"
#include "core/startup/gui_locks.h"
#include "core/startup/startup_internal.h"
#include "core/startup/thread_start.h"
#include "core/window/window_threads.h"
#include "gui/app_hooks.h"
#include "gui/desktop.h"
#include "gui/element.h"
#include "gui/font.h"
#include "gui/host.h"
#include "gui/message.h"
#include "gui/startup.h"
#include "gui/window.h"
#include "thread_count.h"

namespace {

using threadcount::RunningThreads;
using threadcount::StartedSince;

TEST(StartUp, FullStartRunsItsThreadsAndShutDownLeavesNone) {
  const threadcount::ThreadIds before = RunningThreads();
  ASSERT_EQ(InitGUI(0, nullptr), 0);
  EXPECT_EQ(StartedSince(before, 5), 5);  // host window, desktop, timer, event, idle
  EXPECT_TRUE(ReinitDesktopEx(FALSE));
  TerminateGUI(0);
  EXPECT_EQ(StartedSince(before, 0), 0);
  EXPECT_FALSE(GuiLocksCreated());

  ASSERT_EQ(InitGUI(0, nullptr), 0);  // a second life after a full shut-down
  ExitGUISafely(5);
  EXPECT_EQ(StartedSince(before, 0), 0);
}

// A menu is open on every output: the event thread's idle time-outs then
// never become broadcasts, so the desktop walks its list only at the end.
int MenuOpen(int) { return 1; }

TEST(StartUp, ShutDownEndsTheDesktopEvenWithWindowsLeft) {
  const threadcount::ThreadIds before = RunningThreads();
  GuiAppCallbacks app{};
  app.getOutputState = MenuOpen;
  SetAppCallbacks(&app);
  ASSERT_EQ(InitGUI(0, nullptr), 0);
  ThreadQueue queue;
  auto win = MakeMainWindow(queue.info());
  ZOrderNode node{H(win), nullptr};
  // Only the desktop thread changes its lists; with nothing else walking
  // them, this hand-made node is read only when shut-down asks it to end.
  MainDisplayList().head = &node;
  TerminateGUI(-1);
  MainDisplayList().head = nullptr;
  SetAppCallbacks(nullptr);
  EXPECT_EQ(StartedSince(before, 0), 0);
}

struct FailureCase {
  StartupStage stage;
  int code;
  bool inputStopped;
  bool graphicsStopped;
};

class FailingStage : public ::testing::TestWithParam<FailureCase> {
 protected:
  void TearDown() override {
    FailStartupStageForTest(StartupStage::kNone);
    TerminateGUI(-1);
  }
};

TEST_P(FailingStage, AnswersItsCodeUndoesItsShareAndLeavesNoThread) {
  const FailureCase& c = GetParam();
  const threadcount::ThreadIds before = RunningThreads();
  FailStartupStageForTest(c.stage);
  EXPECT_EQ(InitGUI(0, nullptr), c.code);
  StartupCleanup undone = LastStartupCleanup();
  EXPECT_EQ(undone.inputStopped, c.inputStopped);
  EXPECT_EQ(undone.graphicsStopped, c.graphicsStopped);
  EXPECT_EQ(undone.locksDestroyed, c.graphicsStopped);
  EXPECT_EQ(StartedSince(before, 0), 0);
  // One line names the stage and says why.
  EXPECT_STRNE(GetStartupFailureStage(), "");
  const std::string reason = GetStartupFailureReason();
  EXPECT_NE(reason, "");
  EXPECT_EQ(reason.find('\n'), std::string::npos) << reason;
  // Nothing an earlier stage made is left behind: fonts, skins.
  for (const LogFont* font : g_SysLogFont) EXPECT_EQ(font, nullptr);
  const Bitmap* skin = GetSystemBitmap(0);
  EXPECT_TRUE(!skin || !skin->bmBits);
}

INSTANTIATE_TEST_SUITE_P(
    Stages, FailingStage,
    ::testing::Values(FailureCase{StartupStage::kFixStr, kFixStrFailureCode, false, false},
                      FailureCase{StartupStage::kGraphics, 1, false, false},
                      FailureCase{StartupStage::kConfig, 3, false, true},
                      FailureCase{StartupStage::kFonts, 5, false, true},
                      FailureCase{StartupStage::kExtraColors, 8, false, true},
                      FailureCase{StartupStage::kLayouts, 10, false, true},
                      FailureCase{StartupStage::kInput, 11, false, true},
                      FailureCase{StartupStage::kCursors, 12, true, true},
                      FailureCase{StartupStage::kControlClasses, 14, true, true},
                      FailureCase{StartupStage::kAccelerators, 15, true, true},
                      FailureCase{StartupStage::kElementMetrics, 16, true, true},
                      FailureCase{StartupStage::kSystemThreads, 16, true, true},
                      FailureCase{StartupStage::kRefreshList, 17, true, true},
                      FailureCase{StartupStage::kStrings, 17, true, true}));

// The host window opens while the stages after the graphics layer run. One
// that cannot open is still the failure InitGUI answers, at whichever stage
// it is found and whichever later stage failed meanwhile; what those stages
// made is undone and no thread is left.
TEST(StartUp, HostWindowThatCannotOpenFailsTheGraphicsLayerWhateverRanMeanwhile) {
  const threadcount::ThreadIds before = RunningThreads();
  struct Case {
    StartupStage alsoFailing;
    bool inputStopped;
  };
  for (const Case& c : {Case{StartupStage::kNone, true}, Case{StartupStage::kConfig, false},
                        Case{StartupStage::kLayouts, false}, Case{StartupStage::kInput, false},
                        Case{StartupStage::kCursors, true}, Case{StartupStage::kStrings, true}}) {
    SCOPED_TRACE(static_cast<int>(c.alsoFailing));
    ASSERT_EQ(setenv("SDL_VIDEODRIVER", "no_such_driver", 1), 0);
    FailStartupStageForTest(c.alsoFailing);
    EXPECT_EQ(InitGUI(0, nullptr), 1);
    FailStartupStageForTest(StartupStage::kNone);
    EXPECT_STREQ(GetStartupFailureStage(), "graphics layer");
    EXPECT_NE(std::string(GetStartupFailureReason()).find("host window cannot be opened"), std::string::npos)
        << GetStartupFailureReason();
    StartupCleanup undone = LastStartupCleanup();
    EXPECT_EQ(undone.inputStopped, c.inputStopped);
    EXPECT_TRUE(undone.graphicsStopped);
    EXPECT_FALSE(GuiLocksCreated());
    for (const LogFont* font : g_SysLogFont) EXPECT_EQ(font, nullptr);
    const Bitmap* skin = GetSystemBitmap(0);
    EXPECT_TRUE(!skin || !skin->bmBits);
    EXPECT_EQ(StartedSince(before, 0), 0);
  }
  // With a window to open, the next start goes through.
  ASSERT_EQ(setenv("SDL_VIDEODRIVER", "dummy", 1), 0);
  ASSERT_EQ(InitGUI(0, nullptr), 0);
  TerminateGUI(0);
  EXPECT_EQ(StartedSince(before, 0), 0);
}

// A tool window (here in the bubble tip's place) whose close another
// thread began: it has left its registration when the toolkit's end looks
// for the tool windows, and its thread is still destroying the window. The
// end waits for that thread, so nothing of the destruction runs after what
// the end frees.
struct SlowTool {
  sem_t created;
  std::atomic<WindowHandle> hwnd{0};
  std::atomic<bool> unregistered{false}, ended{false};
};
SlowTool* g_slowTool = nullptr;

LResult SlowClosingToolProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_CREATE) {
    SendMessage(__gui_hwnd_desktop, MSG_DT_REGBUBBLETIP, hwnd, 0);
  } else if (msg == MSG_CLOSE) {
    SendMessage(__gui_hwnd_desktop, MSG_DT_UNREGBUBBLETIP, hwnd, 0);
    g_slowTool->unregistered = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the end meanwhile
    DestroyMainWindow(hwnd);
    PostQuitMessage(hwnd);
    return 0;
  }
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

void* SlowToolThread(void*) {
  MainWinCreate create{};
  create.dwExStyle = WS_EX_TOPMOST;
  create.spCaption = "slow tool";
  create.hHosting = __gui_hwnd_desktop;
  create.MainWindowProc = SlowClosingToolProc;
  create.rx = create.by = 10;
  const WindowHandle hwnd = CreateMainWindow(&create);
  g_slowTool->hwnd = hwnd;
  sem_post(&g_slowTool->created);
  if (hwnd == GUI_INVALID_HANDLE) return nullptr;
  Message msg{};
  while (GetMessage(&msg, hwnd)) DispatchMessage(&msg);
  MainWindowThreadCleanup(hwnd);
  g_slowTool->ended = true;
  return nullptr;
}

TEST(StartUp, ShutDownWaitsForAToolWindowWhoseCloseIsUnderWay) {
  SlowTool tool;
  g_slowTool = &tool;
  sem_init(&tool.created, 0, 0);
  ASSERT_EQ(InitGUI(0, nullptr), 0);
  pthread_t thread;
  ASSERT_EQ(CreateThreadForMainWindow(&thread, nullptr, SlowToolThread, nullptr), 0);
  while (sem_wait(&tool.created) != 0) {
  }
  ASSERT_NE(tool.hwnd.load(), GUI_INVALID_HANDLE);
  PostMessage(tool.hwnd, MSG_CLOSE, 0, 0);
  while (!tool.unregistered) std::this_thread::yield();
  TerminateGUI(0);
  EXPECT_TRUE(tool.ended) << "the toolkit ended before the tool's thread";
  EXPECT_EQ(UnjoinedMainWindowThreads(), 0u);
  sem_destroy(&tool.created);
  g_slowTool = nullptr;
}

class ThreadLaunchFailure : public ::testing::TestWithParam<int> {
 protected:
  void TearDown() override {
    FailThreadLaunchForTest(0);
    TerminateGUI(-1);
  }
};

TEST_P(ThreadLaunchFailure, FailsStageSixteenInsteadOfHanging) {
  const threadcount::ThreadIds before = RunningThreads();
  FailThreadLaunchForTest(GetParam());
  EXPECT_EQ(InitGUI(0, nullptr), 16);
  EXPECT_EQ(StartedSince(before, 0), 0);
}

INSTANTIATE_TEST_SUITE_P(Threads, ThreadLaunchFailure,
                         ::testing::Values(kDesktopThread, kTimerThread, kEventThread, kShortLivedThread,
                                           kIdleThread));

// An engine that reports one key press, then a mouse press, then time-outs.
std::atomic<int> g_step{0};
int ScriptedWait(int which, long) {
  int step = g_step.fetch_add(1);
  if (step == 0) return which & 2;
  if (step == 1) return which & 1;
  std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return step % 2 ? -1 : 0;
}
int ScriptedRead(int which, LowLevelEvent* ev) {
  if (which == 2) *ev = LowLevelEvent{kEventKey, 0, 0, 1, 28, 0, 0};
  else if (which == 1) *ev = LowLevelEvent{kEventMouse, 0, 0, 1, 5, 6, 0x1000};
  else return 0;
  return 1;
}
const EventEngine kScripted = {ScriptedWait, ScriptedRead};

// What the engine reports reaches the desktop, once no hold on input is on:
// while one is, the engine is not even waited on, and the thread still
// stops.
TEST(EventThread, KeysAndMouseReportedByTheEngineReachTheDesktopOnceNoHoldIsOn) {
  ASSERT_TRUE(BecomeDesktopThread());
  g_step = 0;
  SetEventEngine(&kScripted);
  HoldInput();
  ASSERT_TRUE(StartEventThread());
  StopEventThread();
  EXPECT_EQ(g_step, 0) << "the engine was asked while input was held";

  HoldInput();
  ASSERT_TRUE(StartEventThread());
  ReleaseInput();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(g_step, 0) << "read with one of two holds left";
  ReleaseInput();
  ReleaseInput();  // none is on: nothing happens
  MessageSequence got;
  Message msg;
  while (got.size() < 3 && GetMessage(&msg, __gui_hwnd_desktop)) got.push_back(msg.message);
  StopEventThread();
  SetEventEngine(nullptr);
  LeaveDesktopThread();
  EXPECT_EQ(got, (MessageSequence{MSG_KEYDOWN, MSG_MOUSEMOVE, MSG_LBUTTONDOWN}));
}

// An engine that reports one mouse press and holds its read until let go,
// as a reader kept from running between taking a change and posting it.
std::atomic<int> g_slowStep{0};
std::atomic<bool> g_inRead{false}, g_letGo{false};
int SlowWait(int which, long) {
  if (g_slowStep.fetch_add(1) == 0) return which & 1;
  std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return 0;
}
int SlowRead(int which, LowLevelEvent* ev) {
  if (which != 1) return 0;
  g_inRead = true;
  while (!g_letGo) std::this_thread::yield();
  *ev = LowLevelEvent{kEventMouse, 0, 0, 1, 5, 6, 0x1000};
  return 1;
}
const EventEngine kSlowReader = {SlowWait, SlowRead};

// Input counts as posted only once the reader that took it has posted its
// message: with the host's queue empty, a read under way is not done yet.
TEST(EventThread, InputCountsAsPostedOnlyOnceItsReadHasPosted) {
  ASSERT_TRUE(BecomeDesktopThread());
  g_slowStep = 0;
  g_inRead = g_letGo = false;
  SetEventEngine(&kSlowReader);
  ASSERT_TRUE(StartEventThread());
  while (!g_inRead) std::this_thread::yield();
  EXPECT_EQ(HostOldestInput(), HOST_INPUT_NONE);
  EXPECT_FALSE(HostInputPosted()) << "a read under way";
  g_letGo = true;
  MessageSequence got;
  Message msg;
  while (got.size() < 2 && GetMessage(&msg, __gui_hwnd_desktop)) got.push_back(msg.message);
  while (!HostInputPosted()) std::this_thread::yield();
  StopEventThread();
  SetEventEngine(nullptr);
  LeaveDesktopThread();
  EXPECT_EQ(got, (MessageSequence{MSG_MOUSEMOVE, MSG_LBUTTONDOWN}));
}

// With a menu open no input time-out becomes the broadcast to every main
// window; in live view each one does.
TEST(EventThread, TimeOutsBecomeTheIdleBroadcastOnlyOutsideMenus) {
  ASSERT_TRUE(BecomeDesktopThread());
  const int output = getCurOutputHook();
  const LowLevelEvent timeout{kEventTimeout, 7, 0, 0, 0, 0, 0};
  Message msg;
  for (int state : {1, 11}) {
    setOutputStateHook(state, output);
    PostLowLevelEvent(timeout);
    EXPECT_FALSE(PeekMessage(&msg, __gui_hwnd_desktop, 0, 0, TRUE)) << "output state " << state;
  }
  setOutputStateHook(OUTSTATE_LIVEVIEW, output);
  PostLowLevelEvent(timeout);
  ASSERT_TRUE(PeekMessage(&msg, __gui_hwnd_desktop, 0, 0, TRUE));
  EXPECT_EQ(msg.message, MSG_DT_IDLEBROADCAST);
  EXPECT_EQ(msg.wParam, 7u);
  LeaveDesktopThread();
}

TEST(QuitRequest, CallOrSignalEndsTheWait) {
  std::atomic<bool> asked{false};
  std::thread asker([&asked] {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    asked = true;
    RequestQuit();
  });
  RunUntilQuit();
  EXPECT_TRUE(asked) << "the wait ended before anyone asked";
  asker.join();

  std::atomic<bool> signalled{false};
  std::thread signaller([&signalled] {
    struct sigaction current = {};
    do {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      sigaction(SIGTERM, nullptr, &current);
    } while (current.sa_handler == SIG_DFL);
    signalled = true;
    kill(getpid(), SIGTERM);
  });
  RunUntilQuit();
  EXPECT_TRUE(signalled);
  signaller.join();
  struct sigaction after = {};
  sigaction(SIGTERM, nullptr, &after);
  EXPECT_EQ(after.sa_handler, SIG_DFL) << "the program's own handling comes back";
}

}  // namespace
