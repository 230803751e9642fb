// A user's steps around a dialog: the click that closes it, and a stand-in
// for the live view beneath it, a main window over the whole screen that
// counts the presses it gets, so that a test can click it once the dialog
// has closed and see that the dialog gave the input back (its owner
// enabled, no capture or modal loop left over).
#pragma once

#include <atomic>
#include <functional>

#include "app/testing/page_harness.h"

namespace livetest {

inline std::atomic<int>& StandInPresses() {
  static std::atomic<int> presses{0};
  return presses;
}

inline LResult LiveStandInProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_LBUTTONDOWN) StandInPresses().fetch_add(1);
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

// A user's click on the stand-in at (x, y), a point no dialog covers any
// more; true when the stand-in took the press.
inline bool StandInTakesClick(int x, int y) {
  const int before = StandInPresses().load();
  const auto taken = [before] { return StandInPresses().load() > before; };
  ClickAt(x, y, taken);
  return PumpUntil(taken, 500) && PumpUntil([] { return GetCapture() == 0; });
}

// A user's click on button `id` that closes `dialog`, true once `closed`
// holds. The button's record goes with the dialog: what follows the click
// waits on `closed` and never reads the button again.
inline bool ClickClosing(WindowHandle dialog, int id, const std::function<bool()>& closed) {
  ClickItem(dialog, id);
  return PumpUntil(closed);
}

}  // namespace livetest
