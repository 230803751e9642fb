// The "dummy" engine: no mouse, no keys; its wait only lets time pass.
#include <chrono>
#include <thread>

#include "core/input/ial.h"

namespace {

constexpr long kIdleWaitUsec = 300000;

int UpdateMouse() { return 1; }
void GetMouseXY(int* x, int* y) { *x = *y = 0; }
int GetMouseButtons() { return 0; }
int UpdateKeyboard() { return 0; }
const uint8_t* GetKeyboardState() { return nullptr; }

// Sleeps out the whole time-out and counts it down, so that the time-out
// path of the event layer runs; without a time-out it sleeps 300 ms.
int WaitEvent(int, timeval* timeout) {
  long long usec = kIdleWaitUsec;
  if (timeout) usec = static_cast<long long>(timeout->tv_sec) * 1000000 + timeout->tv_usec;
  std::this_thread::sleep_for(std::chrono::microseconds(usec));
  if (timeout) timeout->tv_sec = timeout->tv_usec = 0;
  return 0;
}

void TermDummy() {}

}  // namespace

int InitDummyIAL(IalEngine* engine, const char*, const char*) {
  // name, init, term, mouse: update, get, set, buttons, range; keys: update,
  // state, lights; wait; device.
  static const IalEngine ops = {nullptr,         nullptr,     TermDummy,     UpdateMouse, GetMouseXY,
                                nullptr,         GetMouseButtons, nullptr, UpdateKeyboard, GetKeyboardState,
                                nullptr,         WaitEvent,   {}};
  SetEngineOperations(engine, ops);
  return 1;
}
