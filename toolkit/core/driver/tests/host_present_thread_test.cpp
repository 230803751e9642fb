// Presents asked for by other threads while the host thread hands pointer
// motion to the input engine, as the cursor's drawing asks for them.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "core/driver/host_thread.h"
#include "gui/host.h"

namespace {

constexpr auto kWatchdog = std::chrono::seconds(20);

// Each round the host takes in a move and wakes the reader for it; the
// reader asks for a present at once or some way into the frame after the
// move (the host then sleeps until its next wake-up rather than being woken
// for it). Every present asked for is made, without anything else waking
// the host, and a present asked for with no motion about is made too.
TEST(HostPresentThreads, NoPresentAskedForAfterAMoveIsLeftWaiting) {
  HostEvent* mouse = HostCreateEvent("MOUSE");
  HostEvent* keyboard = HostCreateEvent("kbd");
  ASSERT_TRUE(host::StartHost(640, 480));
  host::OpenStartGate();
  HostSetInputEvents(mouse, keyboard);
  constexpr int kRounds = 60;
  std::atomic<int> asked{0};
  auto reader = std::async(std::launch::async, [&] {
    for (int round = 0; round < kRounds; ++round) {
      while (HostWaitForEvents(&mouse, 1, -1) != 0) {
      }
      HostMouseRecord change{};
      while (HostTakeMouseRecord(&change)) {
      }
      // Busy with the move for a while: from not at all to past the frame.
      std::this_thread::sleep_for(std::chrono::milliseconds(round % 4 * 6));
      host::RequestPresent();
      asked = round + 1;
    }
  });
  for (int round = 0; round < kRounds; ++round) {
    const uint64_t before = host::PresentsMade();
    host::RunOnHost([round] { HostInjectMouseMove(round % 300, 100); });
    const auto limit = std::chrono::steady_clock::now() + kWatchdog;
    while ((asked.load() <= round || host::PresentsMade() <= before) && std::chrono::steady_clock::now() < limit)
      std::this_thread::yield();
    ASSERT_GT(host::PresentsMade(), before) << "round " << round << ": the present asked for was never made";
  }
  ASSERT_EQ(reader.wait_for(kWatchdog), std::future_status::ready);
  const uint64_t before = host::PresentsMade();
  host::RequestPresent();
  const auto limit = std::chrono::steady_clock::now() + kWatchdog;
  while (host::PresentsMade() == before && std::chrono::steady_clock::now() < limit) std::this_thread::yield();
  EXPECT_GT(host::PresentsMade(), before);
  HostSetInputEvents(nullptr, nullptr);
  host::StopHost();
  HostCloseEvent(mouse);
  HostCloseEvent(keyboard);
}

}  // namespace
