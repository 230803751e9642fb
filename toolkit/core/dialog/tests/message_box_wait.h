// Waiting for a message box from another thread than the one showing it.
#pragma once

#include <atomic>
#include <chrono>
#include <thread>

#include "gui/dialog.h"
#include "gui/region.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace desktest {

// The message box once it is up and active, from any thread: its state is
// set while it is still being made, before it takes the activation, so the
// active window alone may still be the one below it. 0 when none comes
// within ten seconds or once `stop` is set.
inline WindowHandle AwaitMessageBox(const std::atomic<bool>* stop = nullptr) {
  for (int i = 0; i < 5000 && !(stop && *stop); ++i) {
    if (GetMsgBoxState()) {
      const WindowHandle active = GetActiveWindow();
      const Rect box = GetMsgBoxRect();
      Rect rect{};
      if (active && GetWindowRect(active, &rect) && EqualRect(&rect, &box)) return active;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return 0;
}

}  // namespace desktest
