// What the queues and start-up need from the timer table.
#pragma once

#include <cstdint>

#include "core/control_support.h"  // RestTimer
#include "gui/common.h"

// The window and id of the timer in a slot; false for an empty slot.
bool TimerSlotInfo(int slot, WindowHandle* hwnd, int* id);
// Slot bits of every timer owned by the window or one of its controls.
uint32_t TimerMaskOfWindow(WindowHandle hwnd);
// Counts every timer's ticks up to a step of the timer thread (the desktop
// does, on the tick the thread marked for that step).
void TimerTickToStep(uint64_t step);
// The earliest step at which a timer comes due once the steps up to
// `counted` are counted; -1 with no timer installed.
int64_t NextTimerDueStep(uint64_t counted);
// One 100 ms step by hand: advance the tick counter by 10, drain the refresh
// list, mark the desktop's tick.
void TimerThreadStep();
void StopTimerThread();
// StartTimerThread in the two halves of a StoppableThread's start.
bool BeginTimerThread();
bool FinishTimerThread();
// Frees every timer record.
void TerminateTimers();

// The timer thread sleeps through steps with nothing to do; whoever gives it
// work wakes it. Safe from any thread, with any lock held.
void WakeTimerThread();
// Published by the desktop after each message it handles: whether a caret
// counts its blinks, and the second of the wall clock (`time`) at which the
// idle bookkeeping next has something to check, or kNoIdleCheck.
constexpr int64_t kNoIdleCheck = -1;
void SetDesktopTickNeeds(bool caret, int64_t idleDueSecond);
// A caret window set on another thread: the desktop ticks from now on,
// until it publishes otherwise.
void RaiseDesktopCaretNeed();
// The timer thread's step now (steps of 100 ms from its start), and the
// step of the desktop tick it marked last.
uint64_t CurrentTimerStep();
uint64_t MarkedDesktopStep();

// Tests: a monotonic clock in milliseconds in place of the steady clock
// (null restores it); after moving it, WakeTimerThread lets the thread see.
using TimerClock = long long (*)();
void SetTimerClockForTest(TimerClock clock);
struct TimerThreadStats {
  uint64_t steps;         // steps the thread woke for
  uint64_t desktopTicks;  // of which marked the desktop's tick
  bool sleeping;          // waiting for work with no deadline
  int64_t due;            // else the step it waits for
};
// Waits until the thread has handled every step that is due and waits
// again, then reports; without a running thread it reports at once.
TimerThreadStats SettleTimerThreadForTest();
