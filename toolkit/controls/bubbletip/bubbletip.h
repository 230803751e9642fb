// The bubble-tip window as the controls see it.
#pragma once

#include "gui/common.h"

namespace controls {

// The tip window while it exists, else 0.
WindowHandle BubbleTipWindow();

}  // namespace controls
