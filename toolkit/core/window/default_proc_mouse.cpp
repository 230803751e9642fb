// Mouse input of the default main-window procedure: the desktop's raw
// messages become client and non-client messages, and client messages are
// routed to the child controls with mouse capture, focus and the soft
// keyboard and input method following the pointer.
#include "core/desktop/desktop_state.h"
#include "core/desktop/zorder.h"

#include <atomic>
#include <linux/input-event-codes.h>

#include "core/control_layer.h"
#include "core/message/msg_queue.h"
#include "core/startup/input_helpers.h"
#include "core/winattr/winattr_internal.h"
#include "core/window/child_walk.h"
#include "core/window/default_proc_internal.h"
#include "core/window/nonclient_mouse.h"
#include "core/window/tool_placement.h"
#include "core/window/window_damage.h"
#include "core/window/window_messages.h"
#include "core/window/window_record.h"
#include "gui/control_tip.h"
#include "gui/desktop.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/startup.h"
#include "gui/text_entry.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

std::atomic<uint32_t> g_cursorX{0}, g_cursorY{0};

constexpr uint32_t kIpEditKeyboardStyle = 0x02u;
constexpr uint32_t kStaticKindMask = 0x0Fu;
constexpr uint32_t kStaticKindPassive = 15u;

bool IsDisabled(const WindowRecord* win) { return (win->style & WS_DISABLED) != 0; }
bool IsTransparentHit(LResult code) { return code == HT_OUT || code == HT_TRANSPARENT; }

Point ClientToScreen(const WindowRecord* win, int x, int y) {
  Rect origin = ClientScreenRectOf(win);
  return Point{x + origin.left, y + origin.top};
}

LResult AskHitTest(WindowRecord* win, Point screen) {
  return CallProc(win, MSG_HITTEST, static_cast<WParam>(screen.x), static_cast<LParam>(screen.y));
}

