// The default procedures: DefaultWindowProc's choice among the three, the
// main-window procedure's dispatch by message range, and the ranges that
// need no file of their own (keys, geometry and focus, commands, ticks).
#include <cstring>

#include "core/desktop/desktop_seams.h"
#include "core/desktop/zorder.h"
#include "core/startup/input_helpers.h"
#include "core/window/auto_repeat.h"
#include "core/window/default_proc_internal.h"
#include "core/window/default_proc_seams.h"
#include "core/window/tool_placement.h"
#include "core/window/window_damage.h"
#include "core/window/window_internal.h"
#include "core/window/window_messages.h"
#include "gui/app_hooks.h"
#include "gui/cursor.h"
#include "gui/desktop.h"
#include "gui/display.h"
#include "gui/fixstr.h"
#include "gui/paint.h"
#include "gui/window.h"

namespace {

constexpr uint32_t kExHostedSubject = 0x04000000u;
constexpr uint32_t kExKeepCursor = 0x00000800u;
constexpr int kShutdownConfirmed = 6;
constexpr int kStatePreviewOnly = 0, kStatePtz = 2, kStateOverlaid = 9;

bool IsDisabled(const WindowRecord* win) { return (win->style & kStyleDisabled) != 0; }
bool IsPreview(const WindowRecord* win) { return (win->exStyle & kExPreview) != 0; }

WindowProc Entry(int index, WindowProc builtIn) {
  WindowProc proc = __gui_def_proc[index];
  return proc ? proc : builtIn;
}

// ---- keys (18..31) ----

LResult HandleKey(WindowRecord* win, int msg, WParam wParam, LParam lParam) {
  WindowHandle hwnd = HandleOf(win);
  if (msg == winmsg::kKeyDown && wParam == winmsg::kScanNoPermission &&
      static_cast<WindowHandle>(SendMessage(__gui_hwnd_desktop, MSG_DT_GETACTIVEMAIN, 0, 0)) == hwnd)
    showNoPermissionHook(hwnd);
  switch (msg) {
    case winmsg::kKeyDown: case winmsg::kChar: case winmsg::kKeyUp: case winmsg::kKeyUpA: case winmsg::kKeyUpB:
      if (win->activeChild && !IsDisabled(win)) SendMessage(HandleOf(win->activeChild), msg, wParam, lParam);
      return 0;
    case winmsg::kSysKeyUp:
      if (IsMainRecord(win) && !IsDisabled(win)) TrackMenuBarItem(win, 0);
      return 0;
    default:
      return 0;
  }
}

// ---- geometry, cursor, focus and the maker's messages (32..95) ----

LResult SetCursorForClient(WindowRecord* win, LParam lParam) {
  int hitCode = 0;
  if (ChildAtPoint(win, PointX(lParam), PointY(lParam), &hitCode)) return 0;
  if (!win->cursor) return 0;
  uintptr_t fallback = DefaultCursor();
  SetCurrentCursor(fallback ? fallback : win->cursor);
  return 0;
}

LResult HitTest(WindowRecord* win, int x, int y) {
  Rect client = ClientScreenRectOf(win);
  if (x >= client.left && x < client.right && y >= client.top && y < client.bottom) return hit::kClient;
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
  if (wParam && lParam) *reinterpret_cast<Rect*>(lParam) = win->window;
  Rect client = win->client;
  Rect window = win->window;
  if (CallProc(win, winmsg::kCalcClientRect, reinterpret_cast<WParam>(&window), reinterpret_cast<LParam>(&client))) {
    StackWriteLock hold;
    win->client = client;
  }
  SendNotifyMessage(HandleOf(win), winmsg::kClientSized, win->client.right - win->client.left,
                    win->client.bottom - win->client.top);
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
    if (ValidWindow(skb) && SendMessage(skb, winmsg::kSkbState, 1, 0) == 1) HideInputTools(win);
    return 0;
  }
  WindowRecord* parent = win->parent;
  WindowRecord* old = parent->activeChild;
  if (old == win) return 0;
  WindowHandle hwnd = HandleOf(win), oldHandle = HandleOf(old);
  if (old) {
    SendNotifyMessage(oldHandle, winmsg::kActiveState, 0, static_cast<LParam>(wParam));
    SendNotifyMessage(oldHandle, winmsg::kKillFocus, hwnd, 1);
  }
  parent->activeChild = win;
  SendNotifyMessage(hwnd, winmsg::kActiveState, 1, 0);
  SendNotifyMessage(hwnd, winmsg::kSetFocus, oldHandle, 1);
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
  if (IsMainRecord(win) && (win->exStyle & kExHostedSubject) && static_cast<MainWinRecord*>(win)->firstHosted)
    subject = static_cast<MainWinRecord*>(win)->firstHosted;
  int current = getCurOutputHook();
  bool extra = ValidWindow(getOutputExtraWndHook(current)) != nullptr;
  SetOutputSwitchRequest(confirmOutputSwitchHook(extra ? GetCurTopMainWindow() : HandleOf(subject)) != 0);
  int state = getOutputStateHook(current);
  if (IsPreview(subject) && state != kStatePreviewOnly && state != kStatePtz && state != kStateOverlaid)
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
    case winmsg::kSetCursor: return SetCursorForClient(win, lParam);
    case winmsg::kHitTest: return HitTest(win, static_cast<int>(wParam), static_cast<int>(lParam));
    case winmsg::kSizeChanged: return ChangeSize(win, wParam, lParam);
    case winmsg::kGetWindowRect: return CopyRect(&win->window, lParam);
    case winmsg::kGetClientRect: return CopyRect(&win->client, lParam);
    case winmsg::kSizeChanging: return CopyRect(reinterpret_cast<const Rect*>(wParam), lParam);
    case winmsg::kPlaceIme: PlaceIme(win, lParam != 0); return 0;
    case winmsg::kSetFocus:
    case winmsg::kKillFocus:
      if (win->activeChild) SendNotifyMessage(HandleOf(win->activeChild), msg, 0, lParam);
      return 0;
    case winmsg::kMouseActivate: return MouseActivate(win, wParam);
    case winmsg::kPowerKey: return PowerKey(win);
    case winmsg::kOutputSwitch: return OutputSwitch(win);
    case winmsg::kNcSetCursor: ShowSystemCursor(0); return 0;
    case winmsg::kMoveWindow: return MoveByMessage(win, wParam, lParam);
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
  FreeWindowCaption(win);
  win->caption = copy;
  WindowHandle active = static_cast<WindowHandle>(SendMessage(__gui_hwnd_desktop, MSG_DT_GETACTIVEMAIN, 0, 0));
  RedrawCaptionBar(win, active == HandleOf(win));
  return 0;
}

