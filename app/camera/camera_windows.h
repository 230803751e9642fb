// The camera windows behind the core's window calls.
#pragma once

#include "app/window_calls.h"

namespace camera_windows {
#define DECLARE(result, name, params, args, unfilled) result name params;
CAMERA_WINDOW_CALLS(DECLARE)
#undef DECLARE
}  // namespace camera_windows
