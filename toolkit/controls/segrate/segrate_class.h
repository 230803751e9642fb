#pragma once

#include "gui/common.h"

namespace controls {

// Registers "segrate"; TRUE when the registry took it.
BOOL RegisterSegRateControl();

}  // namespace controls
