// Display switching is held off while windows are re-clipped
// (EnableSwitchDispDev); nested holds count.
#pragma once

void SuspendDisplaySwitching();
void ResumeDisplaySwitching();
bool DisplaySwitchEnabled();
// A display switch runs (the display layer's flag).
bool DisplaySwitchInProgress();

// Holds display switching off for a scope.
class DisplaySwitchHold {
 public:
  DisplaySwitchHold() { SuspendDisplaySwitching(); }
  ~DisplaySwitchHold() { ResumeDisplaySwitching(); }
  DisplaySwitchHold(const DisplaySwitchHold&) = delete;
  DisplaySwitchHold& operator=(const DisplaySwitchHold&) = delete;
};
