#pragma once

#include "gui/common.h"

namespace controls {

// Loads the track bar skins, then registers "trackbar".
BOOL RegisterTrackBarControl();

}  // namespace controls
