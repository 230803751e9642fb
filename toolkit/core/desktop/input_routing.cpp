// Routing of the mouse and key messages the event thread posts to the
// desktop: to the capture window, the window of the first button press,
// the window under the pointer or the active window of the current display.
#include <vector>

#include "core/cursor/system_cursor.h"
#include "core/desktop/desktop.h"
#include "core/desktop/desktop_proc.h"
#include "core/desktop/desktop_state.h"
#include "core/desktop/output_state.h"
#include "core/desktop/popup_chain.h"
#include "core/desktop/window_stack.h"
#include "core/dialog/dialog_internal.h"
#include "core/livevideo/display_switch.h"
#include "core/message/refresh_list.h"
#include "core/startup/input_helpers.h"
#include "core/window/window_messages.h"
#include "gui/app_hooks.h"
#include "gui/desktop.h"
#include "gui/display.h"
#include "gui/fixstr.h"
#include "gui/gui_etc.h"
#include "gui/input.h"
#include "gui/keyboard.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/startup.h"
#include "gui/window.h"

namespace {

constexpr WParam kCapturedFlag = KS_CAPTURED;
constexpr uint32_t kMessageBoxStyle = 0x80000000u;

WindowRecord* MainOf(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win) return nullptr;
  return IsControlRecord(win) ? win->mainWindow : win;
}

bool IsDisabled(const WindowRecord* win) { return (win->style & WS_DISABLED) != 0; }

// A drop-down (a control with a node of its own) takes its own mouse input:
// its main window routes to its direct controls only, and would hand a
// click on the drop-down to whatever lies beneath it. Any other window's
// input goes to its main window.
WindowHandle MouseTarget(WindowHandle under) {
  WindowRecord* win = ValidWindow(under);
  if (win && IsControlRecord(win) && (win->exStyle & WS_EX_OWN_CLIPINFO)) return under;
  WindowRecord* main = MainOf(under);
  return main ? HandleOf(main) : 0;
}

bool Hooked(const HookSlot& hook, WindowHandle target, int msg, WParam wParam, LParam lParam, bool anyNonZero) {
  if (!hook.function) return false;
  int answer = hook.function(hook.context, target, msg, wParam, lParam);
  return anyNonZero ? answer != 0 : answer == 1;
}

bool MouseHooked(WindowHandle target, int msg, WParam wParam, LParam lParam) {
  return Hooked(Desk().mouseHook, target, msg, wParam, lParam, false);
}

bool KeyHooked(WindowHandle target, int msg, WParam wParam, LParam lParam) {
  return Hooked(Desk().keyHook, target, msg, wParam, lParam, true);
}

void HideBubbleTip() {
  WindowHandle tip = Desk().bubbleTip;
  if (tip != GUI_INVALID_HANDLE) SendNotifyMessage(tip, MSG_TIPHIDE, 0, 0);
}

bool IsShown(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  return win && IsVisibleRecord(win);
}

unsigned ButtonBit(int msg) {
  return (msg == MSG_LBUTTONDOWN || msg == MSG_LBUTTONUP || msg == MSG_LBUTTONDBLCLK) ? 0x01u : 0x02u;
}

bool IsPress(int msg) {
  return msg == MSG_LBUTTONDOWN || msg == MSG_RBUTTONDOWN || msg == MSG_LBUTTONDBLCLK || msg == MSG_RBUTTONDBLCLK;
}

bool IsRelease(int msg) { return msg == MSG_LBUTTONUP || msg == MSG_RBUTTONUP; }

void PostRaw(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  PostMessage(hwnd, msg + MSG_DT_MOUSEOFFSET, wParam, lParam);
}

// The window that got the press hears the rest of the click the way the
// press came: raw from the pointer, or as captured input.
void PostToPressed(int msg, WParam wParam, LParam lParam) {
  DesktopState& d = Desk();
  if (d.pressedUnderCapture)
    PostMessage(d.pressed, msg, wParam | kCapturedFlag, lParam);
  else
    PostRaw(d.pressed, msg, wParam, lParam);
}

