// The host window's mouse changes on their way to the input engine. The
// engine reads one change per read, and each change carries the pointer
// where it happened: a press and its release keep their own place however
// soon a move follows. Moves that follow each other merge into the last, so
// a burst of motion costs the engine one read; a button change is never
// merged. Motion taken in by a paced thread (the host's) is handed over at
// most once a frame, a button change at once with the moves before it.
#ifndef CORE_DRIVER_HOST_MOUSE_QUEUE_H
#define CORE_DRIVER_HOST_MOUSE_QUEUE_H

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>

#include "gui/host.h"

namespace host {

class MouseQueue {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr size_t kCapacity = 128;

  // The pointer as the host saw it last: the next change is queued there.
  void SetPointer(int x, int y, bool inside);
  // Where the host saw the pointer last, whatever the reader has read.
  HostMouseRecord Pointer();
  // With no reader (none installed, or shutting down) changes are plain
  // state and nothing is queued.
  // `stamp` orders the change among the host's input of every device: a
  // move merged into the last keeps the newer one.
  void PushMove(bool readerPresent, uint64_t stamp);
  void PushButtons(int buttons, bool readerPresent, uint64_t stamp);
  // The stamp of the oldest change not read yet; none: kNoStamp.
  uint64_t OldestStamp();
  static constexpr uint64_t kNoStamp = UINT64_MAX;
  // Whether the reader is to be woken now for changes it has not been told
  // of: always when not `paced`, else when a button change is among them or
  // the last wake is a frame old. Motion held back falls due a frame after
  // it was first held (left in `*due`; untouched otherwise): while the
  // pointer keeps moving, the next move hands it over without a wake-up of
  // its own, and the last place of a stop comes within a frame. A wake for
  // motion alone leaves true in `*motionOnly` (when given).
  bool TakeWake(Clock::time_point now, bool paced, Clock::time_point* due, bool* motionOnly = nullptr);
  // The oldest change not read yet, else the state after the last one;
  // `more` tells whether further changes wait (the reader wakes itself for
  // them).
  HostMouseRecord Take(bool* more);
  // Forgets changes no reader will read; the state stays.
  void Drop();

 private:
  struct Entry {
    HostMouseRecord record;
    bool move;
    uint64_t stamp;
  };
  HostMouseRecord now() const { return HostMouseRecord{x_, y_, inside_ ? 1 : 0, buttons_}; }
  Entry& last() { return ring_[(head_ + count_ - 1) % kCapacity]; }
  void push(const Entry& entry);

  std::mutex lock_;
  std::array<Entry, kCapacity> ring_{};
  size_t head_ = 0, count_ = 0;
  int x_ = 0, y_ = 0;
  bool inside_ = false;
  int buttons_ = HOST_BUTTON_NONE;
  HostMouseRecord current_{};
  // Changes queued that the reader has not been told of, and whether a
  // button change is among them.
  bool untold_ = false, untoldButton_ = false;
  // Since when motion is held back; none while nothing is.
  bool held_ = false;
  Clock::time_point lastWake_{}, heldSince_{};
};

}  // namespace host

#endif
