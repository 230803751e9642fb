// A key pressed and released as a hand taps it, fed through the host.
#pragma once

#include "gui/cursor.h"
#include "gui/host.h"
#include "gui/input.h"

namespace inputtest {

// Press and release reach the input engine together: it reads neither
// until both are taken in, so a test thread kept from running between the
// two calls on a loaded machine does not leave the key held down (a key
// held past the repeat delay repeats, as it should). `modifier` (a Linux
// key code, 0 for none) is held around the key.
inline void TapKey(int code, int modifier = 0) {
  HoldInput();
  if (modifier) HostInjectKey(modifier, 1);
  HostInjectKey(code, 1);
  HostInjectKey(code, 0);
  if (modifier) HostInjectKey(modifier, 0);
  ReleaseInput();
}

// Whether the desktop's pointer is at (x, y): a move given to the host has
// been read by the input engine once it is.
inline bool PointerAt(int x, int y) {
  Point at{};
  GetCursorPos(&at);
  return at.x == x && at.y == y;
}

}  // namespace inputtest