bool Contains(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

bool HasChildren(const WindowRecord* win) {
  StackReadLock hold;
  return win->firstChild != nullptr;
}

bool OnThisThread(const WindowRecord* win) {
  return win->mainWindow && pthread_equal(win->mainWindow->thread, pthread_self());
}

// Input is handed on within the thread at once. Posted, each hop would queue
// it behind what the desktop sent straight to a control that took the
// capture meanwhile, and a release could overtake its own press. The
// notices queued before it (activation, focus) are read first, as the
// queue would.
void HandOn(WindowRecord* win, int msg, WParam wParam, LParam lParam) {
  if (!OnThisThread(win)) {
    PostMessage(HandleOf(win), msg, wParam, lParam);
    return;
  }
  DispatchQueuedNotices();
  SendMessage(HandleOf(win), msg, wParam, lParam);
}

// A client message carries the position in the receiver's client area.
void PostToChild(WindowRecord* child, int msg, WParam wParam, int x, int y) {
  HandOn(child, msg, wParam, PackPoint(x - child->client.left, y - child->client.top));
}

WindowHandle SoftKeyboard() { return ValidMainWindow(SoftKeyboardWindow()) ? SoftKeyboardWindow() : 0; }

WindowHandle SoftKeyboardEdit() {
  WindowHandle skb = SoftKeyboard();
  return skb ? static_cast<WindowHandle>(SendMessage(skb, MSG_SKBCURRENTEDIT, 0, 0)) : 0;
}

bool SoftKeyboardServesEdit() {
  WindowHandle skb = SoftKeyboard();
  return skb && SendMessage(skb, MSG_DT_SKBQUERY, 1, 0) != 0;
}

bool IsEditLike(WindowRecord* child) {
  WindowHandle h = HandleOf(child);
  return IsControlOfClass(h, "sledit") || IsControlOfClass(h, "ipedit") || IsControlOfClass(h, "propsheet");
}

// The non-client capture's control hears input with its own hit code.
void PostToCapture(WindowHandle control, int msg, LParam screenPos) {
  WindowRecord* ctl = ValidWindow(control);
  if (!ctl) return;
  LResult code = AskHitTest(ctl, Point{PointX(screenPos), PointY(screenPos)});
  HandOn(ctl, msg, static_cast<WParam>(code), screenPos);
}

// ---- raw mouse ----

void PostRawAsClientAndNonClient(WindowRecord* win, int raw, WParam keys, LParam screenPos, int hitCode,
                                 LParam clientPos) {
  const int client = raw - MSG_DT_MOUSEOFFSET, nonClient = raw - (MSG_DT_MOUSEOFFSET - (MSG_NCLBUTTONDOWN - MSG_LBUTTONDOWN));
  const bool inClient = hitCode == HT_CLIENT;
  switch (raw - MSG_DT_MOUSEOFFSET) {
    case MSG_LBUTTONDOWN: case MSG_LBUTTONUP: case MSG_RBUTTONDOWN: case MSG_RBUTTONUP:
      if (inClient)
        HandOn(win, client, keys, clientPos);
      else
        HandOn(win, nonClient, static_cast<WParam>(hitCode), screenPos);
      return;
    case MSG_LBUTTONDBLCLK: case MSG_MOUSEMOVE: case MSG_RBUTTONDBLCLK:
      if (inClient && client == MSG_MOUSEMOVE) HandOn(win, MSG_SETCURSOR, HT_CLIENT, clientPos);
      HandOn(win, nonClient, static_cast<WParam>(hitCode), screenPos);
      if (inClient) HandOn(win, client, keys, clientPos);
      return;
    default:
      if (inClient) HandOn(win, client, keys, clientPos);
      return;
  }
}

// ---- client mouse ----

struct Pointer {
  int x, y;          // in the window's client coordinates
  LParam received;   // the position as received (on the screen under capture)
  WindowRecord* child;  // the enabled child under the point, or null
  int hitCode;
};

// The input tools and the capture are settled before the click is handed
// on: the control handling it sees them as they will be.
void PressBesideChildren(WindowRecord* win, int msg, const Pointer& p) {
  WindowRecord* active = win->activeChild;
  if (active) {
    WindowHandle h = HandleOf(active);
    SendNotifyMessage(h, MSG_MOUSEACTIVE, 1, 0);
    if (IsControlOfClass(h, "ipedit") && (active->style & kIpEditKeyboardStyle)) {
      Controls().setIPEditSkbState(0);
      InvalidateRect(h, nullptr, TRUE);
    }
  }
  // A click on the keyboard's or the input method's own keys must not end
  // the mode of the edit they type into (Chinese input would end at the
  // first key).
  if (!IsInputToolWindow(HandleOf(win))) {
    WindowHandle edit = SoftKeyboardEdit();
    if (ValidControl(edit)) PostMessage(edit, MSG_EDITSKBMODE, 0, 0);
    HideInputTools(win);
  }
  if (active) HandOn(active, msg + (MSG_NCLBUTTONDOWN - MSG_LBUTTONDOWN), HT_OUT, p.received);
}

// A pressed edit gets the mouse and the soft keyboard.
void PressOnEdit(WindowRecord* child, int msg) {
  WindowHandle h = HandleOf(child);
  if (msg != MSG_LBUTTONDOWN && msg != MSG_LBUTTONDBLCLK) return;
  int kind = Controls().getSLEditParentKind(h);
  if (kind != 1 && kind != 3) CaptureMouse(h);
  WindowHandle skb = SoftKeyboard();
  if (!skb) return;
  if (!SoftKeyboardServesEdit()) {
    Controls().setSLEditSkbState(0);
    ClearInputHelperState();
    PlaceSoftKeyboard(child, true, 0);
    SendNotifyMessage(skb, MSG_SKBACTIVEWIN, h, 0);
  } else if (SoftKeyboardEdit() != h) {
    PlaceIme(child, false);
    PlaceSoftKeyboard(child, true, 0);
  }
}

// The soft keyboard and input method for a press on a child: left as they
// are when the keyboard already serves it or it is a passive static.
void SettleInputTools(WindowRecord* child, int msg) {
  if (SoftKeyboardEdit() == HandleOf(child) && SoftKeyboardServesEdit()) return;
  if (IsEditLike(child)) {
    PressOnEdit(child, msg);
    return;
  }
  if (IsControlOfClass(HandleOf(child), "static") && (child->style & kStaticKindMask) == kStaticKindPassive) return;
  HideInputTools(child);
}

void PressOnChild(WindowRecord* win, int msg, WParam keys, const Pointer& p) {
  WindowRecord* child = p.child;
  SendNotifyMessage(HandleOf(child), MSG_MOUSEACTIVE, static_cast<WParam>(p.hitCode), 0);
  if (p.hitCode != HT_CLIENT) {
    if (msg == MSG_LBUTTONDOWN && (p.hitCode & hit::kCaptureBit)) {
      CaptureMouse(HandleOf(win));
      SetNonClientCapture(HandleOf(child), HandleOf(win));
    }
    HideInputTools(child);
    HandOn(child, msg + (MSG_NCLBUTTONDOWN - MSG_LBUTTONDOWN), static_cast<WParam>(p.hitCode), p.received);
    return;
  }
  if (CurrentNonClientCapture().control) return;
  SettleInputTools(child, msg);
  PostToChild(child, msg, keys, p.x, p.y);
}

void Release(WindowRecord* win, int msg, WParam keys, const Pointer& p) {
  // The closing key already walks down the active children, so only the
  // main window sends it; a nested container sending it again would close twice.
  if (msg == MSG_RBUTTONUP && IsMainRecord(win) && !(win->exStyle & WS_EX_PREVIEW))
    SendNotifyMessage(HandleOf(win), MSG_KEYDOWN, KEY_ESC, 0);
  NonClientCapture capture = CurrentNonClientCapture();
  if (msg == MSG_LBUTTONUP && capture.control) {
    CaptureMouse(0);
    ClearNonClientCapture();
    PostToCapture(capture.control, MSG_NCLBUTTONUP, p.received);
    return;
  }
  if (!p.child) {
    if (win->activeChild) HandOn(win->activeChild, msg + (MSG_NCLBUTTONDOWN - MSG_LBUTTONDOWN), HT_OUT, p.received);
    return;
  }
  if (p.hitCode == HT_CLIENT) {
    PostToChild(p.child, msg, keys, p.x, p.y);
    if (msg == MSG_RBUTTONUP) PostMessage(HandleOf(p.child), MSG_CLOSE, 0, 0);
    return;
  }
  HandOn(p.child, msg + (MSG_NCLBUTTONDOWN - MSG_LBUTTONDOWN), static_cast<WParam>(p.hitCode), p.received);
}

// A container (a sheet) took the mouse at the press it routed on; the
// release ends it, whether it came captured or, when it followed the press
// at once, by the pointer. Left held, every later click would reach the
// container, read as its own client position.
void EndContainerCapture(WindowRecord* win, int msg) {
  if (msg != MSG_LBUTTONUP || IsMainRecord(win)) return;
  if (GetCapture() == HandleOf(win)) CaptureMouse(0);
}

void DoubleClick(WindowRecord* win, int msg, WParam keys, const Pointer& p) {
  if (!p.child) {
    if (win->activeChild) HandOn(win->activeChild, msg + (MSG_NCLBUTTONDOWN - MSG_LBUTTONDOWN), HT_OUT, p.received);
    return;
  }
  // The event layer makes any quick second press a double click, also the
  // first press on a control: it activates the control and brings the soft
  // keyboard to a field as a plain press does.
  if (msg == MSG_LBUTTONDBLCLK && p.hitCode == HT_CLIENT) {
    PressOnChild(win, msg, keys, p);
    return;
  }
  if (p.hitCode == HT_CLIENT)
    PostToChild(p.child, msg, keys, p.x, p.y);
  else
    HandOn(p.child, msg + (MSG_NCLBUTTONDOWN - MSG_LBUTTONDOWN), static_cast<WParam>(p.hitCode), p.received);
}

void HideTip() {
  if (WindowHandle tip = BubbleTip()) SendNotifyMessage(tip, MSG_TIPHIDE, 0, 0);
}

void PointerChangedChild(WindowRecord* win, WindowRecord* now, LParam position) {
  WindowRecord* before = win->childUnderPointer;
  if (now == before) return;
  win->childUnderPointer = now;
  if (SoftKeyboardShown()) return;
  if (before) {
    HandOn(before, MSG_MOUSEENTER, 0, static_cast<LParam>(HandleOf(now)));
    HandOn(before, MSG_NCMOUSEMOVE, 1, position);
  }
  HideTip();
  if (now) HandOn(now, MSG_MOUSEENTER, 1, static_cast<LParam>(HandleOf(before)));
}

void Move(WindowRecord* win, WParam keys, const Pointer& p) {
  NonClientCapture capture = CurrentNonClientCapture();
  if (capture.control) {
    PostToCapture(capture.control, MSG_NCMOUSEMOVE, p.received);
    return;
  }
  PointerChangedChild(win, p.child, p.received);
  WindowRecord* child = p.child;
  if (!child) return;
  WindowHandle tip = BubbleTip();
  if (tip && !SoftKeyboardShown() && CallProc(child, MSG_TIPQUERY, 0, p.received) > 0)
    SendNotifyMessage(tip, MSG_TIPSHOW, HandleOf(child), p.received);
  if (p.hitCode == HT_CLIENT) {
    PostToChild(child, MSG_SETCURSOR, HT_CLIENT, p.x, p.y);
    HandOn(child, MSG_NCMOUSEMOVE, HT_CLIENT, p.received);
    PostToChild(child, MSG_MOUSEMOVE, keys, p.x, p.y);
    return;
  }
  HandOn(child, MSG_NCSETCURSOR, static_cast<WParam>(p.hitCode), 0);
  HandOn(child, MSG_NCMOUSEMOVE, static_cast<WParam>(p.hitCode), p.received);
}

void Wheel(int msg, WParam keys, const Pointer& p) {
  NonClientCapture capture = CurrentNonClientCapture();
  if (capture.control) {
    PostToCapture(capture.control, msg, p.received);
    return;
  }
  if (!p.child || p.hitCode != HT_CLIENT) return;
  PostToChild(p.child, MSG_SETCURSOR, HT_CLIENT, p.x, p.y);
  PostToChild(p.child, msg, keys, p.x, p.y);
}

}  // namespace

