// The host thread's sleep: a wake from any thread ends it, before or
// during the wait, and so does input on the window-system connection.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <thread>
#include <vector>

#include "core/driver/host_thread.h"
#include "core/driver/host_wait.h"

namespace {

TEST(HostWait, WakesAndConnectionInputEndTheWait) {
  host::HostWaiter waiter;
  ASSERT_TRUE(waiter.ok());
  // Given before the wait: it returns at once, and takes every wake so far.
  waiter.wake();
  waiter.wake();
  waiter.wait(-1, -1);
  // Given by another thread during an unlimited wait.
  std::atomic<bool> woken{false};
  std::thread sleeper([&] {
    waiter.wait(-1, -1);
    woken = true;
  });
  waiter.wake();
  sleeper.join();
  EXPECT_TRUE(woken.load());
  // Input on the connection ends it too; nothing at all lets the limit run out.
  int pipeFds[2];
  ASSERT_EQ(pipe(pipeFds), 0);
  ASSERT_EQ(write(pipeFds[1], "x", 1), 1);
  waiter.wait(pipeFds[0], -1);
  char c;
  ASSERT_EQ(read(pipeFds[0], &c, 1), 1);
  waiter.wait(pipeFds[0], 1);
  close(pipeFds[0]);
  close(pipeFds[1]);
}

// Many threads waking a waiter that takes its wakes in a loop: no wake is
// lost, so a count published before a wake is always seen by a wait that
// starts after it.
TEST(HostWait, NoWakeIsLost) {
  host::HostWaiter waiter;
  ASSERT_TRUE(waiter.ok());
  constexpr int kThreads = 4, kEach = 500;
  std::atomic<int> given{0};
  std::atomic<bool> done{false};
  std::thread taker([&] {
    while (given.load() < kThreads * kEach) waiter.wait(-1, -1);
    done = true;
  });
  std::vector<std::thread> wakers;
  for (int t = 0; t < kThreads; ++t)
    wakers.emplace_back([&] {
      for (int i = 0; i < kEach; ++i) {
        given.fetch_add(1);
        waiter.wake();
      }
    });
  for (std::thread& w : wakers) w.join();
  taker.join();
  EXPECT_TRUE(done.load());
}

// The host loop sleeps in the waiter: tasks and presents asked for from
// other threads all run, however the asks interleave.
TEST(HostWait, TheHostLoopAnswersEveryThread) {
  ASSERT_TRUE(host::StartHost(64, 48));
  std::atomic<int> ran{0};
  std::vector<std::thread> askers;
  for (int t = 0; t < 4; ++t)
    askers.emplace_back([&] {
      for (int i = 0; i < 200; ++i) {
        host::RequestPresent();
        if (host::RunOnHost([&] { ran.fetch_add(1); })) continue;
      }
    });
  for (std::thread& a : askers) a.join();
  EXPECT_EQ(ran.load(), 800);
  host::StopHost();
}

}  // namespace
