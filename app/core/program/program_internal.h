// What the program's start-up pieces share: the thread that turns a quit
// request into closing the live view, and the live view's procedure.
#pragma once

#include "gui/common.h"
#include "gui/window.h"

namespace program {

// Turns every quit request (signal, host window closed, RequestQuit) into
// closing every window, then MSG_CLOSE to the live view once it is made
// (setQuitWatchWindow), until stopQuitWatch; the handle stays readable until
// the watch has stopped. Started before the live view, whose creation may
// already run modal dialogs.
void startQuitWatch();
void setQuitWatchWindow(WindowHandle live);
void stopQuitWatch();

// Stops the start-up thread's further sends to the live view; called before
// the live view is destroyed, so no start-up message reaches a window on
// its way out.
void closeStartUpSends();
// False once the program's end has closed the gate: a start-up send already
// under way is then answered without opening anything.
bool startUpSendsOpen();
// The live view's creation has returned: the start-up thread may send.
void liveViewMade();

// The procedure of the live-view window the program creates (tests put a
// fake in its place).
WindowProc liveViewProc();

}  // namespace program
