// A user's keys and single clicks through the host's input, for windows of
// the calling thread.
#pragma once

#include "app/testing/page_harness.h"
#include <atomic>

#include "core/input/lowlevel_event.h"
#include "gui/window_attr.h"

namespace inputtest {

struct Watch {
  WindowHandle window = 0;
  WindowProc own = nullptr;
  int code = 0;
  bool released = false;
};
inline Watch& Watched() {
  static Watch watch;
  return watch;
}
inline LResult WatchingProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  Watch& w = Watched();
  const WindowProc own = w.own;
  if (hwnd == w.window && msg == MSG_KEYUP && static_cast<int>(wParam) == w.code) w.released = true;
  return own(hwnd, msg, wParam, lParam);
}

// Key `code` (a Linux key code) pressed and released on the host keyboard
// while `window` (a main window of this thread) has the input; true once it
// has handled both. Its release comes after its press, so once the release
// has been dispatched to it the press has been too, whatever the press did
// or left alone.
inline bool Type(WindowHandle window, int code) {
  Watch& w = Watched();
  w = Watch{window, SetWindowCallbackProc(window, WatchingProc), code, false};
  HostInjectKey(code, 1);
  HostInjectKey(code, 0);
  const bool handled = livetest::PumpUntil([&w] { return w.released || !IsWindow(w.window); });
  if (IsWindow(window) && GetWindowCallbackProc(window) == WatchingProc) SetWindowCallbackProc(window, w.own);
  w.window = 0;
  return handled;
}

// Alt+Escape on the host keyboard: the desktop asks the active window to
// close, as for a window with no button of its own for that.
inline void AltEscape() {
  HostInjectKey(KEY_LEFTALT, 1);
  livetest::PressKey(KEY_ESC);
  HostInjectKey(KEY_LEFTALT, 0);
}

// The event thread's clock read a second later at every reading while this
// lives: no two presses of a test make a double click, as for a hand slower
// than the double-click time, and the test need not wait that time out.
class SingleClicks {
 public:
  SingleClicks() { SetLowLevelEventClock(Slow); }
  ~SingleClicks() { SetLowLevelEventClock(nullptr); }
  SingleClicks(const SingleClicks&) = delete;
  SingleClicks& operator=(const SingleClicks&) = delete;

 private:
  static unsigned int Slow() {
    static std::atomic<unsigned int> ticks{1u << 30};  // far from the toolkit's own count
    return ticks += 100;
  }
};

// A click on a button that closes its window, answered once the release has
// been read and routed and this thread has dispatched it. The button is not
// looked at after the press: the click may have destroyed it.
inline void ClickClosing(WindowHandle page, int id) {
  livetest::ClickItem(page, id);
  livetest::PumpUntil([] { return (lowlevel::state().lastButtons.load() & 1) == 0; });
  desktest::AwaitDesktopRead();
  desktest::Request(MSG_DT_GETACTIVEMAIN);
  desktest::Drain();
}

// The pointer brought to a point of the screen, once the toolkit has it there.
inline void MovePointer(int x, int y) {
  HostInjectMouseMove(x, y);
  livetest::PumpUntil([x, y] {
    Point at{};
    GetCursorPos(&at);
    return at.x == x && at.y == y;
  });
}

// A click at a point of the screen, press and release back to back,
// answered once `handled` holds.
inline bool ClickAt(int x, int y, const std::function<bool()>& handled) {
  livetest::ClickAt(x, y, [] { return true; });
  return livetest::PumpUntil(handled);
}

}  // namespace inputtest
