// Destruction of main windows and controls. A destroyed main window keeps
// its record (data type 241) until its thread cleans it up, so late
// messages to it are recognised and dropped; a control is freed once no
// walk of its parent's controls is in progress.
#include <mutex>
#include <vector>

#include "core/desktop/desktop.h"
#include "core/desktop/window_stack.h"
#include "core/desktop/zorder.h"
#include "core/caret/caret.h"
#include "core/control_layer.h"
#include "core/dialog/dialog_internal.h"
#include "core/element/element_attrs.h"
#include "core/livevideo/areas.h"
#include "core/message/msg_queue.h"
#include "core/nonclient/scroll_track.h"
#include "core/startup/input_helpers.h"
#include "core/window/auto_repeat.h"
#include "core/window/child_walk.h"
#include "core/window/kept_records.h"
#include "core/window/nonclient_mouse.h"
#include "core/window/window_damage.h"
#include "core/window/window_internal.h"
#include "core/window/window_threads.h"
#include "gui/desktop.h"
#include "gui/menu.h"
#include "gui/dc.h"
#include "gui/message.h"
#include "gui/startup.h"
#include "gui/timer.h"
#include "gui/window.h"

namespace {

// Never destroyed: threads may still clean windows up while the process ends.
void KeepAWhile(MainWinRecord* win) {
  static auto* const kept = new KeptRecords<MainWinRecord, 64>;
  kept->Keep(win);
}

// The soft keyboard keeps the handle of the window it types into (an edit,
// or the active main window the desktop names to it): a window that goes
// must not stay its target or receiver.
void ForgetSoftKeyboardTarget(WindowHandle hwnd) {
  WindowHandle skb = SoftKeyboardWindow();
  if (skb != hwnd && ValidMainWindow(skb))
    SendMessage(skb, MSG_SKBCURRENTEDIT, SKB_FORGET_EDIT, static_cast<LParam>(hwnd));
}

void HideSoftKeyboardFor(WindowRecord* win) {
  ForgetSoftKeyboardTarget(HandleOf(win));
  WindowHandle skb = SoftKeyboardWindow();
  if (ValidWindow(skb)) SendNotifyMessage(skb, MSG_SKBCLOSE, 0, 0);
}

thread_local std::vector<ControlRecord*>* t_removed = nullptr;

// Retired whatever the answer: a desktop that cannot answer does not run,
// and holds nothing.
void ForgetAndRetire(const std::vector<ControlRecord*>& controls) {
  if (controls.empty()) return;
  std::vector<WindowHandle> handles;
  handles.reserve(controls.size());
  for (ControlRecord* control : controls) handles.push_back(HandleOf(control));
  SendMessage(__gui_hwnd_desktop, MSG_DT_FORGETCTRLS, static_cast<WParam>(handles.size()),
              reinterpret_cast<LParam>(handles.data()));
  for (ControlRecord* control : controls) RetireControl(control);
}

// Out of the parent's list on this thread when the stack lock guards all
// that changes (a control without a node of its own), else by the desktop.
bool TakeOutOfParent(WindowRecord* parent, ControlRecord* ctl) {
  switch (UnlinkPlainControl(parent, ctl)) {
    case LocalUnlink::kUnlinked:
      return true;
    case LocalUnlink::kNotAChild:
      return false;
    case LocalUnlink::kOnDesktopOnly:
      break;
  }
  return SendMessage(__gui_hwnd_desktop, MSG_DT_REMOVECTRL, HandleOf(parent), static_cast<LParam>(HandleOf(ctl))) == 0;
}

// A child that refuses stays linked to its parent.
void DestroyChildren(WindowRecord* win) {
  for (WindowRecord* child = win->firstChild; child;) {
    WindowRecord* next = static_cast<ControlRecord*>(child)->nextSibling;
    DestroyWindow(HandleOf(child));
    child = next;
  }
}

// A hosted window that refused (a preview window) still reads the thread's
// queue: the thread record goes over to it, so that the clean-up of the
// window that owned it does not free the queue under it.
void HandOverThreadRecord(MainWinRecord* win, MainWinRecord* refusing) {
  ThreadMsgInfo* info = win->threadInfo;
  if (!info || refusing->queue != info->queue || refusing->threadInfo) return;
  win->threadInfo = nullptr;
  refusing->threadInfo = info;
  if (info->mainWindow == win) info->mainWindow = refusing;
}

// Drops the first hosted window from the chain, which the desktop and
// other threads read under the stack lock; false when it is no longer first.
bool UnlinkFirstHosted(MainWinRecord* win, MainWinRecord* hosted) {
  StackWriteLock hold;
  if (win->firstHosted != hosted) return false;
  win->firstHosted = hosted->nextHosted;
  hosted->hosting = nullptr;
  return true;
}

MainWinRecord* FirstHosted(MainWinRecord* win) {
  GeometryReadLock hold;
  return win->firstHosted;
}

// A modal dialog is ended, not freed: its loop still runs and cleans it
// up when it returns.
void DestroyHosted(MainWinRecord* win) {
  while (MainWinRecord* hosted = FirstHosted(win)) {
    WindowHandle hwnd = HandleOf(hosted);
    if (IsModalDialog(hwnd)) {
      EndDialog(hwnd, IDCANCEL);
      UnlinkFirstHosted(win, hosted);
    } else if (DestroyMainWindow(hwnd)) {
      MainWindowThreadCleanup(hwnd);
    } else if (UnlinkFirstHosted(win, hosted)) {  // refused: no longer ours
      HandOverThreadRecord(win, hosted);
    }
  }
}

void EmptyRegions(WindowRecord* win) {
  {
    std::lock_guard<std::mutex> hold(win->invalid.lock);
    EmptyClipRgn(&win->invalid.region);
  }
  if (win->clipInfo) {
    std::lock_guard<std::mutex> hold(win->clipInfo->lock);
    EmptyClipRgn(&win->clipInfo->region);
    win->clipInfo->age++;
  }
}

// A record's mark, changed under the lock of the queue its posts go to
// (when it has one): a post checks the mark under that lock.
void SetDataType(WindowRecord* win, MsgQueue* q, uint16_t type) {
  if (!q) {
    win->dataType = type;
    return;
  }
  std::lock_guard<std::mutex> hold(q->lock);
  win->dataType = type;
}

// Marked before its messages are thrown away: a post checks the mark under
// the queue's lock, so none is stored after the throw-away.
void MarkDestroyed(MainWinRecord* win) {
  SetDataType(win, win->queue, kWindowDestroyed);
  ThrowAwayMessages(HandleOf(win));
}

}  // namespace

