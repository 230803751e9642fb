// Refresh rectangles go to the device layer's area refresh, which does
// nothing on this system, so only the bookkeeping of who refreshed matters.
#include "core/message/refresh_list.h"

#include <atomic>
#include <memory>

#include "core/message/msg_queue.h"
#include "core/timer/timer_internal.h"
#include "core/window/window_record.h"
#include "gui/livevideo.h"

namespace {

// Made after the timer thread that drains it has started.
std::atomic<MsgQueue*> g_refreshQueue{nullptr};
std::atomic<bool> g_switchRequested{false};
std::atomic<bool> g_switchDue{false};
// Touched only by the timer thread.
WindowHandle g_refreshingWindow = 0;

constexpr uint32_t kTopmostStyle = 0x00000008;

MainWinRecord* RefreshingWindow() {
  WindowRecord* win = ValidWindow(g_refreshingWindow);
  return win ? win->mainWindow : nullptr;
}

void ForgetMarkedWindow(MainWinRecord* win) {
  if (win && win->refreshMark) {
    win->refreshMark = 0;
    g_refreshingWindow = 0;
  }
}

// No refresh was ever queued: a requested switch happens at once.
void HandshakeBeforeRefreshes() {
  if (g_switchRequested.exchange(false)) SwitchDispDev();
  ForgetMarkedWindow(RefreshingWindow());
}

// A request becomes due on one empty pass and is carried out on the next.
void HandshakeAfterRefreshes() {
  MainWinRecord* win = RefreshingWindow();
  bool marked = win && win->refreshMark;
  bool mayBecomeDue = !marked || !(win->exStyle & kTopmostStyle);
  if (g_switchRequested.load() && mayBecomeDue) {
    g_switchRequested = false;
    g_switchDue = true;
  } else if (g_switchDue.exchange(false)) {
    SwitchDispDev();
  }
  if (marked) {
    win->refreshMark = 0;
    g_refreshingWindow = 0;
  }
}

}  // namespace

bool CreateRefreshList() {
  std::unique_ptr<MsgQueue> queue(new (std::nothrow) MsgQueue);
  if (!queue || !InitMsgQueue(queue.get(), 0)) return false;
  g_refreshQueue = queue.release();
  return true;
}

void DestroyRefreshList() {
  std::unique_ptr<MsgQueue> queue(g_refreshQueue.exchange(nullptr));
  if (!queue) return;
  DestroyMsgQueue(queue.get());
  g_refreshingWindow = 0;
  g_switchRequested = false;
  g_switchDue = false;
}

void RequestDisplaySwitch() {
  g_switchRequested = true;
  WakeTimerThread();
}

bool RefreshWorkPending() {
  if (g_switchRequested.load() || g_switchDue.load()) return true;
  if (MsgQueue* q = g_refreshQueue.load()) {
    std::lock_guard<std::mutex> hold(q->lock);
    if (q->notifyHead) return true;
  }
  MainWinRecord* win = RefreshingWindow();
  return win && win->refreshMark;
}

bool IsDisplaySwitchPending() { return g_switchRequested.load() || g_switchDue.load(); }

extern "C" {

int SendRefreshMessage(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  MsgQueue* q = g_refreshQueue.load();
  if (!ValidWindow(hwnd) || !q) return MSG_ERR_INVALID;
  MsgNode* node = AllocMsgNode();
  if (!node) return MSG_ERR_DROPPED;
  node->msg = Message{hwnd, msg, wParam, lParam, 0, nullptr};
  {
    std::lock_guard<std::mutex> hold(q->lock);
    AppendNotifyNode(q, node);
  }
  WakeTimerThread();
  return 0;
}

void HandleRefreshMsgs(void) {
  MsgQueue* q = g_refreshQueue.load();
  if (!q) return;
  bool everQueued = false, drained = false, blocked = false;
  {
    std::lock_guard<std::mutex> hold(q->lock);
    everQueued = (q->state & kNotifyWaiting) != 0;
    while (MsgNode* head = q->notifyHead) {
      if (head->msg.message != MSG_REFRESH_RECT) {
        blocked = true;
        break;
      }
      if (MainWinRecord* main = MainWindowOf(head->msg.hwnd)) g_refreshingWindow = HandleOf(main);
      q->notifyHead = head->next;
      if (!q->notifyHead) q->notifyTail = nullptr;
      FreeMsgNode(head);
      drained = true;
    }
  }
  if (blocked || !everQueued)
    HandshakeBeforeRefreshes();
  else if (!drained)
    HandshakeAfterRefreshes();
}

}  // extern "C"
