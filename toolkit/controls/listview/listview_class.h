#pragma once

#include "gui/common.h"

namespace controls {

// Registers "ListView" (loading the fold bitmaps first); TRUE when the
// registry took it.
BOOL RegisterListViewControl();

}  // namespace controls
