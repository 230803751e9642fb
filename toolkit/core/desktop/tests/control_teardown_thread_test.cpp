// Controls torn down on their window's thread: they leave their parents'
// lists there, without waiting for the desktop, and the desktop forgets them
// all in one request at the end, before their records go.
#include <pthread.h>
#include <sched.h>

#include <atomic>
#include <thread>
#include <vector>

#include "core/desktop/tests/desktop_fixture.h"
#include "core/message/msg_queue.h"
#include "core/window/child_walk.h"
#include "gui/caret.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace desktest {
namespace {

constexpr int kControls = 40;

// A main window on a thread of its own with a row of controls (the first
// holding one of its own), torn down together when told.
struct PageThread {
  std::atomic<WindowHandle> main{0};
  std::atomic<WindowHandle> first{0}, inner{0};
  std::atomic<bool> tearDown{false}, tornDown{false}, finish{false};

  static void* Run(void* arg) {
    auto* self = static_cast<PageThread*>(arg);
    MainWinCreate create = MainWindowCreation({0, 0, 400, 300}, RecordingProc, "page");
    const WindowHandle main = CreateMainWindow(&create);
    for (int i = 0; main != GUI_INVALID_HANDLE && i < kControls; ++i) {
      const WindowHandle c = CreateWindowEx(kTestClass, "", WS_VISIBLE, 0, 100 + i, 10 * i, 10, 8, 20, main, 0);
      if (i == 0) {
        self->inner = CreateWindowEx(kTestClass, "", WS_VISIBLE, 0, 99, 0, 0, 4, 4, c, 0);
        self->first = c;
      }
    }
    self->main = main;
    while (!self->tearDown) sched_yield();
    DestroyAllControls(main);
    self->tornDown = true;
    while (!self->finish) sched_yield();
    DestroyMainWindow(main);
    MainWindowThreadCleanup(main);
    return nullptr;
  }
};

class Teardown : public DesktopTest {};

// The desktop names the first control as capturing the mouse and its inner
// one as holding the caret. The page's thread takes every control out while
// the desktop is held, and the desktop forgets both only once let go,
// before their records are freed.
TEST_F(Teardown, APagesControlsLeaveWithoutTheDesktopWhichForgetsThemAfter) {
  PageThread page;
  pthread_t t;
  ASSERT_EQ(pthread_create(&t, nullptr, PageThread::Run, &page), 0);
  ASSERT_TRUE(Eventually([&] { return page.main != 0; }));
  ASSERT_NE(page.main.load(), GUI_INVALID_HANDLE);
  Request(MSG_DT_SETCAPTURE, page.first);
  Request(MSG_DT_CARETCREATE, page.inner);
  ASSERT_EQ(Request(MSG_DT_GETCAPTURE), page.first.load());
  ASSERT_EQ(Desk().caretWindow, page.inner.load());
  {
    DesktopHeld held;
    page.tearDown = true;
    EXPECT_TRUE(Eventually([&] { return GetNextChild(page.main, 0) == 0; }));
    EXPECT_FALSE(page.tornDown);  // its one request waits for the desktop
  }
  EXPECT_TRUE(Eventually([&] { return page.tornDown.load(); }));
  EXPECT_EQ(FindControlClass(kTestClass)->usageCount, 0);
  EXPECT_EQ(Request(MSG_DT_GETCAPTURE), 0u);
  EXPECT_EQ(Desk().caretWindow, 0u);
  page.finish = true;
  pthread_join(t, nullptr);
}

// One control destroyed alone while the desktop tracks a frame still goes
// through the desktop, which ends the tracking first; afterwards the next
// one leaves on its own thread again.
TEST_F(Teardown, AControlDestroyedWhileTrackingEndsTheTrackingFirst) {
  WindowHandle back = Main({0, 0, 200, 200});
  WindowHandle tracked = Control(back, {5, 5, 20, 20}, 7);
  WindowHandle later = Control(back, {25, 5, 40, 20}, 8);
  Settle();
  DragInfo drag{33, 10, 10};
  ASSERT_EQ(Request(MSG_DT_STARTDRAGWIN, back, reinterpret_cast<LParam>(&drag)), 0u);
  ASSERT_TRUE(DestroyWindow(tracked));
  Drain();
  MessageSequence got = Recorder::Instance().TakeFor(back);
  EXPECT_NE(std::find(got.begin(), got.end(), MSG_TRACKEDMOVE), got.end());
  EXPECT_TRUE(ClipHolds(back, 10, 10));
  EXPECT_EQ(GetNextChild(back, 0), later);
  ASSERT_TRUE(DestroyWindow(later));
  EXPECT_EQ(GetNextChild(back, 0), 0u);
}

// Posted and notify entries of the window's queue still meant for hwnd.
int UnreadFor(MsgQueue* q, WindowHandle hwnd) {
  std::lock_guard<std::mutex> hold(q->lock);
  int n = 0;
  for (int i = q->readPos; i != q->writePos; i = (i + 1) % q->ringSize) n += q->ring[i].hwnd == hwnd;
  for (MsgNode* node = q->notifyHead; node; node = node->next) n += node->msg.hwnd == hwnd;
  return n;
}

// Another thread posts to a control as it is destroyed, as the desktop posts
// the caret's blink: a post that found the control alive and is stored
// after its messages were thrown away would be read once its record is
// freed. The poster's walk keeps the record alive for the check, as the
// desktop's own thread does by answering the forget request before the free.
TEST_F(Teardown, NoPostOutlivesAControlDestroyedWhileAnotherThreadPosts) {
  WindowHandle back = Main({0, 0, 200, 200});
  MsgQueue* q = QueueOfWindow(back);
  constexpr int kRounds = 300;
  std::atomic<WindowHandle> target{0};
  std::atomic<int> round{0}, walking{0}, destroying{0}, stopped{0}, posterRound{0};
  std::thread poster([&] {
    for (int r = 1; r <= kRounds; ++r) {
      while (round.load() != r) sched_yield();
      ChildWalk walk;
      walking = r;
      // Both ways a message is left for a window: the posted ring (a blink
      // is queued once) and the notify list, while the control goes (nothing
      // reads the list meanwhile).
      int notes = 0;
      for (bool post = true; stopped.load() != r; post = !post) {
        if (post)
          PostMessage(target.load(), MSG_CARETBLINK, 0, 0);
        else if (destroying.load() == r && notes < 10000 && SendNotifyMessage(target.load(), MSG_COMMAND, 0, 0) == 0)
          ++notes;
      }
      posterRound = r;
    }
  });
  int outlived = 0;
  for (int r = 1; r <= kRounds; ++r) {
    WindowHandle c = Control(back, {5, 5, 20, 20}, 7);
    target = c;
    round = r;
    while (walking.load() != r) sched_yield();  // the record must outlive the poster's check
    for (volatile int spin = 0; spin < (r % 50) * 100; spin = spin + 1) {
    }  // a different moment each round, without giving the processor away
    destroying = r;
    ASSERT_TRUE(DestroyWindow(c));
    stopped = r;
    while (posterRound.load() != r) sched_yield();
    outlived += UnreadFor(q, c);
    Drain();
  }
  poster.join();
  EXPECT_EQ(outlived, 0);
}

}  // namespace
// A handle is its record's address: a caller that kept a control's handle
// past its destruction (a page's button, the target of a click that closed
// the page) is refused by every call, also when the control went with its
// whole window among hundreds, and nothing reads freed memory.
TEST_F(Teardown, EveryCallGivenTheHandleOfADestroyedControlRefusesIt) {
  MainWinCreate create = MainWindowCreation({0, 0, 400, 300}, RecordingProc, "page");
  const WindowHandle main = CreateMainWindow(&create);
  ASSERT_NE(main, GUI_INVALID_HANDLE);
  std::vector<WindowHandle> controls;
  for (int i = 0; i < 300; ++i)
    controls.push_back(CreateWindowEx(kTestClass, "", WS_VISIBLE, 0, 100 + i, i % 40, i / 40, 8, 8, main, 0));
  ASSERT_TRUE(DestroyWindow(controls.front()));
  ASSERT_TRUE(DestroyMainWindow(main));
  MainWindowThreadCleanup(main);
  struct Call {
    const char* name;
    bool (*refuses)(WindowHandle);
  };
  const Call calls[] = {
      {"IsWindow", [](WindowHandle h) { return IsWindow(h) == 0; }},
      {"SendMessage", [](WindowHandle h) { return SendMessage(h, MSG_COMMAND, 0, 0) == MSG_ERR_INVALID; }},
      {"PostMessage", [](WindowHandle h) { return PostMessage(h, MSG_COMMAND, 0, 0) == MSG_ERR_INVALID; }},
      {"SendNotifyMessage", [](WindowHandle h) { return SendNotifyMessage(h, MSG_COMMAND, 0, 0) == MSG_ERR_INVALID; }},
      {"GetWindowRect", [](WindowHandle h) { Rect r{}; return !GetWindowRect(h, &r); }},
      {"SetWindowText", [](WindowHandle h) { return !SetWindowText(h, "x"); }},
      {"ShowWindow", [](WindowHandle h) { return !ShowWindow(h, SW_HIDE); }},
      {"IsWindowVisible", [](WindowHandle h) { return !IsWindowVisible(h); }},
      {"InvalidateRect", [](WindowHandle h) { return !InvalidateRect(h, nullptr, TRUE); }},
      {"GetParent", [](WindowHandle h) { return GetParent(h) == GUI_INVALID_HANDLE; }},
      {"DestroyWindow", [](WindowHandle h) { return !DestroyWindow(h); }},
  };
  for (WindowHandle gone : {controls.front(), controls[1], controls[150], controls.back()})
    for (const Call& call : calls) EXPECT_TRUE(call.refuses(gone)) << call.name;
}

}  // namespace desktest