void NotePress(WindowHandle target, int msg, bool underCapture) {
  DesktopState& d = Desk();
  if (!d.buttonMask) {
    d.pressed = target;
    d.pressedUnderCapture = underCapture;
  }
  d.buttonMask |= ButtonBit(msg);
}

void NoteRelease(int msg) {
  DesktopState& d = Desk();
  d.buttonMask &= ~ButtonBit(msg);
  if (!d.buttonMask) d.ForgetPress();
}

// A press under the capture is remembered as any press: should the capture
// end before its release comes (the control still handling the click
// before), the release goes to the pressed control and is not dropped.
void PostToCapture(int msg, WParam wParam, LParam lParam) {
  DesktopState& d = Desk();
  PostMessage(d.capture, msg, wParam | kCapturedFlag, lParam);
  if (IsPress(msg)) NotePress(d.capture, msg, true);
  if (IsRelease(msg) && (d.buttonMask & ButtonBit(msg))) NoteRelease(msg);
}

// A press (activate) or a double click (no activation) on the window under
// the pointer; a second button goes where the first went.
void Press(WindowHandle under, int msg, WParam wParam, LParam lParam, bool activate) {
  DesktopState& d = Desk();
  if (d.buttonMask) {
    PostToPressed(msg, wParam, lParam);
    d.buttonMask |= ButtonBit(msg);
    return;
  }
  WindowRecord* main = MainOf(under);
  if (!main) {
    if (activate) ActivateWindow(0);
    PostRaw(__gui_hwnd_desktop, msg, wParam, lParam);
    return;
  }
  if (activate) EndAllPopupMenus();
  if (IsDisabled(main)) {
    Ping();
    return;
  }
  WindowRecord* win = ValidWindow(under);
  if (activate && !IsControlRecord(win)) {
    WindowHandle before = ActiveOfCurrentDisplay();
    ZOrderList* own = ListHolding(HandleOf(main));
    if (own && own->head != main->zorderNode && !(main->exStyle & WS_EX_PREVIEW))
      RaiseStackedWindow(main, kRaiseByMouse, lParam);  // a drop-down hidden by the press learns where it was
    ActivateWindow(HandleOf(main));
    if (ActiveOfCurrentDisplay() != before) SendNotifyMessage(HandleOf(main), MSG_MOUSEACTIVE, 0, 0);
  }
  const WindowHandle target = MouseTarget(under);
  PostRaw(target, msg, wParam, lParam);
  NotePress(target, msg, false);
}

void Release(WindowHandle under, int msg, WParam wParam, LParam lParam) {
  DesktopState& d = Desk();
  if (d.pressed) {
    if (!(d.buttonMask & ButtonBit(msg))) return;
    PostToPressed(msg, wParam, lParam);
    NoteRelease(msg);
    return;
  }
  if (!under) PostRaw(__gui_hwnd_desktop, msg, wParam, lParam);
}

void Move(WindowHandle under, WParam wParam, LParam lParam) {
  DesktopState& d = Desk();
  if (d.pressed) {
    PostToPressed(MSG_MOUSEMOVE, wParam, lParam);
    return;
  }
  if (under != d.underPointer) {
    WindowHandle old = d.underPointer;
    if (ValidWindow(old)) {
      PostMessage(old, MSG_MOUSEENTER, 0, static_cast<LParam>(under));
      PostMessage(old, MSG_NCMOUSEMOVE, 1, lParam);
    }
    if (under) PostMessage(under, MSG_MOUSEENTER, 1, static_cast<LParam>(old));
    d.underPointer = under;
  }
  // While a drop-down is open the pointer's moves serve it alone: a control
  // beside it takes the focus on hover, and the focus lost closes it.
  WindowRecord* dropDown = OpenDropDown();
  if (dropDown && HandleOf(dropDown) != under) return;
  WindowRecord* main = MainOf(under);
  if (!main) {
    ShowSystemCursor(0);
    PostRaw(__gui_hwnd_desktop, MSG_MOUSEMOVE, wParam, lParam);
    return;
  }
  PostRaw(MouseTarget(under), MSG_MOUSEMOVE, wParam, lParam);
}

