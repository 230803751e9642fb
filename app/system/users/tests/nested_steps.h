// Steps run by a window of the test thread inside whichever modal loop is
// running when its message arrives: one queued step per posted message. A
// test queues a step, posts kNextStep to a window of NestedStepsProc, then
// does what opens the dialog.
#pragma once

#include <deque>
#include <functional>

#include "core/desktop/tests/desktop_fixture.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace nested {

inline std::deque<std::function<void()>>& Pending() {
  static std::deque<std::function<void()>> steps;
  return steps;
}
constexpr int kNextStep = 0x9103;
inline LResult NestedStepsProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == kNextStep && !Pending().empty()) {
    desktest::Drain();
    auto step = std::move(Pending().front());
    Pending().pop_front();
    step();
    return 0;
  }
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

// Runs `steps` in the dialog that `start` opens, from `helper` (a window of
// NestedStepsProc), and closes what they leave open; true when they ran.
inline bool InDialogOpenedBy(WindowHandle helper, const std::function<void()>& start,
                             const std::function<void(WindowHandle)>& steps) {
  bool ran = false;
  Pending().push_back([&] {
    ran = true;
    const WindowHandle dlg = GetActiveWindow();
    steps(dlg);
    // Still the active window: the steps left it open (a closed dialog's
    // handle is not looked at again).
    if (GetActiveWindow() == dlg) SendMessage(dlg, MSG_CLOSE, 0, 0);
  });
  PostMessage(helper, kNextStep, 0, 0);
  start();
  Pending().clear();
  return ran;
}

}  // namespace nested
