// The event thread's loop against the host window's injecting thread: every
// injected change comes out as its event, in order, and the key state can be
// read from the injecting side meanwhile.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/input/ial.h"
#include "core/input/lowlevel_event.h"
#include "gui/host.h"
#include "input_test_config.h"

namespace {

std::atomic<unsigned int> g_ticks{0};
unsigned int FakeClock() { return g_ticks.load(); }

class EventReader {
 public:
  EventReader() : thread_([this] { Run(); }) {}
  ~EventReader() {
    stop_ = true;
    LowLevelEventEngine()->wake();
    thread_.join();
  }
  // Waits until `count` events other than time-outs were read.
  std::vector<LowLevelEvent> WaitFor(size_t count) {
    std::unique_lock<std::mutex> hold(lock_);
    arrived_.wait(hold, [&] { return events_.size() >= count; });
    return events_;
  }

 private:
  void Run() {
    const EventEngine* engine = LowLevelEventEngine();
    while (!stop_) {
      const int which = engine->wait(IAL_MOUSEEVENT | IAL_KEYEVENT, 0);
      if (which < 0) continue;
      if (which == 0) {
        // Time-outs themselves are left out; repeats are kept.
        LowLevelEvent ev{};
        if (engine->read(0, &ev) && ev.type != kEventTimeout) Add(ev);
        continue;
      }
      for (int bit : {IAL_MOUSEEVENT, IAL_KEYEVENT}) {
        LowLevelEvent ev{};
        if ((which & bit) && engine->read(bit, &ev)) Add(ev);
      }
    }
  }
  void Add(const LowLevelEvent& ev) {
    std::lock_guard<std::mutex> hold(lock_);
    events_.push_back(ev);
    arrived_.notify_all();
  }

  std::atomic<bool> stop_{false};
  std::mutex lock_;
  std::condition_variable arrived_;
  std::vector<LowLevelEvent> events_;
  std::thread thread_;
};

class EventThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    HostInjectKey(0, 0);
    HostInjectMouseMove(-1, -1);
    g_ticks = 500;
    SetLowLevelEventClock(FakeClock);
    ConfigScope config(DefaultInputKeys());
    ASSERT_EQ(InitLowLevelEvents(), 1);
  }
  void TearDown() override {
    TermLowLevelEvents();
    SetLowLevelEventClock(nullptr);
  }
};

TEST_F(EventThreadTest, ClicksAndDoubleClicksArriveInOrder) {
  std::vector<int> codes;
  {
    EventReader reader;
    size_t expected = 0;
    auto step = [&](int button, int down, unsigned int at) {
      g_ticks = at;
      HostInjectMouseButton(button, down);
      reader.WaitFor(++expected);
    };
    step(HOST_BUTTON_LEFT, 1, 500);
    step(HOST_BUTTON_LEFT, 0, 505);
    step(HOST_BUTTON_LEFT, 1, 530);  // 300 ms after the first down
    step(HOST_BUTTON_LEFT, 0, 535);
    step(HOST_BUTTON_LEFT, 1, 600);
    step(HOST_BUTTON_LEFT, 0, 605);
    step(HOST_BUTTON_LEFT, 1, 631);  // 310 ms
    step(HOST_BUTTON_LEFT, 0, 640);
    for (const LowLevelEvent& ev : reader.WaitFor(expected)) codes.push_back(ev.event);
  }
  EXPECT_EQ(codes, (std::vector<int>{ME_LEFTDOWN, ME_LEFTUP, ME_LEFTDBLCLICK, ME_LEFTUP, ME_LEFTDOWN, ME_LEFTUP,
                                     ME_LEFTDOWN, ME_LEFTUP}));
}

