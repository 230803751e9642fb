// Cursor internals shared by the cursor files, the cursor state and tests.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gui/cursor.h"

namespace cursor {

// A cursor file parsed from a byte range; 0 when a check fails.
HCURSOR ParseCursorFile(const uint8_t* data, size_t size);
void FreeCursor(HCURSOR cursor);

// The system cursor file n named by [cursorinfo] of the main
// configuration; 0 when a key is missing or the file does not load.
HCURSOR LoadSystemCursorFile(int n);

}  // namespace cursor
