#pragma once

#include "gui/common.h"

namespace controls {

// Registers "scrollview"; TRUE when the registry took it.
BOOL RegisterScrollViewControl();

}  // namespace controls
