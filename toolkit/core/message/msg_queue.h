// The queue record behind every GUI thread and the helpers the message API
// is built from. Callers allocate a MsgQueue, then InitMsgQueue it.
#pragma once

#include <pthread.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include "core/semaphore.h"
#include "gui/message.h"

struct MainWinRecord;

enum QueueState : uint32_t {
  kQuitPending = 1u << 31,
  kPostedWaiting = 1u << 30,
  kSentWaiting = 1u << 29,
  kNotifyWaiting = 1u << 28,
  kPaintPending = 1u << 25,
};

// A sender that owns a queue waits on that queue, so that it can answer
// messages sent to it meanwhile; `answered` is then guarded by that queue's
// lock. A sender without a queue waits on `done`.
struct SyncMsgRecord {
  Message msg{};
  LResult result = MSG_ERR_DROPPED;
  Semaphore done;
  SyncMsgRecord* next = nullptr;
  MsgQueue* senderQueue = nullptr;
  bool answered = false;
};

struct MsgNode {
  Message msg{};
  MsgNode* next = nullptr;
};

struct MsgQueue {
  uint32_t state = 0;
  std::mutex lock;
  Semaphore wake;
  MsgNode* notifyHead = nullptr;
  MsgNode* notifyTail = nullptr;
  SyncMsgRecord* sentHead = nullptr;
  SyncMsgRecord* sentTail = nullptr;
  std::unique_ptr<Message[]> ring;
  int ringSize = 0;
  int readPos = 0;
  int writePos = 0;
  uint32_t timerMask = 0;
  int quitCount = 0;
  uint32_t paintPosts = 0;  // tells a paint search whether a new post raced it
  int presentHolds = 0;     // presents held back until this queue's paints are done
  int openBatches = 0;      // DeferredQueueWakes writing for it: only sends are read meanwhile
  std::atomic<int> armedWakes{0};  // QueueWakers yet to post to `wake`
};

struct ThreadMsgInfo {
  MsgQueue* queue = nullptr;
  pthread_t thread{};
  MainWinRecord* mainWindow = nullptr;  // first main window made on the thread
  uintptr_t reserved[2] = {0, 0};
};

// Wakes a queue's reader once the caller has let go of the queue lock: a
// reader woken while it is held would wake straight into it and sleep
// again. Declared before the lock guard and armed under the lock; the
// queue is not torn down while a wake is armed (DestroyMsgQueue waits).
class QueueWaker {
 public:
  QueueWaker() = default;
  QueueWaker(const QueueWaker&) = delete;
  QueueWaker& operator=(const QueueWaker&) = delete;
  ~QueueWaker();
  // Queue lock held. Nothing when the receiver's thread is the caller: it
  // reads its queue before it waits. Inside a DeferredQueueWakes on this
  // thread the wake waits for its end.
  void Arm(MsgQueue* queue, const MainWinRecord* receiver = nullptr);
  // The same, never deferred: a synchronous send and its answer wake their
  // receiver at once.
  void ArmAtOnce(MsgQueue* queue);

 private:
  MsgQueue* queue_ = nullptr;
};

// On the desktop thread, while it answers one request: the readers of the
// queues it posts and notifies to wake when the request is done, so that
// each reads what the request left for it in queue order (the messages
// before the paints) instead of racing ahead of the rest. A reader awake
// meanwhile (woken by something else, or answering a send) reads only sends
// until the request is done, not half of what it leaves. The queues stay:
// a window's queue goes only after the desktop has removed the window.
// Synchronous sends still wake their receiver at once.
class DeferredQueueWakes {
 public:
  DeferredQueueWakes();
  ~DeferredQueueWakes();
  DeferredQueueWakes(const DeferredQueueWakes&) = delete;
  DeferredQueueWakes& operator=(const DeferredQueueWakes&) = delete;

 private:
  std::vector<MsgQueue*> owed_;
  bool outermost_;
};

// The calling thread's record, or null.
ThreadMsgInfo* CurrentThreadMsgInfo();
uintptr_t ThreadKey(pthread_t thread);
// Hands a sent message's result back and wakes its sender. Never called
// with a queue lock held: it takes the sender's. The record belongs to the
// sender again from here on.
void AnswerSent(SyncMsgRecord* sync, LResult result);
// Unlinks the head of the sent list (queue lock held); false when empty.
bool TakeSentHead(MsgQueue* queue, Message* out);
// Links a notification node at the tail (queue mutex held).
void AppendNotifyNode(MsgQueue* queue, MsgNode* node);
// Reads and dispatches the notices queued for the calling thread now, as
// its next reads would before any posted message.
void DispatchQueuedNotices();

// A window just shown: the host presents nothing until the queue's reader
// has painted all it has damage for (at most host::kMaxPresentHoldMs), so
// the window never shows half drawn. Nothing when no paint is pending.
void HoldPresentsUntilPainted(MsgQueue* queue);
// Gives the queue's holds back (queue lock held): its paints are done or
// it goes away.
void ReleaseQueuePresentHolds(MsgQueue* queue);

// Queue nodes of the notification and refresh lists (general heap).
inline MsgNode* AllocMsgNode() { return new (std::nothrow) MsgNode; }
inline void FreeMsgNode(MsgNode* node) { delete node; }

// Posts a complete message (time word included) to a window's queue; the
// PostMessage rules apply.
int PostMessageAt(WindowHandle hwnd, int msg, WParam wParam, LParam lParam, uintptr_t time);
// The queue a window's messages go to, or null.
MsgQueue* QueueOfWindow(WindowHandle hwnd);
