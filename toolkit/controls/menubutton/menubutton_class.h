#pragma once

#include "gui/common.h"

namespace controls {

// Takes the "downarrow" skin, then registers "menubutton"; FALSE without it.
BOOL RegisterMenuButtonControl();

}  // namespace controls
