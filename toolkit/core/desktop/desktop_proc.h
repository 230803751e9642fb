// Pieces of the desktop procedure kept in files of their own.
#pragma once

#include "gui/common.h"

// Input routing (messages 1..31).
LResult RouteMouse(int msg, WParam wParam, LParam lParam);
LResult RouteKey(int msg, WParam wParam, LParam lParam);

// Background picture and repainting the desktop (208, 210, 211, 223).
void LoadBackgroundPicture();
void FreeBackgroundPicture();
void PaintDesktopBackground(const Rect* rect);

// Tool-window registration slots and forwarding (337..358, 402/403, 410/411).
LResult ToolWindowRequest(int msg, WParam wParam, LParam lParam);

// Close every window of the current display (330); answers how many were asked.
LResult CloseAllWindows();

// Move/resize tracking of a window frame (268, 269 and the input it eats).
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
