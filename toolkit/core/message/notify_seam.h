// Tests that drive the program by real input learn what its controls told
// their parents: `watch` hears every notification as it is delivered (null
// stops). It is called on the control's thread.
#pragma once

#include "gui/common.h"

namespace notify_seam {
using Watch = void (*)(WindowHandle control, int id, int code);
void setWatch(Watch watch);
}  // namespace notify_seam
