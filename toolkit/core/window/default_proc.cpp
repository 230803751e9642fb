// The default procedures: DefaultWindowProc's choice among the three, the
// main-window procedure's dispatch by message range, and the ranges that
// need no file of their own (keys, geometry and focus, commands, ticks).
#include <cstring>

#include "core/caret/caret.h"
#include "core/cursor/system_cursor.h"
#include "core/desktop/zorder.h"
#include "core/livevideo/areas.h"
#include "core/livevideo/display_switch.h"
#include "core/menu/menu_bar.h"
#include "core/nonclient/frame.h"
#include "core/nonclient/hit_test.h"
#include "core/nonclient/nc_paint.h"
#include "core/startup/input_helpers.h"
#include "core/winattr/winattr_internal.h"
#include "core/window/auto_repeat.h"
#include "core/window/default_proc_internal.h"
#include "core/window/tool_placement.h"
#include "core/window/window_damage.h"
#include "core/window/window_internal.h"
#include "core/window/window_messages.h"
#include "core/window/window_record.h"
#include "gui/app_hooks.h"
#include "gui/caret.h"
#include "gui/cursor.h"
#include "gui/desktop.h"
#include "gui/display.h"
#include "gui/fixstr.h"
#include "gui/keyboard.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kShutdownConfirmed = 6;

bool IsDisabled(const WindowRecord* win) { return (win->style & WS_DISABLED) != 0; }
bool IsPreview(const WindowRecord* win) { return (win->exStyle & WS_EX_PREVIEW) != 0; }

WindowProc Entry(int index, WindowProc builtIn) {
  WindowProc proc = __gui_def_proc[index];
  return proc ? proc : builtIn;
}

// ---- keys (MSG_KEYDOWN..MSG_LASTKEY) ----

LResult HandleKey(WindowRecord* win, int msg, WParam wParam, LParam lParam) {
  WindowHandle hwnd = HandleOf(win);
  if (msg == MSG_KEYDOWN && wParam == PANEL_KEY_POWER &&
      static_cast<WindowHandle>(SendMessage(__gui_hwnd_desktop, MSG_DT_GETACTIVEMAIN, 0, 0)) == hwnd)
    showNoPermissionHook(hwnd);
  switch (msg) {
    case MSG_KEYDOWN: case MSG_CHAR: case MSG_KEYUP: case MSG_KEYUP2: case MSG_KEYUP3:
      if (win->activeChild && !IsDisabled(win)) SendMessage(HandleOf(win->activeChild), msg, wParam, lParam);
      return 0;
    case MSG_SYSKEYUP:
      if (IsMainRecord(win) && !IsDisabled(win)) TrackMenuBarItem(win, 0);
      return 0;
    default:
      return 0;
  }
}

// ---- geometry, cursor, focus and the maker's messages (32..95) ----

LResult SetCursorForClient(WindowRecord* win, LParam lParam) {
  int hitCode = 0;
  ChildWalk walk;
  if (ChildAtPoint(walk, win, PointX(lParam), PointY(lParam), &hitCode)) return 0;
  if (!win->cursor) return 0;
  uintptr_t fallback = DefaultCursor();
  SetCurrentCursor(fallback ? fallback : win->cursor.load());
  return 0;
}

LResult HitTest(WindowRecord* win, int x, int y) {
  Rect client = ClientScreenRectOf(win);
  if (x >= client.left && x < client.right && y >= client.top && y < client.bottom) return HT_CLIENT;
  return NonClientHitTest(win, x, y);
}

// Other threads read window rectangles while they walk the stacks, so the
// rectangles change under the stack lock (held only for the assignment).
LResult ChangeSize(WindowRecord* win, WParam wParam, LParam lParam) {
  {
    StackWriteLock hold;
    if (wParam) {
      Rect requested = *reinterpret_cast<const Rect*>(wParam);
      FitWindowRect(win, &requested);
      win->window = requested;
    }
    RecomputeClientRect(win);
  }
  const WindowGeometry stored = GeometryOf(win);
  if (wParam && lParam) *reinterpret_cast<Rect*>(lParam) = stored.window;
  Rect client = stored.client;
  Rect window = stored.window;
  if (CallProc(win, MSG_CALCCLIENTRECT, reinterpret_cast<WParam>(&window), reinterpret_cast<LParam>(&client))) {
    StackWriteLock hold;
    win->client = client;
  }
  const Rect now = GeometryOf(win).client;
  SendNotifyMessage(HandleOf(win), MSG_CSIZECHANGED, now.right - now.left, now.bottom - now.top);
  return 0;
}

LResult CopyRect(const Rect* from, LParam to) {
  if (from && to) *reinterpret_cast<Rect*>(to) = *from;
  return 0;
}

