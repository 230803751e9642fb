// Cross-thread SendMessage round trip and PostMessage+GetMessage throughput,
// each beside the same exchange done with a bare mutex and condition variable.
#include <benchmark/benchmark.h>

#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <thread>

#include "core/message/msg_queue.h"
#include "core/window/window_record.h"
#include "gui/message.h"

namespace {

constexpr int kStop = 999;

LResult Answer(WindowHandle, int msg, WParam wParam, LParam) { return static_cast<LResult>(wParam) + msg; }

// A main window owned by the calling thread.
void MakeWindow(ThreadMsgInfo* info, MainWinRecord* win) {
  win->windowType = kWindowMain;
  win->procedure = Answer;
  win->mainWindow = win;
  win->queue = info->queue;
  win->thread = info->thread;
}

// A thread that owns one main window and dispatches its messages until quit.
class WindowThread {
 public:
  WindowThread() {
    std::promise<WindowHandle> made;
    thread_ = std::thread([&made] {
      ThreadMsgInfo* info = AllocThreadMsgQueue();
      MainWinRecord win;
      MakeWindow(info, &win);
      made.set_value(HandleOf(&win));
      Message msg;
      while (GetMessage(&msg, HandleOf(&win))) DispatchMessage(&msg);
      FreeThreadMsgQueue(info);
    });
    hwnd_ = made.get_future().get();
  }
  ~WindowThread() {
    PostQuitMessage(hwnd_);
    thread_.join();
  }
  WindowHandle hwnd() const { return hwnd_; }

 private:
  std::thread thread_;
  WindowHandle hwnd_ = 0;
};

void BM_SendMessageRoundTrip(benchmark::State& state) {
  WindowThread receiver;
  WParam i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(SendMessage(receiver.hwnd(), MSG_LBUTTONDOWN, ++i, 0));
}
BENCHMARK(BM_SendMessageRoundTrip)->UseRealTime();

// Baseline: one request and one answer through a mutex and two flags.
void BM_BareMutexPingPong(benchmark::State& state) {
  std::mutex lock;
  std::condition_variable cv;
  bool request = false, reply = false, stop = false;
  long value = 0;
  // Both sides notify after unlocking, so the woken thread does not wake
  // straight into a held lock.
  std::thread server([&] {
    for (;;) {
      {
        std::unique_lock<std::mutex> hold(lock);
        cv.wait(hold, [&] { return request || stop; });
        if (stop) return;
        request = false;
        value += 1;
        reply = true;
      }
      cv.notify_all();
    }
  });
  for (auto _ : state) {
    {
      std::lock_guard<std::mutex> hold(lock);
      request = true;
    }
    cv.notify_all();
    std::unique_lock<std::mutex> hold(lock);
    cv.wait(hold, [&] { return reply; });
    reply = false;
    benchmark::DoNotOptimize(value);
  }
  {
    std::lock_guard<std::mutex> hold(lock);
    stop = true;
  }
  cv.notify_all();
  server.join();
}
BENCHMARK(BM_BareMutexPingPong)->UseRealTime();

void BM_PostGetThroughput(benchmark::State& state) {
  std::promise<WindowHandle> made;
  std::thread consumer([&made] {
    ThreadMsgInfo* info = AllocThreadMsgQueue();
    MainWinRecord win;
    MakeWindow(info, &win);
    made.set_value(HandleOf(&win));
    Message msg;
    while (GetMessage(&msg, HandleOf(&win)) && msg.message != kStop) {
    }
    FreeThreadMsgQueue(info);
  });
  WindowHandle hwnd = made.get_future().get();
  for (auto _ : state) {
    while (PostMessage(hwnd, MSG_LBUTTONUP, 0, 0) == MSG_ERR_DROPPED) std::this_thread::yield();
  }
  while (PostMessage(hwnd, kStop, 0, 0) == MSG_ERR_DROPPED) std::this_thread::yield();
  consumer.join();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PostGetThroughput)->UseRealTime();

// Baseline: a bounded queue of the same size behind a mutex and condition
// variables.
void BM_BareMutexQueueThroughput(benchmark::State& state) {
  std::mutex lock;
  std::condition_variable notEmpty, notFull;
  std::deque<Message> queue;
  std::thread consumer([&] {
    for (;;) {
      Message msg;
      {
        std::unique_lock<std::mutex> hold(lock);
        notEmpty.wait(hold, [&] { return !queue.empty(); });
        msg = queue.front();
        queue.pop_front();
      }
      notFull.notify_one();
      if (msg.message == kStop) return;
    }
  });
  auto push = [&](int number) {
    {
      std::unique_lock<std::mutex> hold(lock);
      notFull.wait(hold, [&] { return queue.size() < DEF_MSGQUEUE_LEN - 1; });
      queue.push_back(Message{0, number, 0, 0, 0, nullptr});
    }
    notEmpty.notify_one();
  };
  for (auto _ : state) push(2);
  push(kStop);
  consumer.join();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BareMutexQueueThroughput)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
