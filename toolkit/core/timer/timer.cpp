// The timer table: 32 slots under one mutex. A due timer sets its slot's bit
// in the owner's queue; the queue turns it into MSG_TIMER when read.
#include <algorithm>
#include <array>
#include <climits>
#include <atomic>
#include <memory>
#include <mutex>

#include "core/message/msg_queue.h"
#include "core/timer/timer_internal.h"
#include "core/window/window_record.h"
#include "gui/timer.h"

namespace {

struct TimerRecord {
  WindowHandle hwnd;
  int id;
  unsigned int period;
  unsigned int elapsed;
  uint64_t lastStep;  // the timer thread's step up to which `elapsed` counts
  bool resting = false;  // neither counts nor comes due until it is reset
};

std::mutex g_timerLock;
std::array<std::unique_ptr<TimerRecord>, MAX_TIMERS> g_timers;

bool Matches(const TimerRecord* t, WindowHandle hwnd, int id) { return t && t->hwnd == hwnd && t->id == id; }

// Timer lock held; the queue lock nests inside it.
void ClearQueueMark(WindowHandle hwnd, int slot) {
  MsgQueue* q = QueueOfWindow(hwnd);
  if (!q) return;
  std::lock_guard<std::mutex> hold(q->lock);
  q->timerMask &= ~(1u << slot);
}

void SetQueueMark(MsgQueue* q, int slot) {
  std::lock_guard<std::mutex> hold(q->lock);
  q->timerMask |= 1u << slot;
  q->wake.Wake();
}

// Timer lock held. A due timer marks its owner's queue once, however far
// past its period it has come.
void CountTicks(TimerRecord* t, int slot, unsigned int ticks) {
  t->elapsed += ticks;
  if (t->elapsed < t->period) return;
  // A destroyed window has no main window any more and is not marked.
  MsgQueue* q = QueueOfWindow(t->hwnd);
  if (!q) return;
  SetQueueMark(q, slot);
  t->elapsed -= t->period;
}

}  // namespace

bool TimerSlotInfo(int slot, WindowHandle* hwnd, int* id) {
  if (slot < 0 || slot >= MAX_TIMERS) return false;
  std::lock_guard<std::mutex> hold(g_timerLock);
  const TimerRecord* t = g_timers[slot].get();
  if (!t) return false;
  *hwnd = t->hwnd;
  *id = t->id;
  return true;
}

uint32_t TimerMaskOfWindow(WindowHandle hwnd) {
  uint32_t mask = 0;
  std::lock_guard<std::mutex> hold(g_timerLock);
  for (int i = 0; i < MAX_TIMERS; ++i)
    if (g_timers[i] && WindowBelongsTo(g_timers[i]->hwnd, hwnd)) mask |= 1u << i;
  return mask;
}

bool RestTimer(WindowHandle hwnd, int id) {
  std::lock_guard<std::mutex> hold(g_timerLock);
  for (int i = 0; i < MAX_TIMERS; ++i) {
    TimerRecord* t = g_timers[i].get();
    if (!Matches(t, hwnd, id)) continue;
    ClearQueueMark(hwnd, i);
    t->resting = true;
    return true;
  }
  return false;
}

void TerminateTimers() {
  std::lock_guard<std::mutex> hold(g_timerLock);
  for (auto& slot : g_timers) slot.reset();
}

extern "C" {

BOOL SetTimer(WindowHandle hwnd, int id, unsigned int period) {
  if (!MainWindowOf(hwnd)) return FALSE;
  std::lock_guard<std::mutex> hold(g_timerLock);
  int freeSlot = -1;
  for (int i = 0; i < MAX_TIMERS; ++i) {
    if (Matches(g_timers[i].get(), hwnd, id)) return FALSE;
    if (!g_timers[i] && freeSlot < 0) freeSlot = i;
  }
  if (freeSlot < 0) return FALSE;
  g_timers[freeSlot].reset(new (std::nothrow) TimerRecord{hwnd, id, period, 0, CurrentTimerStep()});
  if (!g_timers[freeSlot]) return FALSE;
  WakeTimerThread();  // it may be asleep with nothing to count
  return TRUE;
}

BOOL KillTimer(WindowHandle hwnd, int id) {
  bool removed = false;
  std::lock_guard<std::mutex> hold(g_timerLock);
  for (int i = 0; i < MAX_TIMERS; ++i) {
    TimerRecord* t = g_timers[i].get();
    if (!t || t->hwnd != hwnd || (id > 0 && t->id != id)) continue;
    ClearQueueMark(hwnd, i);
    g_timers[i].reset();
    removed = true;
    if (id > 0) break;
  }
  return removed ? TRUE : FALSE;
}

BOOL ResetTimer(WindowHandle hwnd, int id, unsigned int period) {
  if (!ValidWindow(hwnd)) return FALSE;
  std::lock_guard<std::mutex> hold(g_timerLock);
  for (int i = 0; i < MAX_TIMERS; ++i) {
    TimerRecord* t = g_timers[i].get();
    if (!Matches(t, hwnd, id)) continue;
    ClearQueueMark(hwnd, i);
    t->period = period;
    t->elapsed = 0;
    t->lastStep = CurrentTimerStep();
    t->resting = false;
    WakeTimerThread();  // a shorter period may come due before the thread's plan
    return TRUE;
  }
  return FALSE;
}

BOOL IsTimerInstalled(WindowHandle hwnd, int id) {
  std::lock_guard<std::mutex> hold(g_timerLock);
  for (const auto& t : g_timers)
    if (Matches(t.get(), hwnd, id)) return TRUE;
  return FALSE;
}

BOOL HaveFreeTimer(void) {
  std::lock_guard<std::mutex> hold(g_timerLock);
  for (const auto& t : g_timers)
    if (!t) return TRUE;
  return FALSE;
}

void TimerTick(unsigned int ticks) {
  std::lock_guard<std::mutex> hold(g_timerLock);
  for (int i = 0; i < MAX_TIMERS; ++i)
    if (TimerRecord* t = g_timers[i].get(); t && !t->resting) CountTicks(t, i, ticks);
}

}  // extern "C"

void TimerTickToStep(uint64_t step) {
  std::lock_guard<std::mutex> hold(g_timerLock);
  for (int i = 0; i < MAX_TIMERS; ++i) {
    TimerRecord* t = g_timers[i].get();
    if (!t || t->resting || step <= t->lastStep) continue;
    unsigned int ticks = static_cast<unsigned int>(std::min<uint64_t>(step - t->lastStep, UINT_MAX));
    t->lastStep = step;
    CountTicks(t, i, ticks);
  }
}

int64_t NextTimerDueStep(uint64_t counted) {
  int64_t due = -1;
  std::lock_guard<std::mutex> hold(g_timerLock);
  for (const auto& t : g_timers) {
    if (!t || t->resting) continue;
    // As the desktop will count it once it reads the tick marked for `counted`.
    uint64_t base = std::max(t->lastStep, counted);
    int64_t elapsed = int64_t{t->elapsed} + static_cast<int64_t>(base - t->lastStep);
    if (elapsed >= int64_t{t->period}) elapsed -= t->period;
    int64_t at = static_cast<int64_t>(base) + std::max<int64_t>(1, int64_t{t->period} - elapsed);
    if (due < 0 || at < due) due = at;
  }
  return due;
}
