// Test seam of the disk check page: the grid's cells a side, as a
// low-resolution main output (32) or any other (64) would give; 0 asks
// the display again.
#pragma once

namespace disks {
namespace check_seam {
void setGridCells(int n);
}  // namespace check_seam
}  // namespace disks
