#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <future>
#include <string>
#include <thread>

#include "core/desktop/desktop.h"
#include "core/desktop/zorder.h"
#include "core/message/message_trace.h"
#include "core/message/tests/hand_made_windows.h"
#include "core/startup/thread_start.h"
#include "gui/control_class.h"
#include "gui/desktop.h"

namespace {

void WaitUntilSent(MsgQueue* q, int count = 1) {
  for (;;) {
    {
      std::lock_guard<std::mutex> hold(q->lock);
      int n = 0;
      for (SyncMsgRecord* s = q->sentHead; s; s = s->next) ++n;
      if (n >= count) return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

// A thread that owns one main window and waits for the test's go-ahead
// before reading its queue.
class OwnerThread {
 public:
  OwnerThread() {
    thread_ = std::thread([this] {
      ThreadQueue queue;
      auto win = MakeMainWindow(queue.info());
      window_.set_value(win.get());
      go_.get_future().wait();
      body_(win.get());
      done_.set_value();
      finish_.get_future().wait();
    });
    win_ = window_.get_future().get();
  }
  ~OwnerThread() {
    finish_.set_value();
    thread_.join();
  }
  MainWinRecord* window() const { return win_; }
  // Runs body on the owner thread; Wait() returns once it has finished.
  void Run(std::function<void(MainWinRecord*)> body) {
    body_ = std::move(body);
    go_.set_value();
  }
  void Wait() { done_.get_future().wait(); }

 private:
  std::promise<MainWinRecord*> window_;
  std::promise<void> go_, done_, finish_;
  std::function<void(MainWinRecord*)> body_;
  MainWinRecord* win_ = nullptr;
  std::thread thread_;
};

TEST(CrossThreadSend, BlocksUntilAnsweredAndIsReadBeforeOtherSources) {
  Recorder::Instance().Take();
  OwnerThread owner;
  MainWinRecord* win = owner.window();
  PostMessage(H(win), 500, 0, 0);
  SendNotifyMessage(H(win), 501, 0, 0);
  auto answer = std::async(std::launch::async, [&] { return SendMessage(H(win), 502, 7, 8); });
  WaitUntilSent(win->queue);
  EXPECT_EQ(answer.wait_for(std::chrono::milliseconds(0)), std::future_status::timeout);
  owner.Run([](MainWinRecord* w) { DrainQueue(H(w)); });
  owner.Wait();
  EXPECT_EQ(answer.get(), 1502);
  EXPECT_EQ(Recorder::Instance().TakeMessages(), (MessageSequence{502, 501, 500}));
}

// A message sent across threads is traced once, on the thread whose
// procedure runs it, in whole lines.
TEST(CrossThreadSend, IsTracedOnTheOwnerThreadInWholeLines) {
  constexpr int kSends = 40;
  Recorder::Instance().Take();
  FILE* sink = std::tmpfile();
  ASSERT_NE(sink, nullptr);
  SetMessageTraceSink(sink);
  OwnerThread owner;
  MainWinRecord* win = owner.window();
  auto sender = std::async(std::launch::async, [&] {
    for (int i = 0; i < kSends; ++i) SendMessage(H(win), MSG_COMMAND, 0, 0);
  });
  owner.Run([](MainWinRecord* w) {
    Message msg;
    for (int i = 0; i < kSends && GetMessage(&msg, H(w)); ++i) DispatchMessage(&msg);
  });
  owner.Wait();
  sender.get();
  SetMessageTraceSink(nullptr);

  std::rewind(sink);
  char expected[96];
  std::snprintf(expected, sizeof expected, "message MSG_COMMAND (0x0120) to 0x%jx, wParam 0x0, lParam 0x0\n",
                static_cast<uintmax_t>(H(win)));
  int lines = 0;
  char line[160];
  while (std::fgets(line, sizeof line, sink)) {
    EXPECT_STREQ(line, expected);
    ++lines;
  }
  std::fclose(sink);
  EXPECT_EQ(lines, kSends);
  EXPECT_EQ(Recorder::Instance().TakeMessages().size(), static_cast<size_t>(kSends));
}

// A reader awake while another thread writes a batch for it reads none of
// the batch until it is whole, then in queue order: notifications before
// posted messages.
TEST(DeferredWakes, AnAwakeReaderTakesTheBatchOnlyWhenItIsWhole) {
  Recorder::Instance().Take();
  OwnerThread owner;
  MainWinRecord* win = owner.window();
  std::promise<bool> peeked;
  std::promise<void> batchDone;
  {
    DeferredQueueWakes together;
    SendNotifyMessage(H(win), 501, 0, 0);
    PostMessage(H(win), 500, 0, 0);
    owner.Run([&](MainWinRecord* w) {
      Message msg;
      peeked.set_value(PeekMessage(&msg, H(w), 0, 0, TRUE));
      batchDone.get_future().wait();
      DrainQueue(H(w));
    });
    EXPECT_FALSE(peeked.get_future().get()) << "read half a batch";
    SendNotifyMessage(H(win), 502, 0, 0);
  }
  batchDone.set_value();
  owner.Wait();
  EXPECT_EQ(Recorder::Instance().TakeMessages(), (MessageSequence{501, 502, 500}));
}

TEST(CrossThreadSend, SentHeadOutsideTheRangeHidesLaterSentOnly) {
  Recorder::Instance().Take();
  OwnerThread owner;
  MainWinRecord* win = owner.window();
  auto first = std::async(std::launch::async, [&] { return SendMessage(H(win), 600, 0, 0); });
  WaitUntilSent(win->queue, 1);
  auto second = std::async(std::launch::async, [&] { return SendMessage(H(win), 50, 0, 0); });
  WaitUntilSent(win->queue, 2);
  PostMessage(H(win), 40, 0, 0);
  SendNotifyMessage(H(win), 45, 0, 0);
  MessageSequence inRange;
  owner.Run([&](MainWinRecord* w) {
    Message msg;
    while (PeekMessage(&msg, H(w), 1, 100, TRUE)) {
      inRange.push_back(msg.message);
      DispatchMessage(&msg);
    }
    DrainQueue(H(w));
  });
  owner.Wait();
  EXPECT_EQ(inRange, (MessageSequence{45, 40}));
  EXPECT_EQ(first.get(), 1600);
  EXPECT_EQ(second.get(), 1050);
}

// A sent message looked at without removal is no answer: dispatching the
// peeked copy leaves the sender waiting and the message at the head, and
// the read that removes it answers once.
TEST(CrossThreadSend, PeekedWithoutRemovalStaysUnansweredAtTheHead) {
  Recorder::Instance().Take();
  OwnerThread owner;
  MainWinRecord* win = owner.window();
  auto answer = std::async(std::launch::async, [&] { return SendMessage(H(win), 900, 0, 0); });
  WaitUntilSent(win->queue);
  MessageSequence peeked;
  std::promise<void> looked, checked;
  owner.Run([&](MainWinRecord* w) {
    Message msg;
    for (int i = 0; i < 3 && PeekMessage(&msg, H(w), 0, 0, FALSE); ++i) {
      peeked.push_back(msg.message);
      DispatchMessage(&msg);
    }
    looked.set_value();
    checked.get_future().wait();
    if (PeekMessage(&msg, H(w), 0, 0, TRUE)) DispatchMessage(&msg);
  });
  looked.get_future().wait();
  EXPECT_EQ(peeked, (MessageSequence{900, 900, 900}));
  EXPECT_EQ(answer.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
  WaitUntilSent(win->queue, 1);  // still linked
  checked.set_value();
  owner.Wait();
  EXPECT_EQ(answer.get(), 1900);
}

TEST(CrossThreadSend, WindowDestroyedBeforeDispatchAnswersMinusTwo) {
  OwnerThread owner;
  MainWinRecord* win = owner.window();
  auto answer = std::async(std::launch::async, [&] { return SendMessage(H(win), 700, 0, 0); });
  WaitUntilSent(win->queue);
  owner.Run([](MainWinRecord* w) {
    DestroyByHand(w);
    DrainQueue(H(w));
    w->dataType = kWindowValid;
  });
  owner.Wait();
  EXPECT_EQ(answer.get(), MSG_ERR_DROPPED);
}

TEST(CrossThreadSend, QueueFreedWithWaitingSendersAnswersMinusTwo) {
  std::promise<MainWinRecord*> made;
  std::promise<void> release;
  std::thread owner([&] {
    ThreadMsgInfo* info = AllocThreadMsgQueue();
    auto win = MakeMainWindow(info);
    made.set_value(win.get());
    release.get_future().wait();
    FreeThreadMsgQueue(info);
  });
  MainWinRecord* win = made.get_future().get();
  auto answer = std::async(std::launch::async, [&] { return SendMessage(H(win), 800, 0, 0); });
  WaitUntilSent(win->queue);
  release.set_value();
  EXPECT_EQ(answer.get(), MSG_ERR_DROPPED);
  owner.join();
}

TEST(CrossThreadPost, ManyWritersOneReaderLoseNothing) {
  constexpr int kWriters = 4, kEach = 500;
  std::promise<MainWinRecord*> made;
  std::promise<void> drained;
  std::atomic<int> received{0};
  std::thread reader([&] {
    ThreadQueue queue;
    auto win = MakeMainWindow(queue.info(), [](WindowHandle, int, WParam, LParam) -> LResult { return 0; });
    made.set_value(win.get());
    Message msg;
    while (GetMessage(&msg, H(win))) {
      if (msg.message == 900) received++;
      if (msg.message == 903) drained.set_value();
      DispatchMessage(&msg);
    }
  });
  MainWinRecord* win = made.get_future().get();
  std::vector<std::thread> writers;
  for (int w = 0; w < kWriters; ++w) {
    writers.emplace_back([&, w] {
      for (int i = 0; i < kEach; ++i) {
        if (i % 3 == 0) {
          SendNotifyMessage(H(win), 900, w, i);
        } else {
          while (PostMessage(H(win), 900, w, i) == MSG_ERR_DROPPED) std::this_thread::yield();
        }
        if (i % 50 == 0) SendMessage(H(win), 901, 0, 0);
      }
    });
  }
  for (auto& t : writers) t.join();
  // Sent messages overtake posted ones, so the marker is posted: when it is
  // read the ring before it is empty, and notifications, which are read
  // before posted messages, are too.
  while (PostMessage(H(win), 903, 0, 0) == MSG_ERR_DROPPED) std::this_thread::yield();
  drained.get_future().wait();
  EXPECT_EQ(received.load(), kWriters * kEach);
  PostQuitMessage(H(win));
  reader.join();
}

// A reader that frees its queue as soon as it has read one message, while
// the writer may still be about to wake it (writers wake after letting go
// of the queue lock): sent, posted, notified and quit alike.
TEST(CrossThreadSend, QueueFreedRightAfterItsReadOutlivesTheWritersWake) {
  for (int round = 0; round < 200; ++round) {
    std::promise<MainWinRecord*> made;
    std::thread reader([&made] {
      ThreadMsgInfo* info = AllocThreadMsgQueue();
      auto win = MakeMainWindow(info, [](WindowHandle, int msg, WParam, LParam) -> LResult { return msg; });
      made.set_value(win.get());
      Message msg;
      while (!PeekMessage(&msg, H(win), 0, 0, TRUE) && msg.message != MSG_QUIT) std::this_thread::yield();
      DispatchMessage(&msg);
      FreeThreadMsgQueue(info);
    });
    MainWinRecord* win = made.get_future().get();
    switch (round % 4) {
      case 0: EXPECT_EQ(SendMessage(H(win), 700, 0, 0), 700); break;
      case 1: EXPECT_EQ(PostMessage(H(win), 701, 0, 0), 0); break;
      case 2: EXPECT_EQ(SendNotifyMessage(H(win), 702, 0, 0), 0); break;
      default: EXPECT_EQ(PostQuitMessage(H(win)), 0);
    }
    reader.join();
  }
}

// A thread's own record is looked up once and remembered: freeing it, even
// from another thread, and making a new one are seen at the next look.
TEST(ThreadRegistry, TheOwnRecordFollowsFreeingAndRemaking) {
  std::promise<ThreadMsgInfo*> first;
  std::promise<void> freed, remade;
  std::promise<ThreadMsgInfo*> second;
  std::thread owner([&] {
    ThreadMsgInfo* info = AllocThreadMsgQueue();
    EXPECT_EQ(CurrentThreadMsgInfo(), info);
    first.set_value(info);
    freed.get_future().wait();
    EXPECT_EQ(CurrentThreadMsgInfo(), nullptr) << "freed by another thread";
    ThreadMsgInfo* again = AllocThreadMsgQueue();
    EXPECT_EQ(CurrentThreadMsgInfo(), again);
    second.set_value(again);
    remade.get_future().wait();
    FreeThreadMsgQueue(again);
    EXPECT_EQ(CurrentThreadMsgInfo(), nullptr);
  });
  ThreadMsgInfo* info = first.get_future().get();
  EXPECT_EQ(CurrentThreadMsgInfo(), nullptr) << "the test thread has none";
  FreeThreadMsgQueue(info);
  freed.set_value();
  EXPECT_NE(second.get_future().get(), nullptr);
  EXPECT_EQ(CurrentThreadMsgInfo(), nullptr);
  remade.set_value();
  owner.join();
}

class DesktopThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pthread_t thread;
    ASSERT_TRUE(start_.Launch(&thread, DesktopMain, 0));
    thread_ = thread;
  }
  void TearDown() override {
    SendMessage(__gui_hwnd_desktop, MSG_DT_END, 0, 0);
    pthread_join(thread_, nullptr);
  }
  ThreadStart start_;
  pthread_t thread_{};
};

TEST(DesktopBroadcast, PostsToEveryMainWindowOfEveryList) {
  Recorder::Instance().Take();
  ThreadQueue queue;
  auto top = MakeMainWindow(queue.info());
  auto mainList = MakeMainWindow(queue.info());
  auto auxList = MakeMainWindow(queue.info());
  auto ctl = MakeControl(mainList.get(), 3);
  ZOrderNode nodes[4] = {{H(top), nullptr}, {H(ctl), nullptr}, {H(mainList), nullptr}, {H(auxList), nullptr}};
  nodes[1].next = &nodes[2];
  TopmostList().head = &nodes[0];
  MainDisplayList().head = &nodes[1];
  AuxDisplayList().head = &nodes[3];

  ThreadStart start;
  pthread_t desktop;
  ASSERT_TRUE(start.Launch(&desktop, DesktopMain, 0));
  EXPECT_EQ(BroadcastMessage(77, 1, 2), 3);
  // Windows remain, so the desktop refuses to end until told to quit.
  EXPECT_EQ(SendMessage(__gui_hwnd_desktop, MSG_DT_END, 0, 0), 0);
  PostQuitMessage(__gui_hwnd_desktop);
  pthread_join(desktop, nullptr);
  TopmostList().head = MainDisplayList().head = AuxDisplayList().head = nullptr;

  DrainQueue(H(top));
  std::vector<Seen> seen = Recorder::Instance().Take();
  std::vector<Seen> expected = {{H(top), 77, 1, 2}, {H(mainList), 77, 1, 2}, {H(auxList), 77, 1, 2}};
  EXPECT_EQ(seen, expected);
}

TEST_F(DesktopThreadTest, AnswersSentRequestsAndEndsWhenNoWindowsRemain) {
  EXPECT_EQ(SendMessage(__gui_hwnd_desktop, MSG_DT_REINIT, 1, 0), 0);
  EXPECT_EQ(SendMessage(__gui_hwnd_desktop, 12345, 0, 0), 0);
  EXPECT_EQ(BroadcastMessage(5, 0, 0), 0);
}

TEST_F(DesktopThreadTest, ServesTheControlClassRegistry) {
  TerminateControlClass();  // an empty registry, as the desktop keeps it before start-up
  WndClassInfo info = {};
  info.className = "probe";
  info.windowProc = Recorder::Proc;
  LParam name = reinterpret_cast<LParam>("Probe");
  EXPECT_EQ(SendMessage(__gui_hwnd_desktop, MSG_DT_ADDCTRLCLASS, 0, reinterpret_cast<LParam>(&info)), 0);
  EXPECT_EQ(SendMessage(__gui_hwnd_desktop, MSG_DT_ADDCTRLCLASS, 0, reinterpret_cast<LParam>(&info)),
            CONTROL_CLASS_INVALID);
  EXPECT_NE(SendMessage(__gui_hwnd_desktop, MSG_DT_FINDCTRLCLASS, 0, name), 0);
  EXPECT_EQ(SendMessage(__gui_hwnd_desktop, MSG_DT_DELCTRLCLASS, 0, name), 0);
  EXPECT_EQ(SendMessage(__gui_hwnd_desktop, MSG_DT_FINDCTRLCLASS, 0, name), 0);
  EXPECT_EQ(SendMessage(__gui_hwnd_desktop, MSG_DT_DELCTRLCLASS, 0, name), CONTROL_CLASS_INVALID);
  TerminateControlClass();
}

}  // namespace
