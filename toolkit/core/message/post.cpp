// Writers: posted ring, notifications, quit marks and cross-thread sends.
#include <atomic>

#include "core/desktop/desktop.h"
#include "core/message/message_trace.h"
#include "core/message/msg_queue.h"
#include "core/message/notify_seam.h"
#include "core/window/window_record.h"
#include "gui/app_hooks.h"
#include "gui/caret.h"
#include "gui/desktop.h"
#include "gui/timer.h"

namespace {

std::atomic<notify_seam::Watch> g_notifyWatch{nullptr};

bool IsMouseMessage(int msg) { return msg >= MSG_FIRSTMOUSE && msg <= MSG_LASTMOUSE; }

// A mouse message may only reach a window on the display the menus run on.
bool OnCurrentDisplay(WindowRecord* win) {
  WindowRecord* owner = (win->windowType == kWindowControl && win->parent) ? win->parent : win;
  return GetWindowDisplay(HandleOf(owner)) == getCurOutputHook();
}

// Moves to the desktop collapse into the newest unread entry when it is a
// move with the same buttons.
bool CoalesceDesktopMove(MsgQueue* q, WindowHandle hwnd, int msg, WParam wParam, LParam lParam,
                         uintptr_t time) {
  if (msg != MSG_MOUSEMOVE || hwnd != __gui_hwnd_desktop || q->readPos == q->writePos) return false;
  Message& last = q->ring[(q->writePos + q->ringSize - 1) % q->ringSize];
  if (last.message != MSG_MOUSEMOVE || last.hwnd != hwnd || last.wParam != wParam) return false;
  last.lParam = lParam;
  last.time = time;
  return true;
}

// The broadcast idle tick and the caret's blink tell only that time passed:
// one unread for the window is enough. Queued again and again to a thread
// that reads slowly (a long paint, a loaded machine) they filled its ring,
// and the input posted next, a button's release, was dropped.
bool TickUnread(const MsgQueue* q, WindowHandle hwnd, int msg) {
  if (msg != MSG_BROADCAST_NOTICE && msg != MSG_CARETBLINK) return false;
  for (int i = q->readPos; i != q->writePos; i = (i + 1) % q->ringSize)
    if (q->ring[i].message == msg && q->ring[i].hwnd == hwnd) return true;
  return false;
}

int StoreInRing(MsgQueue* q, const WindowRecord* target, WindowHandle hwnd, int msg, WParam wParam, LParam lParam,
                uintptr_t time) {
  QueueWaker wake;
  std::lock_guard<std::mutex> hold(q->lock);
  // Checked again under the lock: a window destroyed since the caller's
  // check has thrown its messages away, and one stored now would outlive it.
  if (target->dataType != kWindowValid) return MSG_ERR_INVALID;
  // A queue already torn down has no ring left to post into.
  if (q->ringSize <= 0) return MSG_ERR_DROPPED;
  if (TickUnread(q, hwnd, msg)) return 0;
  if (!CoalesceDesktopMove(q, hwnd, msg, wParam, lParam, time)) {
    int next = (q->writePos + 1) % q->ringSize;
    if (next == q->readPos) return MSG_ERR_DROPPED;
    q->ring[q->writePos] = Message{hwnd, msg, wParam, lParam, time, nullptr};
    q->writePos = next;
  }
  q->state |= kPostedWaiting;
  wake.Arm(q, target->mainWindow);
  return 0;
}

// A message sent to this thread while it waits: the desktop answers with
// its own procedure, any other thread dispatches.
void AnswerIncoming(const Message& incoming, ThreadMsgInfo* self) {
  if (self != DesktopThreadInfo()) {
    DispatchMessage(&incoming);
    return;
  }
  AnswerSent(incoming.pAdd, DesktopWinProc(incoming.hwnd, incoming.message, incoming.wParam, incoming.lParam));
}

// Two threads sending to each other would otherwise wait for ever: the
// sender keeps answering what is sent to it until its own answer comes.
LResult AwaitAnswer(SyncMsgRecord* sync, ThreadMsgInfo* self) {
  MsgQueue* own = sync->senderQueue;
  if (!own) {
    sync->done.Wait();
    return sync->result;
  }
  for (;;) {
    Message incoming{};
    bool took = false;
    {
      std::lock_guard<std::mutex> hold(own->lock);
      if (sync->answered) return sync->result;
      took = TakeSentHead(own, &incoming);
    }
    if (took)
      AnswerIncoming(incoming, self);
    else
      own->wake.Wait();
  }
}

}  // namespace

MsgQueue* QueueOfWindow(WindowHandle hwnd) {
  MainWinRecord* main = MainWindowOf(hwnd);
  return main ? main->queue : nullptr;
}

