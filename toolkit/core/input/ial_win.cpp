// The "Win" engine: mouse and keys as the host window records them, and its
// two auto-reset events.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>

#include "core/input/ial.h"
#include "gui/host.h"

namespace {

constexpr int kKeyStates = 256;

// The events live from init to term. The position is also read by threads
// that move the cursor; the keys only by the thread that reads events.
struct WinState {
  HostEvent* mouse = nullptr;
  HostEvent* keyboard = nullptr;
  // Cuts a wait short without input: the caller looks again at what it
  // waits for (a stop, or a time-out that became due).
  std::atomic<HostEvent*> wake{nullptr};
  std::atomic<int> x{0}, y{0};
  // The host's button word of the change read last.
  std::atomic<int> buttons{HOST_BUTTON_NONE};
  uint8_t keys[kKeyStates] = {};
  uint8_t lastPressed = 0;
};

WinState g_win;

// Takes one change from the host: a button change comes with the pointer
// where it happened, so both are read together.
int UpdateMouse() {
  HostMouseRecord change{};
  HostTakeMouseRecord(&change);
  if (change.inside) {
    g_win.x = change.x;
    g_win.y = change.y;
  }
  g_win.buttons = change.buttons;
  return 1;
}

void GetMouseXY(int* x, int* y) {
  *x = g_win.x.load();
  *y = g_win.y.load();
}

// The cursor placed by the program: the host's next change over the window
// moves it from there.
void SetMouseXY(int x, int y) {
  g_win.x = x;
  g_win.y = y;
}

int GetMouseButtons() {
  const int host = g_win.buttons.load();
  int buttons = 0;
  if (host & HOST_BUTTON_LEFT) buttons |= IAL_MOUSE_LEFTBUTTON;
  if (host & HOST_BUTTON_RIGHT) buttons |= IAL_MOUSE_RIGHTBUTTON;
  if (host & HOST_BUTTON_MIDDLE) buttons |= IAL_MOUSE_MIDDLEBUTTON;
  if (host & HOST_WHEEL_TOWARDS) buttons |= IAL_MOUSE_WHEEL_TOWARDS;
  if (host & HOST_WHEEL_AWAY) buttons |= IAL_MOUSE_WHEEL_AWAY;
  return buttons;
}

// Key codes beyond the array would alias other keys through the key word's
// byte; they are left out.
int UpdateKeyboard() {
  uint32_t keyWord = 0;
  uint8_t pressed = 0;
  HostGetKeyRecord(&keyWord, &pressed);
  if (keyWord == 0 && pressed == 0) {
    g_win.keys[g_win.lastPressed] = 0;
    return kKeyStates;
  }
  const uint32_t code = keyWord >> 16;
  if (code >= kKeyStates) return kKeyStates;
  g_win.keys[code] = pressed;
  if (pressed) g_win.lastPressed = static_cast<uint8_t>(code);
  return kKeyStates;
}

const uint8_t* GetKeyboardState() { return g_win.keys; }

long long Microseconds(const timeval& t) { return static_cast<long long>(t.tv_sec) * 1000000 + t.tv_usec; }

void SetMicroseconds(timeval* t, long long usec) {
  usec = std::max(usec, 0LL);
  t->tv_sec = static_cast<time_t>(usec / 1000000);
  t->tv_usec = static_cast<suseconds_t>(usec % 1000000);
}

// A wake answers -1, so the caller waits again after looking.
int WaitEvent(int which, timeval* timeout) {
  constexpr int kWoken = -1;
  HostEvent* events[3];
  int results[3];
  int count = 0;
  if (which & IAL_MOUSEEVENT) events[count] = g_win.mouse, results[count++] = IAL_MOUSEEVENT;
  if (which & IAL_KEYEVENT) events[count] = g_win.keyboard, results[count++] = IAL_KEYEVENT;
  if (count == 0) return 0;
  if (HostEvent* wake = g_win.wake.load()) events[count] = wake, results[count++] = kWoken;
  const long long budget = timeout ? Microseconds(*timeout) : -1;
  const auto start = std::chrono::steady_clock::now();
  // Round up so that a wait never ends before its time-out.
  const int index = HostWaitForEvents(events, count, budget < 0 ? -1L : static_cast<long>((budget + 999) / 1000));
  if (timeout) {
    const auto waited = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    SetMicroseconds(timeout, index < 0 ? 0 : budget - waited.count());
  }
  if (index < 0) return 0;
  // Input is read in the order the host took it in: when the other device
  // holds an older change, that is read first and this wake is kept for
  // the next wait.
  const int oldest = HostOldestInput();
  const int first = oldest == HOST_INPUT_MOUSE ? IAL_MOUSEEVENT : oldest == HOST_INPUT_KEYBOARD ? IAL_KEYEVENT : 0;
  if (results[index] != kWoken && first != 0 && first != results[index] && (which & first)) {
    HostSignalEvent(events[index]);
    return first;
  }
  return results[index];
}

void TermWin() {
  HostSetInputEvents(nullptr, nullptr);
  HostCloseEvent(g_win.mouse);
  HostCloseEvent(g_win.keyboard);
  HostCloseEvent(g_win.wake.exchange(nullptr));
  g_win.mouse = g_win.keyboard = nullptr;
}

}  // namespace

void WakeWinIalWait() { HostSignalEvent(g_win.wake.load()); }

int InitWinIAL(IalEngine* engine, const char*, const char*) {
  if (g_win.mouse) TermWin();
  g_win.x = g_win.y = 0;
  g_win.buttons = HOST_BUTTON_NONE;
  std::memset(g_win.keys, 0, sizeof g_win.keys);
  g_win.lastPressed = 0;
  g_win.mouse = HostCreateEvent("MOUSE");
  g_win.keyboard = HostCreateEvent("kbd");
  g_win.wake = HostCreateEvent("wake");
  if (!g_win.mouse || !g_win.keyboard || !g_win.wake.load()) {
    TermWin();
    return 0;
  }
  HostSetInputEvents(g_win.mouse, g_win.keyboard);
  // name, init, term, mouse: update, get, set, buttons, range; keys: update,
  // state, lights; wait; device.
  static const IalEngine ops = {nullptr,         nullptr,     TermWin,     UpdateMouse, GetMouseXY,
                                SetMouseXY,      GetMouseButtons, nullptr, UpdateKeyboard, GetKeyboardState,
                                nullptr,         WaitEvent,   {}};
  SetEngineOperations(engine, ops);
  return 1;
}
