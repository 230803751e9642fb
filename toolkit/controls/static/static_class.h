#pragma once

#include "gui/common.h"

namespace controls {

// Registers "static"; TRUE when the registry took it.
BOOL RegisterStaticControl();

}  // namespace controls
