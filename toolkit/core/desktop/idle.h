// The desktop's idle bookkeeping: the one-shot idle notice after 21 seconds
// without input and the menu time-out that returns to the live view.
#pragma once

#include "gui/common.h"

// Seconds of the idle time-out index (1..6), -1 for any other index.
int IdleTimeoutSeconds(int index);
// Installs the activity hooks and starts counting from now.
void StartIdleBookkeeping();
// Run after each message the desktop reads, before it is handled.
void RunIdleChecks();
// Tells the timer thread which of the desktop's ticks matter: a caret's,
// and the idle checks' at the second the notice or the time-out comes due
// (between inputs nothing else changes what they find, but a change of the
// clock, which wakes the timer thread).
void PublishTickNeeds();
// The second at which the notice or the time-out comes due after `now`
// (at least the next second), -1 when both are done or off.
long NextIdleCheck(long now);
// The second the desktop planned after the last message it handled (tests).
long PlannedIdleCheckForTest();
// The key and mouse hook: records input; never consumes it.
int RecordInputActivity(WindowHandle context, WindowHandle target, int msg, WParam wParam, LParam lParam);
