// Cross-thread SendMessage round trip and PostMessage+GetMessage throughput,
// each beside the same exchange done with a bare mutex and condition variable.
// The round trips are also measured in turn in one run (both threads pairs
// alive throughout), with the goal (1 or more meets it)
//   goal_send_vs_pingpong = 2 x ping-pong round trip / SendMessage round trip
// that is, a SendMessage costs at most twice the bare exchange. A round trip
// is mostly two thread wake-ups, whose time swings with the machine's load:
// the median of many short rounds is compared, and beside it the context
// switches each exchange costs (switches_send, switches_pingpong; two is
// the least a round trip between two threads can take).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "bench/bench_timing.h"
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
// Both sides notify after unlocking, so the woken thread does not wake
// straight into a held lock.
class PingPong {
 public:
  PingPong() : server_([this] { Serve(); }) {}
  ~PingPong() {
    {
      std::lock_guard<std::mutex> hold(lock_);
      stop_ = true;
    }
    cv_.notify_all();
    server_.join();
  }
  long RoundTrip() {
    {
      std::lock_guard<std::mutex> hold(lock_);
      request_ = true;
    }
    cv_.notify_all();
    std::unique_lock<std::mutex> hold(lock_);
    cv_.wait(hold, [&] { return reply_; });
    reply_ = false;
    return value_;
  }

 private:
  void Serve() {
    for (;;) {
      {
        std::unique_lock<std::mutex> hold(lock_);
        cv_.wait(hold, [&] { return request_ || stop_; });
        if (stop_) return;
        request_ = false;
        value_ += 1;
        reply_ = true;
      }
      cv_.notify_all();
    }
  }
  std::mutex lock_;
  std::condition_variable cv_;
  bool request_ = false, reply_ = false, stop_ = false;
  long value_ = 0;
  std::thread server_;
};

void BM_BareMutexPingPong(benchmark::State& state) {
  PingPong pingPong;
  for (auto _ : state) benchmark::DoNotOptimize(pingPong.RoundTrip());
}
BENCHMARK(BM_BareMutexPingPong)->UseRealTime();

// Context switches of the whole process per call of `op`.
template <typename Op>
double SwitchesPerOp(Op op, int calls = 20000) {
  auto switches = [] {
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    return use.ru_nvcsw + use.ru_nivcsw;
  };
  const long before = switches();
  for (int i = 0; i < calls; ++i) op();
  return static_cast<double>(switches() - before) / calls;
}

void BM_SendMessageVsPingPongInTurn(benchmark::State& state) {
  WindowThread receiver;
  PingPong pingPong;
  WParam i = 0;
  auto send = [&] { benchmark::DoNotOptimize(SendMessage(receiver.hwnd(), MSG_LBUTTONDOWN, ++i, 0)); };
  auto pingPongOnce = [&] { benchmark::DoNotOptimize(pingPong.RoundTrip()); };
  std::vector<benchtime::Timing> t;
  for (auto _ : state) t = benchtime::Interleaved(15, send, pingPongOnce);
  state.counters["send_ns"] = t[0].Median();
  state.counters["pingpong_ns"] = t[1].Median();
  state.counters["switches_send"] = SwitchesPerOp(send);
  state.counters["switches_pingpong"] = SwitchesPerOp(pingPongOnce);
  benchtime::ReportGoal(state, "send_vs_pingpong", 2 * t[1].Median() / t[0].Median(), 1.0);
  benchtime::ReportSpread(state, t);
}
BENCHMARK(BM_SendMessageVsPingPongInTurn)->Iterations(1)->UseRealTime();

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
