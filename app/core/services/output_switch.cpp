// Before the menus move to the other output: close what covers the live
// view there, then ask the user.
#include "app/app_registry.h"
#include "app/playback.h"
#include "app/control_services.h"
#include "app/liveview.h"
#include "app/msgbox.h"
#include "app/pages_calls.h"
#include "gui/app_hooks.h"
#include "gui/dialog.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kAddChanButton = 12303;


// Hides a window and asks it to close; false when it is missing.
bool closeWindow(WindowHandle hwnd, WParam wParam = 0) {
  if (!IsValidHandle(hwnd)) return false;
  ShowWindow(hwnd, SW_HIDE);
  SendMessage(hwnd, MSG_CLOSE, wParam, 0);
  return true;
}

bool isOverlay(WindowHandle hwnd, int output) {
  return hwnd == getLeftMenuWnd(output) || hwnd == getLeftColorSetWnd() || hwnd == getCopyChanWnd() ||
         hwnd == getOutModeSetWnd() || hwnd == getPreviewStrategyWnd() || hwnd == getAddIpcWnd();
}

}  // namespace

extern "C" {

int closeOverlayWindows(void) {
  const int output = getCurOutput();
  const WindowHandle top = getTopMainWindow();
  const WindowHandle button = IsValidHandle(top) ? GetDlgItem(top, kAddChanButton) : GUI_INVALID_HANDLE;
  if (IsValidHandle(button) && IsWindowVisible(button))
    ShowWindow(button, SW_HIDE);
  else
    closeWindow(getAddIpcWnd());
  int result = 0;
  switch (getOutputState(output)) {
    case OUTSTATE_COLORPANEL:
      result = closeWindow(getLeftColorSetWnd(), 1);
      break;
    case OUTSTATE_COPYCHAN:
      result = closeWindow(getCopyChanWnd());
      if (IsValidHandle(getLeftColorSetWnd())) SendMessage(getLeftColorSetWnd(), MSG_CLOSE, 1, 0);
      break;
    case OUTSTATE_OUTMODE:
      result = closeWindow(getOutModeSetWnd());
      break;
    case OUTSTATE_STRATEGY:
      result = closeWindow(getPreviewStrategyWnd());
      break;
    case OUTSTATE_PLAYBACK:
      result = getPlaybackType(output) == 1;
      break;
    default:
      result = IsValidHandle(getLeftMenuWnd(output)) && getLiveViewPopup(output);
      break;
  }
  const WindowHandle menu = getLeftMenuWnd(output);
  if (!IsValidHandle(menu)) return 0;
  SendMessage(menu, MSG_CLOSE, 0, 0);
  return result;
}

int confirmOutputSwitch(WindowHandle hwnd) {
  if (!isDispSwitchEnabled()) return 0;
  closeOverlayWindows();
  const int output = getCurOutput();
  WindowHandle owner = hwnd;
  if (isOverlay(hwnd, output)) {
    owner = getTopMainWindow();
    if (output == getMainOutput() && getOutputState(output) == OUTSTATE_PLAYBACK && getPlaybackType(output) == 1)
      owner = getInstantPlayWnd(output);
  }
  if (owner == getSideBarWnd(getMainOutput()) && IsValidHandle(owner))
    owner = getPlaybackWnd(getMainOutput());
  else if (owner == getSideBarWnd(getAuxOutput()) && IsValidHandle(owner))
    owner = getPlaybackWnd(getAuxOutput());
  return askMsgBox(owner, "preview", "outputswitch_hint") == IDYES ? 1 : 0;
}

}  // extern "C"