// A control that gets the mouse becomes its parent's active child.
LResult MouseActivate(WindowRecord* win, WParam wParam) {
  if (!IsControlRecord(win) || IsDisabled(win) || !win->parent) return 0;
  if (wParam == 1) {
    WindowHandle skb = SoftKeyboardWindow();
    if (ValidWindow(skb) && SendMessage(skb, MSG_DT_SKBQUERY, 1, 0) == 1) HideInputTools(win);
    return 0;
  }
  WindowRecord* parent = win->parent;
  WindowRecord* old = parent->activeChild;
  if (old == win) return 0;
  WindowHandle hwnd = HandleOf(win), oldHandle = HandleOf(old);
  if (old) {
    SendNotifyMessage(oldHandle, MSG_NCACTIVATE, 0, static_cast<LParam>(wParam));
    SendNotifyMessage(oldHandle, MSG_KILLFOCUS, hwnd, 1);
  }
  parent->activeChild = win;
  SendNotifyMessage(hwnd, MSG_NCACTIVATE, 1, 0);
  SendNotifyMessage(hwnd, MSG_SETFOCUS, oldHandle, 1);
  return 0;
}

LResult PowerKey(WindowRecord* win) {
  SetPowerKeyDownFlag(1);
  WindowHandle preview = GetCurTopMainWindow();
  WindowHandle subject = IsPlaybackScreenWindow(HandleOf(win)) ? preview : HandleOf(win);
  if (askShutdownHook(subject) != kShutdownConfirmed) {
    SetPowerKeyDownFlag(0);
    return 0;
  }
  ReturnToPreview();
  openShutdownWndHook(GetCurTopMainWindow());
  return 0;
}

LResult OutputSwitch(WindowRecord* win) {
  WindowRecord* subject = win;
  if (IsMainRecord(win) && (win->exStyle & WS_EX_ROUTE_OUTPUTSWITCH))
    if (WindowHandle first = GetFirstHosted(HandleOf(win)); first && first != GUI_INVALID_HANDLE) subject = WindowOf(first);
  int current = getCurOutputHook();
  bool extra = ValidWindow(getOutputExtraWndHook(current)) != nullptr;
  SetOutputSwitchRequest(confirmOutputSwitchHook(extra ? GetCurTopMainWindow() : HandleOf(subject)) != 0);
  int state = getOutputStateHook(current);
  if (IsPreview(subject) && state != OUTSTATE_LIVEVIEW && state != OUTSTATE_PTZ && state != OUTSTATE_PLAYBACK)
    PrevInvalidateRect(HandleOf(subject), nullptr, TRUE);
  return 0;
}

LResult MoveByMessage(WindowRecord* win, WParam wParam, LParam lParam) {
  Rect rect{PointX(static_cast<LParam>(wParam)), PointY(static_cast<LParam>(wParam)), PointX(lParam), PointY(lParam)};
  MoveWindowTo(HandleOf(win), rect, false);
  return 0;
}

LResult HandleWindowMessage(WindowRecord* win, int msg, WParam wParam, LParam lParam) {
  switch (msg) {
    case MSG_SETCURSOR: return SetCursorForClient(win, lParam);
    case MSG_HITTEST: return HitTest(win, static_cast<int>(wParam), static_cast<int>(lParam));
    case MSG_SIZECHANGED: return ChangeSize(win, wParam, lParam);
    case MSG_GETWINDOWRECT: {
      const Rect now = GeometryOf(win).window;
      return CopyRect(&now, lParam);
    }
    case MSG_GETCLIENTRECT: {
      const Rect now = GeometryOf(win).client;
      return CopyRect(&now, lParam);
    }
    case MSG_SIZECHANGING: return CopyRect(reinterpret_cast<const Rect*>(wParam), lParam);
    case MSG_PLACEIME: PlaceIme(win, lParam != 0); return 0;
    case MSG_SETFOCUS:
    case MSG_KILLFOCUS:
      if (win->activeChild) SendNotifyMessage(HandleOf(win->activeChild), msg, 0, lParam);
      return 0;
    case MSG_MOUSEACTIVE: return MouseActivate(win, wParam);
    case MSG_POWERKEY: return PowerKey(win);
    case MSG_OUTPUTSWITCH: return OutputSwitch(win);
    case MSG_NCSETCURSOR: ShowSystemCursor(0); return 0;
    case MSG_TRACKEDMOVE: return MoveByMessage(win, wParam, lParam);
    default: return 0;
  }
}

// ---- commands (288..319) ----

// At most size - 1 bytes and a terminating zero; the count copied.
LResult CopyCaption(const WindowRecord* win, WParam size, LParam buffer) {
  if (!buffer || size == 0) return 0;
  const char* caption = win->caption ? win->caption : "";
  size_t count = std::strlen(caption);
  if (count > size - 1) count = size - 1;
  char* out = reinterpret_cast<char*>(buffer);
  std::memcpy(out, caption, count);
  out[count] = '\0';
  return static_cast<LResult>(count);
}