void Wheel(WindowHandle under, int msg, WParam wParam, LParam lParam) {
  DesktopState& d = Desk();
  if (d.pressed) {
    PostToPressed(msg, wParam, lParam);
    return;
  }
  d.underPointer = under;
  WindowRecord* main = MainOf(under);
  if (main && IsDisabled(main)) {
    Ping();
    return;
  }
  PostRaw(main ? MouseTarget(under) : __gui_hwnd_desktop, msg, wParam, lParam);
}

bool MouseDropped() {
  return GetLangSwitchState() != 0 || (DisplaySwitchInProgress() && IsDisplaySwitchPending());
}

// ---- keys ----

void HideInputHelpersOnKey() {
  WindowHandle skb = SoftKeyboardWindow();
  if (!IsShown(skb)) return;
  // Hiding rebuilds the visible regions that move/resize tracking holds.
  EndTrackingForRequest();
  PostMessage(skb, MSG_DT_SKBCMD, 1, 0);
  HideStackedWindow(ValidWindow(skb));
  WindowHandle ime = ImeWindow();
  if (!IsShown(ime)) return;
  int mode = GetSoftKeyboardMode();
  if (mode == 4) {
    PostMessage(ime, MSG_IMEKEY, 0, 0);
  } else if (mode != 3) {
    PostMessage(ime, MSG_DT_IMECMD, 5, 0);
    HideStackedWindow(ValidWindow(ime));
  }
}

// The first window after the active one (wrapping round) that may become
// active.
WindowRecord* NextActivatable() {
  ZOrderList* current = CurrentDisplayList();
  if (!current) return nullptr;
  WindowHandle active = ActiveOfCurrentDisplay();
  std::vector<WindowRecord*> order;
  ForEachInList(*current, [&order](WindowRecord* win) {
    order.push_back(win);
    return true;
  });
  size_t start = 0;
  for (size_t i = 0; i < order.size(); ++i)
    if (HandleOf(order[i]) == active) start = i + 1;
  for (size_t n = 0; n < order.size(); ++n) {
    WindowRecord* win = order[(start + n) % order.size()];
    if (HandleOf(win) == active || IsControlRecord(win) || !IsVisibleRecord(win) || (win->exStyle & WS_EX_NOT_ACTIVATED))
      continue;
    return win;
  }
  return nullptr;
}

// Asks the active window to switch outputs; answers whether the key was used.
bool OutputSwitch() {
  DesktopState& d = Desk();
  if (!GuiApp()->getSessionFlag() || !GuiApp()->isDispSwitchEnabled() || !DisplaySwitchEnabled() ||
      IsShown(d.fourthTool))
    return true;
  if (d.switchDebounce > 0) {
    --d.switchDebounce;
    return true;
  }
  int current = getCurOutputHook();
  int state = getOutputStateHook(current);
  if (state != OUTSTATE_PTZ && MessageBoxShown()) {
    if (ZOrderList* list = CurrentDisplayList()) ForEachInList(*list, [](WindowRecord* win) {
        if (IsControlRecord(win) || !(win->style & kMessageBoxStyle)) return true;
        PostMessage(HandleOf(win), MSG_CLOSE, 0, 0);
        SetActiveOfCurrentDisplay(HandleOf(win));
        return false;
      });
  }
  WindowHandle login = getLoginWndHook();
  if (!isLoginFlagHook() && login != GUI_INVALID_HANDLE) {
    PostMessage(login, MSG_CLOSE, 0, 0);
    d.switchDebounce = 5;
    if (WindowHandle top = GetCurTopMainWindow()) PostMessage(top, MSG_OUTPUTSWITCH, 0, 0);
    return true;
  }
  if (state == OUTSTATE_PTZ) return false;
  EndAllPopupMenus();
  if (WindowHandle active = ActiveOfCurrentDisplay()) PostMessage(active, MSG_OUTPUTSWITCH, 0, 0);
  d.switchDebounce = 5;
  return true;
}

