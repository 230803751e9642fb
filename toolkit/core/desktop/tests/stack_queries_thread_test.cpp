// Window threads asking about the stacks while the desktop thread changes
// them: the queries, the paint search through the preview window's hosted
// windows and the power-key return to the preview.
#include <pthread.h>

#include <thread>

#include "core/desktop/tests/desktop_fixture.h"
#include "core/window/tests/main_window_creation.h"
#include "gui/app_hooks.h"
#include "gui/paint.h"

namespace desktest {
namespace {

constexpr int kRounds = 60;

struct Shared {
  WindowHandle preview = 0;
  std::atomic<WindowHandle> steady{0};  // always visible under (20, 20)
  std::atomic<bool> churned{false};
  std::atomic<bool> stop{false};
  // The churn starts once whoever watches it is running, and the steady
  // window goes only once nobody walks the stacks any more: a reader that
  // saw `stop` still false finishes its walk after `stop` is set, and would
  // find the steady window hidden, unlinked or freed.
  std::atomic<bool> go{false};
  std::atomic<bool> released{false};
  std::atomic<int> lostPreview{0};
  std::atomic<int> lostSteady{0};
  std::atomic<int> walks{0};
};

void WaitFor(const std::atomic<bool>& flag) {
  while (!flag.load()) sched_yield();
}

// Every query a window thread makes; the windows named in `Shared` live
// throughout, so their answers must never go missing.
void* Query(void* arg) {
  auto* s = static_cast<Shared*>(arg);
  const int mainOutput = getMainOutputHook();
  while (!s->stop.load()) {
    if (FirstPreviewWindow(mainOutput) != s->preview) ++s->lostPreview;
    if (WindowUnderPointer(20, 20) == 0) ++s->lostSteady;
    GetCurTopMainWindow();
    GetDisplayPreviewWindow(mainOutput);
    GetWindowDisplay(s->steady);
    IsNoWinsOnPreview(mainOutput);
    ++s->walks;
  }
  return nullptr;
}

// A window thread whose paint search, once its own window is clean, walks
// the preview window with its hosted windows and their controls.
void* PaintSearch(void* arg) {
  auto* s = static_cast<Shared*>(arg);
  MainWinCreate create = MainWindowCreation({600, 600, 700, 700}, RecordingProc, "painter");
  WindowHandle own = CreateMainWindow(&create);
  if (own == GUI_INVALID_HANDLE) return nullptr;
  Rect part{0, 0, 5, 5};
  Message msg;
  while (!s->stop.load()) {
    InvalidateRect(own, &part, FALSE);
    for (int i = 0; i < 4 && PeekMessage(&msg, own, 0, 0, TRUE); ++i) DispatchMessage(&msg);
  }
  DestroyMainWindow(own);
  MainWindowThreadCleanup(own);
  return nullptr;
}

void Request(WindowHandle hwnd, int msg) { SendMessage(__gui_hwnd_desktop, msg, hwnd, 0); }

void DrainOwn(WindowHandle hwnd) {
  Message msg;
  for (int i = 0; i < 1000 && PeekMessage(&msg, hwnd, 0, 0, TRUE); ++i) DispatchMessage(&msg);
}

// A window thread that has the desktop show, hide, raise and destroy its
// visible windows; the steady one stays until the readers are done.
void* Churn(void* arg) {
  auto* s = static_cast<Shared*>(arg);
  MainWinCreate create = MainWindowCreation({0, 0, 100, 100}, RecordingProc, "steady");
  WindowHandle steady = CreateMainWindow(&create);
  s->steady = steady;
  WaitFor(s->go);
  for (int round = 0; round < kRounds && steady != GUI_INVALID_HANDLE; ++round) {
    MainWinCreate passingCreation = MainWindowCreation({10, 10, 60, 60}, RecordingProc, "passing");
    WindowHandle passing = CreateMainWindow(&passingCreation);
    Request(passing, MSG_DT_HIDEMAINWIN);
    Request(passing, MSG_DT_SHOWMAINWIN);
    Request(steady, MSG_DT_MOVETOTOP);
    Request(passing, MSG_DT_MOVETOTOP);
    DestroyMainWindow(passing);
    MainWindowThreadCleanup(passing);
    DrainOwn(steady);
  }
  s->churned = true;
  WaitFor(s->released);
  DestroyMainWindow(steady);
  MainWindowThreadCleanup(steady);
  return nullptr;
}

class StackQueries : public DesktopTest {
 protected:
  void TearDown() override {
    if (shared_.preview) Rec(shared_.preview)->exStyle &= ~WS_EX_PREVIEW;  // else it refuses destruction
    DesktopTest::TearDown();
  }
  // Hidden, so that no paint search finds it damaged; windows made after
  // it on this thread are hosted by it.
  void MakePreview() {
    shared_.preview = Main({0, 0, 1024, 768}, 0, WS_EX_PREVIEW);
    ASSERT_NE(shared_.preview, GUI_INVALID_HANDLE);
    ASSERT_EQ(FirstPreviewWindow(getMainOutputHook()), shared_.preview);
  }
  Shared shared_;
};

TEST_F(StackQueries, WindowThreadsWalkTheStacksWhileTheDesktopChangesThem) {
  MakePreview();
  pthread_t churner, painter, readers[2];
  ASSERT_EQ(CreateThreadForMainWindow(&churner, nullptr, Churn, &shared_), 0);
  while (shared_.steady.load() == 0) sched_yield();
  ASSERT_NE(shared_.steady.load(), GUI_INVALID_HANDLE);
  for (pthread_t& r : readers) ASSERT_EQ(pthread_create(&r, nullptr, Query, &shared_), 0);
  ASSERT_EQ(CreateThreadForMainWindow(&painter, nullptr, PaintSearch, &shared_), 0);
  // The readers walk while the stacks change, not only after the churn.
  while (shared_.walks.load() == 0) sched_yield();
  shared_.go = true;

  // Meanwhile the preview window gains and loses hosted windows and
  // controls, which the painter's search walks.
  for (int round = 0; round < kRounds; ++round) {
    WindowHandle hosted = Main({200, 200, 260, 260}, 0);
    Control(hosted, {0, 0, 20, 20}, round, 0);
    Control(hosted, {20, 0, 40, 20}, round, 0);
    EXPECT_TRUE(Destroy(hosted));
  }
  WaitFor(shared_.churned);
  shared_.stop = true;
  for (pthread_t& r : readers) pthread_join(r, nullptr);
  shared_.released = true;
  pthread_join(painter, nullptr);
  pthread_join(churner, nullptr);
  Settle();
  EXPECT_GT(shared_.walks.load(), 0);
  EXPECT_EQ(shared_.lostPreview.load(), 0);
  EXPECT_EQ(shared_.lostSteady.load(), 0);
}

// The power-key handler runs on a window thread; the return to the preview
// closes the windows and walks the stacks, so it is the desktop thread's
// work even while another thread keeps changing them.
TEST_F(StackQueries, ReturnToPreviewFromAWindowThreadLeavesTheStacksToTheDesktop) {
  MakePreview();
  const int current = getCurOutputHook();
  pthread_t churner;
  shared_.go = true;
  ASSERT_EQ(CreateThreadForMainWindow(&churner, nullptr, Churn, &shared_), 0);
  while (shared_.steady.load() == 0) sched_yield();
  // At least once: on a loaded machine the churn may be over already.
  do {
    ReturnToPreview();
  } while (!shared_.churned.load());
  EXPECT_EQ(getOutputStateHook(current), OUTSTATE_RETURNED);  // returned to the live view
  WaitFor(shared_.churned);
  shared_.stop = true;
  shared_.released = true;
  pthread_join(churner, nullptr);
  setOutputStateHook(OUTSTATE_LIVEVIEW, current);
  Settle();
}

}  // namespace
}  // namespace desktest

