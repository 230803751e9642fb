// Test seam of the program's start-up: a stand-in for the live-view
// window's procedure.
#pragma once

#include "gui/window.h"

namespace program_seam {

// `proc` becomes the procedure of the live-view window that runRecorder
// creates; null restores previewMainWinProc.
void setLiveViewProc(WindowProc proc);
// `adjust` runs right after the device's capability record is made, so
// that a test can change what the device offers; null for none.
void setAbilityAdjustment(void (*adjust)());

}  // namespace program_seam
