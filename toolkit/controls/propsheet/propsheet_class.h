#pragma once

#include "gui/common.h"

namespace controls {

// Registers "propsheet"; TRUE when the registry took it.
BOOL RegisterPropSheetControl();

}  // namespace controls
