#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "gui/host.h"

namespace {

TEST(HostEventsThread, ASignalWakesAWaiterForEither) {
  HostEvent* mouse = HostCreateEvent("MOUSE");
  HostEvent* keyboard = HostCreateEvent("kbd");
  std::atomic<int> woke{-5};
  std::thread waiter([&] {
    HostEvent* both[2] = {mouse, keyboard};
    woke = HostWaitForEvents(both, 2, -1);
  });
  HostSignalEvent(keyboard);
  waiter.join();
  EXPECT_EQ(woke.load(), 1);
  HostCloseEvent(mouse);
  HostCloseEvent(keyboard);
}

TEST(HostEventsThread, EachSignalIsConsumedByOneWait) {
  HostEvent* event = HostCreateEvent("MOUSE");
  std::atomic<int> woken{0};
  auto wait = [&] {
    HostWaitForEvents(&event, 1, -1);
    ++woken;
  };
  std::thread a(wait), b(wait);
  HostSignalEvent(event);
  while (woken.load() < 1) std::this_thread::yield();
  HostSignalEvent(event);
  a.join();
  b.join();
  EXPECT_EQ(woken.load(), 2);
  EXPECT_EQ(HostWaitForEvents(&event, 1, 0), -1);
  HostCloseEvent(event);
}

}  // namespace
