// A user's click that closes a dialog (the stand-in live view clicked
// afterwards is the shared harness's).
#pragma once

#include <functional>

#include "app/testing/page_harness.h"

namespace livetest {

// A user's click on button `id` that closes `dialog`, true once `closed`
// holds. The button's record goes with the dialog: what follows the click
// waits on `closed` and never reads the button again.
inline bool ClickClosing(WindowHandle dialog, int id, const std::function<bool()>& closed) {
  ClickItem(dialog, id);
  return PumpUntil(closed);
}

}  // namespace livetest
