// A user's keys and single clicks through the host's input, for windows of
// the calling thread.
#pragma once

#include <atomic>

#include "app/testing/front_proc.h"
#include "app/testing/page_harness.h"
#include "core/input/lowlevel_event.h"
#include "core/input/tests/key_tap.h"
#include "gui/window_attr.h"

namespace inputtest {

// A window of this thread whose messages of one kind are counted. Atomic:
// the desktop thread calls the window's procedure too.
struct Watch {
  std::atomic<WindowHandle> window{0};
  std::atomic<int> msg{0}, code{-1};  // code -1: any wParam
  std::atomic<int> seen{0};
};
inline Watch& Watched() {
  static Watch watch;
  return watch;
}
inline LResult WatchingProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  Watch& w = Watched();
  if (hwnd == w.window && msg == w.msg && (w.code < 0 || static_cast<int>(wParam) == w.code)) ++w.seen;
  return frontproc::OwnOf(hwnd)(hwnd, msg, wParam, lParam);
}

// Runs `act` (a user's input) and waits until `window` (a main window of
// this thread) has been dispatched `times` messages `msg` (with wParam
// `code`, or any for -1); true once it has.
inline bool HandledBy(WindowHandle window, int msg, int code, int times, const std::function<void()>& act) {
  Watch& w = Watched();
  w.msg = msg, w.code = code, w.seen = 0, w.window = window;
  frontproc::PutInFront(window, WatchingProc);
  act();
  const bool handled = livetest::PumpUntil([&w, times] { return w.seen >= times || !IsWindow(w.window); });
  frontproc::GiveBack(window, WatchingProc);
  w.window = 0;
  return handled;
}

// Key `code` (a Linux key code) pressed and released on the host keyboard
// while `window` has the input, for a key that leaves it so; true once it
// has handled both. Its release comes after its press, so once the release
// has been dispatched to it the press has been too, whatever the press did
// or left alone.
inline bool Type(WindowHandle window, int code) {
  return HandledBy(window, MSG_KEYUP, code, 1, [code] { inputtest::TapKey(code); });
}

// Alt+Escape on the host keyboard: the desktop asks the active window to
// close, as for a window with no button of its own for that.
inline void AltEscape() {
  HostInjectKey(KEY_LEFTALT, 1);
  livetest::PressKey(KEY_ESC);
  HostInjectKey(KEY_LEFTALT, 0);
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

// The event thread's clock read a second later at every reading while this
// lives: no two presses of a test make a double click, as for a hand slower
// than the double-click time, and the test need not wait that time out.
class SingleClicks {
 public:
  SingleClicks() { SetLowLevelEventClock(Slow); }
  ~SingleClicks() { SetLowLevelEventClock(nullptr); }
  SingleClicks(const SingleClicks&) = delete;
  SingleClicks& operator=(const SingleClicks&) = delete;

  // A double click at a point of `window` (a main window of this thread):
  // two clicks on a clock that stands still meanwhile, until the window has
  // had both releases.
  static bool DoubleClickAt(WindowHandle window, int x, int y) {
    Ticks() += 100;  // a second after the last press: no double click with that
    SetLowLevelEventClock(Still);
    // A move between the clicks would part them.
    MovePointer(x, y);
    const bool done = HandledBy(window, MSG_LBUTTONUP, -1, 2, [] {
      for (int click = 0; click < 2; ++click) {
        HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
        HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
      }
    });
    SetLowLevelEventClock(Slow);
    return done;
  }
  // A single click at a point of `window`, until the window has had it.
  static bool ClickAt(WindowHandle window, int x, int y) {
    return HandledBy(window, MSG_LBUTTONUP, -1, 1, [x, y] { livetest::ClickAt(x, y, [] { return true; }); });
  }

 private:
  static std::atomic<unsigned int>& Ticks() {
    static std::atomic<unsigned int> ticks{1u << 30};  // far from the toolkit's own count
    return ticks;
  }
  static unsigned int Slow() { return Ticks() += 100; }
  static unsigned int Still() { return Ticks().load(); }
};

// A click on a button that closes its window, answered once the release has
// been read and routed and this thread has dispatched it. The button is not
// looked at after the press: the click may have destroyed it.
inline void ClickClosing(WindowHandle page, int id) {
  livetest::ClickItem(page, id);
  desktest::AwaitInputHandled();
}

// A click at a point of the screen, press and release back to back,
// answered once `handled` holds.
inline bool ClickAt(int x, int y, const std::function<bool()>& handled) {
  livetest::ClickAt(x, y, [] { return true; });
  return livetest::PumpUntil(handled);
}

}  // namespace inputtest
