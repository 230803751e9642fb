#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "core/desktop/desktop.h"
#include "core/desktop/zorder.h"
#include "core/message/refresh_list.h"
#include "core/message/tests/hand_made_windows.h"
#include "core/input/event_thread.h"
#include "gui/app_hooks.h"
#include "gui/caret.h"
#include "gui/desktop.h"
#include "gui/timer.h"
#include "gui/window.h"

namespace {

class QueueTest : public ::testing::Test {
 protected:
  void SetUp() override { Recorder::Instance().Take(); }
  void TearDown() override {
    KillTimer(H(main_), 0);
    Recorder::Instance().Take();
  }
  ThreadQueue thread_;
  std::unique_ptr<MainWinRecord> main_ = MakeMainWindow(thread_.info());
};

// Damage as invalidation adds it, the region marked as holding some; taken
// away as a paint empties it, the mark left for the search to clear.
void MarkDamaged(WindowRecord* win, bool damaged) {
  static const Rect kDamage{0, 0, 4, 4};
  std::lock_guard<std::mutex> hold(win->invalid.lock);
  if (damaged) {
    win->invalid.mayHoldDamage = true;
    AddClipRect(&win->invalid.region, &kDamage);
  } else {
    EmptyClipRgn(&win->invalid.region);
  }
}

TEST_F(QueueTest, SourcesAreReadNotifyPostedPaintThenTimer) {
  auto ctl = MakeControl(main_.get(), 7);
  ASSERT_TRUE(SetTimer(H(main_), 3, 1));
  TimerTick(1);
  PostMessage(H(main_), 100, 1, 0);
  PostMessage(H(main_), 101, 2, 0);
  PostMessage(H(main_), MSG_PAINT, 0, 0);
  SendNotifyMessage(H(ctl), 102, 3, 0);
  MarkDamaged(ctl.get(), true);

  Message msg;
  std::vector<Seen> got;
  for (int i = 0; i < 5 && PeekMessage(&msg, H(main_), 0, 0, TRUE); ++i) {
    got.push_back({msg.hwnd, msg.message, msg.wParam, 0});
    if (msg.message == MSG_PAINT) MarkDamaged(ctl.get(), false);
  }
  std::vector<Seen> expected = {{H(ctl), 102, 3, 0},
                                {H(main_), 100, 1, 0},
                                {H(main_), 101, 2, 0},
                                {H(ctl), MSG_PAINT, 0, 0},
                                {H(main_), MSG_TIMER, 3, 0}};
  EXPECT_EQ(got, expected);
  EXPECT_FALSE(PeekMessage(&msg, H(main_), 0, 0, TRUE));
  EXPECT_FALSE(HavePendingMessage(0));
}

TEST_F(QueueTest, PaintSearchGoesDepthFirstAndKeepsTheMarkWhileDamageRemains) {
  auto hosted = MakeMainWindow(thread_.info());
  main_->firstHosted = hosted.get();
  auto ctl = MakeControl(main_.get(), 1);
  auto grandChild = MakeControl(ctl.get(), 2);
  MarkDamaged(hosted.get(), true);
  MarkDamaged(grandChild.get(), true);
  PostMessage(H(main_), MSG_PAINT, 0, 0);
  PostMessage(H(main_), MSG_PAINT, 0, 0);  // a second paint post adds nothing

  Message msg;
  ASSERT_TRUE(PeekMessage(&msg, H(main_), 0, 0, TRUE));
  EXPECT_EQ(msg.hwnd, H(grandChild));
  EXPECT_NE(msg.lParam, 0);
  ASSERT_TRUE(PeekMessage(&msg, H(main_), 0, 0, TRUE));
  EXPECT_EQ(msg.hwnd, H(grandChild));  // still damaged
  MarkDamaged(grandChild.get(), false);
  ASSERT_TRUE(PeekMessage(&msg, H(main_), 0, 0, TRUE));
  EXPECT_EQ(msg.hwnd, H(hosted));
  MarkDamaged(hosted.get(), false);
  EXPECT_FALSE(PeekMessage(&msg, H(main_), 0, 0, TRUE));
  EXPECT_FALSE(HavePendingMessage(H(main_)));
}

// Preview windows of the two displays paint for each other: with the
// auxiliary display current the search starts at the main display's preview
// window, and a search that finds nothing looks again from the current
// display's first preview window.
TEST_F(QueueTest, PaintSearchFollowsThePreviewWindows) {
  auto preview = MakeMainWindow(thread_.info());
  preview->exStyle = WS_EX_PREVIEW;
  ZOrderNode node{H(preview), nullptr};
  AuxDisplayList().head = &node;  // where the main display's preview window stands
  MarkDamaged(preview.get(), true);
  Message msg;

  PostMessage(H(main_), MSG_PAINT, 0, 0);  // main display current: found on the second search
  ASSERT_TRUE(PeekMessage(&msg, H(main_), 0, 0, TRUE));
  EXPECT_EQ(msg.hwnd, H(preview));

  main_->exStyle = WS_EX_PREVIEW;
  ZOrderNode ownNode{H(main_), nullptr};
  MainDisplayList().head = &ownNode;
  auto ctl = MakeControl(main_.get(), 1);
  MarkDamaged(ctl.get(), true);
  setCurOutputHook(getAuxOutputHook());
  ASSERT_TRUE(PeekMessage(&msg, H(main_), 0, 0, TRUE));
  EXPECT_EQ(msg.hwnd, H(preview));  // the thread's own damaged control waits
  MarkDamaged(preview.get(), false);
  ASSERT_TRUE(PeekMessage(&msg, H(main_), 0, 0, TRUE));
  EXPECT_EQ(msg.hwnd, H(ctl));
  MarkDamaged(ctl.get(), false);
  EXPECT_FALSE(PeekMessage(&msg, H(main_), 0, 0, TRUE));

  setCurOutputHook(getMainOutputHook());
  AuxDisplayList().head = nullptr;
  MainDisplayList().head = nullptr;
  main_->exStyle = 0;
}

// The preview window's tree holds other threads' windows (a soft keyboard
// searching for its paint walked into a dialog's buttons): only this
// thread's own windows are taken from it.
TEST_F(QueueTest, PaintSearchTakesNoOtherThreadsWindow) {
  MsgQueue otherQueue;
  auto preview = MakeMainWindow(thread_.info());
  preview->queue = &otherQueue;  // read by another thread
  preview->exStyle = WS_EX_PREVIEW;
  auto foreignButton = MakeControl(preview.get(), 1);
  auto ownDialog = MakeMainWindow(thread_.info());
  preview->firstHosted = ownDialog.get();
  ZOrderNode node{H(preview), nullptr};
  AuxDisplayList().head = &node;  // where the main display's preview window stands
  MarkDamaged(preview.get(), true);
  MarkDamaged(foreignButton.get(), true);
  MarkDamaged(ownDialog.get(), true);

  Message msg;
  PostMessage(H(main_), MSG_PAINT, 0, 0);
  ASSERT_TRUE(PeekMessage(&msg, H(main_), 0, 0, TRUE));
  EXPECT_EQ(msg.hwnd, H(ownDialog));
  MarkDamaged(ownDialog.get(), false);
  EXPECT_FALSE(PeekMessage(&msg, H(main_), 0, 0, TRUE));

  AuxDisplayList().head = nullptr;
  preview->firstHosted = nullptr;
}

TEST_F(QueueTest, RangeFilterBlocksOnlyTheSourceWhoseHeadFails) {
  PostMessage(H(main_), 5, 0, 0);
  PostMessage(H(main_), 10, 0, 0);
  SendNotifyMessage(H(main_), 10, 1, 0);
  Message msg;
  ASSERT_TRUE(PeekMessage(&msg, H(main_), 10, 10, TRUE));
  EXPECT_EQ(msg.wParam, 1u);  // the notification; the ring's head is 5
  EXPECT_FALSE(PeekMessage(&msg, H(main_), 10, 10, TRUE));
  // Pairs that are neither "all" nor a proper range admit nothing.
  EXPECT_FALSE(PeekMessage(&msg, H(main_), 7, 3, FALSE));
  EXPECT_FALSE(PeekMessage(&msg, H(main_), -1, 7, FALSE));
  EXPECT_FALSE(PeekMessage(&msg, H(main_), 0, 7, FALSE));
  ASSERT_TRUE(PeekMessage(&msg, H(main_), -3, 0, TRUE));
  EXPECT_EQ(msg.message, 5);
  ASSERT_TRUE(PeekMessage(&msg, H(main_), 1, 20, FALSE));
  EXPECT_EQ(msg.message, 10);
  // Peeking leaves it; PeekPostMessage sees the same oldest entry.
  ASSERT_TRUE(PeekPostMessage(&msg, H(main_), 10, 10, TRUE));
  EXPECT_FALSE(PeekPostMessage(&msg, H(main_), 0, 0, FALSE));
}

TEST_F(QueueTest, RingOfSizeNHoldsNMinusOne) {
  for (int i = 0; i < DEF_MSGQUEUE_LEN - 1; ++i) ASSERT_EQ(PostMessage(H(main_), 200, i, 0), 0) << i;
  EXPECT_EQ(PostMessage(H(main_), 200, 99, 0), MSG_ERR_DROPPED);
  Message msg;
  ASSERT_TRUE(PeekMessage(&msg, H(main_), 0, 0, TRUE));
  EXPECT_EQ(msg.wParam, 0u);
  EXPECT_EQ(PostMessage(H(main_), 200, 100, 0), 0);  // wraps into the freed entry
  EXPECT_EQ(DrainQueue(H(main_)), DEF_MSGQUEUE_LEN - 1);
  std::vector<Seen> seen = Recorder::Instance().Take();
  EXPECT_EQ(seen.back().wParam, 100u);

  MsgQueue small;
  ASSERT_EQ(InitMsgQueue(&small, 4), 1);
  EXPECT_EQ(small.ringSize, 4);
  DestroyMsgQueue(&small);
}

// Ticks posted faster than the thread reads fill no ring: one unread tick
// of a kind stands for the rest, per window, and what is posted next still
// finds room. A tick that has been read is queued again.
TEST_F(QueueTest, UnreadTicksAreNotQueuedTwiceAndLeaveRoomForWhatFollows) {
  auto other = MakeMainWindow(thread_.info());
  for (int i = 0; i < 2 * DEF_MSGQUEUE_LEN; ++i) {
    ASSERT_EQ(PostMessage(H(main_), MSG_BROADCAST_NOTICE, i, 0), 0) << i;
    ASSERT_EQ(PostMessage(H(other), MSG_BROADCAST_NOTICE, i, 0), 0) << i;
    ASSERT_EQ(PostMessage(H(main_), MSG_CARETBLINK, 0, 0), 0) << i;
  }
  ASSERT_EQ(PostMessage(H(main_), 200, 1, 0), 0);
  const auto readAll = [this] {
    std::vector<std::tuple<WindowHandle, int, WParam>> out;
    Message msg;
    while (PeekMessage(&msg, H(main_), 0, 0, TRUE)) out.emplace_back(msg.hwnd, msg.message, msg.wParam);
    return out;
  };
  using Read = std::vector<std::tuple<WindowHandle, int, WParam>>;
  EXPECT_EQ(readAll(), (Read{{H(main_), MSG_BROADCAST_NOTICE, 0},
                             {H(other), MSG_BROADCAST_NOTICE, 0},
                             {H(main_), MSG_CARETBLINK, 0},
                             {H(main_), 200, 1}}));
  ASSERT_EQ(PostMessage(H(main_), MSG_BROADCAST_NOTICE, 7, 0), 0);
  EXPECT_EQ(readAll(), (Read{{H(main_), MSG_BROADCAST_NOTICE, 7}}));
}

TEST_F(QueueTest, PostingToATornDownQueueIsDropped) {
  MsgQueue gone;
  ASSERT_EQ(InitMsgQueue(&gone, 4), 1);
  DestroyMsgQueue(&gone);
  MsgQueue* own = main_->queue;
  main_->queue = &gone;
  EXPECT_EQ(PostMessage(H(main_), 200, 0, 0), MSG_ERR_DROPPED);
  main_->queue = own;
}

TEST_F(QueueTest, EachQuitEndsOneGetMessage) {
  PostMessage(H(main_), 150, 0, 0);
  ASSERT_EQ(PostQuitMessage(H(main_)), 0);
  ASSERT_EQ(PostQuitMessage(H(main_)), 0);
  Message msg;
  EXPECT_FALSE(GetMessage(&msg, H(main_)));
  EXPECT_EQ(msg.message, MSG_QUIT);
  EXPECT_FALSE(GetMessage(&msg, H(main_)));
  ASSERT_TRUE(GetMessage(&msg, H(main_)));
  EXPECT_EQ(msg.message, 150);
  EXPECT_EQ(PostQuitMessage(0), MSG_ERR_INVALID);
}

TEST_F(QueueTest, InvalidTargetsAreRefused) {
  auto ctl = MakeControl(main_.get(), 1);
  EXPECT_EQ(PostMessage(0, 1, 0, 0), MSG_ERR_INVALID);
  EXPECT_EQ(PostMessage(GUI_INVALID_HANDLE, 1, 0, 0), MSG_ERR_INVALID);
  EXPECT_EQ(SendMessage(0, 1, 0, 0), MSG_ERR_INVALID);
  EXPECT_EQ(CallWindowProcDirect(0, 1, 0, 0), MSG_ERR_INVALID);
  // Reading needs a main window (or the desktop), not a control.
  Message msg;
  PostMessage(H(main_), 9, 0, 0);
  EXPECT_FALSE(PeekMessage(&msg, H(ctl), 0, 0, FALSE));
  main_->procedure = nullptr;
  EXPECT_EQ(SendMessage(H(main_), 1, 0, 0), MSG_ERR_INVALID);
  main_->dataType = kWindowDestroyed;
  EXPECT_EQ(PostMessage(H(main_), 1, 0, 0), MSG_ERR_INVALID);
  EXPECT_FALSE(GetMessage(&msg, H(main_)));  // ends a loop on a destroyed window
  EXPECT_EQ(PostQuitMessage(H(main_)), 0);   // still accepted for a destroyed one
}

TEST_F(QueueTest, MouseInputOnlyReachesWindowsOfTheCurrentDisplay) {
  GuiAppCallbacks twoOutputs = {};
  twoOutputs.getVideoOutputCount = [](uint8_t* count) {
    *count = 2;
    return 0;
  };
  SetAppCallbacks(&twoOutputs);
  auto ctl = MakeControl(main_.get(), 1);
  ZOrderNode node{H(main_), nullptr};
  AuxDisplayList().head = &node;  // the menus run on the main display
  EXPECT_EQ(PostMessage(H(main_), 1, 0, 0), MSG_ERR_OTHER_DISPLAY);
  EXPECT_EQ(PostMessage(H(ctl), 17, 0, 0), MSG_ERR_OTHER_DISPLAY);
  EXPECT_EQ(PostMessage(H(main_), 18, 0, 0), 0);  // keys are not refused here
  main_->exStyle |= 0x8;  // topmost windows show on every display
  EXPECT_EQ(PostMessage(H(main_), 1, 0, 0), 0);
  main_->exStyle = 0;
  AuxDisplayList().head = nullptr;
  MainDisplayList().head = &node;
  EXPECT_EQ(PostMessage(H(ctl), 2, 0, 0), 0);
  MainDisplayList().head = nullptr;
  SetAppCallbacks(nullptr);
}

TEST_F(QueueTest, SendToOwnThreadCallsTheProcedureDirectly) {
  EXPECT_EQ(SendMessage(H(main_), 42, 1, 2), 1042);
  EXPECT_EQ(Recorder::Instance().Take(), (std::vector<Seen>{{H(main_), 42, 1, 2}}));
  EXPECT_FALSE(HavePendingMessage(0));
}

TEST_F(QueueTest, DisabledWindowsMissInputOnly) {
  main_->style |= WS_DISABLED;
  for (int m : {1, 4, 16, 18, 19, 17, 20, 288}) {
    Message msg{H(main_), m, 0, 0, 0, nullptr};
    DispatchMessage(&msg);
  }
  EXPECT_EQ(Recorder::Instance().TakeMessages(), (std::vector<int>{17, 20, 288}));
  Message discarded{GUI_INVALID_HANDLE, 288, 0, 0, 0, nullptr};
  EXPECT_EQ(DispatchMessage(&discarded), MSG_ERR_INVALID);
}

TEST_F(QueueTest, ThrowAwayMarksEveryMessageOfTheWindowAndItsControls) {
  auto other = MakeMainWindow(thread_.info());
  auto ctl = MakeControl(main_.get(), 5);
  ASSERT_TRUE(SetTimer(H(ctl), 1, 1));
  ASSERT_TRUE(SetTimer(H(other), 2, 1));
  TimerTick(1);
  PostMessage(H(main_), 300, 0, 0);
  PostMessage(H(other), 301, 0, 0);
  PostMessage(H(ctl), 302, 0, 0);
  SendNotifyMessage(H(ctl), 303, 0, 0);
  EXPECT_EQ(ThrowAwayMessages(H(main_)), 3);
  DrainQueue(H(main_));
  EXPECT_EQ(Recorder::Instance().TakeMessages(), (std::vector<int>{301, MSG_TIMER}));
  EXPECT_EQ(ThrowAwayMessages(0), MSG_ERR_INVALID);
  KillTimer(H(ctl), 0);
  KillTimer(H(other), 0);
}

TEST_F(QueueTest, NotifyParentUsesTheCallbackOrMessage288) {
  auto ctl = MakeControl(main_.get(), 0x1234);
  NotifyParentEx(H(ctl), 9, 77);
  DrainQueue(H(main_));
  EXPECT_EQ(Recorder::Instance().Take(),
            (std::vector<Seen>{{H(main_), MSG_COMMAND, (9u << 16) | 0x1234u, static_cast<LParam>(H(ctl))}}));

  static std::vector<int> codes;
  ctl->notification = [](WindowHandle, int id, int code, LParam data) { codes = {id, code, int(data)}; };
  NotifyParentEx(H(ctl), 4, 5);
  EXPECT_EQ(codes, (std::vector<int>{0x1234, 4, 5}));

  codes.clear();
  main_->style |= WS_DISABLED;
  NotifyParentEx(H(ctl), 4, 5);
  EXPECT_TRUE(codes.empty());
}

TEST(ThreadRegistry, RecordsAreFoundByThreadAndFreedWhenUnregistered) {
  ThreadMsgInfo* info = AllocThreadMsgQueue();
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(GetThreadMsgQueueRecord(ThreadKey(pthread_self())), info);
  EXPECT_EQ(info->queue->ringSize, DEF_MSGQUEUE_LEN);
  TermQueueRegistry();  // the record is no longer registered but is still freed
  EXPECT_EQ(GetThreadMsgQueueRecord(ThreadKey(pthread_self())), nullptr);
  FreeThreadMsgQueue(info);
}

// The test thread stands in for the desktop thread.
class DesktopQueueTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(BecomeDesktopThread()); }
  void TearDown() override { LeaveDesktopThread(); }
  std::vector<Message> ReadAll() {
    std::vector<Message> out;
    Message msg;
    while (PeekMessage(&msg, __gui_hwnd_desktop, 0, 0, TRUE)) out.push_back(msg);
    return out;
  }
};

