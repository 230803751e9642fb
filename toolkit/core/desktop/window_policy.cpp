// Yes/no questions whose answers depend on what the application shows on
// each output (live view, a menu, the PTZ panel, playback).
#include <strings.h>

#include "core/desktop/desktop.h"
#include "core/desktop/output_state.h"
#include "core/window/auto_repeat.h"
#include "gui/app_hooks.h"
#include "gui/control_class.h"
#include "gui/display.h"
#include "gui/window.h"

namespace {

bool Named(WindowHandle hwnd, WindowHandle candidate) {
  return IsValidHandle(candidate) && hwnd == candidate;
}

}  // namespace

extern "C" {

int IsDispSwitchAllowed(void) { return GuiApp()->isDispSwitchEnabled() ? 1 : 0; }

int IsPreviewPaintSuppressed(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || !(win->exStyle & WS_EX_PREVIEW)) return 0;
  int state = getOutputStateHook(getCurOutputHook());
  return state != OUTSTATE_LIVEVIEW && state != OUTSTATE_PLAYBACK && state != OUTSTATE_PTZ ? 1 : 0;
}

int IsPlaybackScreenWindow(WindowHandle hwnd) {
  if (Named(hwnd, getPlaybackWndHook(getMainOutputHook())) || Named(hwnd, getSideBarWndHook()) ||
      Named(hwnd, getPlaybackExtraWndHook()))
    return 1;
  WindowHandle playback = getPlaybackWndHook(getCurOutputHook());
  if (!ValidMainWindow(hwnd)) return 0;
  WindowHandle host = GetHosting(hwnd);
  return host != __gui_hwnd_desktop && Named(host, playback) ? 1 : 0;
}

int IsPreviewOverlaid(WindowHandle hwnd) {
  int state = getOutputStateHook(getCurOutputHook());
  if (state == OUTSTATE_PLAYBACK) return 1;
  return state == OUTSTATE_PTZ && Named(hwnd, GuiApp()->getPtzPlayWindow()) &&
                 getPreviewExtraWndHook() == GUI_INVALID_HANDLE
             ? 1
             : 0;
}

int IsPlaybackWindow(WindowHandle hwnd) {
  return Named(hwnd, getPlaybackWndHook(getMainOutputHook())) || Named(hwnd, getPlaybackWndHook(getAuxOutputHook()))
             ? 1
             : 0;
}

int IsControlOfClass(WindowHandle hwnd, const char* className) {
  if (hwnd == GUI_INVALID_HANDLE || !className) return 0;
  ControlRecord* control = ValidControl(hwnd);
  if (!control || !control->controlClass) return 0;
  return strcasecmp(control->controlClass->name, className) == 0 ? 1 : 0;
}

int ShouldBroadcastIdleTick(void) {
  int state = getOutputStateHook(getCurOutputHook());
  if (state != OUTSTATE_MENU && state != OUTSTATE_RETURNED) return 1;
  return AutoRepeatIsSet() ? 1 : 0;
}

int CanReturnToPreview(int output) { return isLiveViewActiveHook(output) ? 1 : 0; }

int IsPreviewBusyState(int output) {
  switch (getOutputStateHook(output)) {
    case OUTSTATE_PTZ: case OUTSTATE_BUSY4: case OUTSTATE_BUSY6: case OUTSTATE_BUSY7: case OUTSTATE_BUSY8:
    case OUTSTATE_PLAYBACK: case OUTSTATE_ZOOM: case OUTSTATE_SMARTSEARCH:
      return 1;
    default:
      return 0;
  }
}

int BothOutputsNotLowRes(void) {
  return IsLowResDisplay(getMainOutputHook()) && !IsLowResDisplay(getAuxOutputHook()) ? 0 : 1;
}

}  // extern "C"
