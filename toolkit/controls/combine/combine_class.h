#pragma once

#include "gui/common.h"

namespace controls {

BOOL RegisterCombineControl();

}  // namespace controls
