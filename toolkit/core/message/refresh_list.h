// The refresh list drained by the timer thread, and its hand-shake with
// display switching: a switch happens only once the list has run empty.
#pragma once

// The list's queue, made at start-up (false when it cannot be made).
bool CreateRefreshList();
void DestroyRefreshList();

// Set by the display layer when it wants to switch displays.
void RequestDisplaySwitch();
// Whether a switch is requested or due and not yet done.
bool IsDisplaySwitchPending();
// Whether the timer thread's next step has something to drain or hand over.
bool RefreshWorkPending();
