#pragma once

#include "gui/common.h"

namespace controls {

// Registers "toolbar" and "newtoolbar"; TRUE when the registry took it.
BOOL RegisterToolBarControl();
BOOL RegisterNewToolBarControl();

}  // namespace controls
