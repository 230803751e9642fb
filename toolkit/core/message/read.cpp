// Readers: PeekMessageEx and the calls built on it. Sources are read in a
// fixed order: quit, sent, notifications, posted ring, paint, timers.
#include "core/desktop/desktop.h"
#include "core/desktop/zorder.h"
#include "core/message/msg_queue.h"
#include "core/timer/timer_internal.h"
#include "core/window/window_record.h"
#include "gui/app_hooks.h"
#include "gui/keyboard.h"
#include "gui/window.h"

namespace {

bool RangeAdmits(int first, int last, int msg) {
  if (first <= 0 && last <= 0) return true;
  if (first >= 1 && last >= first) return msg >= first && msg <= last;
  return false;
}

enum class Outcome { kDelivered, kQuit, kPaint, kTimer, kEmpty };

using Lock = std::unique_lock<std::mutex>;

bool TakeQuit(MsgQueue* q, Message* out, WindowHandle hwnd, bool remove) {
  if (!(q->state & kQuitPending)) return false;
  *out = Message{hwnd, MSG_QUIT, 0, 0, 0, nullptr};
  if (remove && --q->quitCount <= 0) {
    q->quitCount = 0;
    q->state &= ~kQuitPending;
  }
  return true;
}

bool TakeSent(MsgQueue* q, Message* out, int first, int last, bool remove) {
  if (!(q->state & kSentWaiting)) return false;
  SyncMsgRecord* head = q->sentHead;
  if (!head) {
    q->state &= ~kSentWaiting;
    return false;
  }
  if (!RangeAdmits(first, last, head->msg.message)) return false;
  *out = head->msg;
  // Only the read that removes it may answer it: a peeked copy carries no
  // record, and the sender keeps waiting until the message is removed.
  out->pAdd = remove ? head : nullptr;
  if (remove) {
    q->sentHead = head->next;
    if (!q->sentHead) q->sentTail = nullptr;
    head->next = nullptr;
  }
  return true;
}

}  // namespace

bool TakeSentHead(MsgQueue* q, Message* out) { return TakeSent(q, out, 0, 0, true); }