namespace desktest {
namespace {

// Hit tests on window threads while the desktop moves a window between
// two places side by side: the rectangle is read under the same lock it is
// stored under, so a hit test sees the old or the new place, never one
// made of both (which would reach over the gap between them).
TEST_F(StackQueries, HitTestsWhileAWindowMoves) {
  const Rect left{0, 0, 100, 100}, right{200, 0, 300, 100};
  WindowHandle moving = Main(left);
  ASSERT_NE(moving, GUI_INVALID_HANDLE);
  Settle();
  std::atomic<bool> stop{false};
  std::atomic<int> torn{0}, probes{0};
  auto probe = [&] {
    while (!stop.load()) {
      if (WindowUnderPointer(150, 50) == moving) ++torn;  // in the gap
      ++probes;
    }
  };
  std::thread readers[2] = {std::thread(probe), std::thread(probe)};
  while (probes.load() == 0) sched_yield();
  for (int i = 0; i < 400; ++i) {
    Rect place = (i % 2) ? left : right;
    SendMessage(__gui_hwnd_desktop, MSG_DT_MOVEMAINWIN, moving, reinterpret_cast<LParam>(&place));
  }
  stop = true;
  for (std::thread& r : readers) r.join();
  EXPECT_EQ(torn.load(), 0);
  EXPECT_TRUE(Destroy(moving));
}

// Window threads ask on which display a popup menu is open while the
// desktop opens and closes menus owned by a main-display window.
TEST_F(StackQueries, MenuQueriesWhileMenusOpenAndClose) {
  WindowHandle owner = Main({0, 0, 100, 100});
  Settle();
  PopupMenuHead menu{{10, 10, 60, 80}, owner, 0, 0};
  std::atomic<bool> stop{false};
  std::atomic<int> wrongDisplay{0}, asked{0};
  std::thread reader([&] {
    while (!stop.load()) {
      if (IsMenuPopup(getAuxOutputHook())) ++wrongDisplay;
      IsMenuPopup(getMainOutputHook());
      ++asked;
    }
  });
  while (asked.load() == 0) sched_yield();
  for (int i = 0; i < 300; ++i) {
    desktest::Request(MSG_DT_TRACKPOPUPMENU, 0, reinterpret_cast<LParam>(&menu));
    EXPECT_EQ(IsMenuPopup(getMainOutputHook()), 1);
    desktest::Request(i % 2 ? MSG_DT_CLOSEMENU : MSG_DT_ENDTRACKMENU, 0, reinterpret_cast<LParam>(&menu));
  }
  stop = true;
  reader.join();
  EXPECT_EQ(IsMenuPopup(getMainOutputHook()), 0);
  EXPECT_EQ(wrongDisplay.load(), 0);
  Settle();
}

}  // namespace
}  // namespace desktest
