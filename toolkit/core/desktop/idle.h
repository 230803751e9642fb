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
// and the idle checks' until both the notice and the time-out are done.
void PublishTickNeeds();
// The key and mouse hook: records input; never consumes it.
int RecordInputActivity(WindowHandle context, WindowHandle target, int msg, WParam wParam, LParam lParam);