TEST_F(DesktopQueueTest, MovesWithTheSameButtonsCoalesce) {
  for (int i = 0; i < 10; ++i) PostMessage(__gui_hwnd_desktop, MSG_MOUSEMOVE, 0, i);
  PostMessage(__gui_hwnd_desktop, MSG_MOUSEMOVE, 0x1000, 20);
  PostMessage(__gui_hwnd_desktop, MSG_MOUSEMOVE, 0x1000, 21);
  std::vector<Message> got = ReadAll();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].lParam, 9);
  EXPECT_EQ(got[1].lParam, 21);
  // A move never merges into an entry that was already read.
  PostMessage(__gui_hwnd_desktop, MSG_MOUSEMOVE, 0x1000, 22);
  EXPECT_EQ(ReadAll().size(), 1u);
}

TEST_F(DesktopQueueTest, LowLevelEventsBecomeDesktopMessages) {
  auto mouse = [](int code, int x, int y) { return LowLevelEvent{kEventMouse, 0, 0, code, x, y, 0x1000}; };
  PostLowLevelEvent(mouse(2, 1, 1));  // remembered place: (1, 1)
  ReadAll();
  PostLowLevelEvent(mouse(1, 10, 20));  // press at a new place: move first
  PostLowLevelEvent(mouse(2, 10, 20));  // release at the same place
  PostLowLevelEvent(mouse(0, 30, 40));  // moves do not change the remembered place
  PostLowLevelEvent(mouse(16, 10, 20));
  PostLowLevelEvent(mouse(512, 10, 20));
  PostLowLevelEvent(mouse(64, 10, 20));  // unknown code
  PostLowLevelEvent(LowLevelEvent{kEventKey, 0, 0, 1, 30, 0x20, 0});
  PostLowLevelEvent(LowLevelEvent{kEventKey, 0, 0, 8, 30, 0, 0});
  PostLowLevelEvent(LowLevelEvent{kEventKey, 0, 0, 3, 30, 0, 0});
  PostLowLevelEvent(LowLevelEvent{kEventTimeout, 6, 0, 0, 0, 0, 0});
  std::vector<int> numbers;
  for (const Message& m : ReadAll()) numbers.push_back(m.message);
  EXPECT_EQ(numbers, (std::vector<int>{4, 1, 2, 4, 5, 9, 18, 26, MSG_DT_IDLEBROADCAST}));
}

