// Auto-reset events with a wait for the first of several. All events share
// one lock and condition: they are few and signalled at input rate.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <string>

#include "gui/host.h"

struct HostEvent {
  std::string name;
  bool signalled = false;
};

namespace {

struct EventHub {
  std::mutex lock;
  std::condition_variable changed;
};

EventHub& hub() {
  static EventHub instance;
  return instance;
}

int takeFirstSignalled(HostEvent* const* events, int count) {
  for (int i = 0; i < count; ++i) {
    if (events[i]->signalled) {
      events[i]->signalled = false;
      return i;
    }
  }
  return -1;
}

}  // namespace

extern "C" {

HostEvent* HostCreateEvent(const char* name) {
  HostEvent* event = new (std::nothrow) HostEvent;
  if (event && name) event->name = name;
  return event;
}

void HostCloseEvent(HostEvent* event) { delete event; }

void HostSignalEvent(HostEvent* event) {
  if (!event) return;
  EventHub& h = hub();
  {
    std::lock_guard<std::mutex> guard(h.lock);
    event->signalled = true;
  }
  h.changed.notify_all();
}

int HostWaitForEvents(HostEvent* const* events, int count, long timeoutMs) {
  if (!events || count <= 0) return -2;
  for (int i = 0; i < count; ++i)
    if (!events[i]) return -2;
  EventHub& h = hub();
  std::unique_lock<std::mutex> guard(h.lock);
  int index = -1;
  auto ready = [&] { return (index = takeFirstSignalled(events, count)) >= 0; };
  if (timeoutMs < 0)
    h.changed.wait(guard, ready);
  else
    h.changed.wait_for(guard, std::chrono::milliseconds(timeoutMs), ready);
  return index;
}

}  // extern "C"
