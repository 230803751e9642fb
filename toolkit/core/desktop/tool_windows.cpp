// Registration of the tool windows (input method, soft keyboard, bubble tip
// and a fourth tool window) and the requests forwarded to them.
#include "core/desktop/desktop.h"
#include "core/desktop/desktop_proc.h"
#include "core/desktop/desktop_state.h"
#include "core/desktop/window_stack.h"
#include "core/startup/input_helpers.h"
#include "core/window/window_messages.h"
#include "core/window/window_threads.h"
#include "gui/message.h"
#include "gui/window.h"

namespace {

LResult RegisterIme(WindowHandle hwnd) {
  if (ImeWindow()) return DT_ERR_IME_TAKEN;
  if (!ValidMainWindow(hwnd)) return -1;
  SetImeWindow(hwnd);
  SendNotifyMessage(hwnd, MSG_IMECLOSE, 0, 0);
  SendNotifyMessage(hwnd, MSG_IMEACTIVEWIN, ActiveOfCurrentDisplay(), 0);
  return 0;
}

LResult UnregisterIme(WindowHandle hwnd) {
  if (ImeWindow() != hwnd || !hwnd) return DT_ERR_IME_NOT_REGISTERED;
  SetImeWindow(0);
  return 0;
}

LResult RegisterSoftKeyboard(WindowHandle hwnd) {
  if (SoftKeyboardWindow()) return DT_ERR_SKB_TAKEN;
  if (!ValidMainWindow(hwnd)) return -1;
  SetSoftKeyboardWindow(hwnd);
  SendNotifyMessage(hwnd, MSG_SKBCLOSE, 0, 0);
  SendNotifyMessage(hwnd, MSG_SKBACTIVEWIN, ActiveOfCurrentDisplay(), 0);
  return 0;
}

LResult UnregisterSoftKeyboard(WindowHandle hwnd) {
  if (SoftKeyboardWindow() != hwnd || !hwnd) return DT_ERR_SKB_NOT_REGISTERED;
  SetSoftKeyboardWindow(0);
  return 0;
}

LResult Register(SharedWord<WindowHandle>* slot, WindowHandle hwnd) {
  if (*slot != GUI_INVALID_HANDLE || !ValidMainWindow(hwnd)) return -1;
  *slot = hwnd;
  return 0;
}

LResult Unregister(SharedWord<WindowHandle>* slot, WindowHandle hwnd) {
  if (*slot != hwnd || hwnd == GUI_INVALID_HANDLE) return -1;
  *slot = GUI_INVALID_HANDLE;
  return 0;
}

// A registered tool's thread is joined at the toolkit's end.
LResult Registered(LResult answer, WindowHandle hwnd) {
  if (answer == 0) NoteToolWindow(hwnd);
  return answer;
}

}  // namespace

LResult ToolWindowRequest(int msg, WParam wParam, LParam lParam) {
  WindowHandle hwnd = static_cast<WindowHandle>(wParam);
  switch (msg) {
    case MSG_DT_REGIME:
      return Registered(RegisterIme(hwnd), hwnd);
    case MSG_DT_UNREGIME:
      return UnregisterIme(hwnd);
    case MSG_DT_IMECMD:
    case MSG_DT_IMEQUERY: {
      WindowHandle ime = ImeWindow();
      if (!ime) return DT_ERR_NO_IME;
      LResult answer = SendMessage(ime, msg, wParam, lParam);
      return msg == MSG_DT_IMEQUERY ? answer : 0;
    }
    case MSG_DT_REGSKB:
      return Registered(RegisterSoftKeyboard(hwnd), hwnd);
    case MSG_DT_UNREGSKB:
      return UnregisterSoftKeyboard(hwnd);
    case MSG_DT_SKBCMD:
    case MSG_DT_SKBQUERY: {
      WindowHandle skb = SoftKeyboardWindow();
      if (!skb) return DT_ERR_NO_SKB;
      LResult answer = SendMessage(skb, msg, wParam, lParam);
      return msg == MSG_DT_SKBQUERY ? answer : 0;
    }
    case MSG_DT_REGBUBBLETIP:
      return Registered(Register(&Desk().bubbleTip, hwnd), hwnd);
    case MSG_DT_UNREGBUBBLETIP:
      return Unregister(&Desk().bubbleTip, hwnd);
    case MSG_DT_REGTOOLWIN:
      return Registered(Register(&Desk().fourthTool, hwnd), hwnd);
    case MSG_DT_UNREGTOOLWIN:
      return Unregister(&Desk().fourthTool, hwnd);
    default:
      return 0;
  }
}
