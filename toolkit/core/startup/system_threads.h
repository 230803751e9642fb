// The toolkit's own threads, started in a fixed order with a hand-shake each.
#pragma once

// Ends every system thread still running and joins it: input and timer
// first (they post to the desktop), then the desktop, then the idle thread.
void StopSystemThreads();
// Whether the desktop thread runs.
bool DesktopThreadRunning();
