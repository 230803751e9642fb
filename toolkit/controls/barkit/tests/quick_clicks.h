// Clicks through the host window in quick succession, as a hand makes them,
// on a control that takes the capture at a press.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

#include "core/desktop/tests/desktop_fixture.h"
#include "gui/host.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace quickclick {

// Dispatches the calling thread's messages one by one until `control` gets
// `msg`, which is handed back undispatched; false when it never came.
inline bool Hold(WindowHandle control, int msg, Message* held) {
  ThreadMsgInfo* info = CurrentThreadMsgInfo();
  if (!info || !info->mainWindow) return false;
  const WindowHandle readable = HandleOf(info->mainWindow);
  for (int i = 0; i < 1000; ++i) {
    Message m{};
    while (PeekMessage(&m, readable, 0, 0, TRUE)) {
      if (m.hwnd == control && m.message == msg) {
        *held = m;
        return true;
      }
      DispatchMessage(&m);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return false;
}

inline bool Pump(const std::function<bool()>& until) {
  for (int i = 0; i < 1000 && !until(); ++i) {
    desktest::Drain();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return until();
}

// A click at the screen point `first`, then one at `second`, both on
// `control`, the second so soon that its press reaches the desktop while the
// first release still waits in the control's queue: that press comes under
// the capture the first one took, and the capture ends (the first release
// read) before the second release comes. False when the second release never
// reached the control.
inline bool ClickTwiceQuickly(WindowHandle control, Point first, Point second) {
  HostInjectMouseMove(first.x, first.y);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
  if (!Pump([control] { return GetCapture() == control; })) return false;
  HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
  Message firstRelease{}, secondPress{}, secondRelease{};
  if (!Hold(control, MSG_LBUTTONUP, &firstRelease)) return false;
  HostInjectMouseMove(second.x, second.y);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
  if (!Hold(control, MSG_LBUTTONDOWN, &secondPress)) return false;
  DispatchMessage(&firstRelease);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
  const bool released = Hold(control, MSG_LBUTTONUP, &secondRelease);
  DispatchMessage(&secondPress);
  if (released) DispatchMessage(&secondRelease);
  return released;
}

// Two clicks at one screen point, the second read as a double click (the
// caller's event clock makes them quick enough).
inline void ClickTwiceInPlace(Point at, const std::function<bool()>& firstDone) {
  for (int n = 0; n < 2; ++n) {
    HostInjectMouseMove(at.x, at.y);
    HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
    HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    if (n == 0) {
      Pump([&] { return firstDone() && GetCapture() == 0; });
      desktest::AwaitInputHandled();
    }
  }
}

}  // namespace quickclick