TEST_F(DesktopQueueTest, MouseEventsCarryPositionAndStatus) {
  PostLowLevelEvent(LowLevelEvent{kEventMouse, 0, 0, 0, 300, 200, 0x2000});
  std::vector<Message> got = ReadAll();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].wParam, 0x2000u);
  EXPECT_EQ(got[0].lParam, (200 << 16) | 300);
}

TEST_F(DesktopQueueTest, DesktopTimerMarkIsOneMessage) {
  PostMessage(__gui_hwnd_desktop, MSG_PAINT, 0, 0);
  {
    MsgQueue* q = DesktopRecord()->queue;
    std::lock_guard<std::mutex> hold(q->lock);
    q->timerMask = 1;
  }
  std::vector<Message> got = ReadAll();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].message, MSG_PAINT);
  EXPECT_EQ(got[1].message, MSG_TIMER);
  EXPECT_EQ(got[1].hwnd, __gui_hwnd_desktop);
}

class RefreshListTest : public QueueTest {
 protected:
  void SetUp() override {
    QueueTest::SetUp();
    ASSERT_TRUE(CreateRefreshList());
  }
  void TearDown() override {
    DestroyRefreshList();
    QueueTest::TearDown();
  }
};

TEST_F(RefreshListTest, SwitchHappensAtOnceBeforeAnyRefresh) {
  RequestDisplaySwitch();
  HandleRefreshMsgs();
  EXPECT_FALSE(IsDisplaySwitchPending());
}

