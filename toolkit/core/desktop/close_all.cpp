// Closing every menu window of a display: on request, on the idle time-out
// (back to the live view) and on a language change.
#include "core/desktop/desktop.h"
#include "core/desktop/desktop_proc.h"
#include "core/desktop/desktop_state.h"
#include "core/desktop/output_state.h"
#include "core/desktop/popup_chain.h"
#include "core/desktop/window_stack.h"
#include "core/livevideo/areas.h"
#include "core/livevideo/display_switch.h"
#include "core/startup/input_helpers.h"
#include "core/window/window_damage.h"
#include "core/window/window_messages.h"
#include "gui/app_hooks.h"
#include "gui/desktop.h"
#include "gui/message.h"
#include "gui/window.h"

namespace {

constexpr int kToolClose = 409;

int ClosingMessageOf(WindowHandle hwnd) {
  if (hwnd == SoftKeyboardWindow()) return MSG_SKBCLOSE;
  if (hwnd == ImeWindow()) return MSG_IMECLOSE;
  if (hwnd == Desk().bubbleTip) return MSG_TIPHIDE;
  if (hwnd == Desk().fourthTool) return kToolClose;
  return MSG_CLOSE;
}

// The desktop itself is never stored as an active window.
void ActivateTopWindow() {
  WindowHandle top = GetCurTopMainWindow();
  SetActiveOfCurrentDisplay(top == __gui_hwnd_desktop ? 0 : top);
}

void InvalidateTopWindow() {
  WindowHandle top = GetCurTopMainWindow();
  if (top != __gui_hwnd_desktop) InvalidateWindowArea(ValidWindow(top), nullptr, true);
}

}  // namespace

LResult CloseAllWindows() {
  ClearVideoWindowRecords(getCurOutputHook());
  int asked = 0;
  ForEachInList(TopmostList(), [&asked](WindowRecord* win) {
    if (IsControlRecord(win)) return true;
    PostMessage(HandleOf(win), ClosingMessageOf(HandleOf(win)), 0, 0);
    ++asked;
    return true;
  });
  if (ZOrderList* current = CurrentDisplayList()) ForEachInList(*current, [&asked](WindowRecord* win) {
      if (IsControlRecord(win) || (win->exStyle & WS_EX_PREVIEW)) return true;
      SendNotifyMessage(HandleOf(win), MSG_CLOSE, 0, 0);
      ++asked;
      return true;
    });
  EndAllPopupMenus();
  return asked;
}

extern "C" {

void ReturnToPreview(void) {
  if (DesktopThreadInfo() && !OnDesktopThread()) {  // it walks and changes the stacks
    SendMessage(__gui_hwnd_desktop, MSG_DT_RETURNTOPREVIEW, 0, 0);
    return;
  }
  SuspendDisplaySwitching();
  int current = getCurOutputHook();
  int other = OtherOutput(current);
  bool otherMayReturn = CanReturnToPreview(other);
  bool currentReturns = CanReturnToPreview(current);
  if (currentReturns) {
    SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEALLWINS, 0, 0);
    if (getOutputStateHook(current) != OUTSTATE_PTZ) InvalidateTopWindow();
    if (current == getMainOutputHook()) ActivateTopWindow();
    logoutOutputHook(current);
    if (otherMayReturn) logoutOutputHook(other);
  }
  ResumeDisplaySwitching();
  if (currentReturns) ClearVideoWindowRecords(current);
  if (otherMayReturn) ClearVideoWindowRecords(other);
  if (currentReturns) setOutputStateHook(OUTSTATE_RETURNED, current);
  if (otherMayReturn) setOutputStateHook(OUTSTATE_RETURNED, other);
}

void CloseAllWinsByChangeLang(void) {
  SuspendDisplaySwitching();
  int current = getCurOutputHook();
  int other = OtherOutput(current);
  if (getOutputStateHook(other) == OUTSTATE_PLAYBACK) stopPlaybackHook(other);
  SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEALLWINS, 0, 0);
  if (getOutputStateHook(current) != OUTSTATE_PTZ) {
    InvalidateTopWindow();
    ActivateTopWindow();
  }
  ResumeDisplaySwitching();
  ClearVideoWindowRecords(current);
  ClearVideoWindowRecords(other);
  setOutputStateHook(OUTSTATE_LIVEVIEW, current);
  setOutputStateHook(OUTSTATE_LIVEVIEW, other);
}

}  // extern "C"