LResult HandleCommand(WindowRecord* win, int msg, WParam wParam, LParam lParam) {
  switch (msg) {
    case winmsg::kSysCommand:
      if (wParam == winmsg::kSysCloseCommand) SendNotifyMessage(HandleOf(win), winmsg::kClose, 0, 0);
      return 0;
    case winmsg::kUpdate: UpdateWindow(HandleOf(win), TRUE); return 0;
    case winmsg::kGetTextLength: return win->caption ? static_cast<LResult>(std::strlen(win->caption)) : 0;
    case winmsg::kGetText: return CopyCaption(win, wParam, lParam);
    case winmsg::kSetText: return ReplaceCaption(win, lParam);
    case winmsg::kEnableChanged: {
      // The desktop changes other bits of the same word (visibility) under
      // the stack lock; this change must not overwrite them.
      // EnableWindow has had the desktop set the bit already; writing it
      // again would race with the desktop thread's unlocked reads.
      StackWriteLock hold;
      const bool disable = wParam == 0;
      if (((win->style & kStyleDisabled) != 0) == disable) return 0;
      if (disable)
        win->style |= kStyleDisabled;
      else
        win->style &= ~kStyleDisabled;
      return 0;
    }
    default: return 0;
  }
}

// ---- ticks (320..383) ----

LResult HandleTick(WindowRecord* win, int msg) {
  if (msg == winmsg::kAutoRepeatTick) {
    Message repeat = AutoRepeatMessage();
    if (repeat.hwnd && IsMainRecord(win) && MainWindowOf(repeat.hwnd) == win)
      SendNotifyMessage(repeat.hwnd, repeat.message, repeat.wParam, repeat.lParam);
  } else if (msg == winmsg::kCaretBlink && IsVisibleRecord(win)) {
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
  if (InRange(msg, winmsg::kRawMouseFirst, winmsg::kRawMouseLast)) return HandleRawMouse(win, msg, wParam, lParam);
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
    case winmsg::kSetText:
      return 0;  // a control's text is kept by its class
    case winmsg::kSetCursor:
      if (!(win->exStyle & kExKeepCursor)) SetCurrentCursor(ControlCursor(win));
      return 0;
    case winmsg::kNcSetCursor:
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
