// Mouse input on its way from the host thread to a reader on another
// thread, as the event thread reads it: bursts of motion with clicks in
// between, taken in by the host thread and read while more comes.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <vector>

#include "core/driver/host_thread.h"
#include "gui/host.h"

namespace {

constexpr auto kWatchdog = std::chrono::seconds(20);

struct HostMouseThreads : ::testing::Test {
  HostEvent* mouse = HostCreateEvent("MOUSE");
  HostEvent* keyboard = HostCreateEvent("kbd");
  void SetUp() override {
    ASSERT_TRUE(host::StartHost(640, 480));
    HostInjectMouseButton(HOST_BUTTON_LEFT, 0);  // no button word left from before
    HostSetInputEvents(mouse, keyboard);
  }
  void TearDown() override {
    HostSetInputEvents(nullptr, nullptr);
    host::StopHost();
    HostCloseEvent(mouse);
    HostCloseEvent(keyboard);
  }
};

// Each round the host thread takes in a burst of moves and a click at its
// end in one wake-up, while the reader reads: every press and release comes
// where the burst ended, in order, the bursts cost the reader a read each
// rather than one a move, and the last burst of motion (held back for the
// frame) still arrives at its last place.
TEST_F(HostMouseThreads, BurstsOfMotionWakeTheReaderOnceAndClicksKeepTheirPlace) {
  constexpr int kRounds = 40, kMovesPerBurst = 50;
  auto burst = [](int round) {
    for (int i = 0; i < kMovesPerBurst; ++i) HostInjectMouseMove(round * 10 + i % 7, 100 + i);
  };
  const int endX = (kRounds - 1) * 10 + (kMovesPerBurst - 1) % 7, endY = 100 + kMovesPerBurst - 1;
  auto reader = std::async(std::launch::async, [&] {
    std::vector<HostMouseRecord> taken;
    HostEvent* both[2] = {mouse, keyboard};
    while (taken.empty() || taken.back().x != endX + 1 || taken.back().y != endY) {
      if (HostWaitForEvents(both, 2, -1) != 0) continue;
      HostMouseRecord change{};
      HostTakeMouseRecord(&change);
      taken.push_back(change);
    }
    return taken;
  });
  for (int round = 0; round < kRounds; ++round) {
    host::RunOnHost([&] {
      burst(round);
      HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
      HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    });
  }
  // The last motion: a burst with no click after it.
  host::RunOnHost([&] {
    burst(kRounds - 1);
    HostInjectMouseMove(endX + 1, endY);
  });
  ASSERT_EQ(reader.wait_for(kWatchdog), std::future_status::ready) << "the last place never arrived";
  const std::vector<HostMouseRecord> taken = reader.get();
  std::vector<HostMouseRecord> clicks;
  for (size_t i = 0; i < taken.size(); ++i) {
    const bool changed = i == 0 ? taken[i].buttons != HOST_BUTTON_NONE : taken[i].buttons != taken[i - 1].buttons;
    if (changed) clicks.push_back(taken[i]);
  }
  ASSERT_EQ(clicks.size(), 2u * kRounds);
  for (int round = 0; round < kRounds; ++round) {
    const int x = round * 10 + (kMovesPerBurst - 1) % 7;
    for (int half = 0; half < 2; ++half) {
      const HostMouseRecord& c = clicks[2 * round + half];
      EXPECT_EQ(c.buttons, half == 0 ? HOST_BUTTON_LEFT : HOST_BUTTON_NONE) << "round " << round;
      EXPECT_EQ(c.x, x) << "round " << round;
      EXPECT_EQ(c.y, endY) << "round " << round;
    }
  }
  // A read for the moves, the press and the release each round (one more
  // when the reader, still busy with the round before, takes the burst's
  // first move as it comes), and one for the last motion.
  EXPECT_LE(taken.size(), 4u * kRounds + 1);
}

}  // namespace