void DeliverKey(int msg, WParam wParam, LParam lParam) {
  WindowHandle active = ActiveOfCurrentDisplay();
  WindowHandle ime = ImeWindow();
  if (IsShown(ime) && active) {
    if (!KeyHooked(ime, msg, wParam, lParam)) PostMessage(ime, msg, wParam, lParam);
    return;
  }
  if (!active) {
    KeyHooked(__gui_hwnd_desktop, msg, wParam, lParam);
    return;
  }
  if (KeyHooked(active, msg, wParam, lParam)) return;
  WindowRecord* win = ValidWindow(active);
  if (win && IsDisabled(win))
    Ping();
  else
    PostMessage(active, msg, wParam, lParam);
}

// Alt alone is delivered on release; Alt+Tab and Alt+Escape act on the
// windows. Answers true when the key was dealt with here.
bool AltKeys(int& msg, WParam scan) {
  DesktopState& d = Desk();
  if (scan == KEY_LEFTALT || scan == KEY_RIGHTALT) {
    if (msg == MSG_KEYDOWN) {
      d.altHeld = true;
      d.altComboUsed = false;
      return true;
    }
    if (msg == MSG_KEYUP) {
      d.altHeld = false;
      if (d.altComboUsed) return true;
      msg = MSG_SYSKEYUP;
      return false;
    }
    return false;
  }
  if (!d.altHeld) return false;
  if (d.altComboUsed && msg == MSG_KEYUP) return true;
  if (msg == MSG_KEYDOWN && scan == KEY_TAB) {
    d.altComboUsed = true;
    WindowRecord* next = NextActivatable();
    if (next && !(next->exStyle & WS_EX_PREVIEW) && !IsDisabled(next)) RaiseStackedWindow(next, kRaiseByAltTab);
    return true;
  }
  if (msg == MSG_KEYDOWN && scan == KEY_ESC) {
    d.altComboUsed = true;
    if (WindowHandle active = ActiveOfCurrentDisplay()) PostMessage(active, MSG_CLOSE, 0, 0);
    return true;
  }
  if (msg == MSG_KEYDOWN) msg = MSG_SYSKEYDOWN;
  if (msg == MSG_KEYUP) msg = MSG_SYSKEYUP;
  return false;
}

bool PowerKey(int msg) {
  if (msg == MSG_KEYUP) return true;
  if (msg != MSG_KEYDOWN) return false;
  int current = getCurOutputHook();
  bool resolutionWait = GuiApp()->isResolutionChangePending() && current == getMainOutputHook() &&
                        getOutputStateHook(current) == OUTSTATE_MENU;
  if (resolutionWait || PowerKeyDownFlag().load()) return true;
  PowerKeyDownFlag() = 1;
  EndAllPopupMenus();
  ShowSystemCursor(0);
  if (WindowHandle top = GetCurTopMainWindow()) PostMessage(top, MSG_POWERKEY, 0, 0);
  return true;
}

}  // namespace

