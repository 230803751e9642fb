// The block grid of the bad-sector check: N x N cells, each standing for
// capacity / N^2 bytes of the disk, coloured by what the check found and
// flagged once painted so that a poll repaints only what changed.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/common.h"

namespace disks {

enum class Cell : uint8_t { kUnchecked, kChecked, kBad, kShield };

class CheckGrid {
 public:
  // Every cell unchecked and unpainted; n is clamped to 1..64.
  void reset(int n);
  int size() const { return n_; }
  void clearPainted();
  // The cell of a sector (512 bytes) for a block size in bytes: -1 for a
  // block size of 0, else clamped to the last cell.
  int cellOf(uint64_t sector, uint64_t blockBytes) const;
  // Colours the cells covering the bytes of sectors [first, end); an empty
  // range or a block size of 0 colours none. A cell already bad stays bad,
  // and a reserved one is not coloured as checked.
  void mark(uint64_t first, uint64_t end, uint64_t blockBytes, Cell colour);
  Cell at(int index) const { return cells_[static_cast<size_t>(index)].colour; }
  bool painted(int index) const { return cells_[static_cast<size_t>(index)].painted != 0; }
  // Fills every unpainted cell of `area` (client co-ordinates) inside its
  // lines with its colour and flags it; the N + 1 lines of each direction
  // are drawn on the first paint after a reset or a clear of the flags.
  // Answers the number of cells filled.
  int paint(HDC hdc, const Rect& area);

 private:
  struct Slot {
    uint32_t painted;
    Cell colour;
  };
  void set(int index, Cell colour);
  int n_ = 0;
  bool linesDrawn_ = false;
  std::vector<Slot> cells_;
};

// The checked share of a range in percent (0 for an empty range).
int checkPercent(uint64_t start, uint64_t end, uint64_t checkedEnd);

}  // namespace disks
