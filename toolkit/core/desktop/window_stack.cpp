#include "core/desktop/window_stack.h"

#include <vector>

#include "core/desktop/clip_info.h"
#include "core/desktop/desktop.h"
#include "core/desktop/desktop_proc.h"
#include "core/desktop/desktop_state.h"
#include "core/desktop/popup_chain.h"
#include "core/driver/host_thread.h"
#include "core/livevideo/display_switch.h"
#include "core/message/msg_queue.h"
#include "core/startup/input_helpers.h"
#include "core/window/window_damage.h"
#include "gui/app_hooks.h"
#include "gui/control_class.h"
#include "gui/desktop.h"
#include "gui/message.h"
#include "gui/startup.h"
#include "gui/window.h"

namespace {

bool Overlaps(const Rect& a, const Rect& b, Rect* out) { return IntersectRect(out, &a, &b); }

Rect Offset(Rect r, int dx, int dy) { return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

void SetStyleBit(WindowRecord* win, uint32_t bit, bool set) {
  StackWriteLock hold;
  SetStyleBits(win->style, bit, set);
}

// The clip-information mutex ranks before the stack lock.
void SetVisibleBit(WindowRecord* win, bool visible) {
  if (win->clipInfo) {
    std::lock_guard<std::mutex> hold(win->clipInfo->lock);
    SetStyleBit(win, WS_VISIBLE, visible);
  } else {
    SetStyleBit(win, WS_VISIBLE, visible);
  }
}

bool IsTopmostRecord(const WindowRecord* win) { return (win->exStyle & WS_EX_TOPMOST) != 0; }

// The windows a change of `win` uncovers or covers: those after it in its
// own list and, for a topmost window, the whole current display's list.
template <typename Fn>
void ForEachBelow(WindowRecord* win, Fn fn) {
  ZOrderList* own = ListHolding(HandleOf(win));
  if (!own) return;
  bool after = false;
  ForEachInList(*own, [&](WindowRecord* other) {
    if (after) fn(other);
    if (other == win) after = true;
    return true;
  });
  if (own == &TopmostList())
    if (ZOrderList* current = CurrentDisplayList()) ForEachInList(*current, [&](WindowRecord* other) {
        fn(other);
        return true;
      });
}

// The host's thread unlinks what it hosts as it goes: the chain and the
// hosting pointer are read inside the lock, here too.
void LinkHosted(MainWinRecord* win) {
  StackWriteLock hold;
  MainWinRecord* host = win->hosting;
  if (!host || HandleOf(host) == __gui_hwnd_desktop) return;
  MainWinRecord** link = &host->firstHosted;
  while (*link) link = &(*link)->nextHosted;
  *link = win;
  win->nextHosted = nullptr;
}

void UnlinkHosted(MainWinRecord* win) {
  StackWriteLock hold;
  MainWinRecord* host = win->hosting;
  if (!host || HandleOf(host) == __gui_hwnd_desktop) return;
  for (MainWinRecord** link = &host->firstHosted; *link; link = &(*link)->nextHosted) {
    if (*link == win) {
      *link = win->nextHosted;
      win->nextHosted = nullptr;
      return;
    }
  }
}

ZOrderList* ListForNewWindow(const WindowRecord* win, bool previewAware) {
  if (IsTopmostRecord(win)) return &TopmostList();
  if (previewAware && (win->exStyle & WS_EX_PREVIEW)) return OtherDisplayList();
  return CurrentDisplayList();
}

SharedWord<WindowHandle>* ActiveSlot(int output) {
  if (output == getMainOutputHook()) return &Desk().activeMain;
  if (output == getAuxOutputHook()) return &Desk().activeAux;
  return nullptr;
}

void NotifyActivationChange(WindowHandle oldActive, WindowHandle newActive) {
  WindowRecord* old = ValidWindow(oldActive);
  if (old && IsVisibleRecord(old)) {
    SendNotifyMessage(oldActive, MSG_ACTIVATE, 0, 0);
    SendNotifyMessage(oldActive, MSG_NCACTIVATE, 0, 0);
    SendNotifyMessage(oldActive, MSG_KILLFOCUS, newActive, 0);
  }
  if (newActive) {
    SendNotifyMessage(newActive, MSG_ACTIVATE, 1, 0);
    SendNotifyMessage(newActive, MSG_NCACTIVATE, 1, 0);
    SendNotifyMessage(newActive, MSG_SETFOCUS, oldActive, 0);
  }
}

bool RefusesActivation(WindowHandle hwnd) {
  if (!hwnd) return false;
  WindowRecord* win = ValidWindow(hwnd);
  return !win || IsToolWindow(hwnd) || (win->exStyle & WS_EX_NOT_ACTIVATED);
}

// The auxiliary display's preview window is activated there whatever
// display is current, and without closing the input helpers.
WindowHandle ActivatePreviewWindow(WindowHandle hwnd) {
  SharedWord<WindowHandle>* slot = &Desk().activeAux;
  if (RefusesActivation(hwnd) || hwnd == *slot) return *slot;
  WindowHandle old = *slot;
  *slot = hwnd;
  NotifyActivationChange(old, hwnd);
  return old;
}

// The window shows whole or not at all: presents wait until its thread has
// painted what was just invalidated.
void HoldPresentsForPaintOf(WindowRecord* win) {
  if (win->mainWindow) HoldPresentsUntilPainted(win->mainWindow->queue);
}

void PaintWhole(WindowRecord* win) {
  host::PresentHold hold;  // the frame drawn here and the client painted later show together
  CallProc(win, MSG_NCPAINT, 0, 0);
  WindowRecord* target = win;
  if ((win->exStyle & WS_EX_PREVIEW) && getCurOutputHook() == getAuxOutputHook())
    if (WindowRecord* preview = ValidWindow(FirstPreviewWindow(getMainOutputHook()))) target = preview;
  InvalidateWindowArea(target, nullptr, true);
  HoldPresentsForPaintOf(target);
}

WindowRecord* ShownTopControl(const ZOrderList* list) {
  WindowRecord* head = list && list->head ? RecordOfNode(list->head) : nullptr;
  if (!head || !IsControlRecord(head)) return nullptr;
  GeometryReadLock hold;  // the visible bit may change on the control's thread
  return IsVisibleRecord(head) ? head : nullptr;
}

void HideTopControlWithNode(ZOrderList& list, int mode, WindowRecord* raising, LParam point) {
  WindowRecord* head = ShownTopControl(&list);
  if (!head || head == raising) return;
  HideStackedWindow(head);
  if (head->parent) SendNotifyMessage(HandleOf(head->parent), MSG_TOPCTRLHIDDEN, mode, point);
}

bool LiesAbove(const ZOrderList& list, WindowHandle upper, WindowHandle lower) {
  for (const ZOrderNode* node = list.head; node; node = node->next) {
    if (node->hwnd == upper) return true;
    if (node->hwnd == lower) return false;
  }
  return false;
}

void DropQueuedMouseMoves(WindowRecord* win) {
  MsgQueue* q = win->mainWindow ? win->mainWindow->queue : nullptr;
  if (!q) return;
  std::lock_guard<std::mutex> hold(q->lock);
  if (!q->ring) return;
  for (int i = q->readPos; i != q->writePos; i = (i + 1) % q->ringSize) {
    Message& entry = q->ring[i];
    if (entry.message == MSG_MOUSEMOVE && entry.hwnd == HandleOf(win)) entry.hwnd = GUI_INVALID_HANDLE;
  }
}

// Child lists change under the stack lock: other threads' paint searches
// walk them.
void LinkChild(WindowRecord* parent, ControlRecord* control) {
  StackWriteLock hold;
  control->nextSibling = nullptr;
  control->prevSibling = nullptr;
  if (!parent->firstChild) {
    parent->firstChild = control;
    return;
  }
  ControlRecord* last = static_cast<ControlRecord*>(parent->firstChild);
  while (last->nextSibling) last = last->nextSibling;
  last->nextSibling = control;
  control->prevSibling = last;
}

bool UnlinkChild(WindowRecord* parent, ControlRecord* control) {
  StackWriteLock hold;
  ControlRecord** link = reinterpret_cast<ControlRecord**>(&parent->firstChild);
  while (*link && *link != control) link = &(*link)->nextSibling;
  if (!*link) return false;
  *link = control->nextSibling;
  if (control->nextSibling) control->nextSibling->prevSibling = control->prevSibling;
  control->nextSibling = control->prevSibling = nullptr;
  return true;
}

// Appended to its parent's controls and counted in its class, on the
// desktop thread or the creating one (the count is raised atomically).
void LinkCounted(WindowRecord* parent, ControlRecord* control) {
  EmptyClipRgn(&control->invalid.region);  // before other threads' paint searches can reach it
  LinkChild(parent, control);
  if (control->controlClass) __atomic_fetch_add(&control->controlClass->usageCount, 1, __ATOMIC_RELAXED);
}

// Counted up on the creating thread, down here; never below 0.
void DropUsage(ControlClass* cls) {
  int count = __atomic_load_n(&cls->usageCount, __ATOMIC_RELAXED);
  while (count > 0 &&
         !__atomic_compare_exchange_n(&cls->usageCount, &count, count - 1, false, __ATOMIC_RELAXED, __ATOMIC_RELAXED)) {
  }
}

void DetachOwnNode(WindowRecord* win) {
  if (!win->zorderNode) return;
  if (ZOrderList* list = ListHolding(HandleOf(win))) UnlinkNode(*list, win->zorderNode);
}

}  // namespace

WindowRecord* OpenDropDown() {
  if (WindowRecord* top = ShownTopControl(&TopmostList())) return top;
  return ShownTopControl(CurrentDisplayList());
}

bool IsToolWindow(WindowHandle hwnd) {
  if (!hwnd || hwnd == GUI_INVALID_HANDLE) return false;
  return hwnd == ImeWindow() || hwnd == SoftKeyboardWindow() || hwnd == Desk().bubbleTip;
}

WindowHandle ActiveOfCurrentDisplay() {
  SharedWord<WindowHandle>* slot = ActiveSlot(getCurOutputHook());
  return slot ? static_cast<WindowHandle>(*slot) : 0;
}

void SetActiveOfCurrentDisplay(WindowHandle hwnd) {
  if (SharedWord<WindowHandle>* slot = ActiveSlot(getCurOutputHook())) *slot = hwnd;
}

WindowHandle ActivateWindow(WindowHandle hwnd) {
  SharedWord<WindowHandle>* slot = ActiveSlot(getCurOutputHook());
  if (!slot) return 0;
  if (RefusesActivation(hwnd) || hwnd == *slot) return *slot;
  CloseInputHelpers();
  if (WindowHandle ime = ImeWindow()) SendNotifyMessage(ime, MSG_IMEACTIVEWIN, hwnd, 0);
  if (WindowHandle skb = SoftKeyboardWindow()) SendNotifyMessage(skb, MSG_SKBACTIVEWIN, hwnd, 0);
  WindowHandle old = *slot;
  *slot = hwnd;
  NotifyActivationChange(old, hwnd);
  return old;
}

WindowHandle FirstActivatable() {
  WindowHandle found = 0;
  auto pick = [&found](WindowRecord* win) {
    if (IsControlRecord(win) || !IsVisibleRecord(win) || (win->style & WS_DISABLED) ||
        (win->exStyle & WS_EX_NOT_ACTIVATED))
      return true;
    found = HandleOf(win);
    return false;
  };
  if (ZOrderList* current = CurrentDisplayList()) ForEachInList(*current, pick);
  if (!found) ForEachInList(TopmostList(), pick);
  return found;
}

void RepaintPart(WindowRecord* win, const Rect& screenPart) {
  host::PresentHold hold;  // the erase done here and the client painted later show together
  Rect frame = ScreenRectOf(win);
  Rect local = Offset(screenPart, -frame.left, -frame.top);
  CallProc(win, MSG_NCPAINT, 0, reinterpret_cast<LParam>(&local));
  WindowRecord* target = win;
  if ((win->exStyle & WS_EX_PREVIEW) && getCurOutputHook() == getAuxOutputHook())
    if (WindowRecord* preview = ValidWindow(FirstPreviewWindow(getMainOutputHook()))) target = preview;
  Rect client = ClientScreenRectOf(target);
  Rect part = Offset(screenPart, -client.left, -client.top);
  InvalidateWindowArea(target, &part, true);
  HoldPresentsForPaintOf(target);  // what a closed window or menu uncovers shows repainted
}

void ForgetPointerStateOf(WindowHandle hwnd) {
  DesktopState& d = Desk();
  // The caret window too: the tick reads it long after the window is gone.
  const WindowHandle caret = d.caretWindow;
  if (caret && WindowBelongsTo(caret, hwnd)) ClearCaretWindow(caret);
  auto refers = [hwnd](WindowHandle w) { return w != 0 && (w == hwnd || WindowBelongsTo(w, hwnd)); };
  if (refers(d.capture)) d.capture = 0;
  if (refers(d.pressed)) d.ForgetPress();
  if (refers(d.underPointer)) d.underPointer = 0;
}

LResult AddStackedWindow(WindowRecord* win, ZOrderNode* node, bool previewAware) {
  EndAllPopupMenus();
  if (IsMainRecord(win)) LinkHosted(static_cast<MainWinRecord*>(win));
  if (win->clipInfo) {
    ResetClip(win->clipInfo, ScreenRectOf(win));
    win->clipInfo->age = 0;
  }
  ZOrderList* list = ListForNewWindow(win, previewAware);
  if (!list || !node) return 0;
  node->hwnd = HandleOf(win);
  PushNode(*list, node);
  if (!IsVisibleRecord(win)) return 0;
  {
    DisplaySwitchHold hold;  // while the windows below are clipped
    ClipWindowsBelow(win);
  }
  host::PresentHold hold;  // the frame drawn here and the client painted later show together
  CallProc(win, MSG_NCPAINT, 0, 0);
  SendNotifyMessage(HandleOf(win), MSG_SHOWWINDOW, 256, 0);
  InvalidateWindowArea(win, nullptr, true);
  HoldPresentsForPaintOf(win);
  if (previewAware && (win->exStyle & WS_EX_PREVIEW)) return ActivatePreviewWindow(HandleOf(win));
  return ActivateWindow(HandleOf(win));
}

LResult HideStackedWindow(WindowRecord* win) {
  if (!IsVisibleRecord(win)) return ActiveOfCurrentDisplay();
  SetVisibleBit(win, false);
  Rect gone = ScreenRectOf(win);
  // Only the windows that get some of it back have anything to repaint,
  // and only there.
  std::vector<GainedPart> gained;
  {
    // What the hide uncovers shows in one present: the host is neither woken
    // nor presents between one window's repaint and the next.
    host::PresentHold shownTogether;
    {
      DisplaySwitchHold hold;  // while the windows below are clipped again and repainted
      // Their readers are woken once, when all are repainted, not once each
      // while the others still are.
      DeferredQueueWakes together;
      UnclipWindowsBelow(win, &gained);
      for (const GainedPart& part : gained) RepaintPart(part.win, part.bound);
    }
    Rect onScreen;
    if (IntersectRect(&onScreen, &gone, &ScreenRect()))
      DesktopWinProc(__gui_hwnd_desktop, MSG_DT_BACKGROUND, 0, reinterpret_cast<LParam>(&onScreen));
  }
  WindowHandle hwnd = HandleOf(win);
  if (hwnd == ActiveOfCurrentDisplay()) ActivateWindow(FirstActivatable());
  DesktopState& d = Desk();
  d.underPointer = 0;
  // Only the hidden window's press is forgotten: the release of a click on
  // another window (a press that hides the soft keyboard) must still reach it.
  if (d.pressed && (d.pressed == hwnd || WindowBelongsTo(d.pressed, hwnd))) d.ForgetPress();
  if (d.capture && (d.capture == hwnd || WindowBelongsTo(d.capture, hwnd))) d.capture = 0;
  return ActiveOfCurrentDisplay();
}

LResult ShowStackedWindow(WindowRecord* win) {
  if (IsVisibleRecord(win)) return 0;
  // A pop-up control (a drop-down list) opens above the windows raised
  // since it was made, its own main window among them, or it shows clipped away.
  if (IsControlRecord(win) && win->zorderNode)
    if (ZOrderList* own = ListHolding(HandleOf(win))) MoveNodeToHead(*own, win->zorderNode);
  SetVisibleBit(win, true);
  {
    DisplaySwitchHold hold;
    ClipWindowsBelow(win);
  }
  PaintWhole(win);
  if (IsControlRecord(win)) return 0;
  ZOrderList* own = ListHolding(HandleOf(win));
  WindowHandle active = ActiveOfCurrentDisplay();
  bool activate = IsTopmostRecord(win) || !active || (own && LiesAbove(*own, HandleOf(win), active));
  return activate ? ActivateWindow(HandleOf(win)) : 0;
}

LResult RaiseStackedWindow(WindowRecord* win, int mode, LParam point) {
  ZOrderList* own = ListHolding(HandleOf(win));
  if (!own || (own != &TopmostList() && own != CurrentDisplayList())) return ActiveOfCurrentDisplay();
  HideTopControlWithNode(*own, mode, win, point);
  bool atHead = own->head == win->zorderNode;
  if (atHead && IsVisibleRecord(win)) return ActiveOfCurrentDisplay();
  if (IsVisibleRecord(win)) {
    Rect mine = ScreenRectOf(win);
    Rect client = ClientScreenRectOf(win);
    std::vector<Rect> covered;
    std::vector<WindowRecord*> above;
    ForEachInList(*own, [&](WindowRecord* other) {
      if (other == win) return false;
      Rect overlap;
      if (IsVisibleRecord(other) && Overlaps(mine, ScreenRectOf(other), &overlap)) {
        above.push_back(other);
        overlap.right += 2;
        overlap.bottom += 2;
        covered.push_back(Offset(overlap, -client.left, -client.top));
      }
      return true;
    });
    MoveNodeToHead(*own, win->zorderNode);
    {
      // Only the window and those it now covers change.
      DisplaySwitchHold hold;
      RebuildWindowClip(win);
      for (WindowRecord* other : above) CutFromClip(other, mine);
    }
    host::PresentHold hold;  // what the raise uncovers shows repainted, not erased
    CallProc(win, MSG_NCPAINT, 0, 0);
    for (const Rect& part : covered) InvalidateWindowArea(win, &part, false);
    HoldPresentsForPaintOf(win);
  } else {
    MoveNodeToHead(*own, win->zorderNode);
    SetVisibleBit(win, true);
    {
      DisplaySwitchHold hold;
      ClipWindowsBelow(win);
    }
    PaintWhole(win);
  }
  if (mode >= kRaiseByMouse && mode <= kRaiseShowAndActivate) ActivateWindow(HandleOf(win));
  return 0;
}

namespace {

// A tool window leaving the desktop leaves its slot free: the handle would
// soon name a freed record, and the slot would refuse the next window.
void ForgetToolSlotsOf(WindowHandle hwnd) {
  DesktopState& d = Desk();
  if (ImeWindow() == hwnd) SetImeWindow(0);
  if (SoftKeyboardWindow() == hwnd) SetSoftKeyboardWindow(0);
  if (d.bubbleTip == hwnd) d.bubbleTip = GUI_INVALID_HANDLE;
  if (d.fourthTool == hwnd) d.fourthTool = GUI_INVALID_HANDLE;
}

}  // namespace

LResult RemoveStackedWindow(WindowRecord* win) {
  EndAllPopupMenus();
  WindowHandle hwnd = HandleOf(win);
  ForgetToolSlotsOf(hwnd);
  if (IsMainRecord(win)) UnlinkHosted(static_cast<MainWinRecord*>(win));
  if (IsVisibleRecord(win)) HideStackedWindow(win);
  DesktopState& d = Desk();
  if (d.activeMain == hwnd) d.activeMain = 0;
  if (d.activeAux == hwnd) d.activeAux = 0;
  DetachOwnNode(win);
  ForgetPointerStateOf(hwnd);
  return ActiveOfCurrentDisplay();
}

LResult MoveStackedWindow(WindowRecord* win, const Rect* rect) {
  if (!rect) return 0;
  Rect wanted = *rect;
  if (IsControlRecord(win)) {
    CallProc(win, MSG_SIZECHANGED, reinterpret_cast<WParam>(&wanted), 0);
    if (IsVisibleRecord(win)) {
      CallProc(win, MSG_NCPAINT, 0, 0);
      InvalidateWindowArea(win, nullptr, true);
    }
    return 0;
  }
  Rect old = ScreenRectOf(win);
  CallProc(win, MSG_SIZECHANGED, reinterpret_cast<WParam>(&wanted), 0);
  RebuildAllClips();
  if (IsVisibleRecord(win)) {
    Rect now = ScreenRectOf(win);
    Rect parts[4];
    int count = SubtractRect(parts, &old, &now);
    for (int i = 0; i < count; ++i) {
      Rect part;
      if (!IntersectRect(&part, &parts[i], &ScreenRect())) continue;
      ForEachBelow(win, [&part](WindowRecord* other) {
        Rect overlap;
        if (IsVisibleRecord(other) && Overlaps(part, ScreenRectOf(other), &overlap)) RepaintPart(other, overlap);
      });
      if (IsTopmostRecord(win))
        ForEachInList(TopmostList(), [&](WindowRecord* other) {
          Rect overlap;
          if (other != win && IsVisibleRecord(other) && Overlaps(part, ScreenRectOf(other), &overlap))
            RepaintPart(other, overlap);
          return true;
        });
      DesktopWinProc(__gui_hwnd_desktop, MSG_DT_BACKGROUND, 0, reinterpret_cast<LParam>(&part));
    }
  }
  DropQueuedMouseMoves(win);
  return 0;
}

LResult EnableStackedWindow(WindowRecord* win, bool enable) {
  bool wasEnabled = !(win->style & WS_DISABLED);
  if (wasEnabled == enable) return wasEnabled;
  SetStyleBit(win, WS_DISABLED, !enable);
  if (!enable) {
    DesktopState& d = Desk();
    if (d.capture && (d.capture == HandleOf(win) || WindowBelongsTo(d.capture, HandleOf(win)))) d.capture = 0;
    if (ActiveOfCurrentDisplay()) {
      ActivateWindow(0);
      return wasEnabled;
    }
  }
  CallProc(win, MSG_NCPAINT, 0, 0);
  return wasEnabled;
}

WindowHandle NextStackedWindow(WindowHandle hwnd) {
  ZOrderList* current = CurrentDisplayList();
  const ZOrderNode* node = nullptr;
  bool inTopmost = true;
  if (hwnd == 0) {
    node = TopmostList().head;
    if (!node) {
      inTopmost = false;
      node = current ? current->head : nullptr;
    }
  } else {
    WindowRecord* win = ValidWindow(hwnd);
    if (!win || !win->zorderNode) return 0;
    inTopmost = ListHolds(TopmostList(), hwnd);
    node = win->zorderNode->next;
  }
  for (;;) {
    while (node) {
      WindowRecord* win = RecordOfNode(node);
      if (win && !(win->exStyle & WS_EX_OWN_CLIPINFO)) return node->hwnd;
      node = node->next;
    }
    if (!inTopmost || !current) return 0;
    inTopmost = false;
    node = current->head;
  }
}

LResult SetDesktopCapture(WindowHandle hwnd) {
  DesktopState& d = Desk();
  d.underPointer = 0;
  // The button state stays: a press that came before the capture ended
  // still has its release to come.
  WindowHandle old = d.capture;
  d.capture = hwnd;
  return static_cast<LResult>(old);
}

LResult AddControlToParent(WindowRecord* parent, ControlRecord* control) {
  if (!parent || !control) return -1;
  LinkCounted(parent, control);
  if ((control->exStyle & WS_EX_OWN_CLIPINFO) && control->zorderNode) {
    ZOrderList* list = (control->exStyle & WS_EX_TOPMOST) ? &TopmostList() : CurrentDisplayList();
    ResetClip(control->clipInfo, ScreenRectOf(control));
    if (list) {
      control->zorderNode->hwnd = HandleOf(control);
      PushNode(*list, control->zorderNode);
      if (IsVisibleRecord(control)) {
        DisplaySwitchHold hold;
        ClipWindowsBelow(control);
      }
    }
  }
  return 0;
}

bool LinkPlainControl(WindowRecord* parent, ControlRecord* control) {
  if (!parent || !control || (control->exStyle & WS_EX_OWN_CLIPINFO) || TrackingMayRun()) return false;
  LinkCounted(parent, control);
  return true;
}

LResult RemoveControlFromParent(WindowRecord* parent, ControlRecord* control) {
  if (!parent || !control || control->parent != parent) return -1;
  if (!UnlinkChild(parent, control)) return -1;
  if ((control->exStyle & WS_EX_OWN_CLIPINFO) && control->zorderNode) {
    if (IsVisibleRecord(control)) HideStackedWindow(control);
    DetachOwnNode(control);
  }
  ForgetPointerStateOf(HandleOf(control));
  if (control->controlClass) DropUsage(control->controlClass);
  return 0;
}

LocalUnlink UnlinkPlainControl(WindowRecord* parent, ControlRecord* control) {
  if (!parent || !control || (control->exStyle & WS_EX_OWN_CLIPINFO) || TrackingMayRun())
    return LocalUnlink::kOnDesktopOnly;
  if (control->parent != parent || !UnlinkChild(parent, control)) return LocalUnlink::kNotAChild;
  if (control->controlClass) DropUsage(control->controlClass);
  return LocalUnlink::kUnlinked;
}

LResult ForgetControls(const WindowHandle* controls, size_t count) {
  if (!controls) return 0;
  for (size_t i = 0; i < count; ++i) ForgetPointerStateOf(controls[i]);
  return 0;
}
