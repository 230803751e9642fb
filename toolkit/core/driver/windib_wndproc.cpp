// The host window procedure: records pointer moves, mouse buttons, wheel and
// keys for the input engine and signals its events; repaints on request.
// Also the calls that feed input through the same procedure.
#include <array>
#include <atomic>
#include <chrono>
#include <mutex>

#include "core/driver/host_mouse_queue.h"
#include "core/driver/host_thread.h"
#include "core/driver/windib.h"
#include "gui/host.h"
#include "gui/startup.h"

namespace {

// The input engine reads key *states*. A press and its release recorded
// faster than the engine reads would fold into one state and the key would
// be lost, so each change waits in a small queue that the engine drains one
// change per read; the host thread never waits on it. With no engine
// reading (none installed, or shutting down) changes are plain state.
// Should the queue fill, the newest change replaces the last one queued, so
// the state read last is still the true one.
class ChangeQueue {
 public:
  void Push(uint64_t value, bool readerPresent, uint64_t stamp) {
    std::lock_guard<std::mutex> hold(lock_);
    if (!readerPresent) {
      count_ = 0;
      current_ = value;
      return;
    }
    if (count_ == kCapacity) {
      ring_[(head_ + count_ - 1) % kCapacity] = Change{value, stamp};
      return;
    }
    ring_[(head_ + count_) % kCapacity] = Change{value, stamp};
    ++count_;
  }
  uint64_t OldestStamp() {
    std::lock_guard<std::mutex> hold(lock_);
    return count_ > 0 ? ring_[head_].stamp : host::MouseQueue::kNoStamp;
  }
  // Forgets changes no engine will read; the state stays.
  void Drop() {
    std::lock_guard<std::mutex> hold(lock_);
    count_ = 0;
  }
  // The oldest change not read yet, else the current state; `more` tells
  // whether further changes wait.
  uint64_t Take(bool* more) {
    std::lock_guard<std::mutex> hold(lock_);
    if (count_ > 0) {
      current_ = ring_[head_].value;
      head_ = (head_ + 1) % kCapacity;
      --count_;
    }
    *more = count_ > 0;
    return current_;
  }

 private:
  static constexpr size_t kCapacity = 128;
  struct Change {
    uint64_t value, stamp;
  };
  std::mutex lock_;
  std::array<Change, kCapacity> ring_{};
  size_t head_ = 0, count_ = 0;
  uint64_t current_ = 0;
};

struct InputRecord {
  host::MouseQueue mouse;
  // Key word in the low 32 bits, pressed byte above: read as one.
  ChangeQueue key;
  std::atomic<HostEvent*> mouseEvent{nullptr};
  std::atomic<HostEvent*> keyboardEvent{nullptr};
};

InputRecord g_input;

// Orders the changes of both devices as the host took them in: the engine
// reads whichever device holds the older one first.
std::atomic<uint64_t> g_stamp{0};
uint64_t nextStamp() { return g_stamp.fetch_add(1) + 1; }

// Set on the host thread: the mouse changes of one of its wake-ups go to
// the engine together when it has handled them all (DeliverInput), motion
// at most once a frame. Other threads feed input one step at a time and
// wake the engine at once.
thread_local bool t_paced = false;

void wakeMouseReader(bool paced, host::MouseQueue::Clock::time_point* due, bool* motionOnly = nullptr) {
  if (g_input.mouse.TakeWake(host::MouseQueue::Clock::now(), paced, due, motionOnly))
    HostSignalEvent(g_input.mouseEvent.load());
}

void mouseChanged() {
  if (!t_paced) wakeMouseReader(false, nullptr);
}

void setButtons(int value) {
  g_input.mouse.PushButtons(value, g_input.mouseEvent.load() != nullptr, nextStamp());
  mouseChanged();
}

void moved() {
  g_input.mouse.PushMove(g_input.mouseEvent.load() != nullptr, nextStamp());
  mouseChanged();
}

void setKey(LParam lParam, bool pressed) {
  // A click the host took in before this key reaches the engine first.
  if (t_paced) wakeMouseReader(true, nullptr);
  uint32_t keyWord = static_cast<uint32_t>(static_cast<uint64_t>(lParam) >> 16 & 0xFFFF) << 16;
  HostEvent* event = g_input.keyboardEvent.load();
  g_input.key.Push(keyWord | uint64_t{pressed ? 1u : 0u} << 32, event != nullptr, nextStamp());
  HostSignalEvent(event);
}

// One key change per read; the engine is woken again while more wait (its
// events are auto-reset and do not count signals).
uint64_t takeKey() {
  bool more = false;
  uint64_t value = g_input.key.Take(&more);
  if (more) HostSignalEvent(g_input.keyboardEvent.load());
  return value;
}

bool recordButtons(unsigned message, WParam wParam) {
  switch (message) {
    case windib::kLeftDown: setButtons(HOST_BUTTON_LEFT); return true;
    case windib::kRightDown: setButtons(HOST_BUTTON_RIGHT); return true;
    case windib::kMiddleDown: setButtons(HOST_BUTTON_MIDDLE); return true;
    case windib::kLeftUp:
    case windib::kRightUp:
    case windib::kMiddleUp: setButtons(HOST_BUTTON_NONE); return true;
    case windib::kWheel: {
      auto delta = static_cast<int16_t>(static_cast<uint16_t>(wParam >> 16));
      setButtons(delta >= 0 ? HOST_WHEEL_AWAY : HOST_WHEEL_TOWARDS);
      return true;
    }
    default: return false;
  }
}

}  // namespace

