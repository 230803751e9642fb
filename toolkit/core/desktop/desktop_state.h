// What the desktop thread keeps between messages. Only the desktop thread
// reads and writes it, except the words marked atomic.
#pragma once

#include <atomic>
#include <ctime>
#include <vector>

#include "gui/bitmap.h"
#include "gui/desktop.h"

struct HookSlot {
  WindowHandle context = 0;
  MsgHook function = nullptr;
};

// Move/resize tracking of a window's frame.
struct TrackingState {
  WindowHandle window = 0;
  Rect rect{};
  int location = 0;
  int lastX = 0, lastY = 0;
  bool locksHeld = false;
  bool frameLeftOnScreen = false;  // ended by request 269: the next input erases it
};

struct DesktopState {
  WindowHandle activeMain = 0;  // per display
  WindowHandle activeAux = 0;
  WindowHandle capture = 0;
  WindowHandle pressed = 0;  // the window that got the first button press
  unsigned buttonMask = 0;   // 0x01 left, 0x02 right
  WindowHandle underPointer = 0;
  std::vector<PopupMenuHead*> popups;
  TrackingState tracking;
  WindowHandle caretWindow = 0;
  unsigned caretPeriod = 500;
  unsigned caretCounter = 0;
  WindowHandle bubbleTip = GUI_INVALID_HANDLE;
  WindowHandle fourthTool = GUI_INVALID_HANDLE;
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