namespace {

bool TakeNotify(MsgQueue* q, Message* out, int first, int last, bool remove) {
  if (!(q->state & kNotifyWaiting)) return false;
  MsgNode* head = q->notifyHead;
  if (!head) {
    q->state &= ~kNotifyWaiting;
    return false;
  }
  if (!RangeAdmits(first, last, head->msg.message)) return false;
  *out = head->msg;
  out->pAdd = nullptr;
  if (remove) {
    q->notifyHead = head->next;
    if (!q->notifyHead) q->notifyTail = nullptr;
    FreeMsgNode(head);
  }
  return true;
}

bool TakePosted(MsgQueue* q, Message* out, int first, int last, bool remove) {
  if (!(q->state & kPostedWaiting)) return false;
  if (q->readPos == q->writePos) {
    q->state &= ~kPostedWaiting;
    return false;
  }
  const Message& entry = q->ring[q->readPos];
  if (!RangeAdmits(first, last, entry.message)) return false;
  *out = entry;
  if (remove) q->readPos = (q->readPos + 1) % q->ringSize;
  return true;
}

// The search holds the stack lock, under which no thread may wait for
// another lock: a region that is being changed or painted right now is
// passed over (a change posts its own paint once it lets the region go).
// A region found empty is marked so, until damage is added again.
bool SeenDamaged(WindowRecord* win) {
  std::unique_lock<std::mutex> region(win->invalid.lock, std::try_to_lock);
  if (!region.owns_lock()) return false;
  if (!IsEmptyClipRgn(&win->invalid.region)) return true;
  win->invalid.mayHoldDamage.store(false, std::memory_order_relaxed);
  return false;
}

bool ReadFrom(const WindowRecord* win, const MsgQueue* queue) {
  return win->mainWindow && win->mainWindow->queue == queue;
}

// Depth first: the window, its controls, then the main windows it hosts.
// Only a window read from `queue` is taken: the trees walked hold other
// threads' windows too (a hosted dialog, the preview window's), whose own
// threads paint them; painted here, a procedure would run on a foreign
// thread beside its own.
WindowRecord* FindDamagedWindow(WindowRecord* win, const MsgQueue* queue) {
  if (!win) return nullptr;
  // A window with no damage added since a search found its region empty is
  // passed over without its lock.
  if (win->invalid.mayHoldDamage.load(std::memory_order_acquire) && ReadFrom(win, queue) && SeenDamaged(win))
    return win;
  for (WindowRecord* child = win->firstChild; child; child = static_cast<ControlRecord*>(child)->nextSibling)
    if (WindowRecord* found = FindDamagedWindow(child, queue)) return found;
  if (win->windowType == kWindowMain) {
    for (MainWinRecord* hosted = static_cast<MainWinRecord*>(win)->firstHosted; hosted; hosted = hosted->nextHosted)
      if (WindowRecord* found = FindDamagedWindow(hosted, queue)) return found;
  }
  return nullptr;
}

// A preview window painted while the auxiliary display is current is drawn
// through the main display's preview window.
WindowRecord* PaintSearchStart(ThreadMsgInfo* info) {
  WindowRecord* start = info->mainWindow;
  if (start && (start->exStyle & WS_EX_PREVIEW) && getCurOutputHook() == getAuxOutputHook())
    if (WindowRecord* preview = ValidWindow(FindFirstPreviewWindow(getMainOutputHook()))) return preview;
  return start;
}

// The child and hosted chains and the preview windows may belong to other
// threads' windows, which the desktop links and unlinks meanwhile.
WindowRecord* FindWindowToPaint(ThreadMsgInfo* info) {
  StackReadLock hold;
  if (WindowRecord* damaged = FindDamagedWindow(PaintSearchStart(info), info->queue)) return damaged;
  return FindDamagedWindow(ValidWindow(FindFirstPreviewWindow(getCurOutputHook())), info->queue);
}

// The search runs outside the queue lock (painting code takes its region
// locks before posting); the bit is cleared only when no paint was posted
// meanwhile.
bool TakePaint(MsgQueue* q, Lock& lock, Message* out, bool remove, ThreadMsgInfo* info) {
  if (info == DesktopThreadInfo()) {
    *out = Message{__gui_hwnd_desktop, MSG_PAINT, 0, 0, 0, nullptr};
    if (remove) q->state &= ~kPaintPending;
    return true;
  }
  uint32_t seenPosts = q->paintPosts;
  lock.unlock();
  WindowRecord* damaged = FindWindowToPaint(info);
  lock.lock();
  if (damaged) {
    *out = Message{HandleOf(damaged), MSG_PAINT, 0, reinterpret_cast<LParam>(&damaged->invalid.region), 0, nullptr};
    return true;
  }
  if (q->paintPosts == seenPosts) {
    q->state &= ~kPaintPending;
    ReleaseQueuePresentHolds(q);
  }
  return false;
}

// The timer's slot is looked up after the queue lock is dropped: the timer
// table lock is always taken before a queue lock, never after.
Outcome TakeTimer(MsgQueue* q, Lock& lock, Message* out, bool remove, ThreadMsgInfo* info) {
  if (info == DesktopThreadInfo()) {
    *out = Message{__gui_hwnd_desktop, MSG_TIMER, 0, 0, 0, nullptr};
    if (remove) q->timerMask = 0;
    return Outcome::kDelivered;
  }
  int slot = __builtin_ctz(q->timerMask);
  if (remove) q->timerMask &= ~(1u << slot);
  lock.unlock();
  WindowHandle hwnd = 0;
  int id = 0;
  bool live = TimerSlotInfo(slot, &hwnd, &id);
  lock.lock();
  if (!live) {
    q->timerMask &= ~(1u << slot);  // a stale mark of a timer that is gone
    return Outcome::kEmpty;
  }
  *out = Message{hwnd, MSG_TIMER, static_cast<WParam>(id), 0, 0, nullptr};
  return Outcome::kDelivered;
}

Outcome ReadOnce(MsgQueue* q, Lock& lock, Message* out, WindowHandle hwnd, int first, int last, bool remove,
                 ThreadMsgInfo* info) {
  if (TakeQuit(q, out, hwnd, remove)) return Outcome::kQuit;
  if (TakeSent(q, out, first, last, remove)) return Outcome::kDelivered;
  if (q->openBatches > 0) return Outcome::kEmpty;  // read whole once its writer is done
  if (TakeNotify(q, out, first, last, remove)) return Outcome::kDelivered;
  if (TakePosted(q, out, first, last, remove)) return Outcome::kDelivered;
  if ((q->state & kPaintPending) && RangeAdmits(first, last, MSG_PAINT)) {
    if (TakePaint(q, lock, out, remove, info)) return Outcome::kDelivered;
    if (q->state & (kQuitPending | kSentWaiting | kNotifyWaiting | kPostedWaiting)) return Outcome::kPaint;
  }
  if (q->timerMask && RangeAdmits(first, last, MSG_TIMER)) {
    if (TakeTimer(q, lock, out, remove, info) == Outcome::kDelivered) return Outcome::kDelivered;
    return Outcome::kTimer;
  }
  return Outcome::kEmpty;
}

bool IsReadableWindow(WindowHandle hwnd) {
  if (hwnd == __gui_hwnd_desktop && hwnd != 0) return true;
  WindowRecord* win = ValidWindow(hwnd);
  return win && win->windowType == kWindowMain;
}

bool HasAnything(MsgQueue* q) {
  return (q->state & (kQuitPending | kSentWaiting | kNotifyWaiting | kPostedWaiting | kPaintPending)) ||
         q->timerMask != 0 || q->readPos != q->writePos;
}

}  // namespace

