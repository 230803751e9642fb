// Creation and destruction of main windows and controls: the messages each
// window receives, in order, and what the desktop keeps afterwards.
#include <sched.h>

#include <atomic>

#include "core/control_layer.h"
#include "core/desktop/tests/desktop_fixture.h"
#include "core/startup/input_helpers.h"
#include "core/window/window_threads.h"
#include "gui/desktop.h"
#include "gui/message.h"
#include "gui/window_attr.h"

namespace desktest {
namespace {

using Messages = std::vector<int>;

class Lifecycle : public DesktopTest {};

TEST_F(Lifecycle, VisibleMainWindowIsCreatedStackedPaintedAndActivated) {
  WindowHandle a = Main({10, 20, 110, 220});
  ASSERT_NE(a, GUI_INVALID_HANDLE);
  // 178 and 176 come from the desktop while creation waits for request 240.
  EXPECT_EQ(Recorder::Instance().TakeFor(a), (Messages{MSG_NCCREATE, MSG_SIZECHANGING, MSG_SIZECHANGED, MSG_NCPAINT,
                                                        MSG_ERASEBKGND, MSG_CREATE}));
  Drain();
  std::vector<Seen> queued = Recorder::Instance().TakeSeenFor(a);
  std::vector<Seen> expected = {{a, MSG_SHOWWINDOW, 256}, {a, MSG_ACTIVATE, 1}, {a, MSG_NCACTIVATE, 1},
                                {a, MSG_SETFOCUS, 0},     {a, MSG_PAINT, 0}};
  EXPECT_EQ(queued, expected);

  WindowRecord* rec = Rec(a);
  EXPECT_EQ(rec->window.left, 10);
  EXPECT_EQ(rec->window.bottom, 220);
  EXPECT_EQ(ListOrder(MainDisplayList()), std::vector<WindowHandle>{a});
  EXPECT_EQ(Request(MSG_DT_GETACTIVEMAIN), a);
  EXPECT_EQ(GetHosting(a), __gui_hwnd_desktop);
  EXPECT_EQ(GetParent(a), 0u);
  EXPECT_EQ(GetMainWindowHandle(a), a);
}

// Another thread may still hold the handle of a window that was cleaned up
// (and check it): the check answers "gone", a second clean-up does nothing.
TEST_F(Lifecycle, ACleanedUpWindowsHandleReadsAsGone) {
  MainWinCreate create = MainWindowCreation({10, 10, 60, 60}, RecordingProc, "gone");
  WindowHandle a = CreateMainWindow(&create);
  ASSERT_NE(a, GUI_INVALID_HANDLE);
  ASSERT_TRUE(DestroyMainWindow(a));
  MainWindowThreadCleanup(a);
  EXPECT_FALSE(IsMainWindow(a));
  EXPECT_EQ(ValidWindow(a), nullptr);
  Rect r{};
  EXPECT_FALSE(GetWindowRect(a, &r));
  MainWindowThreadCleanup(a);
  // Later windows come and go; the handle still reads as gone meanwhile.
  for (int i = 0; i < 8; ++i) {
    WindowHandle b = CreateMainWindow(&create);
    ASSERT_NE(b, GUI_INVALID_HANDLE);
    DestroyMainWindow(b);
    MainWindowThreadCleanup(b);
  }
  EXPECT_FALSE(IsMainWindow(a));
}

TEST_F(Lifecycle, HiddenMainWindowGetsNoPaintAndStaysInactive) {
  WindowHandle a = Main({0, 0, 50, 50}, 0);
  EXPECT_EQ(Recorder::Instance().TakeFor(a), (Messages{MSG_NCCREATE, MSG_SIZECHANGING, MSG_SIZECHANGED, MSG_CREATE}));
  Drain();
  EXPECT_TRUE(Recorder::Instance().TakeFor(a).empty());
  EXPECT_EQ(Request(MSG_DT_GETACTIVEMAIN), 0u);
  EXPECT_TRUE(DesktopClipHolds(10, 10));
}

TEST_F(Lifecycle, RefusedCreateLeavesNoTrace) {
  Recorder::Instance().refuseCreate = 1;
  MainWinCreate create = MainWindowCreation({0, 0, 40, 40}, RecordingProc, "refused");
  EXPECT_EQ(CreateMainWindow(&create), GUI_INVALID_HANDLE);
  EXPECT_EQ(MainDisplayList().count, 0u);
  EXPECT_EQ(Request(MSG_DT_GETACTIVEMAIN), 0u);
  EXPECT_TRUE(DesktopClipHolds(20, 20));
  // The thread's queue record made for it is gone again.
  EXPECT_EQ(CurrentThreadMsgInfo(), nullptr);
  EXPECT_EQ(CreateMainWindow(nullptr), GUI_INVALID_HANDLE);
}

// Messages already queued for a window whose creation failed would reach a
// freed record; they are thrown away with it.
bool QueueHoldsMessageFor(WindowHandle any, WindowHandle gone) {
  bool found = false;
  Message msg;
  for (int guard = 0; guard < 1000 && PeekMessage(&msg, any, 0, 0, TRUE); ++guard)
    if (msg.hwnd == gone) found = true;
  return found;
}

WindowHandle FirstCreated(const std::vector<Seen>& seen) {
  for (const Seen& s : seen)
    if (s.message == MSG_NCCREATE) return s.hwnd;
  return 0;
}

LResult PostsThenRefuses(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  Recorder::Instance().Add({hwnd, msg, wParam, lParam});
  if (msg == MSG_CREATE) {
    PostMessage(hwnd, MSG_COMMAND, 0, 0);
    return 1;
  }
  return MinimalWindowProc(hwnd, msg, wParam, lParam);
}

TEST_F(Lifecycle, RefusedWindowsSharingAQueueLeaveNoMessagesForTheirRecords) {
  WindowHandle a = Main({0, 0, 200, 200});
  Settle();
  Recorder::Instance().refuseCreate = 1;
  EXPECT_EQ(Main({10, 10, 60, 60}), GUI_INVALID_HANDLE);  // shown, activated, then refused
  Recorder::Instance().refuseCreate = 0;
  WindowHandle gone = FirstCreated(Recorder::Instance().Take());
  ASSERT_NE(gone, 0u);
  EXPECT_FALSE(QueueHoldsMessageFor(a, gone));

  WndClassInfo info{};
  info.className = "postrefuse";
  info.windowProc = PostsThenRefuses;
  SendMessage(__gui_hwnd_desktop, MSG_DT_ADDCTRLCLASS, 0, reinterpret_cast<LParam>(&info));
  EXPECT_EQ(CreateWindowEx("postrefuse", "c", WS_VISIBLE, 0, 1, 0, 0, 10, 10, a, 0), GUI_INVALID_HANDLE);
  gone = FirstCreated(Recorder::Instance().Take());
  ASSERT_NE(gone, 0u);
  EXPECT_FALSE(QueueHoldsMessageFor(a, gone));
  SendMessage(__gui_hwnd_desktop, MSG_DT_DELCTRLCLASS, 0, reinterpret_cast<LParam>("postrefuse"));
}

TEST_F(Lifecycle, SecondWindowOnAThreadIsHostedByTheFirst) {
  WindowHandle a = Main({0, 0, 100, 100});
  WindowHandle b = Main({20, 20, 60, 60});
  EXPECT_EQ(GetHosting(b), a);
  EXPECT_EQ(GetFirstHosted(a), b);
  EXPECT_EQ(GetNextHosted(a, b), 0u);
  EXPECT_EQ(GetNextHosted(b, a), 0u);  // a is not hosted by b
  EXPECT_EQ(GetNextMainWindow(0), b);
  EXPECT_EQ(GetNextMainWindow(b), a);
  EXPECT_EQ(GetNextMainWindow(a), 0u);
}

// A window made on a thread whose first window is destroyed but not yet
// cleaned up takes over the thread's queue: cleaning the old one up leaves
// the queue to the new one, and a refused new window gives it back.
TEST_F(Lifecycle, NewFirstWindowOfAThreadTakesOverItsQueue) {
  WindowHandle a = Main({0, 0, 100, 100});
  ASSERT_TRUE(DestroyMainWindow(a));
  Recorder::Instance().refuseCreate = 1;
  EXPECT_EQ(Main({0, 0, 50, 50}), GUI_INVALID_HANDLE);
  Recorder::Instance().refuseCreate = 0;
  EXPECT_EQ(CurrentThreadMsgInfo()->mainWindow, Rec(a));

  WindowHandle b = Main({0, 0, 50, 50});
  ASSERT_NE(b, GUI_INVALID_HANDLE);
  EXPECT_EQ(GetHosting(b), __gui_hwnd_desktop);
  MainWindowThreadCleanup(a);
  windows_.erase(std::find(windows_.begin(), windows_.end(), a));
  ASSERT_NE(CurrentThreadMsgInfo(), nullptr);
  EXPECT_EQ(PostMessage(b, MSG_COMMAND, 5, 0), 0);
  Message msg{};
  ASSERT_TRUE(PeekMessage(&msg, b, MSG_COMMAND, MSG_COMMAND, TRUE));
  EXPECT_EQ(msg.wParam, 5u);

  ASSERT_TRUE(Destroy(b));
  EXPECT_EQ(CurrentThreadMsgInfo(), nullptr);  // the last owner released it
}

TEST_F(Lifecycle, PreviewWindowIsFullSizeOnTheOtherListAndCannotBeDestroyed) {
  WindowHandle p = Main({5, 5, 10, 10}, WS_VISIBLE, WS_EX_PREVIEW);
  ASSERT_NE(p, GUI_INVALID_HANDLE);
  EXPECT_EQ(Rec(p)->window.right, 1024);
  EXPECT_EQ(Rec(p)->window.bottom, 768);
  EXPECT_EQ(ListOrder(AuxDisplayList()), std::vector<WindowHandle>{p});
  EXPECT_EQ(MainDisplayList().count, 0u);
  EXPECT_EQ(FirstPreviewWindow(getMainOutputHook()), p);
  EXPECT_EQ(Desk().activeAux, p);
  EXPECT_FALSE(DestroyMainWindow(p));
  EXPECT_TRUE(IsMainWindow(p));
  // Clean-up of the fixture cannot destroy it either: take it off by hand.
  Request(MSG_DT_REMOVEMAINWIN, p);
  Rec(p)->exStyle &= ~WS_EX_PREVIEW;
}

// The preview window outlives the thread's first window, which hosted it:
// the queue both read stays until the preview window is cleaned up.
TEST_F(Lifecycle, RefusingPreviewWindowKeepsTheQueueOfTheFirstWindowItOutlives) {
  WindowHandle a = Main({0, 0, 100, 100});
  WindowHandle p = Main({0, 0, 10, 10}, WS_VISIBLE, WS_EX_PREVIEW);
  ASSERT_EQ(GetHosting(p), a);
  ASSERT_TRUE(Destroy(a));
  EXPECT_TRUE(IsMainWindow(p));
  ASSERT_NE(CurrentThreadMsgInfo(), nullptr);
  EXPECT_EQ(CurrentThreadMsgInfo()->mainWindow, Rec(p));
  EXPECT_EQ(PostMessage(p, MSG_COMMAND, 7, 0), 0);
  Message msg{};
  ASSERT_TRUE(PeekMessage(&msg, p, MSG_COMMAND, MSG_COMMAND, TRUE));
  EXPECT_EQ(msg.wParam, 7u);

  // A later window of the thread is hosted by the preview window.
  WindowHandle b = Main({0, 0, 50, 50});
  EXPECT_EQ(GetHosting(b), p);
  ASSERT_TRUE(Destroy(b));
  Rec(p)->exStyle &= ~WS_EX_PREVIEW;
  ASSERT_TRUE(Destroy(p));
  EXPECT_EQ(CurrentThreadMsgInfo(), nullptr);  // the last owner released it
}

TEST_F(Lifecycle, DestroyedMainWindowIsRemovedAndKeptUntilCleanup) {
  WindowHandle a = Main({0, 0, 100, 100});
  WindowHandle b = Main({50, 50, 150, 150});
  Drain();
  Recorder::Instance().Take();
  ASSERT_TRUE(DestroyMainWindow(b));
  Drain();
  // b is asked first; then a repaints what b uncovered and becomes active.
  std::vector<Seen> all = Recorder::Instance().Take();
  Messages forA, forB;
  for (const Seen& s : all) (s.hwnd == a ? forA : forB).push_back(s.message);
  EXPECT_EQ(forB, Messages{MSG_DESTROY});
  EXPECT_EQ(forA, (Messages{MSG_NCPAINT, MSG_ERASEBKGND, MSG_ACTIVATE, MSG_NCACTIVATE, MSG_SETFOCUS, MSG_PAINT}));
  EXPECT_EQ(Rec(b)->dataType, kWindowDestroyed);
  EXPECT_FALSE(IsWindow(b));
  EXPECT_EQ(ListOrder(MainDisplayList()), std::vector<WindowHandle>{a});
  EXPECT_EQ(Request(MSG_DT_GETACTIVEMAIN), a);
  EXPECT_EQ(GetFirstHosted(a), 0u);
  EXPECT_TRUE(ClipHolds(a, 99, 99));
  EXPECT_TRUE(DesktopClipHolds(120, 120));
  MainWindowThreadCleanup(b);
  windows_.erase(std::remove(windows_.begin(), windows_.end(), b), windows_.end());
}

TEST_F(Lifecycle, RefusedDestroyKeepsTheWindow) {
  WindowHandle a = Main({0, 0, 100, 100});
  Recorder::Instance().refuseDestroy = 1;
  EXPECT_FALSE(DestroyMainWindow(a));
  EXPECT_TRUE(IsMainWindow(a));
  EXPECT_EQ(MainDisplayList().count, 1u);
  Recorder::Instance().refuseDestroy = 0;
  EXPECT_FALSE(DestroyMainWindow(0));
  EXPECT_FALSE(DestroyMainWindow(GUI_INVALID_HANDLE));
}

TEST_F(Lifecycle, ControlCreationOrderAndFamilyLinks) {
  WindowHandle a = Main({0, 0, 200, 200});
  Drain();
  Recorder::Instance().Take();
  WindowHandle c1 = Control(a, {10, 10, 50, 30}, 1);
  WindowHandle c2 = CreateWindowEx(kTestClass, nullptr, WS_VISIBLE, 0, 2, 60, 10, 40, 20, a, 7);
  ASSERT_NE(c1, GUI_INVALID_HANDLE);
  ASSERT_NE(c2, GUI_INVALID_HANDLE);
  // A visible control of a visible parent is painted before creation returns.
  Messages expected = {MSG_NCCREATE, MSG_CREATE,  MSG_SIZECHANGING, MSG_SIZECHANGED,
                       MSG_SIZECHANGED, MSG_NCPAINT, MSG_ERASEBKGND,   MSG_PAINT};
  EXPECT_EQ(Recorder::Instance().TakeFor(c1), expected);
  EXPECT_STREQ(Rec(c2)->caption, "");
  EXPECT_EQ(Rec(c2)->additionalData, 7);
  EXPECT_TRUE(Rec(c1)->style & WS_CHILD);
  EXPECT_EQ(GetNextChild(a, 0), c1);
  EXPECT_EQ(GetNextChild(a, c1), c2);
  EXPECT_EQ(GetNextChild(c1, c2), 0u);  // c2 is not c1's child
  EXPECT_EQ(GetParent(c1), a);
  EXPECT_EQ(GetMainWindowHandle(c2), a);
  EXPECT_EQ(IsControl(c1), 1);
  EXPECT_EQ(IsMainWindow(c1), 0);
  EXPECT_EQ(FindControlClass(kTestClass)->usageCount, 2);
  EXPECT_EQ(Rec(c1)->clipInfo, Rec(a)->clipInfo);

  EXPECT_EQ(CreateWindowEx("no such class", "x", 0, 0, 3, 0, 0, 1, 1, a, 0), GUI_INVALID_HANDLE);
  EXPECT_EQ(CreateWindowEx(kTestClass, "x", 0, 0, 3, 0, 0, 1, 1, 0, 0), GUI_INVALID_HANDLE);
  EXPECT_EQ(CreateWindowEx(kTestClass, "x", 0, 0, 3, 0, 0, 1, 1, __gui_hwnd_desktop, 0), GUI_INVALID_HANDLE);
  EXPECT_EQ(GetNextChild(__gui_hwnd_desktop, 0), 0u) << "the desktop has no children";
  EXPECT_EQ(FindControlClass(kTestClass)->usageCount, 2);
}

TEST_F(Lifecycle, RefusedControlIsTakenOffItsParentAgain) {
  WindowHandle a = Main({0, 0, 200, 200});
  Recorder::Instance().refuseCreate = 1;
  EXPECT_EQ(Control(a, {0, 0, 10, 10}, 1), GUI_INVALID_HANDLE);
  Recorder::Instance().refuseCreate = 0;
  EXPECT_EQ(GetNextChild(a, 0), 0u);
  EXPECT_EQ(FindControlClass(kTestClass)->usageCount, 0);
}

TEST_F(Lifecycle, DestroyingAControlClearsTheParentsPointersAndFreesIt) {
  WindowHandle a = Main({0, 0, 200, 200});
  WindowHandle c1 = Control(a, {10, 10, 50, 30}, 1);
  WindowHandle c2 = Control(a, {60, 10, 90, 30}, 2);
  WindowHandle inner = Control(c1, {0, 0, 5, 5}, 3);
  Rec(a)->activeChild = Rec(c1);
  Rec(a)->childUnderPointer = Rec(c1);
  Request(MSG_DT_SETCAPTURE, c1);
  Drain();
  Recorder::Instance().Take();
  EXPECT_TRUE(DestroyWindow(c1));
  std::vector<Seen> seen = Recorder::Instance().Take();
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0], (Seen{c1, MSG_DESTROY, 0}));
  EXPECT_EQ(seen[1], (Seen{inner, MSG_DESTROY, 0}));
  EXPECT_EQ(Rec(a)->activeChild, nullptr);
  EXPECT_EQ(Rec(a)->childUnderPointer, nullptr);
  EXPECT_EQ(Request(MSG_DT_GETCAPTURE), 0u);
  EXPECT_EQ(GetNextChild(a, 0), c2);
  EXPECT_EQ(FindControlClass(kTestClass)->usageCount, 1);
  EXPECT_FALSE(DestroyWindow(a));  // not a control
}

