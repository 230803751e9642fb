// Low-level events: start, the time-out and repeat path, and the key and
// modifier queries.
#include "core/input/lowlevel_event.h"

#include <cstdlib>
#include <string>

#include "core/control_support.h"
#include "core/input/ial.h"
#include "gui/gui_etc.h"
#include "gui/timer.h"

namespace lowlevel {
namespace {

State g_state;
std::atomic<LowLevelClock> g_clock{nullptr};

constexpr int kDefaultDblClickTicks = 30;
constexpr long kDefaultTimeoutUsec = 300000;
constexpr long kDefaultRepeatUsec = 50000;

// Milliseconds in 1..999 become ticks; anything else keeps the default.
// A value that is not wholly such a number is warned of.
void ReadDoubleClickTime() {
  g_state.dblclickTicks = kDefaultDblClickTicks;
  char text[11];
  if (GetGuiEtcValue("mouse", "dblclicktime", text, sizeof text) != ETC_OK) return;
  char* end = nullptr;
  long ms = std::strtol(text, &end, 10);
  const bool taken = end != text && ms >= 1 && ms <= 999;
  if (taken) g_state.dblclickTicks = static_cast<int>(ms / 10);
  if (!taken || *end != '\0')
    WarnOfUnusableSetting("mouse", "dblclicktime", text, "no time of 1 to 999 ms",
                          std::to_string(g_state.dblclickTicks * 10) + " ms");
}

void ReadIntervals() {
  g_state.repeatUsec = kDefaultRepeatUsec;
  g_state.timeoutUsec = kDefaultTimeoutUsec;
  int repeat = 0, timeout = 0;
  if (GetGuiEtcIntValue("event", "repeatusec", &repeat) != ETC_OK ||
      GetGuiEtcIntValue("event", "timeoutusec", &timeout) != ETC_OK || repeat < 0 || timeout < 1)
    return;
  g_state.repeatUsec = repeat;
  g_state.timeoutUsec = timeout;
}

void ResetMouseState() {
  g_state.leftDownTick = g_state.rightDownTick = 0;
  g_state.lastButtons = 0;
}

// Nothing arrived before the engine's wait ended.
int TimeoutPath(LowLevelEvent* event) {
  if (g_state.timeout.tv_sec || g_state.timeout.tv_usec) {
    g_state.previous.type = kEventTimeout;
    return 0;
  }
  SetTimeout(g_state.repeatUsec);
  const LowLevelEvent& prev = g_state.previous;
  if (prev.type == kEventKey && prev.event == KE_KEYDOWN) {
    *event = prev;
    event->data2 |= KS_REPEATED;
    return 1;
  }
  const bool buttonHeld = prev.type == kEventMouse &&
                          (prev.event == ME_LEFTDOWN || prev.event == ME_RIGHTDOWN || prev.event == ME_WHEEL_TOWARDS);
  if (!buttonHeld) SetTimeout(g_state.timeoutUsec);
  *event = LowLevelEvent{};
  event->type = kEventTimeout;
  event->count = ++g_state.timeoutCount;
  return 1;
}

}  // namespace

State& state() { return g_state; }

unsigned int Now() {
  LowLevelClock clock = g_clock.load();
  return clock ? clock() : GetTickCount();
}

void SetTimeout(long usec) {
  g_state.timeout.tv_sec = usec / 1000000;
  g_state.timeout.tv_usec = usec % 1000000;
}

}  // namespace lowlevel

using lowlevel::g_state;

void SetLowLevelEventClock(LowLevelClock clock) { lowlevel::g_clock = clock; }

timeval* LowLevelEventTimeout() { return &g_state.timeout; }

extern "C" {

int InitLowLevelEvents(void) {
  lowlevel::ReadDoubleClickTime();
  lowlevel::ReadIntervals();
  if (InitIAL() != 0) return 0;
  lowlevel::ResetMouseState();
  lowlevel::ResetKeyState();
  g_state.previous = LowLevelEvent{};
  g_state.timeoutCount = 0;
  InstallLowLevelEventEngine();
  return 1;
}

void TermLowLevelEvents(void) { TermIAL(); }

int ReadLowLevelEvent(int which, struct LowLevelEvent* event) {
  IalEngine* engine = CurrentIalEngine();
  if (!event || !engine) return 0;
  int keyCount = 0;
  if ((which & IAL_MOUSEEVENT) && engine->update_mouse() == 0) which &= ~IAL_MOUSEEVENT;
  if (which & IAL_KEYEVENT) {
    keyCount = engine->update_keyboard();
    if (keyCount == 0) which &= ~IAL_KEYEVENT;
  }
  if (which == 0) return lowlevel::TimeoutPath(event);
  if ((which & IAL_MOUSEEVENT) && lowlevel::ReadMouse(event)) return 1;
  if (which & IAL_KEYEVENT) return lowlevel::ReadKeyboard(keyCount, event);
  g_state.previous.type = kEventTimeout;
  return 0;
}

int GetKeyStatus(unsigned int code) {
  if (code & 0xF000) return static_cast<int>((code >> 8) & static_cast<unsigned int>(g_state.lastButtons.load()));
  if (code > 255) return 0;
  return g_state.oldKeys[code].load(std::memory_order_relaxed);
}

unsigned int GetShiftKeyStatus(void) { return g_state.status.load(std::memory_order_relaxed); }

}  // extern "C"
