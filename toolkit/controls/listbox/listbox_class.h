#pragma once

#include "gui/common.h"

namespace controls {

// Loads "checkmark" first: without it the class is not registered.
BOOL RegisterListBoxControl();

}  // namespace controls
