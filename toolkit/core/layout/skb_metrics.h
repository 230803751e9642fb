#pragma once

namespace layout {

// Reads both soft keyboards' key heights and positions for the main display
// and, with an auxiliary output, for the auxiliary display.
void LoadSoftKeyboardMetrics();

}  // namespace layout