WindowRecord* ChildAtPoint(const ChildWalk& walk, WindowRecord* win, int x, int y, int* hitCode) {
  const Point screen = ClientToScreen(win, x, y);
  if (WindowRecord* primitive = win->primitiveChild) {
    if (primitive->primitiveChild) {
      *hitCode = HT_CLIENT;
      return primitive;
    }
    LResult code = AskHitTest(primitive, screen);
    if (IsTransparentHit(code)) return nullptr;
    *hitCode = static_cast<int>(code);
    return primitive;
  }
  // The hit test runs a procedure, so it asks after the lock is let go.
  for (const ChildView& child : walk.Children(win)) {
    if (!(child.style & WS_VISIBLE) || !Contains(child.window, x, y)) continue;
    LResult code = AskHitTest(child.record, screen);
    if (IsTransparentHit(code)) continue;
    *hitCode = static_cast<int>(code);
    return child.record;
  }
  return nullptr;
}

bool SoftKeyboardShown() {
  WindowRecord* skb = ValidMainWindow(SoftKeyboardWindow());
  return skb && IsVisibleRecord(skb);
}

WindowHandle BubbleTip() {
  WindowHandle tip = Desk().bubbleTip;
  return tip != GUI_INVALID_HANDLE && ValidWindow(tip) ? tip : 0;
}

