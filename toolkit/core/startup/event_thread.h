// The event thread waits on the input engine and turns what the low-level
// event reader makes of it into desktop messages.
#pragma once

#include <cstdint>

// One low-level event as the event reader delivers it.
struct LowLevelEvent {
  int32_t type;   // 0 time-out, 1 key, 2 mouse
  int32_t count;  // time-outs: running count
  int32_t status;
  int32_t event;  // mouse or key code
  int32_t data1;  // mouse x, or scan code
  int32_t data2;  // mouse y, or key status
  int32_t mouseStatus;
};

enum LowLevelEventType { kEventTimeout = 0, kEventKey = 1, kEventMouse = 2 };

// What the event thread needs of the input layer: the engine's wait (which:
// bit 0 mouse, bit 1 keyboard; result the same bits, 0 time-out, negative
// retry) and the event reader (1 made an event, 0 none).
struct EventEngine {
  int (*wait)(int which, long timeoutUsec);
  int (*read)(int which, LowLevelEvent* event);
};

// Installs the engine the event thread uses; null restores the built-in one,
// which reports nothing and only waits out its time-out.
void SetEventEngine(const EventEngine* engine);
// Posts the desktop message(s) for one event (the event thread's step).
void PostLowLevelEvent(const LowLevelEvent& event);

bool StartEventThread();
void StopEventThread();