// The desktop's caret window must not outlive the control holding it: the
// tick reads it every 100 ms.
TEST_F(Lifecycle, DestroyedControlStopsBeingTheCaretWindow) {
  WindowHandle a = Main({0, 0, 200, 200});
  WindowHandle c = Control(a, {10, 10, 50, 30}, 1);
  WindowHandle inner = Control(c, {0, 0, 5, 5}, 2);
  Request(MSG_DT_CARETCREATE, inner);
  ASSERT_TRUE(DestroyWindow(c));
  Request(MSG_TIMER);
  EXPECT_EQ(Desk().caretWindow, 0u);
}

// A tool window destroyed without unregistering leaves its slot free for
// the next one instead of a handle to a freed record.
TEST_F(Lifecycle, DestroyedToolWindowsLeaveTheirSlots) {
  Main({0, 0, 100, 100});  // hosts the others
  WindowHandle tip = Main({300, 300, 320, 320}, WS_VISIBLE, WS_EX_TOPMOST);
  WindowHandle ime = Main({300, 400, 320, 420}, 0, WS_EX_TOPMOST);
  ASSERT_EQ(Request(MSG_DT_REGBUBBLETIP, tip), 0u);
  ASSERT_EQ(Request(MSG_DT_REGIME, ime), 0u);
  ASSERT_TRUE(Destroy(tip));
  ASSERT_TRUE(Destroy(ime));
  EXPECT_EQ(Desk().bubbleTip, GUI_INVALID_HANDLE);
  EXPECT_EQ(ImeWindow(), 0u);
  WindowHandle next = Main({300, 300, 320, 320}, WS_VISIBLE, WS_EX_TOPMOST);
  EXPECT_EQ(Request(MSG_DT_REGBUBBLETIP, next), 0u);
  EXPECT_EQ(Request(MSG_DT_UNREGBUBBLETIP, next), 0u);
}

