#pragma once

#include "gui/common.h"

namespace controls {

// Registers "container", then "scrollwnd"; TRUE when the registry took both.
BOOL RegisterScrollWndControl();

}  // namespace controls
