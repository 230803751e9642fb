// Registration of the "spintime" class.
#pragma once

#include "gui/common.h"

namespace controls {

BOOL RegisterTimeSpinnerControl();

}  // namespace controls
