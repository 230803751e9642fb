// Stopping the host while other threads keep asking it to present: a wake-up
// never reaches SDL while SDL is shutting down.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "core/driver/host_thread.h"

namespace {

TEST(HostStop, PresentRequestsDuringStopAreHarmless) {
  std::atomic<bool> asking{true};
  std::thread asker([&] {
    while (asking) host::RequestPresent();
  });
  for (int round = 0; round < 100; ++round) {
    ASSERT_TRUE(host::StartHost(64, 48));
    host::StopHost();
  }
  asking = false;
  asker.join();
}

}  // namespace