TEST_F(RefreshListTest, SwitchWaitsOneTickAfterTheListRanEmpty) {
  ASSERT_EQ(SendRefreshMessage(H(main_), MSG_REFRESH_RECT, 0, (10 << 16) | 10), 0);
  RequestDisplaySwitch();
  HandleRefreshMsgs();  // drains
  EXPECT_TRUE(IsDisplaySwitchPending());
  HandleRefreshMsgs();  // empty: the request becomes due
  EXPECT_TRUE(IsDisplaySwitchPending());
  HandleRefreshMsgs();  // carried out
  EXPECT_FALSE(IsDisplaySwitchPending());
}

TEST_F(RefreshListTest, MarkedTopmostRefresherDefersTheRequest) {
  main_->exStyle |= 0x8;
  main_->refreshMark = 1;
  SendRefreshMessage(H(main_), MSG_REFRESH_RECT, 0, 0);
  HandleRefreshMsgs();
  RequestDisplaySwitch();
  HandleRefreshMsgs();  // the mark is consumed, the request stays
  EXPECT_EQ(main_->refreshMark, 0);
  EXPECT_TRUE(IsDisplaySwitchPending());
  HandleRefreshMsgs();
  HandleRefreshMsgs();
  EXPECT_FALSE(IsDisplaySwitchPending());
}

TEST_F(RefreshListTest, OtherMessagesStopThePassAndStay) {
  SendRefreshMessage(H(main_), MSG_REFRESH_RECT, 0, 0);
  SendRefreshMessage(H(main_), 999, 0, 0);
  SendRefreshMessage(H(main_), MSG_REFRESH_RECT, 0, 0);
  RequestDisplaySwitch();
  HandleRefreshMsgs();
  EXPECT_FALSE(IsDisplaySwitchPending());  // handled as before any refresh
  EXPECT_EQ(SendRefreshMessage(0, MSG_REFRESH_RECT, 0, 0), MSG_ERR_INVALID);
}

}  // namespace