int PostMessageAt(WindowHandle hwnd, int msg, WParam wParam, LParam lParam, uintptr_t time) {
  WindowRecord* win = ValidWindow(hwnd);
  MsgQueue* q = QueueOfWindow(hwnd);
  if (!win || !q) return MSG_ERR_INVALID;
  if (msg == MSG_PAINT) {
    QueueWaker wake;
    std::lock_guard<std::mutex> hold(q->lock);
    q->state |= kPaintPending;
    q->paintPosts++;
    wake.Arm(q, win->mainWindow);
    return 0;
  }
  if (IsMouseMessage(msg) && !OnCurrentDisplay(win)) return MSG_ERR_OTHER_DISPLAY;
  return StoreInRing(q, win, hwnd, msg, wParam, lParam, time);
}

extern "C" {

int PostMessage(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  // A paint is no ring entry: it has no time to read (every invalidation
  // posts one).
  return PostMessageAt(hwnd, msg, wParam, lParam, msg == MSG_PAINT ? 0 : GetTickCount());
}

int PostQuitMessage(WindowHandle hwnd) {
  if (!IsValidHandle(hwnd)) return MSG_ERR_INVALID;
  WindowRecord* win = WindowOf(hwnd);
  if (win->dataType != kWindowValid && win->dataType != kWindowDestroyed) return MSG_ERR_INVALID;
  MainWinRecord* main = win->mainWindow;
  if (!main || !main->queue) return MSG_ERR_INVALID;
  QueueWaker wake;
  std::lock_guard<std::mutex> hold(main->queue->lock);
  main->queue->state |= kQuitPending;
  main->queue->quitCount++;
  wake.Arm(main->queue, main);
  return 0;
}

int SendNotifyMessage(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  WindowRecord* win = ValidWindow(hwnd);
  MsgQueue* q = QueueOfWindow(hwnd);
  if (!win || !q) return MSG_ERR_INVALID;
  MsgNode* node = AllocMsgNode();
  if (!node) return MSG_ERR_DROPPED;
  node->msg = Message{hwnd, msg, wParam, lParam, GetTickCount(), nullptr};
  QueueWaker wake;
  std::lock_guard<std::mutex> hold(q->lock);
  if (win->dataType != kWindowValid) {  // destroyed since the check above: see StoreInRing
    FreeMsgNode(node);
    return MSG_ERR_INVALID;
  }
  AppendNotifyNode(q, node);
  wake.Arm(q, win->mainWindow);
  return 0;
}

LResult SendMessage(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || !win->procedure || !win->mainWindow) return MSG_ERR_INVALID;
  MainWinRecord* main = win->mainWindow;
  if (pthread_equal(main->thread, pthread_self())) {
    const WindowProc proc = win->procedure;
    return proc ? CallTracedProcedure(proc, hwnd, msg, wParam, lParam) : MSG_ERR_INVALID;
  }
  MsgQueue* q = main->queue;
  if (!q) return MSG_ERR_INVALID;

  ThreadMsgInfo* self = CurrentThreadMsgInfo();
  SyncMsgRecord sync;
  sync.msg = Message{hwnd, msg, wParam, lParam, GetTickCount(), &sync};
  sync.senderQueue = self ? self->queue : nullptr;
  {
    QueueWaker wake;
    std::lock_guard<std::mutex> hold(q->lock);
    // Checked again under the lock: a window thrown away meanwhile would
    // leave the record unanswered.
    if (win->dataType != kWindowValid || !q->ring) return MSG_ERR_DROPPED;
    if (q->sentTail)
      q->sentTail->next = &sync;
    else
      q->sentHead = &sync;
    q->sentTail = &sync;
    q->state |= kSentWaiting;
    wake.ArmAtOnce(q);
  }
  return AwaitAnswer(&sync, self);
}

int BroadcastMessage(int msg, WParam wParam, LParam lParam) {
  Message notice{0, msg, wParam, lParam, 0, nullptr};
  return static_cast<int>(SendMessage(__gui_hwnd_desktop, MSG_DT_BROADCAST, 0, reinterpret_cast<LParam>(&notice)));
}

LResult CallWindowProcDirect(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  WindowRecord* win = ValidWindow(hwnd);
  const WindowProc proc = win ? win->procedure.load() : nullptr;
  if (!proc) return MSG_ERR_INVALID;
  return CallTracedProcedure(proc, hwnd, msg, wParam, lParam);
}

void NotifyParentEx(WindowHandle control, int code, LParam addData) {
  WindowRecord* win = ValidWindow(control);
  if (!win || !win->parent) return;
  MainWinRecord* hostMain = win->parent->mainWindow;
  if (hostMain && (hostMain->style & WS_DISABLED)) return;
  if (notify_seam::Watch watch = g_notifyWatch.load(std::memory_order_acquire)) watch(control, win->id, code);
  if (win->notification) {
    win->notification(control, win->id, code, addData);
    return;
  }
  WParam wParam = (static_cast<WParam>(code & 0xFFFF) << 16) | static_cast<WParam>(win->id & 0xFFFF);
  SendNotifyMessage(HandleOf(win->parent), MSG_COMMAND, wParam, static_cast<LParam>(control));
}

}  // extern "C"

namespace notify_seam {
void setWatch(Watch watch) { g_notifyWatch.store(watch, std::memory_order_release); }
}  // namespace notify_seam
