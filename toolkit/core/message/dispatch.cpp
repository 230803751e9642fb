// Dispatching and discarding.
#include <atomic>

#include "core/desktop/zorder.h"
#include "core/message/message_trace.h"
#include "core/message/msg_queue.h"
#include "core/timer/timer_internal.h"
#include "core/window/window_record.h"
#include "gui/message.h"

namespace {

// Input that a disabled window never receives.
bool IsBlockedWhenDisabled(int msg) {
  return (msg >= MSG_FIRSTMOUSE && msg <= MSG_NCRBUTTONDBLCLK) || msg == MSG_KEYDOWN || msg == MSG_CHAR;
}

// The style word changes on the desktop thread (showing, hiding) and on the
// window's own: read it under the lock it is written under, and only for
// the input it may block.
bool DroppedWhenDisabled(WindowRecord* win, int msg) {
  if (!IsBlockedWhenDisabled(msg)) return false;
  GeometryReadLock hold;
  return (win->style & WS_DISABLED) != 0;
}

bool Discarded(WindowHandle hwnd) { return hwnd == GUI_INVALID_HANDLE; }

std::atomic<void (*)(void)> g_messageHandled{nullptr};

int MarkRing(MsgQueue* q, WindowHandle target) {
  int marked = 0;
  for (int i = q->readPos; i != q->writePos; i = (i + 1) % q->ringSize) {
    Message& entry = q->ring[i];
    if (!Discarded(entry.hwnd) && WindowBelongsTo(entry.hwnd, target)) {
      entry.hwnd = GUI_INVALID_HANDLE;
      ++marked;
    }
  }
  return marked;
}

int MarkNotifications(MsgQueue* q, WindowHandle target) {
  int marked = 0;
  for (MsgNode* node = q->notifyHead; node; node = node->next) {
    if (!Discarded(node->msg.hwnd) && WindowBelongsTo(node->msg.hwnd, target)) {
      node->msg.hwnd = GUI_INVALID_HANDLE;
      ++marked;
    }
  }
  return marked;
}

// Sent records leave the list onto `dropped`; their senders get -2 once
// the queue lock is let go.
int DropSent(MsgQueue* q, WindowHandle target, SyncMsgRecord** dropped) {
  int marked = 0;
  SyncMsgRecord* prev = nullptr;
  for (SyncMsgRecord* sync = q->sentHead; sync;) {
    SyncMsgRecord* next = sync->next;
    if (WindowBelongsTo(sync->msg.hwnd, target)) {
      if (prev)
        prev->next = next;
      else
        q->sentHead = next;
      if (q->sentTail == sync) q->sentTail = prev;
      sync->msg.hwnd = GUI_INVALID_HANDLE;
      sync->next = *dropped;
      *dropped = sync;
      ++marked;
    } else {
      prev = sync;
    }
    sync = next;
  }
  return marked;
}

}  // namespace

extern "C" {

LResult DispatchMessage(const Message* msg) {
  if (!msg) return MSG_ERR_INVALID;
  SyncMsgRecord* sync = msg->pAdd;
  WindowRecord* win = Discarded(msg->hwnd) ? nullptr : ValidWindow(msg->hwnd);
  const WindowProc proc = win ? win->procedure.load() : nullptr;
  if (!proc || DroppedWhenDisabled(win, msg->message)) {
    AnswerSent(sync, MSG_ERR_DROPPED);
    return MSG_ERR_INVALID;
  }
  LResult result = CallTracedProcedure(proc, msg->hwnd, msg->message, msg->wParam, msg->lParam);
  if (void (*handled)(void) = g_messageHandled.load(std::memory_order_acquire)) handled();
  AnswerSent(sync, result);
  return result;
}

void SetMessageHandledHook(void (*hook)(void)) { g_messageHandled.store(hook, std::memory_order_release); }

int ThrowAwayMessages(WindowHandle hwnd) {
  if (!IsValidHandle(hwnd)) return MSG_ERR_INVALID;
  WindowRecord* win = WindowOf(hwnd);
  if (win->dataType != kWindowValid && win->dataType != kWindowDestroyed) return MSG_ERR_INVALID;
  MsgQueue* q = win->mainWindow ? win->mainWindow->queue : nullptr;
  if (!q) return MSG_ERR_INVALID;
  uint32_t timerBits = TimerMaskOfWindow(hwnd);
  SyncMsgRecord* dropped = nullptr;
  int marked = 0;
  {
    std::lock_guard<std::mutex> hold(q->lock);
    marked = q->ring ? MarkRing(q, hwnd) : 0;
    marked += DropSent(q, hwnd, &dropped);
    marked += MarkNotifications(q, hwnd);
    q->timerMask &= ~timerBits;
  }
  while (dropped) {
    SyncMsgRecord* next = dropped->next;
    AnswerSent(dropped, MSG_ERR_DROPPED);
    dropped = next;
  }
  return marked;
}

}  // extern "C"