LResult ReplaceCaption(WindowRecord* win, LParam text) {
  if (!IsMainRecord(win)) return 0;
  char* copy = FixStrDup(text ? reinterpret_cast<const char*>(text) : "");
  if (!copy) return -1;
  char* old = nullptr;
  {
    StackWriteLock hold;  // the desktop thread draws this window's frame
    old = win->caption;
    win->caption = copy;
  }
  if (old) FreeFixStr(old);
  WindowHandle active = static_cast<WindowHandle>(SendMessage(__gui_hwnd_desktop, MSG_DT_GETACTIVEMAIN, 0, 0));
  RedrawCaptionBar(win, active == HandleOf(win));
  return 0;
}

LResult HandleCommand(WindowRecord* win, int msg, WParam wParam, LParam lParam) {
  switch (msg) {
    case MSG_SYSCOMMAND:
      if (wParam == winmsg::kSysCloseCommand) SendNotifyMessage(HandleOf(win), MSG_CLOSE, 0, 0);
      return 0;
    case MSG_FONTCHANGED: UpdateWindow(HandleOf(win), TRUE); return 0;
    case MSG_GETTEXTLENGTH: return win->caption ? static_cast<LResult>(std::strlen(win->caption)) : 0;
    case MSG_GETTEXT: return CopyCaption(win, wParam, lParam);
    case MSG_SETTEXT: return ReplaceCaption(win, lParam);
    case MSG_ENABLE: {
      // The desktop changes other bits of the same word (visibility) under
      // the stack lock; this change must not overwrite them.
      // EnableWindow has had the desktop set the bit already; writing it
      // again would race with the desktop thread's unlocked reads.
      StackWriteLock hold;
      const bool disable = wParam == 0;
      if (((win->style & WS_DISABLED) != 0) == disable) return 0;
      SetStyleBits(win->style, WS_DISABLED, disable);
      return 0;
    }
    default: return 0;
  }
}

// ---- ticks (320..383) ----

LResult HandleTick(WindowRecord* win, int msg) {
  if (msg == MSG_BROADCAST_NOTICE) {
    Message repeat = AutoRepeatMessage();
    if (repeat.hwnd && IsMainRecord(win) && MainWindowOf(repeat.hwnd) == win)
      SendNotifyMessage(repeat.hwnd, repeat.message, repeat.wParam, repeat.lParam);
  } else if (msg == MSG_CARETBLINK && IsVisibleRecord(win)) {
    BlinkCaret(win);
  }
  return 0;
}

bool InRange(int msg, int first, int last) { return msg >= first && msg <= last; }

// Most classes register no cursor of their own: over them the pointer keeps
// the default cursor (the arrow without one) rather than vanishing.
uintptr_t ControlCursor(const WindowRecord* win) {
  if (win->cursor) return win->cursor;
  const uintptr_t fallback = DefaultCursor();
  return fallback ? fallback : GetSystemCursor(0);
}

}  // namespace

extern "C" {

LResult DefaultMainWinProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win) return 0;
  if (InRange(msg, MSG_DT_FIRSTMOUSE, MSG_DT_LASTMOUSE)) return HandleRawMouse(win, msg, wParam, lParam);
  if (InRange(msg, 1, 9)) return HandleClientMouse(win, msg, wParam, lParam);
  if (InRange(msg, 10, 17)) return HandleNonClientMouse(win, msg, wParam, lParam);
  if (InRange(msg, 18, 31)) return HandleKey(win, msg, wParam, lParam);
  if (InRange(msg, 32, 95)) return HandleWindowMessage(win, msg, wParam, lParam);
  if (InRange(msg, 160, 207)) return HandlePaintMessage(win, msg, wParam, lParam);
  if (InRange(msg, 288, 319)) return HandleCommand(win, msg, wParam, lParam);
  if (InRange(msg, 320, 383)) return HandleTick(win, msg);
  return 0;
}

LResult DefaultControlProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win) return 0;
  switch (msg) {
    case MSG_SETTEXT:
      return 0;  // a control's text is kept by its class
    case MSG_SETCURSOR:
      if (!(win->exStyle & WS_EX_KEEPCURSOR)) SetCurrentCursor(ControlCursor(win));
      return 0;
    case MSG_NCSETCURSOR:
      ShowSystemCursor(0);
      return 0;
    default:
      return DefaultMainWinProc(hwnd, msg, wParam, lParam);
  }
}

LResult DefaultWindowProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win) return 0;
  if (IsMainRecord(win)) return Entry(0, DefaultMainWinProc)(hwnd, msg, wParam, lParam);
  if (IsControlRecord(win)) return Entry(2, DefaultControlProc)(hwnd, msg, wParam, lParam);
  if (SendMessage(hwnd, MSG_ISDIALOG, 0, 0) > 0 && __gui_def_proc[1]) return __gui_def_proc[1](hwnd, msg, wParam, lParam);
  return 0;
}

}  // extern "C"