TEST_F(Lifecycle, DestroyingAMainWindowTakesItsControlsAndHostedWindows) {
  WindowHandle a = Main({0, 0, 200, 200});
  WindowHandle b = Main({10, 10, 50, 50});
  WindowHandle c = Control(a, {10, 10, 50, 30}, 1);
  ASSERT_TRUE(Destroy(a));
  EXPECT_EQ(MainDisplayList().count, 0u);
  EXPECT_EQ(FindControlClass(kTestClass)->usageCount, 0);
  EXPECT_EQ(Request(MSG_DT_GETACTIVEMAIN), 0u);
  windows_.clear();  // b was cleaned up with a
  (void)b;
  (void)c;
}

// The soft-keyboard state of the address edits (the MAC field's mode icon)
// belongs to the window being typed into: it ends with every main window.
std::atomic<int> g_ipEditSkbState{-1};
void RecordIpEditSkbState(int flag) { g_ipEditSkbState = flag; }

TEST_F(Lifecycle, DestroyingAMainWindowClearsTheAddressEditsSoftKeyboardState) {
  ControlLayer layer{};
  layer.setIPEditSkbState = RecordIpEditSkbState;
  InstallControlLayer(layer);
  WindowHandle refusing = Main({0, 0, 100, 100});
  WindowHandle going = Main({0, 0, 200, 200});
  g_ipEditSkbState = 1;
  Recorder::Instance().refuseDestroy = 1;
  EXPECT_FALSE(Destroy(refusing));
  EXPECT_EQ(g_ipEditSkbState, 1) << "a refused destruction changes nothing";
  Recorder::Instance().refuseDestroy = 0;
  ASSERT_TRUE(Destroy(going));
  EXPECT_EQ(g_ipEditSkbState, 0);
}

}  // namespace
}  // namespace desktest

