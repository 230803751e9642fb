// Queue set-up and tear-down.
#include "core/message/msg_queue.h"

#include <algorithm>
#include <thread>

#include "core/driver/host_thread.h"
#include "core/window/window_record.h"

extern "C" int InitMsgQueue(MsgQueue* queue, int size) {
  if (!queue) return 0;
  if (size <= 0) size = DEF_MSGQUEUE_LEN;
  queue->ring.reset(new (std::nothrow) Message[size]);
  if (!queue->ring) return 0;
  queue->ringSize = size;
  queue->state = 0;
  queue->notifyHead = queue->notifyTail = nullptr;
  queue->sentHead = queue->sentTail = nullptr;
  queue->readPos = queue->writePos = 0;
  queue->timerMask = 0;
  queue->quitCount = 0;
  return 1;
}

// Senders still waiting on the queue get -2 rather than blocking for ever;
// they are answered once the lock is let go.
extern "C" void DestroyMsgQueue(MsgQueue* queue) {
  if (!queue) return;
  SyncMsgRecord* waiting = nullptr;
  {
    std::lock_guard<std::mutex> hold(queue->lock);
    for (MsgNode* node = queue->notifyHead; node;) {
      MsgNode* next = node->next;
      FreeMsgNode(node);
      node = next;
    }
    queue->notifyHead = queue->notifyTail = nullptr;
    waiting = queue->sentHead;
    queue->sentHead = queue->sentTail = nullptr;
    queue->ring.reset();
    queue->ringSize = 0;
    queue->state = 0;
    ReleaseQueuePresentHolds(queue);
  }
  while (waiting) {
    SyncMsgRecord* next = waiting->next;
    AnswerSent(waiting, MSG_ERR_DROPPED);
    waiting = next;
  }
  // A waker armed before the lock was taken above still posts to `wake`.
  while (queue->armedWakes.load(std::memory_order_acquire) != 0) std::this_thread::yield();
}

void AnswerSent(SyncMsgRecord* sync, LResult result) {
  if (!sync) return;
  MsgQueue* waiter = sync->senderQueue;
  if (!waiter) {
    sync->result = result;
    sync->done.Post();
    return;
  }
  QueueWaker wake;
  std::lock_guard<std::mutex> hold(waiter->lock);
  sync->result = result;
  sync->answered = true;
  wake.ArmAtOnce(waiter);
}

namespace {

// The queues owed a wake by the DeferredQueueWakes open on this thread.
thread_local std::vector<MsgQueue*>* t_deferred = nullptr;

}  // namespace

void QueueWaker::Arm(MsgQueue* queue, const MainWinRecord* receiver) {
  if (queue_ || (receiver && pthread_equal(receiver->thread, pthread_self()))) return;
  if (t_deferred) {
    if (std::find(t_deferred->begin(), t_deferred->end(), queue) != t_deferred->end()) return;
    t_deferred->push_back(queue);
    queue->openBatches++;
    return;
  }
  ArmAtOnce(queue);
}

void QueueWaker::ArmAtOnce(MsgQueue* queue) {
  if (queue_) return;
  queue_ = queue;
  queue->armedWakes.fetch_add(1, std::memory_order_relaxed);
}

QueueWaker::~QueueWaker() {
  if (!queue_) return;
  queue_->wake.Wake();
  queue_->armedWakes.fetch_sub(1, std::memory_order_release);
}

DeferredQueueWakes::DeferredQueueWakes() : outermost_(t_deferred == nullptr) {
  if (outermost_) t_deferred = &owed_;
}

DeferredQueueWakes::~DeferredQueueWakes() {
  if (!outermost_) return;
  t_deferred = nullptr;
  for (MsgQueue* queue : owed_) {
    std::lock_guard<std::mutex> hold(queue->lock);
    queue->openBatches--;
    queue->wake.Wake();
  }
}

void AppendNotifyNode(MsgQueue* queue, MsgNode* node) {
  node->next = nullptr;
  if (queue->notifyTail)
    queue->notifyTail->next = node;
  else
    queue->notifyHead = node;
  queue->notifyTail = node;
  queue->state |= kNotifyWaiting;
}

void HoldPresentsUntilPainted(MsgQueue* queue) {
  if (!queue) return;
  std::lock_guard<std::mutex> hold(queue->lock);
  if (!(queue->state & kPaintPending)) return;
  queue->presentHolds++;
  host::HoldPresents();
}

void ReleaseQueuePresentHolds(MsgQueue* queue) {
  if (queue->presentHolds == 0) return;
  // The first window shown has been painted: the host may show its window.
  host::OpenStartGate();
  host::ReleasePresents(queue->presentHolds);
  queue->presentHolds = 0;
}
