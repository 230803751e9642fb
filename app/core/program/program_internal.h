// What the program's start-up pieces share: the thread that turns a quit
// request into closing the live view, the start-up thread's bookkeeping and
// the tool windows it leaves behind.
#pragma once

#include "gui/common.h"
#include "gui/window.h"

namespace program {

// Turns every quit request (signal, host window closed, RequestQuit) into
// message 102 to `live` until stopQuitWatch; the handle stays readable until
// the watch has stopped.
void startQuitWatch(WindowHandle live);
void stopQuitWatch();

// Lets the start-up thread send to the live view again (a new run).
void openLiveViewGate();
// No start-up thread sends to the live view after this; returns once the
// start-up threads have ended. The live view must be destroyed first (or
// not exist), so that a send under way is answered at once.
void closeLiveViewGateAndWait();
// Closes the input-method, soft-keyboard and bubble-tip windows and waits
// for their threads.
void closeToolWindows();

// The procedure of the live-view window the program creates (tests put a
// fake in its place).
WindowProc liveViewProc();

}  // namespace program
