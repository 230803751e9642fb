#include "core/input/event_thread.h"

#include <pthread.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "core/desktop/desktop.h"
#include "core/message/msg_queue.h"
#include "core/startup/thread_start.h"
#include "gui/desktop.h"
#include "gui/host.h"
#include "gui/input.h"
#include "gui/message.h"
#include "gui/startup.h"
#include "gui/timer.h"

namespace {

// The engine wait wakes at least this often, so that time-outs are read.
constexpr long kWaitUsec = 300000;

StoppableThread g_thread;

// Reports nothing; waits out the time-out unless shut-down cuts it short.
int IdleWait(int, long timeoutUsec) {
  g_thread.SleepFor(timeoutUsec);
  return 0;
}
int ReadNothing(int, LowLevelEvent*) { return 0; }

const EventEngine kIdleEngine = {IdleWait, ReadNothing, nullptr};
std::atomic<const EventEngine*> g_engine{&kIdleEngine};

// The holds on input (HoldInput). Never destroyed: the event thread may
// still wait on it when the process exits.
struct InputHolds {
  std::mutex lock;
  std::condition_variable changed;
  int count = 0;
};

InputHolds& Holds() {
  static InputHolds* const holds = new InputHolds;
  return *holds;
}

// Waits until no hold is on; false once a stop was asked for (the stop's
// wake notifies under the lock, so it is not missed).
bool AwaitInputHoldsReleased() {
  InputHolds& holds = Holds();
  std::unique_lock<std::mutex> lock(holds.lock);
  holds.changed.wait(lock, [&holds] { return holds.count == 0 || g_thread.StopRequested(); });
  return holds.count == 0;
}

// Position of the last mouse event other than a move; owned by the event
// thread (reset when it starts).
int32_t g_lastX = 0, g_lastY = 0;

int MouseMessageOf(int code) {
  switch (code) {
    case ME_MOVED: return MSG_MOUSEMOVE;
    case ME_LEFTDOWN: return MSG_LBUTTONDOWN;
    case ME_LEFTUP: return MSG_LBUTTONUP;
    case ME_LEFTDBLCLICK: return MSG_LBUTTONDBLCLK;
    case ME_RIGHTDOWN: return MSG_RBUTTONDOWN;
    case ME_RIGHTUP: return MSG_RBUTTONUP;
    case ME_RIGHTDBLCLICK: return MSG_RBUTTONDBLCLK;
    case ME_WHEEL_TOWARDS: return MSG_MOUSEWHEELDOWN;
    case ME_WHEEL_AWAY: return MSG_MOUSEWHEELUP;
    default: return 0;
  }
}

int KeyMessageOf(int code) {
  switch (code) {
    case KE_KEYDOWN: return MSG_KEYDOWN;
    case KE_KEYUP: return MSG_KEYUP;
    case KE_KEYUP2: return MSG_KEYUP2;
    case KE_KEYUP3: return MSG_KEYUP3;
    default: return 0;
  }
}

void PostToDesktop(int msg, WParam wParam, LParam lParam) {
  PostMessageAt(__gui_hwnd_desktop, msg, wParam, lParam, GetTickCount());
}

void PostMouseEvent(const LowLevelEvent& ev) {
  int msg = MouseMessageOf(ev.event);
  if (!msg) return;
  WParam wParam = static_cast<uint32_t>(ev.mouseStatus);
  LParam lParam = static_cast<LParam>((static_cast<uint32_t>(ev.data2) << 16) | (static_cast<uint32_t>(ev.data1) & 0xFFFF));
  // A button at a new place is preceded by a move there.
  if (ev.event != ME_MOVED && (ev.data1 != g_lastX || ev.data2 != g_lastY)) {
    PostToDesktop(MSG_MOUSEMOVE, wParam, lParam);
    g_lastX = ev.data1;
    g_lastY = ev.data2;
  }
  PostToDesktop(msg, wParam, lParam);
}

// Reads between taking a change from the host and posting its message.
std::atomic<int> g_reading{0};

void ReadAndPost(const EventEngine* engine, int which) {
  ++g_reading;  // before the read takes anything, so that no change is ever in neither place
  LowLevelEvent ev{};
  if (engine->read(which, &ev)) PostLowLevelEvent(ev);
  --g_reading;
}

}  // namespace

void SetEventEngine(const EventEngine* engine) { g_engine = engine ? engine : &kIdleEngine; }

void PostLowLevelEvent(const LowLevelEvent& ev) {
  switch (ev.type) {
    case kEventTimeout:
      if (ShouldBroadcastIdleTick()) PostToDesktop(MSG_DT_IDLEBROADCAST, static_cast<uint32_t>(ev.count), 0);
      break;
    case kEventKey:
      if (int msg = KeyMessageOf(ev.event))
        PostToDesktop(msg, static_cast<uint32_t>(ev.data1), static_cast<LParam>(static_cast<uint32_t>(ev.data2)));
      break;
    case kEventMouse:
      PostMouseEvent(ev);
      break;
    default:
      break;
  }
}

bool StartEventThread() { return BeginEventThread() && FinishEventThread(); }
bool BeginEventThread() { return g_thread.Begin(EventThreadMain, kEventThread); }
bool FinishEventThread() { return g_thread.Finish(); }

void StopEventThread() { g_thread.Stop(WakeEventThread); }

void WakeEventThread() {
  {
    std::lock_guard<std::mutex> lock(Holds().lock);
    Holds().changed.notify_all();
  }
  if (void (*wake)() = g_engine.load()->wake) wake();
}

bool HostInputPosted() {
  // The host's queues first: a change gone from them was taken by a read,
  // which counted itself before taking it.
  return HostOldestInput() == HOST_INPUT_NONE && g_reading.load() == 0;
}

extern "C" void HoldInput(void) {
  {
    std::lock_guard<std::mutex> lock(Holds().lock);
    ++Holds().count;
  }
  // A wait under way looks again, and finds the hold.
  WakeEventThread();
}

extern "C" void ReleaseInput(void) {
  std::lock_guard<std::mutex> lock(Holds().lock);
  if (Holds().count == 0) return;
  if (--Holds().count == 0) Holds().changed.notify_all();
}

// Keys are read too when the engine reports them, so that typing in the
// host window reaches the desktop.
extern "C" void* EventThreadMain(void* arg) {
  RecordThreadProcessId(kEventThread);
  g_lastX = g_lastY = 0;
  static_cast<ThreadStart*>(arg)->Started();
  while (!g_thread.StopRequested()) {
    if (!AwaitInputHoldsReleased()) continue;
    const EventEngine* engine = g_engine.load();
    int arrived = engine->wait(IAL_MOUSEEVENT | IAL_KEYEVENT, kWaitUsec);
    if (arrived < 0 || g_thread.StopRequested()) continue;
    if (arrived == 0) {
      ReadAndPost(engine, 0);
      continue;
    }
    if (arrived & IAL_MOUSEEVENT) ReadAndPost(engine, IAL_MOUSEEVENT);
    if (arrived & IAL_KEYEVENT) ReadAndPost(engine, IAL_KEYEVENT);
  }
  return nullptr;
}