namespace desktest {
namespace {

// A main window on a thread of its own that records what it gets.
MainWinCreate OwnThreadCreation() {
  return MainWindowCreation({100, 100, 300, 300}, OwnThreadWindow::CloseOrRecord, "own thread");
}

class WindowThreads : public DesktopTest {};

TEST_F(WindowThreads, WindowOnItsOwnThreadIsWaitedForUntilClosed) {
  WindowHandle mine = Main({0, 0, 200, 200});
  OwnThreadWindow other(OwnThreadCreation());
  pthread_t thread;
  ASSERT_EQ(CreateThreadForMainWindow(&thread, nullptr, OwnThreadWindow::Run, &other), 0);
  other.created.Wait();
  WindowHandle theirs = other.hwnd;
  ASSERT_NE(theirs, GUI_INVALID_HANDLE);
  EXPECT_TRUE(pthread_equal(GetMainWinThread(theirs), thread));
  EXPECT_EQ(GetHosting(theirs), __gui_hwnd_desktop);  // a queue of its own
  EXPECT_EQ(Request(MSG_DT_GETACTIVEMAIN), theirs);
  EXPECT_EQ(ListOrder(MainDisplayList()), (std::vector<WindowHandle>{theirs, mine}));

  PostMessage(theirs, MSG_CLOSE, 0, 0);
  EXPECT_EQ(WaitMainWindowClose(theirs, nullptr), 0);
  EXPECT_EQ(ListOrder(MainDisplayList()), std::vector<WindowHandle>{mine});
  EXPECT_EQ(Request(MSG_DT_GETACTIVEMAIN), mine);
  EXPECT_EQ(WaitMainWindowClose(GUI_INVALID_HANDLE, nullptr), -1);
}

TEST_F(WindowThreads, UnwaitedWindowThreadIsDetachedAtCleanup) {
  OwnThreadWindow other(OwnThreadCreation());
  pthread_t thread;
  ASSERT_EQ(CreateThreadForMainWindow(&thread, nullptr, OwnThreadWindow::Run, &other), 0);
  other.created.Wait();
  WindowHandle theirs = other.hwnd;
  SendNotifyMessage(theirs, MSG_CLOSE, 0, 0);
  // The window leaves the stack once its thread destroyed it.
  for (int i = 0; i < 100000 && GetNextMainWindow(0) != 0; ++i) sched_yield();
  EXPECT_EQ(Request(MSG_DT_GETACTIVEMAIN), 0u);
  // Nobody waits: the ended thread is joined by the next reaping.
  for (int i = 0; i < 100000 && UnjoinedMainWindowThreads() != 0; ++i) {
    ReapMainWindowThreads();
    sched_yield();
  }
  EXPECT_EQ(UnjoinedMainWindowThreads(), 0u);
}

// A window thread that, once its window is cleaned up, lingers until
// released before it returns, as a closed tool window's thread may still be
// on its way out when the toolkit ends.
struct LingeringWindow : OwnThreadWindow {
  using OwnThreadWindow::OwnThreadWindow;
  Semaphore cleaned, release;
  std::atomic<bool> returned{false};

