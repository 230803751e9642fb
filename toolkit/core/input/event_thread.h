// The event thread waits on the input engine and turns what the low-level
// event reader makes of it into desktop messages.
#pragma once

#include "gui/input.h"

#include <cstdint>

enum LowLevelEventType { kEventTimeout = 0, kEventKey = 1, kEventMouse = 2 };

// What the event thread needs of the input layer: the engine's wait (which:
// bit 0 mouse, bit 1 keyboard; result the same bits, 0 time-out, negative
// retry) and the event reader (1 made an event, 0 none). `wake`, when set,
// makes a wait under way answer a retry; it is safe from any thread.
struct EventEngine {
  int (*wait)(int which, long timeoutUsec);
  int (*read)(int which, LowLevelEvent* event);
  void (*wake)();
};

// Installs the engine the event thread uses; null restores the built-in one,
// which reports nothing and only waits out its time-out.
void SetEventEngine(const EventEngine* engine);
// Posts the desktop message(s) for one event (the event thread's step).
void PostLowLevelEvent(const LowLevelEvent& event);

bool StartEventThread();
// StartEventThread in the two halves of a StoppableThread's start.
bool BeginEventThread();
bool FinishEventThread();
void StopEventThread();
// Whether every change the host took in has been read and its messages
// posted to the desktop (which may not have routed them yet).
bool HostInputPosted();
// Lets the event thread look again at what its wait is for (an auto-repeat
// message was set, so time-outs matter again).
void WakeEventThread();
