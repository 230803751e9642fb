// What the event thread waits on and reads through: the current engine's
// wait, sliced so that a stop request is seen within a slice, and the event
// reader. Also the built-in cursor refresh used until the cursor installs
// its own.
#include <algorithm>

#include "core/input/ial.h"
#include "core/input/lowlevel_event.h"

namespace {

constexpr long long kSliceUsec = 100000;

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

// Waits one slice of the layer's time-out record and counts the record
// down; answers -1 (wait again) while time is left and nothing arrived.
int WaitOnEngine(int which, long) {
  IalEngine* engine = CurrentIalEngine();
  if (!engine || !engine->wait_event) return 0;
  timeval* record = LowLevelEventTimeout();
  long long remaining = Usec(*record);
  timeval slice = FromUsec(std::min(remaining, kSliceUsec));
  const long long sliceUsec = Usec(slice);
  const int arrived = engine->wait_event(which, &slice);
  remaining -= sliceUsec - Usec(slice);
  *record = FromUsec(remaining);
  if (arrived == 0 && remaining > 0) return -1;
  return arrived;
}

int ReadEvent(int which, LowLevelEvent* event) { return ReadLowLevelEvent(which, event); }

const EventEngine kLowLevelEngine = {WaitOnEngine, ReadEvent};

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
