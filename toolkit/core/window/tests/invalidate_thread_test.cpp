// Invalidation and the paint messages on a running desktop: where damage
// lands, who is erased, and what painting leaves behind, with other threads
// invalidating while the window paints.
#include <pthread.h>

#include <thread>

#include "core/winattr/winattr_internal.h"
#include "core/window/child_walk.h"
#include "core/window/invalidate.h"
#include "core/window/tests/paint_fixture.h"
#include "core/window/window_record.h"
#include "gui/message.h"
#include "gui/window_attr.h"

namespace painttest {
namespace {

bool PaintPending(WindowHandle hwnd) {
  MsgQueue* q = WindowOf(hwnd)->mainWindow->queue;
  std::lock_guard<std::mutex> hold(q->lock);
  return (q->state & kPaintPending) != 0;
}

Rect UpdateRect(WindowHandle hwnd) {
  Rect r{-1, -1, -1, -1};
  GetUpdateRect(hwnd, &r);
  return r;
}

bool Same(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// What the windows' own procedures did on erase and paint.
std::atomic<WindowHandle> g_painter{0};
std::atomic<int> g_invalidatedWhilePainting{-1};
std::atomic<bool> g_invalidateOnce{false};
std::atomic<int> g_paints{0};
std::mutex g_eraseLock;
std::vector<Rect> g_erased;

bool PaintByBeginAndEnd(WindowHandle hwnd, int msg, WParam, LParam lParam, LResult* answer) {
  if (msg == MSG_ERASEBKGND && lParam) {
    std::lock_guard<std::mutex> hold(g_eraseLock);
    g_erased.push_back(*reinterpret_cast<const Rect*>(lParam));
  }
  if (msg != MSG_PAINT || hwnd != g_painter) return false;
  HDC hdc = BeginPaint(hwnd);
  if (g_invalidateOnce.exchange(false)) g_invalidatedWhilePainting = InvalidateRect(hwnd, nullptr, FALSE);
  EndPaint(hwnd, hdc);
  ++g_paints;
  *answer = 0;
  return true;
}

std::vector<Rect> TakeErased() {
  std::lock_guard<std::mutex> hold(g_eraseLock);
  std::vector<Rect> out;
  out.swap(g_erased);
  return out;
}

class Invalidation : public PaintTest {
 protected:
  void SetUp() override {
    PaintTest::SetUp();
    main_ = LoggedMain({0, 0, 200, 200});
    child_ = LoggedControl(main_, {20, 20, 70, 50}, 1);
    Log::Instance().override = PaintByBeginAndEnd;
    Quiet();
    TakeErased();
  }
  void TearDown() override {
    g_painter = 0;
    PaintTest::TearDown();
  }
  WindowHandle main_ = 0, child_ = 0;
};

TEST_F(Invalidation, RectangleOutsideTheClientAreaChangesNothingButAsksForAPaint) {
  Rect outside{300, 300, 400, 400};
  EXPECT_EQ(InvalidateRect(main_, &outside, TRUE), TRUE);
  EXPECT_TRUE(RegionEmpty(main_));
  EXPECT_TRUE(RegionEmpty(child_));
  EXPECT_TRUE(PaintPending(main_));
  EXPECT_TRUE(Messages(main_, true).empty());
  EXPECT_TRUE(TakeErased().empty());
  EXPECT_EQ(InvalidateRect(GUI_INVALID_HANDLE, nullptr, TRUE), FALSE);
}

TEST_F(Invalidation, DamageIsCutToTheClientAreaAndErasedInScreenCoordinates) {
  Rect part{150, 150, 250, 250};
  EXPECT_EQ(InvalidateRect(main_, &part, TRUE), TRUE);
  EXPECT_TRUE(Same(UpdateRect(main_), Rect{150, 150, 200, 200}));
  std::vector<Rect> erased = TakeErased();
  ASSERT_EQ(erased.size(), 1u);
  EXPECT_TRUE(Same(erased[0], Rect{150, 150, 200, 200}));
  EXPECT_EQ(Messages(main_, true), (MessageSequence{MSG_ERASEBKGND, MSG_PAINT}));
  EXPECT_TRUE(RegionEmpty(main_));  // the default paint handler dropped it
}

TEST_F(Invalidation, ChildrenAreAlwaysErasedAndPassedTheirPart) {
  Rect corner{0, 0, 30, 30};
  EXPECT_EQ(InvalidateRect(main_, &corner, FALSE), TRUE);
  EXPECT_TRUE(Same(UpdateRect(child_), Rect{0, 0, 10, 10}));
  MessageSequence child = Messages(child_, true);
  ASSERT_GE(child.size(), 2u);
  EXPECT_EQ(child[0], MSG_NCPAINT);
  EXPECT_EQ(child[1], MSG_ERASEBKGND);
  MessageSequence main = Messages(main_, true);
  EXPECT_EQ(std::count(main.begin(), main.end(), MSG_ERASEBKGND), 0);
}

// Frames and erases of controls that ran on a thread other than the test's,
// where the windows live.
pthread_t g_owner{};
std::atomic<int> g_foreignControlCalls{0};

bool CountForeignControlCalls(WindowHandle hwnd, int msg, WParam wParam, LParam lParam, LResult* answer) {
  if ((msg == MSG_NCPAINT || msg == MSG_ERASEBKGND) && IsControlRecord(WindowOf(hwnd)) &&
      !pthread_equal(g_owner, pthread_self()))
    ++g_foreignControlCalls;
  return PaintByBeginAndEnd(hwnd, msg, wParam, lParam, answer);
}

// A control's procedure and data belong to its own thread, which may be
// destroying it while another thread (the desktop's among them) repaints the
// parent: that thread damages the control whole and leaves the frame and
// the erase to the control's own paint.
TEST_F(Invalidation, AnotherThreadsInvalidationLeavesControlsToTheirOwnThread) {
  g_owner = pthread_self();
  g_foreignControlCalls = 0;
  Log::Instance().override = CountForeignControlCalls;
  Rect corner{0, 0, 30, 30};
  std::thread([&] { EXPECT_EQ(InvalidateRect(main_, &corner, FALSE), TRUE); }).join();
  EXPECT_EQ(g_foreignControlCalls.load(), 0);
  EXPECT_TRUE(Same(UpdateRect(child_), Rect{0, 0, 50, 30}));
  EXPECT_EQ(Messages(child_, true), (MessageSequence{MSG_PAINT, MSG_NCPAINT, MSG_ERASEBKGND}));
  EXPECT_EQ(g_foreignControlCalls.load(), 0);
  EXPECT_TRUE(RegionEmpty(child_));
}

// Where in the whole log a window last got a message, or -1.
int LastOf(const std::vector<Got>& log, WindowHandle hwnd, int msg) {
  for (size_t i = log.size(); i-- > 0;)
    if (log[i].hwnd == hwnd && log[i].message == msg) return static_cast<int>(i);
  return -1;
}

// After another thread's damage the control owes its frame and erase. A
// control its own thread then draws at once (shown, or made and its parent
// repainted, as a page does when a drop-down list closed by a click asks
// for other controls) comes after that erase, never under it.
TEST_F(Invalidation, AControlDrawnAtOnceAfterAnotherThreadsDamageIsNotErasedByItsParentLater) {
  for (const bool shown : {true, false}) {
    SCOPED_TRACE(shown ? "shown" : "made, parent repainted");
    const WindowHandle inner = shown ? LoggedControl(child_, {5, 5, 25, 25}, 2, 0) : 0;
    Quiet();
    std::thread([&] { EXPECT_EQ(InvalidateRect(main_, nullptr, FALSE), TRUE); }).join();
    WindowHandle drawn = inner;
    if (shown) {
      ShowWindow(inner, SW_SHOW);
    } else {
      drawn = LoggedControl(child_, {5, 5, 25, 25}, 3);
      InvalidateRect(child_, nullptr, TRUE);
    }
    desktest::Drain();
    const std::vector<Got> log = Log::Instance().Take();
    ASSERT_GE(LastOf(log, drawn, MSG_ERASEBKGND), 0);
    EXPECT_LT(LastOf(log, child_, MSG_ERASEBKGND), LastOf(log, drawn, MSG_ERASEBKGND));
    EXPECT_LT(LastOf(log, child_, MSG_ERASEBKGND), LastOf(log, drawn, MSG_NCPAINT));
    DestroyWindow(drawn);
  }
}

// BeginPaint takes the damage under the region's lock; what the window
// invalidates while it paints is kept for the next paint, not lost.
TEST_F(Invalidation, InvalidationDuringTheWindowsOwnPaintIsPaintedNext) {
  g_painter = main_;
  g_paints = 0;
  g_invalidatedWhilePainting = -1;
  g_invalidateOnce = true;
  Rect part{10, 10, 20, 20};
  ASSERT_EQ(InvalidateRect(main_, &part, FALSE), TRUE);
  Quiet();
  EXPECT_EQ(g_invalidatedWhilePainting.load(), TRUE);
  EXPECT_EQ(g_paints.load(), 2);
  EXPECT_TRUE(RegionEmpty(main_));
  EXPECT_EQ(BeginPaint(GUI_INVALID_HANDLE), HDC_INVALID);
}

TEST_F(Invalidation, TransparentControlRepaintsItsParentBeneathIt) {
  WindowHandle glass = LoggedControl(main_, {100, 100, 150, 150}, 2, WS_VISIBLE, WS_EX_TRANSPARENT);
  Quiet();
  TakeErased();
  Rect part{0, 0, 10, 10};
  EXPECT_EQ(InvalidateRect(glass, &part, FALSE), TRUE);
  EXPECT_TRUE(Same(UpdateRect(main_), Rect{100, 100, 110, 110}));
  EXPECT_TRUE(Same(UpdateRect(glass), Rect{0, 0, 10, 10}));
  std::vector<Rect> erased = TakeErased();
  ASSERT_FALSE(erased.empty());
  EXPECT_TRUE(Same(erased[0], Rect{100, 100, 110, 110}));  // the parent, erase forced
  MessageSequence parent = Messages(main_, true);
  EXPECT_EQ(std::count(parent.begin(), parent.end(), MSG_PAINT), 1);
  MessageSequence own = Messages(glass, true);
  EXPECT_EQ(std::count(own.begin(), own.end(), MSG_PAINT), 1);

  Rect beside{60, 60, 70, 70};
  EXPECT_EQ(InvalidateRect(glass, &beside, TRUE), FALSE);
  EXPECT_TRUE(RegionEmpty(main_));
}

TEST_F(Invalidation, UpdateWindowRepaintsTheFrameWithOrWithoutErase) {
  UpdateWindow(main_, FALSE);
  std::vector<Got> got = For(main_);
  MessageSequence numbers;
  for (const Got& g : got) numbers.push_back(g.message);
  EXPECT_EQ(numbers, (MessageSequence{MSG_NCPAINT, MSG_PAINT}));
  EXPECT_EQ(got.back().lParam, reinterpret_cast<LParam>(&WindowOf(main_)->invalid.region));
  Quiet();
  UpdateWindow(main_, TRUE);
  numbers.clear();
  for (const Got& g : For(main_))
    if (g.message != MSG_CSIZECHANGED) numbers.push_back(g.message);
  EXPECT_EQ(numbers, (MessageSequence{MSG_SIZECHANGED, MSG_CALCCLIENTRECT, MSG_NCPAINT, MSG_ERASEBKGND, MSG_PAINT}));
}

using PreviewInvalidation = PaintTest;

// The preview window is the thread's first, so the desktop hosts it.
TEST_F(PreviewInvalidation, PreviewDamageGrowsTheDirtyScreenRectangle) {
  WindowHandle preview = LoggedMain({0, 0, 1024, 768}, WS_VISIBLE, WS_EX_PREVIEW);
  WindowHandle page = LoggedMain({0, 0, 200, 200});
  ASSERT_NE(preview, GUI_INVALID_HANDLE);
  Quiet();
  auto* record = static_cast<MainWinRecord*>(WindowOf(preview));
  record->repaintWord = 0;
  ResetDirtyScreenRect();
  EXPECT_EQ(PrevInvalidateRect(page, nullptr, FALSE), FALSE);

  Rect first{30, 30, 10, 10};  // given the wrong way round
  EXPECT_EQ(PrevInvalidateRect(preview, &first, FALSE), TRUE);
  EXPECT_TRUE(Same(DirtyScreenRect(), Rect{10, 10, 30, 30}));
  EXPECT_TRUE(Same(UpdateRect(preview), Rect{10, 10, 30, 30}));
  EXPECT_EQ(record->repaintWord, 1);
  Rect second{50, 40, 60, 45};
  EXPECT_EQ(InvalidateRect(preview, &second, FALSE), TRUE);
  EXPECT_TRUE(Same(DirtyScreenRect(), Rect{10, 10, 60, 45}));
  EXPECT_EQ(InvalidateRect(preview, nullptr, FALSE), TRUE);
  EXPECT_TRUE(Same(DirtyScreenRect(), ScreenRectOf(record)));
  Quiet();
  ResetDirtyScreenRect();
  record->exStyle &= ~WS_EX_PREVIEW;  // a preview window refuses destruction
}

// With the auxiliary display current, a preview window's damage goes to the
// main display's preview window (made while the main display was current),
// not to a preview window made later on the main display's own list.
TEST_F(PreviewInvalidation, AuxiliaryDamageGoesToThePreviewWindowMadeOnTheMainDisplay) {
  const int mainOutput = getMainOutputHook(), auxOutput = getAuxOutputHook();
  WindowHandle first = LoggedMain({0, 0, 400, 300}, WS_VISIBLE, WS_EX_PREVIEW);
  setCurOutputHook(auxOutput);
  WindowHandle later = LoggedMain({0, 0, 400, 300}, WS_VISIBLE, WS_EX_PREVIEW);
  ASSERT_NE(later, GUI_INVALID_HANDLE);
  ASSERT_EQ(FirstPreviewWindow(mainOutput), first);
  ASSERT_EQ(GetDisplayPreviewWindow(mainOutput), later);
  Quiet();
  ASSERT_TRUE(RegionEmpty(first) && RegionEmpty(later));

  Rect damage{10, 10, 40, 40};
  EXPECT_EQ(InvalidateRect(later, &damage, FALSE), TRUE);
  EXPECT_TRUE(RegionEmpty(later));
  EXPECT_TRUE(Same(UpdateRect(first), damage));
  Quiet();
  Rect other{50, 50, 60, 60};
  EXPECT_EQ(PrevInvalidateRect(later, &other, FALSE), TRUE);
  EXPECT_TRUE(RegionEmpty(later));
  EXPECT_TRUE(Same(UpdateRect(first), other));

  setCurOutputHook(mainOutput);
  Quiet();
  ResetDirtyScreenRect();
  WindowOf(first)->exStyle &= ~WS_EX_PREVIEW;  // a preview window refuses destruction
  WindowOf(later)->exStyle &= ~WS_EX_PREVIEW;
}

// ---- other threads invalidate while the window paints ----

struct Worker {
  WindowHandle target;
  unsigned seed;
  std::atomic<bool>* stop;
};

void* InvalidateRepeatedly(void* arg) {
  auto* w = static_cast<Worker*>(arg);
  for (int i = 0; i < 400; ++i) {
    w->seed = w->seed * 1103515245u + 12345u;
    int x = static_cast<int>(w->seed >> 16) % 180, y = static_cast<int>(w->seed >> 8) % 180;
    Rect r{x, y, x + 15, y + 15};
    InvalidateRect(w->target, &r, (i % 4) == 0);
  }
  return nullptr;
}

TEST_F(Invalidation, OtherThreadsInvalidateWhileTheWindowPaints) {
  g_painter = main_;
  g_paints = 0;
  std::atomic<bool> stop{false};
  Worker workers[2] = {{main_, 1, &stop}, {child_, 7, &stop}};
  pthread_t threads[2];
  for (int i = 0; i < 2; ++i) ASSERT_EQ(pthread_create(&threads[i], nullptr, InvalidateRepeatedly, &workers[i]), 0);
  for (int round = 0; round < 200; ++round) {
    desktest::Drain();
    Log::Instance().Take();
  }
  for (pthread_t t : threads) pthread_join(t, nullptr);
  Quiet();
  EXPECT_TRUE(RegionEmpty(main_));
  EXPECT_TRUE(RegionEmpty(child_));
  EXPECT_GT(g_paints.load(), 0);
  TakeErased();
}

}  // namespace
}  // namespace painttest

namespace painttest {
namespace {

// Controls come, move and go on the window's thread while another thread
// invalidates and begins painting their parent, walking its controls and
// reading their rectangles. A control leaves its records to the walks that
// may still hold it, and is freed once none runs.
TEST_F(PaintTest, ControlsComeAndGoWhileAnotherThreadRepaintsTheirParent) {
  constexpr uint32_t kExcludeChildren = 0x80000000u;  // BeginPaint walks the controls too
  WindowHandle parent = LoggedMain({0, 0, 300, 300}, WS_VISIBLE, kExcludeChildren);
  WindowHandle steady = LoggedControl(parent, {0, 0, 20, 20}, 1);
  Quiet();
  std::atomic<bool> stop{false};
  std::atomic<int> walks{0};
  std::thread repainter([&] {
    while (!stop.load()) {
      InvalidateRect(parent, nullptr, TRUE);
      EndPaint(parent, BeginPaint(parent));
      ++walks;
    }
  });
  while (walks.load() == 0) sched_yield();
  for (int round = 0; round < 300; ++round) {
    WindowHandle passing = LoggedControl(parent, {40, 40, 90, 60}, 2 + round);
    ASSERT_NE(passing, GUI_INVALID_HANDLE);
    MoveWindowTo(passing, round % 2 ? Rect{100, 40, 150, 60} : Rect{40, 100, 90, 120}, false);
    EXPECT_TRUE(DestroyWindow(passing));
    if (round % 20 == 0) Quiet();
  }
  stop = true;
  repainter.join();
  Quiet();
  EXPECT_EQ(GetNextChild(parent, 0), steady);
  EXPECT_EQ(ReclaimRetiredControls(), 0u);  // nothing kept once no walk runs
}

}  // namespace
}  // namespace painttest
