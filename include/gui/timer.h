/* Timers and the toolkit's tick counter.
 *
 * Periods count desktop ticks of 100 ms (10 fires once a second). A due
 * timer sets one bit in its owner's queue, so at most one timer message per
 * timer is pending. The tick counter counts 10 ms units. */
#ifndef GUI_TIMER_H
#define GUI_TIMER_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

#define MAX_TIMERS 32

int StartTimerThread(void); /* 1 once the thread runs, 0 when it cannot start */
BOOL SetTimer(WindowHandle hwnd, int id, unsigned int period);
BOOL KillTimer(WindowHandle hwnd, int id); /* id <= 0: all of the window's timers */
BOOL ResetTimer(WindowHandle hwnd, int id, unsigned int period);
BOOL IsTimerInstalled(WindowHandle hwnd, int id);
BOOL HaveFreeTimer(void);
unsigned int GetTickCount(void);
void TimerTick(unsigned int ticks);

GUI_EXTERN_C_END

#endif
