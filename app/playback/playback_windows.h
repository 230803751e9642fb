// The playback windows behind the core's window calls.
#pragma once

#include "app/window_calls.h"

namespace playback_windows {
#define DECLARE(result, name, params, args, unfilled) result name params;
PLAYBACK_WINDOW_CALLS(DECLARE)
#undef DECLARE
}  // namespace playback_windows
