// Calls the desktop makes into areas that are built separately (cursors,
// display switching, live-video areas, message boxes, element colours);
// the cursor calls are the real ones.
// Each stand-in answers as the finished call would on the default device,
// and is replaced by the real call when that area lands.
#pragma once

#include "core/livevideo/areas.h"
#include "core/cursor/system_cursor.h"
#include "gui/common.h"

// Display switching is held off while windows are re-clipped
// (EnableSwitchDispDev); nested holds count.
void SuspendDisplaySwitching();
void ResumeDisplaySwitching();
bool DisplaySwitchEnabled();
// Holds display switching off for a scope.
class DisplaySwitchHold {
 public:
  DisplaySwitchHold() { SuspendDisplaySwitching(); }
  ~DisplaySwitchHold() { ResumeDisplaySwitching(); }
  DisplaySwitchHold(const DisplaySwitchHold&) = delete;
  DisplaySwitchHold& operator=(const DisplaySwitchHold&) = delete;
};
// A display switch runs (the display layer's flag).
bool DisplaySwitchInProgress();
// Whether a message box is shown (GetMsgBoxState).
bool MessageBoxShown();
// Height of the system font the IME window is sized by on a display.
int ImeFontHeight(bool auxiliary);
