#pragma once

#include "gui/common.h"

namespace controls {

// Registers "edit"; TRUE when the registry took it.
BOOL RegisterEditControl();

}  // namespace controls