namespace windib {

void RecordPointer(int x, int y, bool inside) { g_input.mouse.SetPointer(x, y, inside); }

bool PointerOver(int* x, int* y) {
  const HostMouseRecord at = g_input.mouse.Pointer();
  if (!at.inside) return false;
  *x = at.x;
  *y = at.y;
  return true;
}

void PaceInputOnThisThread() { t_paced = true; }

int DeliverInput(bool* motionOnly) {
  using Clock = host::MouseQueue::Clock;
  const Clock::time_point now = Clock::now();
  Clock::time_point due = now;
  bool motion = false;
  wakeMouseReader(true, &due, &motion);
  if (motionOnly) *motionOnly = motion;
  if (due <= now) return -1;
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(due - now).count());
}

WParam WheelParam(int delta) { return static_cast<WParam>(static_cast<uint16_t>(delta)) << 16; }

LParam KeyParam(int linuxKeyCode) {
  return static_cast<LParam>((static_cast<uint32_t>(linuxKeyCode) & 0xFFFF) << 16 | 1u);
}

LResult WinDibWndProc(unsigned message, WParam wParam, LParam lParam) {
  switch (message) {
    case kCreate:
      // Only the toolkit's own cursor, drawn into the frame buffer, is seen.
      host::HideHostCursor();
      return 0;
    case kDestroy:
      // Closing the window asks for an orderly shut-down of the toolkit.
      RequestQuit();
      return 0;
    case kPaint:
      // Only displays with a mode set (a frame buffer) have anything to show.
      host::RepaintAll();
      return 0;
    case kKeyDown: setKey(lParam, true); return 0;
    case kKeyUp: setKey(lParam, false); return 0;
    case kMouseMove: moved(); return 0;
    default: recordButtons(message, wParam); return 0;
  }
}

}  // namespace windib

extern "C" {

// A newly registered engine starts from the current state.
void HostSetInputEvents(HostEvent* mouse, HostEvent* keyboard) {
  g_input.mouse.Drop();
  g_input.key.Drop();
  g_input.mouseEvent.store(mouse);
  g_input.keyboardEvent.store(keyboard);
}

int HostTakeMouseRecord(HostMouseRecord* record) {
  bool more = false;
  const HostMouseRecord taken = g_input.mouse.Take(&more);
  if (record) *record = taken;
  if (more) HostSignalEvent(g_input.mouseEvent.load());
  return more ? 1 : 0;
}

int HostOldestInput(void) {
  const uint64_t mouse = g_input.mouse.OldestStamp(), keys = g_input.key.OldestStamp();
  if (mouse == host::MouseQueue::kNoStamp && keys == host::MouseQueue::kNoStamp) return HOST_INPUT_NONE;
  return mouse < keys ? HOST_INPUT_MOUSE : HOST_INPUT_KEYBOARD;
}

void HostGetKeyRecord(uint32_t* keyWord, uint8_t* pressed) {
  uint64_t key = takeKey();
  if (keyWord) *keyWord = static_cast<uint32_t>(key);
  if (pressed) *pressed = static_cast<uint8_t>(key >> 32);
}

void HostInjectMouseMove(int x, int y) {
  host::HostDisplay& main = host::Display(host::kMainSlot);
  windib::RecordPointer(x, y, x >= 0 && y >= 0 && x < main.width() && y < main.height());
  windib::WinDibWndProc(windib::kMouseMove, 0,
                        static_cast<LParam>((static_cast<uint32_t>(y) & 0xFFFF) << 16 |
                                            (static_cast<uint32_t>(x) & 0xFFFF)));
}

void HostInjectMouseButton(int button, int down) {
  unsigned message = 0;
  if (button == HOST_BUTTON_LEFT) message = down ? windib::kLeftDown : windib::kLeftUp;
  if (button == HOST_BUTTON_RIGHT) message = down ? windib::kRightDown : windib::kRightUp;
  if (button == HOST_BUTTON_MIDDLE) message = down ? windib::kMiddleDown : windib::kMiddleUp;
  if (message) windib::WinDibWndProc(message, 0, 0);
}

void HostInjectWheel(int delta) { windib::WinDibWndProc(windib::kWheel, windib::WheelParam(delta), 0); }

void HostInjectKey(int linuxKeyCode, int down) {
  windib::WinDibWndProc(down ? windib::kKeyDown : windib::kKeyUp, 0, windib::KeyParam(linuxKeyCode));
}

void HostInjectClose(void) { windib::WinDibWndProc(windib::kDestroy, 0, 0); }

}  // extern "C"
