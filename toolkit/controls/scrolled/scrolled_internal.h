// What the item-based controls share inside the toolkit.
#pragma once

#include "gui/font.h"

namespace controls {

// The font rows are painted in: system font 6 on a low-resolution output,
// else 3.
LogFont* RowFont();

}  // namespace controls