LResult HandleRawMouse(WindowRecord* win, int msg, WParam wParam, LParam lParam) {
  const int x = PointX(lParam), y = PointY(lParam);
  NoteCursorPosition(x, y);
  const Rect client = ClientScreenRectOf(win);
  const int cx = x - client.left, cy = y - client.top;
  int hitCode = 0;
  ChildWalk walk;
  if (!ChildAtPoint(walk, win, cx, cy, &hitCode))
    hitCode = static_cast<int>(CallProc(win, MSG_HITTEST, static_cast<WParam>(x), static_cast<LParam>(y)));
  else
    hitCode = HT_CLIENT;
  PostRawAsClientAndNonClient(win, msg, wParam, lParam, hitCode, PackPoint(cx, cy));
  return 0;
}

// Containers (a sheet, its pages) route like main windows, so a click
// reaches a control at any depth; a control without children has nothing
// to route and must not hide the input tools its parent just placed.
LResult HandleClientMouse(WindowRecord* win, int msg, WParam wParam, LParam lParam) {
  if (!IsMainRecord(win) && !win->primitiveChild && !HasChildren(win)) return 0;
  ChildWalk walk;  // keeps the child found below while its input is routed
  Pointer p{PointX(lParam), PointY(lParam), lParam, nullptr, 0};
  // A move queued under a capture that has ended since is stale: routed on,
  // it would reach what lies beneath the window the pointer is really over
  // (an open drop-down list); the desktop sends the next move where it
  // belongs.
  if ((wParam & KS_CAPTURED) && msg == MSG_MOUSEMOVE && GetCapture() != HandleOf(win)) return 0;
  if (wParam & KS_CAPTURED) {  // captured input: a screen position
    const Rect client = ClientScreenRectOf(win);
    p.x -= client.left;
    p.y -= client.top;
    wParam &= ~static_cast<WParam>(KS_CAPTURED);
  }
  p.child = ChildAtPoint(walk, win, p.x, p.y, &p.hitCode);
  if (p.child && IsDisabled(p.child)) p.child = nullptr;
  switch (msg) {
    case MSG_LBUTTONDOWN: case MSG_RBUTTONDOWN:
      if (p.child)
        PressOnChild(win, msg, wParam, p);
      else
        PressBesideChildren(win, msg, p);
      return 0;
    case MSG_LBUTTONUP: case MSG_RBUTTONUP:
      EndContainerCapture(win, msg);
      Release(win, msg, wParam, p);
      return 0;
    case MSG_LBUTTONDBLCLK: case MSG_RBUTTONDBLCLK: DoubleClick(win, msg, wParam, p); return 0;
    case MSG_MOUSEMOVE: Move(win, wParam, p); return 0;
    default: Wheel(msg, wParam, p); return 0;
  }
}

extern "C" WindowHandle GetWindowUnderCursor(void) {
  int x = 0, y = 0;
  CursorPosition(&x, &y);
  ChildWalk walk;
  WindowRecord* win = ValidWindow(WindowUnderPointer(x, y));
  if (!win) return 0;
  for (;;) {
    Rect origin = ClientScreenRectOf(win);
    int hitCode = 0;
    WindowRecord* child = ChildAtPoint(walk, win, x - origin.left, y - origin.top, &hitCode);
    if (!child) return HandleOf(win);
    win = child;
  }
}

void NoteCursorPosition(int x, int y) {
  g_cursorX = static_cast<uint32_t>(x);
  g_cursorY = static_cast<uint32_t>(y);
}

void CursorPosition(int* x, int* y) {
  *x = static_cast<int>(g_cursorX.load());
  *y = static_cast<int>(g_cursorY.load());
}
