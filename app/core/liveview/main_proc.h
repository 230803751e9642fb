// The live-view window procedure's handlers, one file per concern: creation,
// the mouse in each output state, the digital zooms, the smart-search grid,
// PTZ steering, timers and keys, and the start-up messages.
#pragma once

#include "gui/common.h"

namespace liveproc {

constexpr int kAddChanButton = 12303;

// A mouse message's client point: x in the low 16 bits, y in the high, signed.
inline Point pointOf(LParam lParam) {
  return Point{static_cast<int16_t>(lParam & 0xFFFF), static_cast<int16_t>((lParam >> 16) & 0xFFFF)};
}
void showSystemCursor(int index);
void repaintOutputWindow(WindowHandle hwnd, int index);
void confirmLogin(int output);
Rect normalised(const Rect& r);
// Repaints what a drag rectangle covered (*last) and covers now, then
// remembers `now`.
void repaintMoved(WindowHandle hwnd, const Rect& now, Rect* last);

// Creation (MSG_CREATE).
void onCreate(WindowHandle hwnd);

// The mouse in the live view (state 0) and the right button in every state.
void liveLeftUp(WindowHandle hwnd, Point p);
void onDoubleClick(WindowHandle hwnd, WParam wParam, LParam lParam);
void onRightUp(WindowHandle hwnd, Point p);
void onWheel(WindowHandle hwnd);
void hideAddChanButton(WindowHandle hwnd);
void onAddChannelCommand(WindowHandle hwnd);
// Closes the side menu as a right click or the idle time-out does.
void dropSideMenu(WindowHandle hwnd);

// Digital zoom: 1 when the message belonged to a zoom drag or pick.
bool zoomMouse(WindowHandle hwnd, int message, Point p);
void endLiveZoom(WindowHandle hwnd);
void repaintZoomOverview(WindowHandle hwnd);

// Smart search (state 13).
void smartMouse(WindowHandle hwnd, int message, Point p);
void repaintSmartDrag(WindowHandle hwnd);

// PTZ panel (state 2).
void ptzMouse(WindowHandle hwnd, int message, Point p);
void ptzRightUp(WindowHandle hwnd);
void repaintPtzDrag(WindowHandle hwnd);

// Keys, timers and the idle time-out.
void onKeyDown(WindowHandle hwnd, int key);
void onNumKeyTimer(WindowHandle hwnd);
void onPowerKey(WindowHandle hwnd);
void onIdle(WindowHandle hwnd, int output);
void onRepaintPass(WindowHandle hwnd, WParam wParam);

// Start-up messages sent by the tool-window thread.
void onStartWizard(WindowHandle hwnd);
void onDiskCheck(WindowHandle hwnd);

}  // namespace liveproc
