// Test seam of the program's start-up: a stand-in for the live-view
// window's procedure, the device's capabilities and the start-up thread.
#pragma once

#include "gui/window.h"

namespace program_seam {

// `proc` becomes the procedure of the live-view window that runRecorder
// creates; null restores previewMainWinProc.
void setLiveViewProc(WindowProc proc);
// `adjust` runs right after the device's capability record is made, so
// that a test can change what the device offers; null for none.
void setAbilityAdjustment(void (*adjust)());
// Off, a live-view window's creation starts no start-up thread: tests that
// drive the window themselves keep tool windows and start-up messages out.
void setStartUpThreadEnabled(bool enabled);
// Whether a start-up thread is still at work.
bool startUpThreadRunning();
// Whether the start-up thread has made the tool windows and waits for the
// live view's creation to return.
bool startUpThreadWaitsForLiveView();
// `end` takes the shutdown (false) and reboot (true) requests instead of the
// running program; null restores them.
void setEndRequests(void (*end)(bool reboot));

}  // namespace program_seam
