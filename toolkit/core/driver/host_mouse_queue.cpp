#include "core/driver/host_mouse_queue.h"

#include "core/driver/present_pacer.h"

namespace host {

void MouseQueue::SetPointer(int x, int y, bool inside) {
  std::lock_guard<std::mutex> hold(lock_);
  x_ = x;
  y_ = y;
  inside_ = inside;
}

HostMouseRecord MouseQueue::Pointer() {
  std::lock_guard<std::mutex> hold(lock_);
  return now();
}

// Changes queued while the reader has been told of earlier ones need no
// wake of their own: the reader wakes itself while changes wait.
void MouseQueue::push(const Entry& entry) {
  const bool wasEmpty = count_ == 0;
  if (count_ == kCapacity) {
    // A reader this far behind has stopped reading: the newest change
    // replaces the last one queued, so the state read last is still the
    // true one.
    last().record = entry.record;
    last().move = last().move && entry.move;
    last().stamp = entry.stamp;
  } else {
    ring_[(head_ + count_) % kCapacity] = entry;
    ++count_;
  }
  untold_ = untold_ || wasEmpty;
  if (untold_ && !entry.move) untoldButton_ = true;
}

void MouseQueue::PushMove(bool readerPresent, uint64_t stamp) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!readerPresent) {
    count_ = 0;
    current_ = now();
    return;
  }
  if (count_ > 0 && last().move) {
    last().record = now();
    last().stamp = stamp;
    return;
  }
  push(Entry{now(), true, stamp});
}

void MouseQueue::PushButtons(int buttons, bool readerPresent, uint64_t stamp) {
  std::lock_guard<std::mutex> hold(lock_);
  buttons_ = buttons;
  if (!readerPresent) {
    count_ = 0;
    current_ = now();
    return;
  }
  push(Entry{now(), false, stamp});
}

bool MouseQueue::TakeWake(Clock::time_point now, bool paced, Clock::time_point* due, bool* motionOnly) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!untold_) return false;
  if (paced && !untoldButton_ && now - lastWake_ < PresentPacer::kFrame) {
    if (!held_) heldSince_ = now;
    held_ = true;
    if (due) *due = heldSince_ + PresentPacer::kFrame;
    return false;
  }
  if (motionOnly) *motionOnly = !untoldButton_;
  untold_ = untoldButton_ = held_ = false;
  lastWake_ = now;
  return true;
}

// Whatever was untold is read now (the reader wakes itself for the rest).
HostMouseRecord MouseQueue::Take(bool* more) {
  std::lock_guard<std::mutex> hold(lock_);
  if (count_ > 0) {
    current_ = ring_[head_].record;
    head_ = (head_ + 1) % kCapacity;
    --count_;
  }
  untold_ = untoldButton_ = held_ = false;
  *more = count_ > 0;
  return current_;
}

uint64_t MouseQueue::OldestStamp() {
  std::lock_guard<std::mutex> hold(lock_);
  return count_ > 0 ? ring_[head_].stamp : kNoStamp;
}

void MouseQueue::Drop() {
  std::lock_guard<std::mutex> hold(lock_);
  count_ = 0;
  untold_ = untoldButton_ = held_ = false;
  current_ = now();
}

}  // namespace host
