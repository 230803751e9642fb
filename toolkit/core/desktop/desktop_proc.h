// Pieces of the desktop procedure kept in files of their own.
#pragma once

#include "gui/common.h"

// Input routing (MSG_FIRSTMOUSE..MSG_LASTKEY).
LResult RouteMouse(int msg, WParam wParam, LParam lParam);
LResult RouteKey(int msg, WParam wParam, LParam lParam);

// Background picture and repainting the desktop (MSG_DT_INIT, MSG_DT_END,
// MSG_DT_REINIT, MSG_DT_BACKGROUND).
void LoadBackgroundPicture();
void FreeBackgroundPicture();
void PaintDesktopBackground(const Rect* rect);

// Tool-window registration slots and forwarding (MSG_DT_REGIME..
// MSG_DT_SKBQUERY, MSG_DT_REGBUBBLETIP/MSG_DT_UNREGBUBBLETIP,
// MSG_DT_REGTOOLWIN/MSG_DT_UNREGTOOLWIN).
LResult ToolWindowRequest(int msg, WParam wParam, LParam lParam);

// Close every window of the current display (MSG_DT_CLOSEALLWINS); answers how many were asked.
LResult CloseAllWindows();

// Move/resize tracking of a window frame (MSG_DT_STARTDRAGWIN,
// MSG_DT_CANCELDRAGWIN and the input it eats).
LResult StartTracking(WindowHandle hwnd, const struct DragInfo* drag);
LResult CancelTracking(WindowHandle hwnd);
bool TrackingRuns();
// Read on any thread: a request made meanwhile goes to the desktop, which
// ends the tracking first.
bool TrackingMayRun();
// Feeds an input message to the tracking; true when it was consumed.
bool TrackingTakesInput(int msg, LParam lParam);
// A window-management request ends tracking before it proceeds.
void EndTrackingForRequest();
