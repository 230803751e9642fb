// What the desktop thread keeps between messages. Only the desktop thread
// reads and writes it, except the words marked atomic.
#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>
#include <vector>

#include "gui/bitmap.h"
#include "gui/desktop.h"

// A word the desktop thread writes and other threads read (window threads
// ask for the bubble tip; a language change sets the active window from the
// thread that runs it). Copying resets a whole state at start-up.
template <typename T>
class SharedWord {
 public:
  SharedWord(T value = T{}) : value_(value) {}
  SharedWord(const SharedWord& other) : value_(other.value_.load()) {}
  SharedWord& operator=(const SharedWord& other) {
    value_ = other.value_.load();
    return *this;
  }
  SharedWord& operator=(T value) {
    value_ = value;
    return *this;
  }
  operator T() const { return value_.load(); }
  // Stores value only while the word still holds expected.
  bool ReplaceIf(T expected, T value) { return value_.compare_exchange_strong(expected, value); }

 private:
  std::atomic<T> value_;
};

struct HookSlot {
  WindowHandle context = 0;
  MsgHook function = nullptr;
};

// Move/resize tracking of a window's frame.
struct GlobalClipInfo;

struct TrackingState {
  WindowHandle window = 0;
  Rect rect{};
  int location = 0;
  int lastX = 0, lastY = 0;
  // The regions taken at the start, released exactly so: the lists may
  // differ by the end (another output became current).
  std::vector<GlobalClipInfo*> locked;
  bool frameLeftOnScreen = false;  // ended by request 269: the next input erases it
};

struct DesktopState {
  SharedWord<WindowHandle> activeMain = 0;  // per display
  SharedWord<WindowHandle> activeAux = 0;
  WindowHandle capture = 0;
  WindowHandle pressed = 0;  // the window that got the first button press
  unsigned buttonMask = 0;   // 0x01 left, 0x02 right
  // The press reached `pressed` under the capture: the rest of the click
  // goes to it the same way, with a screen position.
  bool pressedUnderCapture = false;
  void ForgetPress() {
    pressed = 0;
    buttonMask = 0;
    pressedUnderCapture = false;
  }
  WindowHandle underPointer = 0;
  std::vector<PopupMenuHead*> popups;
  TrackingState tracking;
  // Set by the caret's own thread (SetCaretWindow) as well.
  SharedWord<WindowHandle> caretWindow = 0;
  SharedWord<unsigned> caretPeriod = 500;
  unsigned caretCounter = 0;
  uint64_t tickStep = 0;  // the timer thread's step the last tick counted up to
  SharedWord<WindowHandle> bubbleTip = GUI_INVALID_HANDLE;
  SharedWord<WindowHandle> fourthTool = GUI_INVALID_HANDLE;
  HookSlot keyHook, mouseHook;
  // Idle bookkeeping, in whole seconds of the desktop clock.
  long lastInput = 0;
  long idleReference = 0;
  bool idleNoticeSent = false;
  bool idleTimeoutFired = false;
  // Keys.
  bool altHeld = false;
  bool altComboUsed = false;
  bool switchKeyPending = false;
  int switchDebounce = 0;  // presses still ignored after a switch
  // Background picture.
  Bitmap picture{};
  bool hasPicture = false;
  int pictureX = 0, pictureY = 0;
  HDC privateDC = 0;
};

DesktopState& Desk();
// The power-key flag is set by other threads too.
std::atomic<int>& PowerKeyDownFlag();

// The desktop's clock (whole seconds); tests replace it.
using DesktopClock = long (*)();
void SetDesktopClockForTest(DesktopClock clock);
long DesktopNow();
bool DesktopClockIsFake();
