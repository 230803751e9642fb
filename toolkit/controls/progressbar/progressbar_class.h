#pragma once

#include "gui/common.h"

namespace controls {

// Registers "progressbar"; TRUE when the registry took it.
BOOL RegisterProgressBarControl();

}  // namespace controls
