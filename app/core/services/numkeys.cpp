// The numeric key entry: one shared state, driven on the menu thread and
// read by the toolkit's key handler through the call-backs.
#include "app/numkeys.h"

#include "app/core/services/per_output.h"
#include "app/device_ability.h"
#include "gui/timer.h"

namespace {

constexpr int kTenthKey = 10;
constexpr int kFirstDirect = 11;

app::Word<int> g_numberA{NUMKEY_NONE};
app::Word<int> g_numberB{NUMKEY_NONE};
app::Word<int> g_value{NUMKEY_NONE};
app::Word<int> g_keyCount{0};
app::Word<int> g_done{0};

void startTimer(WindowHandle hwnd) { SetTimer(hwnd, NUMKEY_TIMER_ID, NUMKEY_TIMER_PERIOD); }
void restartTimer(WindowHandle hwnd) { ResetTimer(hwnd, NUMKEY_TIMER_ID, NUMKEY_TIMER_PERIOD); }
void killTimer(WindowHandle hwnd) { KillTimer(hwnd, NUMKEY_TIMER_ID); }

void complete(WindowHandle hwnd) {
  killTimer(hwnd);
  g_done.set(1);
}

// Second key: the wait starts again, unless two digits end the entry; a
// third key always ends it.
void nextKey(WindowHandle hwnd, int count, int maxDigits) {
  if (count == 2) {
    restartTimer(hwnd);
    if (maxDigits == 2) complete(hwnd);
  } else {
    complete(hwnd);
  }
}

// Set A: d 1..9 digits, 10 the tenth key, 11..16 direct channels.
void stepA(WindowHandle hwnd, int d, int count, int maxDigits) {
  int number = g_numberA.get();
  if (count == 1) {
    number = d;
    if (d >= kFirstDirect) {
      g_done.set(1);
    } else if (d == kTenthKey && hasNumKeyOption()) {
      g_done.set(1);
    } else {
      if (d == kTenthKey) number = 0;
      startTimer(hwnd);
    }
  } else {
    nextKey(hwnd, count, maxDigits);
    if (d >= kFirstDirect) {
      number = d;
      complete(hwnd);
    } else if (d == kTenthKey) {
      number *= 10;
    } else {
      number = number * 10 + d;
    }
  }
  g_numberA.set(number);
  g_value.set(number);
}

// Set B: d 1..9 digits, 10 digit 0.
void stepB(WindowHandle hwnd, int d, int count, int maxDigits) {
  const int digit = d % 10;
  int number = g_numberB.get();
  if (count == 1) {
    number = digit;
    startTimer(hwnd);
  } else {
    nextKey(hwnd, count, maxDigits);
    number = number * 10 + digit;
  }
  g_numberB.set(number);
  g_value.set(number);
}

}  // namespace

extern "C" {

int isNumKeyA(int key) { return key >= 131 && key < 147 ? 1 : 0; }
int isNumKeyB(int key) { return key >= 194 && key < 204 ? 1 : 0; }

void resetNumKeyEntry(WindowHandle hwnd) {
  g_done.set(0);
  g_keyCount.set(0);
  g_numberA.set(NUMKEY_NONE);
  g_numberB.set(NUMKEY_NONE);
  g_value.set(NUMKEY_NONE);
  if (IsTimerInstalled(hwnd, NUMKEY_TIMER_ID)) killTimer(hwnd);
}

int isNumKeyEntryActive(void) { return g_numberA.get() != NUMKEY_NONE || g_numberB.get() != NUMKEY_NONE ? 1 : 0; }

void onNumKeyFirst(WindowHandle hwnd, int key) {
  if (isNumKeyEntryActive() && !isNumKeyA(key) && !isNumKeyB(key)) resetNumKeyEntry(hwnd);
}

int onNumKey(WindowHandle hwnd, int key, int maxDigits) {
  const bool switchesToB = isNumKeyB(key) && g_numberA.get() != NUMKEY_NONE;
  const bool switchesToA = isNumKeyA(key) && g_numberB.get() != NUMKEY_NONE;
  if (switchesToA || switchesToB) resetNumKeyEntry(hwnd);
  return numKeyEntryStep(hwnd, key, maxDigits);
}

int numKeyEntryStep(WindowHandle hwnd, int key, int maxDigits) {
  const bool a = isNumKeyA(key), b = isNumKeyB(key);
  if ((!a && !b) || (maxDigits != 2 && maxDigits != 3)) return NUMKEY_NONE;
  const int count = g_keyCount.get() + 1;
  g_keyCount.set(count);
  if (a)
    stepA(hwnd, key - 130, count, maxDigits);
  else
    stepB(hwnd, key - 193, count, maxDigits);
  return g_done.get() ? g_value.get() : NUMKEY_NONE;
}

int isNumKeyEntryDone(void) { return g_done.get(); }
int getNumKeyEntryValue(void) { return g_value.get(); }

}  // extern "C"
