// The bubble-tip window: one top-level window on a thread of its own that
// shows the whole text of a cut cell or header next to its control.
#include "controls/bubbletip/bubbletip.h"

#include <atomic>

namespace {

std::atomic<WindowHandle> g_tip{0};

}  // namespace

namespace controls {

WindowHandle BubbleTipWindow() { return g_tip.load(); }

}  // namespace controls