RemovalBatch::RemovalBatch() : outermost_(t_removed == nullptr) {
  if (outermost_) t_removed = &removed_;
}

RemovalBatch::~RemovalBatch() {
  if (!outermost_) return;
  t_removed = nullptr;  // destructions while the request waits make their own
  ForgetAndRetire(removed_);
}

void RemovalBatch::Add(ControlRecord* control) {
  if (t_removed) {
    t_removed->push_back(control);
    return;
  }
  ForgetAndRetire({control});
}

extern "C" {

BOOL DestroyMainWindow(WindowHandle hwnd) {
  MainWinRecord* win = ValidMainWindow(hwnd);
  if (!win || (win->exStyle & WS_EX_PREVIEW)) return FALSE;
  {
    RemovalBatch batch;  // the controls its MSG_DESTROY destroys too
    if (CallProc(win, MSG_DESTROY, 0, 0) != 0) return FALSE;
    CloseInputHelpers();
    Controls().setIPEditSkbState(0);  // an address edit's keyboard mode ends with its window
    HideSoftKeyboardFor(win);
    DestroyChildren(win);
  }
  DestroyHosted(win);
  KillTimer(hwnd, 0);
  SendMessage(__gui_hwnd_desktop, MSG_DT_REMOVEMAINWIN, hwnd, 0);
  ReleaseLiveVideoSlotOnDestroy(win);
  ClearAutoRepeatOf(hwnd);
  ForgetNonClientStateOf(hwnd);
  ForgetScrollTrackingOf(hwnd);
  FreeCaretOf(win);
  MarkDestroyed(win);
  delete win->zorderNode;
  win->zorderNode = nullptr;
  if (win->privateDC) DeletePrivateDC(win->privateDC);
  win->privateDC = 0;
  FreeWindowCaption(win);
  DestroyMenu(win->menu);  // the window owns its bar and its system menu
  DestroyMenu(win->systemMenu);
  win->menu = win->systemMenu = 0;
  EmptyRegions(win);
  return TRUE;
}

BOOL DestroyWindow(WindowHandle control) {
  ControlRecord* ctl = ValidControl(control);
  if (!ctl) return FALSE;
  RemovalBatch batch;
  if (CallProc(ctl, MSG_DESTROY, 0, 0) != 0) return FALSE;
  DestroyChildren(ctl);
  KillTimer(control, 0);
  WindowRecord* parent = ctl->parent;
  if (parent) {
    if (parent->activeChild == ctl) parent->activeChild = nullptr;
    if (parent->childUnderPointer == ctl) parent->childUnderPointer = nullptr;
    if (parent->primitiveChild == ctl) parent->primitiveChild = nullptr;
  }
  if (!TakeOutOfParent(parent, ctl)) return FALSE;
  {
    StackWriteLock hold;
    SetStyleBits(ctl->style, WS_VISIBLE, false);
  }
  if (ctl->privateDC) DeletePrivateDC(ctl->privateDC);
  ctl->privateDC = 0;
  ClearAutoRepeatOf(control);
  ForgetSoftKeyboardTarget(control);
  ForgetNonClientStateOf(control);
  ForgetScrollTrackingOf(control);
  FreeElementAttributes(ctl);
  {
    // Marked before its messages are thrown away, as a main window is: a
    // post (the desktop's caret blink, say) that checked the control before
    // would otherwise be stored after the throw-away and read once it is freed.
    MsgQueue* q = ctl->mainWindow ? ctl->mainWindow->queue : nullptr;
    SetDataType(ctl, q, kWindowDestroyed);
    ThrowAwayMessages(control);
    FreeWindowCaption(ctl);
    SetDataType(ctl, q, 0);
  }
  // Another thread's walk of the parent's controls may still hold it, and
  // the desktop its handle.
  RemovalBatch::Add(ctl);
  return TRUE;
}

void MainWindowThreadCleanup(WindowHandle hwnd) {
  if (!IsValidHandle(hwnd)) return;
  auto* win = reinterpret_cast<MainWinRecord*>(hwnd);
  if (win->dataType != kWindowDestroyed || win->windowType != kWindowMain) return;
  NoteMainWindowEnded(hwnd);
  if (!win->hosting && win->threadInfo) {
    ThreadMsgInfo* info = win->threadInfo;
    win->threadInfo = nullptr;
    FreeThreadMsgQueue(info);
  }
  FreeElementAttributes(win);
  win->dataType = 0;  // cleaned up: neither valid nor to be cleaned again
  KeepAWhile(win);
}

}  // extern "C"
