#pragma once

#include "gui/common.h"

namespace controls {

// Builds the check mark, then registers "button"; TRUE when the registry
// took it.
BOOL RegisterButtonControl();

}  // namespace controls