// Keys and clicks taken in faster than the engine reads come out in the
// order the host took them in: a click does not overtake the keys typed
// before it, nor a key the click before it.
TEST_F(EventThreadTest, KeysAndClicksArriveInTheOrderTheyWereTakenIn) {
  constexpr int kRounds = 20;
  std::string order;
  {
    EventReader reader;
    for (int round = 0; round < kRounds; ++round) {
      HostInjectKey(KEY_A, 1);
      HostInjectKey(KEY_A, 0);
      HostInjectMouseButton(HOST_BUTTON_RIGHT, 1);
      HostInjectMouseButton(HOST_BUTTON_RIGHT, 0);
      HostInjectKey(KEY_B, 1);
      HostInjectKey(KEY_B, 0);
    }
    // Each change one letter: a key's down in lower case, its up in upper
    // case; r and R the right button (a quick second press is a double click).
    for (const LowLevelEvent& ev : reader.WaitFor(6 * kRounds)) {
      const bool down = ev.type == kEventKey ? ev.event == KE_KEYDOWN : ev.event != ME_RIGHTUP;
      const char letter = ev.type == kEventMouse ? 'r' : ev.data1 == KEY_A ? 'a' : ev.data1 == KEY_B ? 'b' : '?';
      order += static_cast<char>(down ? letter : letter - 'a' + 'A');
    }
  }
  std::string expected;
  for (int round = 0; round < kRounds; ++round) expected += "aArRbB";
  EXPECT_EQ(order.substr(0, expected.size()), expected);
}

TEST_F(EventThreadTest, HeldKeyRepeatsWhileTheInjectingSideReadsItsState) {
  EventReader reader;
  HostInjectKey(KEY_LEFTCTRL, 1);
  reader.WaitFor(1);
  HostInjectKey(KEY_K, 1);
  // Down, then repeats once the engine's waits run out of time. A slow
  // machine may let the held Ctrl repeat before K arrives, so K's own events
  // are found rather than counted from the start.
  auto firstOfK = [](const std::vector<LowLevelEvent>& evs) {
    size_t i = 0;
    while (i < evs.size() && evs[i].data1 != KEY_K) ++i;
    return i;
  };
  std::vector<LowLevelEvent> events = reader.WaitFor(2);
  size_t k = firstOfK(events);
  while (k == events.size() || events.size() < k + 3) {
    events = reader.WaitFor(events.size() + 1);
    k = firstOfK(events);
  }
  EXPECT_EQ(GetKeyStatus(KEY_K), 1);
  EXPECT_EQ(GetShiftKeyStatus() & KS_LEFTCTRL, static_cast<unsigned>(KS_LEFTCTRL));
  EXPECT_EQ(events[k].data2 & KS_REPEATED, 0);
  for (size_t i = k + 1; i < k + 3; ++i) {
    EXPECT_EQ(events[i].type, kEventKey);
    EXPECT_EQ(events[i].data1, KEY_K);
    EXPECT_EQ(events[i].data2 & (KS_REPEATED | KS_LEFTCTRL), KS_REPEATED | KS_LEFTCTRL);
  }
  HostInjectKey(KEY_K, 0);
  // The release comes in among the repeats; nothing repeats after it.
  bool released = false;
  while (!released) {
    events = reader.WaitFor(events.size() + 1);
    released = events.back().event == KE_KEYUP;
  }
  EXPECT_EQ(GetKeyStatus(KEY_K), 0);
}

// Once the first time-out is out and nothing is held, the wait on the host
// window's events has no limit: a wake from another thread (an auto-repeat
// message set, a stop) ends it with a retry, and input ends it as before.
TEST_F(EventThreadTest, WithNothingToRepeatAWakeFromAnotherThreadEndsTheWait) {
  const EventEngine* engine = LowLevelEventEngine();
  for (int timeouts = 0; timeouts < 1;) {
    LowLevelEvent ev{};
    if (engine->wait(IAL_MOUSEEVENT | IAL_KEYEVENT, 0) == 0 && engine->read(0, &ev) && ev.type == kEventTimeout)
      ++timeouts;
  }
  int results[2] = {0, 0};
  for (int& result : results) {
    std::thread waiter([&] {
      while ((result = engine->wait(IAL_MOUSEEVENT | IAL_KEYEVENT, 0)) == 0) {
      }
    });
    if (&result == &results[0])
      WakeEventThread();  // what setting an auto-repeat message does
    else
      HostInjectMouseButton(HOST_BUTTON_RIGHT, 1);
    waiter.join();
  }
  EXPECT_EQ(results[0], -1);
  EXPECT_EQ(results[1], IAL_MOUSEEVENT);
  HostInjectMouseButton(HOST_BUTTON_RIGHT, 0);
}

}  // namespace