LResult RouteMouse(int msg, WParam wParam, LParam lParam) {
  if (MouseDropped()) return 0;
  if (TrackingTakesInput(msg, lParam)) return 0;
  if (AnyPopupMenuOpen() && TellMenuTracker(msg, wParam, lParam)) {
    MouseHooked(__gui_hwnd_desktop, msg, wParam, lParam);
    return 0;
  }
  DesktopState& d = Desk();
  if (msg == MSG_LBUTTONDOWN || msg == MSG_LBUTTONUP || msg == MSG_RBUTTONDOWN || msg == MSG_RBUTTONUP ||
      msg == MSG_MOUSEWHEELDOWN || msg == MSG_MOUSEWHEELUP) {
    d.switchKeyPending = false;
    HideBubbleTip();
  }
  // A left release ends any drag (a scroll thumb, a press in a single-line
  // edit, the application's own) and gives the pointer its arrow back.
  if (msg == MSG_LBUTTONUP && GetScrollDragFlag()) {
    SetScrollDragFlag(0);
    ShowSystemCursor(0);
  }
  if (d.capture) {
    WindowRecord* captureMain = MainOf(d.capture);
    // A hidden window's capture ends too: a press queued to a window that
    // was hidden before it read it still makes its control take the capture,
    // and the user's next click would be lost to a window nobody sees.
    if (!captureMain || IsDisabled(captureMain) || !IsVisibleRecord(captureMain)) {
      d.capture = 0;
    } else {
      PostToCapture(msg, wParam, lParam);
      return 0;
    }
  }
  int x = static_cast<int16_t>(lParam & 0xFFFF), y = static_cast<int16_t>((lParam >> 16) & 0xFFFF);
  WindowHandle under = WindowUnderPointer(x, y);
  if (MouseHooked(under, msg, wParam, lParam)) return 0;
  switch (msg) {
    case MSG_LBUTTONDOWN: case MSG_RBUTTONDOWN: Press(under, msg, wParam, lParam, true); break;
    case MSG_LBUTTONUP: case MSG_RBUTTONUP: Release(under, msg, wParam, lParam); break;
    // The second press of a double click is a press that does not activate.
    case MSG_LBUTTONDBLCLK: case MSG_RBUTTONDBLCLK: Press(under, msg, wParam, lParam, false); break;
    case MSG_MOUSEMOVE: Move(under, wParam, lParam); break;
    case MSG_MOUSEWHEELDOWN: case MSG_MOUSEWHEELUP: Wheel(under, msg, wParam, lParam); break;
    default: break;
  }
  return 0;
}

LResult RouteKey(int msg, WParam wParam, LParam lParam) {
  if (GetLangSwitchState() != 0) return 0;
  bool tracked = TrackingRuns();
  HideInputHelpersOnKey();
  DesktopState& d = Desk();
  WindowHandle scan = wParam;
  if (scan == PANEL_KEY_OUTPUT && msg != MSG_CHAR) {
    if (msg == MSG_KEYUP) return 0;
    if (msg == MSG_KEYDOWN) {
      if (HasAuxOutput() && BothOutputsNotLowRes()) {
        if (OutputSwitch()) return 0;
      } else if (getOutputStateHook(getCurOutputHook()) != OUTSTATE_PTZ) {
        d.switchKeyPending = true;
        return 0;
      }
    }
  }
  if (msg == MSG_CHAR) {
    if (WindowHandle active = ActiveOfCurrentDisplay()) PostMessage(active, msg, wParam, lParam);
    return 0;
  }
  if (tracked) {  // a key ends move/resize tracking and is consumed
    EndTrackingForRequest();
    return 0;
  }
  if (scan == PANEL_KEY_POWER && PowerKey(msg)) return 0;
  if (AnyPopupMenuOpen() && TellMenuTracker(msg, wParam, lParam)) {
    KeyHooked(__gui_hwnd_desktop, msg, wParam, lParam);
    return 0;
  }
  if (msg == MSG_KEYDOWN) {
    HideBubbleTip();
    constexpr LParam kCtrl = 0x30, kAlt = 0x0C;
    if ((lParam & kCtrl) && (lParam & kAlt) && scan == KEY_BACKSPACE) {
      RequestQuit();
      return 0;
    }
  }
  if (AltKeys(msg, scan)) return 0;
  DeliverKey(msg, wParam, lParam);
  return 0;
}
