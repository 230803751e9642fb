// The toolkit's own threads, started in a fixed order with a hand-shake each.
#pragma once

// StartSystemThreads in two halves: Begin starts the desktop thread and
// waits for it, then starts the others without waiting; Finish waits for
// those (false when one failed: StopSystemThreads then ends the rest).
// A failed Begin has stopped whatever it started.
bool BeginSystemThreads();
bool FinishSystemThreads();
// Ends every system thread still running and joins it (a start not yet
// finished is waited for first): input and timer
// first (they post to the desktop), then the desktop, then the idle thread.
void StopSystemThreads();
// Whether the desktop thread runs.
bool DesktopThreadRunning();
