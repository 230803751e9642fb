// What the event thread waits on and reads through: the current engine's
// wait, which a stop request or a wanted time-out cuts short through the
// engine's wake, and the event reader. Also the built-in cursor refresh used until the cursor installs
// its own.
#include <algorithm>
#include <chrono>

#include "core/input/ial.h"
#include "core/input/lowlevel_event.h"
#include "core/window/auto_repeat.h"

namespace {

std::atomic<MouseCursorUpdate> g_cursorUpdate{nullptr};

// Last position the built-in refresh reported (event thread only).
int g_lastX = 0, g_lastY = 0;

long long Usec(const timeval& t) { return static_cast<long long>(t.tv_sec) * 1000000 + t.tv_usec; }

timeval FromUsec(long long usec) {
  usec = std::max(usec, 0LL);
  timeval t{};
  t.tv_sec = static_cast<time_t>(usec / 1000000);
  t.tv_usec = static_cast<suseconds_t>(usec % 1000000);
  return t;
}

// Only the first time-out's notice carries a count below 2, which ends a
// drag under way; later ones matter only to a repeat.
constexpr int kDragEndingTimeouts = 1;

// Whether a time-out would do anything: repeat a held key, tick while a
// button is held or an auto-repeat message is set, or end a drag. Otherwise
// the wait needs no time limit, and nobody is woken for nothing.
bool TimeoutWanted() {
  const lowlevel::State& s = lowlevel::state();
  if (s.timeoutCount < kDragEndingTimeouts) return true;
  const LowLevelEvent& prev = s.previous;
  if (prev.type == kEventKey && prev.event == KE_KEYDOWN) return true;
  if (prev.type == kEventMouse &&
      (prev.event == ME_LEFTDOWN || prev.event == ME_RIGHTDOWN || prev.event == ME_WHEEL_TOWARDS))
    return true;
  return AutoRepeatIsSet();
}

// The record runs on while the wait has no limit: a time-out that fell due
// meanwhile comes due again in the same rhythm.
void AgeTimeout(timeval* record, long long elapsedUsec) {
  long long remaining = Usec(*record) - elapsedUsec;
  const long long period = lowlevel::state().timeoutUsec;
  if (remaining <= 0) remaining = period > 0 ? period - (-remaining) % period : 0;
  *record = FromUsec(remaining);
}

int WaitWithoutLimit(IalEngine* engine, int which, timeval* record) {
  const auto start = std::chrono::steady_clock::now();
  const int arrived = engine->wait_event(which, nullptr);
  AgeTimeout(record, std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start)
                         .count());
  return arrived > 0 ? arrived : -1;
}

// Waits out the layer's time-out record, counting it down; answers -1 (wait
// again) when woken with time left and nothing arrived.
int WaitOnEngine(int which, long) {
  IalEngine* engine = CurrentIalEngine();
  if (!engine || !engine->wait_event) return 0;
  timeval* record = LowLevelEventTimeout();
  if (!TimeoutWanted()) return WaitWithoutLimit(engine, which, record);
  const int arrived = engine->wait_event(which, record);
  if (arrived <= 0 && Usec(*record) > 0) return -1;
  return arrived;
}

int ReadEvent(int which, LowLevelEvent* event) { return ReadLowLevelEvent(which, event); }

const EventEngine kLowLevelEngine = {WaitOnEngine, ReadEvent, WakeIalWait};

int BuiltInCursorUpdate(int* x, int* y, int* buttons) {
  IalEngine* engine = CurrentIalEngine();
  int px = 0, py = 0;
  if (engine && engine->get_mouse_xy) engine->get_mouse_xy(&px, &py);
  CalibrateMousePosition(&px, &py);
  *x = px;
  *y = py;
  *buttons = engine && engine->get_mouse_button ? engine->get_mouse_button() : 0;
  const bool moved = px != g_lastX || py != g_lastY;
  g_lastX = px;
  g_lastY = py;
  return moved;
}

}  // namespace

void SetMouseCursorUpdate(MouseCursorUpdate update) { g_cursorUpdate = update; }

void InstallLowLevelEventEngine() {
  g_lastX = g_lastY = 0;
  SetEventEngine(&kLowLevelEngine);
}

const EventEngine* LowLevelEventEngine() { return &kLowLevelEngine; }

void RemoveLowLevelEventEngine() { SetEventEngine(nullptr); }

int lowlevel::CursorUpdate(int* x, int* y, int* buttons) {
  MouseCursorUpdate update = g_cursorUpdate.load();
  return update ? update(x, y, buttons) : BuiltInCursorUpdate(x, y, buttons);
}
