// The check-box lists of the disk and camera pages.
#pragma once

#include "gui/common.h"

namespace wizard {

constexpr int kCellSize = 128;
using Cell = char[kCellSize];

// A row at `index` (its key) with `count` cells; unticked.
bool addRow(WindowHandle list, int index, const Cell* cells, int count, bool checkBox);
bool rowChecked(WindowHandle page, int listId, int index);
// The check key ticks or unticks the selected row ("itemselect" without one),
// the check-all key switches the whole column; true for either.
bool listKey(WindowHandle page, int listId, int key);

}  // namespace wizard