void DispatchQueuedNotices() {
  ThreadMsgInfo* info = CurrentThreadMsgInfo();
  if (!info || !info->queue) return;
  MsgQueue* q = info->queue;
  for (;;) {
    Message msg{};
    {
      Lock lock(q->lock);
      if (q->openBatches > 0 || !TakeNotify(q, &msg, 0, 0, true)) return;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

extern "C" {

BOOL PeekMessageEx(Message* msg, WindowHandle hwnd, int first, int last, BOOL wait, BOOL remove) {
  if (!msg || !IsReadableWindow(hwnd)) return FALSE;
  ThreadMsgInfo* info = CurrentThreadMsgInfo();
  if (!info || !info->queue) return FALSE;
  MsgQueue* q = info->queue;
  *msg = Message{};
  for (;;) {
    Lock lock(q->lock);
    Outcome outcome = ReadOnce(q, lock, msg, hwnd, first, last, remove, info);
    if (outcome == Outcome::kDelivered) return TRUE;
    if (outcome == Outcome::kQuit) return FALSE;
    // A source changed while its lock was dropped: look again at once.
    if (outcome == Outcome::kPaint || outcome == Outcome::kTimer) continue;
    lock.unlock();
    if (!wait) return FALSE;
    q->wake.Wait();
    if (!IsReadableWindow(hwnd)) return FALSE;
  }
}

BOOL GetMessage(Message* msg, WindowHandle hwnd) { return PeekMessageEx(msg, hwnd, 0, 0, TRUE, TRUE); }

BOOL PeekMessage(Message* msg, WindowHandle hwnd, int first, int last, BOOL remove) {
  return PeekMessageEx(msg, hwnd, first, last, FALSE, remove);
}

BOOL PeekPostMessage(Message* msg, WindowHandle hwnd, int first, int last, BOOL remove) {
  MsgQueue* q = QueueOfWindow(hwnd);
  if (!msg || !q) return FALSE;
  std::lock_guard<std::mutex> hold(q->lock);
  if (q->readPos == q->writePos) return FALSE;
  const Message& entry = q->ring[q->readPos];
  bool admits = (first == 0 && last == 0) || (entry.message >= first && entry.message <= last);
  if (!admits) return FALSE;
  *msg = entry;
  if (remove) q->readPos = (q->readPos + 1) % q->ringSize;
  return TRUE;
}

BOOL WaitMessage(Message* msg, WindowHandle hwnd) {
  MsgQueue* q = QueueOfWindow(hwnd);
  if (!msg || !q) return FALSE;
  for (;;) {
    {
      std::lock_guard<std::mutex> hold(q->lock);
      if (HasAnything(q)) return TRUE;
    }
    q->wake.Wait();
  }
}

BOOL HavePendingMessage(WindowHandle hwnd) {
  MsgQueue* q = nullptr;
  if (hwnd == 0) {
    ThreadMsgInfo* info = CurrentThreadMsgInfo();
    q = info ? info->queue : nullptr;
  } else {
    q = QueueOfWindow(hwnd);
  }
  if (!q) return FALSE;
  std::lock_guard<std::mutex> hold(q->lock);
  return HasAnything(q) ? TRUE : FALSE;
}

}  // extern "C"
