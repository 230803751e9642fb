// Low-level event internals: the state the event thread keeps, the hooks
// tests and the cursor plug into, and the event-thread adapter.
#pragma once

#include <sys/time.h>

#include <atomic>
#include <cstdint>

#include "core/input/event_thread.h"
#include "gui/input.h"

// Tick source (10 ms units); null restores the toolkit's tick counter.
using LowLevelClock = unsigned int (*)();
void SetLowLevelEventClock(LowLevelClock clock);

// Refreshes the cursor from the engine: writes the position and the
// engine's buttons, answers non-zero when the position changed. The cursor
// installs its own; null restores the built-in one, which reads the
// engine's position through the calibration.
using MouseCursorUpdate = int (*)(int* x, int* y, int* buttons);
void SetMouseCursorUpdate(MouseCursorUpdate update);

// Makes the event thread wait on the current engine and read through
// ReadLowLevelEvent; Remove gives the thread back its idle engine.
void InstallLowLevelEventEngine();
const EventEngine* LowLevelEventEngine();
void RemoveLowLevelEventEngine();

// The engine time-out record every wait gets (event thread only).
timeval* LowLevelEventTimeout();

namespace lowlevel {

constexpr int kKeyStates = 256;

// Everything but the atomics belongs to the thread that reads events; the
// atomics are also read by GetKeyStatus and GetShiftKeyStatus anywhere.
struct State {
  int dblclickTicks = 30;
  long timeoutUsec = 300000;
  long repeatUsec = 50000;
  timeval timeout{};
  int timeoutCount = 0;
  LowLevelEvent previous{};
  std::atomic<int> lastButtons{0};
  unsigned int leftDownTick = 0;
  unsigned int rightDownTick = 0;
  std::atomic<uint32_t> status{0};
  std::atomic<uint8_t> oldKeys[kKeyStates] = {};
  uint8_t lastPressed = 0;
  unsigned int keyDownTick = 0;
  bool leftAlt = false, rightAlt = false, leftCtrl = false, rightCtrl = false;
  bool leftShift = false, rightShift = false;
  bool caps = false, num = false, scroll = false;
  bool capsLatch = true, numLatch = true, scrollLatch = true;
};

State& state();
unsigned int Now();
void SetTimeout(long usec);
int CursorUpdate(int* x, int* y, int* buttons);

// The two halves of ReadLowLevelEvent. ReadMouse answers 1 with an event,
// 0 when the buttons made none.
int ReadMouse(LowLevelEvent* event);
int ReadKeyboard(int keyCount, LowLevelEvent* event);
void ResetKeyState();

}  // namespace lowlevel
