// What the queues and start-up need from the timer table.
#pragma once

#include <cstdint>

#include "gui/common.h"

// The window and id of the timer in a slot; false for an empty slot.
bool TimerSlotInfo(int slot, WindowHandle* hwnd, int* id);
// Slot bits of every timer owned by the window or one of its controls.
uint32_t TimerMaskOfWindow(WindowHandle hwnd);
// One 100 ms step of the timer thread: advance the tick counter, drain the
// refresh list, mark the desktop's tick.
void TimerThreadStep();
void StopTimerThread();
// Frees every timer record.
void TerminateTimers();