  static void* Run(void* arg) {
    auto* self = static_cast<LingeringWindow*>(arg);
    OwnThreadWindow::Run(static_cast<OwnThreadWindow*>(self));
    self->cleaned.Post();
    self->release.Wait();
    for (int i = 0; i < 1000; ++i) sched_yield();  // the rest of its way out
    self->returned = true;
    return nullptr;
  }
};

TEST_F(WindowThreads, ThreadWhoseWindowEndedIsJoinedAtTheEndEvenBeforeItReturns) {
  LingeringWindow other(OwnThreadCreation());
  pthread_t thread;
  ASSERT_EQ(CreateThreadForMainWindow(&thread, nullptr, LingeringWindow::Run, &other), 0);
  other.created.Wait();
  SendMessage(other.hwnd, MSG_CLOSE, 0, 0);
  other.cleaned.Wait();
  EXPECT_EQ(UnjoinedMainWindowThreads(), 1u);
  other.release.Post();
  JoinThreadsOfEndedWindows();
  EXPECT_TRUE(other.returned) << "the end went on while the thread still ran";
  EXPECT_EQ(UnjoinedMainWindowThreads(), 0u);
  if (UnjoinedMainWindowThreads() != 0) WaitMainWindowClose(other.hwnd, nullptr);  // `other` is about to go
}

}  // namespace
}  // namespace desktest
