// Non-client mouse input after the scroll bars have passed it on: caption
// buttons with their press state, the menu bar, the system menu, and the
// pointer leaving a window.
#include "core/window/nonclient_mouse.h"

#include <mutex>

#include "core/menu/menu_bar.h"
#include "core/nonclient/scroll_track.h"
#include "core/winattr/winattr_internal.h"
#include "core/window/default_proc_internal.h"
#include "core/window/window_messages.h"
#include "core/window/window_record.h"
#include "gui/app_hooks.h"
#include "gui/desktop.h"
#include "gui/message.h"
#include "gui/window.h"

namespace {

std::mutex g_captureLock;
NonClientCapture g_capture;
std::mutex g_pressLock;
CaptionPress g_press;

void StartPress(int hitCode) {
  std::lock_guard<std::mutex> hold(g_pressLock);
  g_press = CaptionPress{hitCode, hitCode};
}

CaptionPress TakePress() {
  std::lock_guard<std::mutex> hold(g_pressLock);
  CaptionPress press = g_press;
  g_press = CaptionPress{};
  return press;
}

// While a press is active the current part follows the pointer on and off
// the pressed one; false without a press.
bool FollowPress(int hitCode) {
  std::lock_guard<std::mutex> hold(g_pressLock);
  if (!g_press.pressed) return false;
  g_press.current = hitCode == g_press.pressed ? hitCode : 0;
  return true;
}

bool IsCaptionButton(int hitCode) { return hitCode >= HT_ICON && hitCode <= HT_MINBUTTON; }

void ReleaseOnButton(WindowRecord* win, int hitCode, int x, int y) {
  CaptionPress press = TakePress();
  if ((press.pressed & hit::kNoPressBit) || press.pressed != hitCode || !IsCaptionButton(hitCode)) return;
  WindowHandle hwnd = HandleOf(win);
  switch (hitCode) {
    case HT_ICON: OpenSystemMenu(win, x, y); break;
    case HT_CLOSEBUTTON: SendNotifyMessage(hwnd, MSG_CLOSE, 0, 0); break;
    case HT_MAXBUTTON: SendNotifyMessage(hwnd, MSG_MAXIMIZE, 0, 0); break;
    case HT_MINBUTTON: SendNotifyMessage(hwnd, MSG_MINIMIZE, 0, 0); break;
    default: break;
  }
}

bool OnCurrentDisplay(WindowRecord* win) {
  return win->mainWindow && GetWindowDisplay(HandleOf(win->mainWindow)) == getCurOutputHook();
}

// The pointer left the window: the child it was over hears of it.
void PointerLeft(WindowRecord* win, LParam lParam) {
  WindowRecord* child = win->childUnderPointer;
  win->childUnderPointer = nullptr;
  if (!ValidWindow(HandleOf(child)) || !OnCurrentDisplay(win)) return;
  WindowHandle childHandle = HandleOf(child);
  if (WindowHandle tip = BubbleTip()) {
    WindowHandle owner = static_cast<WindowHandle>(SendMessage(tip, MSG_TIPOWNER, 0, 0));
    if (owner == HandleOf(win) || owner == childHandle) SendNotifyMessage(tip, MSG_TIPHIDE, 0, 0);
  }
  if (!SoftKeyboardShown()) PostMessage(childHandle, MSG_MOUSEENTER, 0, 0);
  PostMessage(childHandle, MSG_NCMOUSEMOVE, 1, lParam);
}

void PointerMoved(WindowRecord* win, int hitCode, LParam lParam) {
  if (IsMainRecord(win)) HighlightMenuBarAt(win, PointX(lParam), PointY(lParam), hitCode);
  if (win->childUnderPointer && hitCode == HT_OUT) PointerLeft(win, lParam);
  if (!FollowPress(hitCode) && hitCode != HT_CLIENT)
    PostMessage(HandleOf(win), MSG_NCSETCURSOR, static_cast<WParam>(hitCode), 0);
}

bool NamesWindow(WindowHandle recorded, WindowHandle hwnd) {
  return recorded && (recorded == hwnd || WindowBelongsTo(recorded, hwnd));
}

}  // namespace

NonClientCapture CurrentNonClientCapture() {
  std::lock_guard<std::mutex> hold(g_captureLock);
  return g_capture;
}

void SetNonClientCapture(WindowHandle control, WindowHandle main) {
  std::lock_guard<std::mutex> hold(g_captureLock);
  g_capture = NonClientCapture{control, main};
}

void ClearNonClientCapture() {
  std::lock_guard<std::mutex> hold(g_captureLock);
  g_capture = NonClientCapture{};
}

CaptionPress CurrentCaptionPress() {
  std::lock_guard<std::mutex> hold(g_pressLock);
  return g_press;
}

void ClearCaptionPress() { TakePress(); }

// The main window still holds the desktop's capture for the control: it is
// released, and a move lets the window under the pointer know it again.
void ForgetNonClientStateOf(WindowHandle hwnd) {
  NonClientCapture ended;
  {
    std::lock_guard<std::mutex> hold(g_captureLock);
    if (!NamesWindow(g_capture.control, hwnd) && !NamesWindow(g_capture.main, hwnd)) return;
    ended = g_capture;
    g_capture = NonClientCapture{};
  }
  if (static_cast<WindowHandle>(SendMessage(__gui_hwnd_desktop, MSG_DT_GETCAPTURE, 0, 0)) == ended.main)
    CaptureMouse(0);
  int x = 0, y = 0;
  CursorPosition(&x, &y);
  PostMessage(__gui_hwnd_desktop, MSG_MOUSEMOVE, 0, PackPoint(x, y));
}

LResult HandleNonClientMouse(WindowRecord* win, int msg, WParam wParam, LParam lParam) {
  int hitCode = static_cast<int>(wParam);
  if (ScrollBarsTakeMouse(win, msg, hitCode, lParam)) return 0;
  int x = PointX(lParam), y = PointY(lParam);
  switch (msg) {
    case MSG_NCLBUTTONDOWN:
      if (hitCode == HT_MENUBAR)
        TrackMenuBarAt(win, x, y);
      else if (!(hitCode & hit::kNoPressBit))
        StartPress(hitCode);
      return 0;
    case MSG_NCLBUTTONUP:
      ReleaseOnButton(win, hitCode, x, y);
      return 0;
    case MSG_NCLBUTTONDBLCLK:
      if (hitCode == HT_CAPTION && !(win->exStyle & WS_EX_PREVIEW))
        SendNotifyMessage(HandleOf(win), MSG_CLOSE, 0, 0);
      return 0;
    case MSG_NCMOUSEMOVE:
      PointerMoved(win, hitCode, lParam);
      return 0;
    case MSG_NCRBUTTONUP:
      if (hitCode == HT_CAPTION) OpenSystemMenu(win, x, y);
      return 0;
    default:
      return 0;
  }
}
