// The block grid of the bad-sector check.
#include "app/page_colours.h"
#include "app/record/disks/check_grid.h"

#include "gui/bitmap.h"
#include "gui/dc.h"
#include "gui/gal.h"

namespace disks {
namespace {

constexpr uint64_t kSectorBytes = 512;
constexpr int kMaxCells = 64;

GalPixel pixelOf(HDC hdc, Cell colour) {
  switch (colour) {
    case Cell::kChecked: return SysPixelIndex[SYSPIXEL_GREEN];
    case Cell::kBad: return SysPixelIndex[SYSPIXEL_RED];
    case Cell::kShield: return SysPixelIndex[SYSPIXEL_YELLOW];
    default: return pagePixel(hdc, page_colours::kPageBackground);
  }
}

}  // namespace

void CheckGrid::reset(int n) {
  n_ = n < 1 ? 1 : n > kMaxCells ? kMaxCells : n;
  cells_.assign(static_cast<size_t>(n_) * static_cast<size_t>(n_), Slot{0, Cell::kUnchecked});
  linesDrawn_ = false;
}

void CheckGrid::clearPainted() {
  for (Slot& s : cells_) s.painted = 0;
  linesDrawn_ = false;
}

int CheckGrid::cellOf(uint64_t sector, uint64_t blockBytes) const {
  if (blockBytes == 0 || cells_.empty()) return -1;
  // In 128 bits: a sector number near 2^64 times 512 must not wrap.
  const unsigned __int128 cell = static_cast<unsigned __int128>(sector) * kSectorBytes / blockBytes;
  const uint64_t last = cells_.size() - 1;
  return static_cast<int>(cell > last ? last : static_cast<uint64_t>(cell));
}

void CheckGrid::set(int index, Cell colour) {
  Slot& s = cells_[static_cast<size_t>(index)];
  // A bad block stays bad; the reserved area is not checked.
  if (s.colour == colour || s.colour == Cell::kBad || (s.colour == Cell::kShield && colour == Cell::kChecked)) return;
  s.colour = colour;
  s.painted = 0;
}

// The cells covering the bytes of the sectors, so that a block smaller
// than a sector leaves no cell between two sectors unmarked.
void CheckGrid::mark(uint64_t first, uint64_t end, uint64_t blockBytes, Cell colour) {
  if (end <= first || blockBytes == 0 || cells_.empty()) return;
  const unsigned __int128 last = cells_.size() - 1;
  const unsigned __int128 from = static_cast<unsigned __int128>(first) * kSectorBytes / blockBytes;
  const unsigned __int128 to = (static_cast<unsigned __int128>(end) * kSectorBytes - 1) / blockBytes;
  const int a = static_cast<int>(from > last ? last : from), b = static_cast<int>(to > last ? last : to);
  for (int i = a; i <= b; ++i) set(i, colour);
}

int CheckGrid::paint(HDC hdc, const Rect& area) {
  if (n_ == 0) return 0;
  const int w = (area.right - area.left) / n_, h = (area.bottom - area.top) / n_;
  int filled = 0;
  // Unpainted cells of one colour next to each other in a row are filled
  // as one box: a poll's newly checked cells come in runs.
  for (int row = 0; row < n_; ++row) {
    Slot* line = &cells_[static_cast<size_t>(row) * static_cast<size_t>(n_)];
    for (int col = 0; col < n_;) {
      if (line[col].painted) {
        ++col;
        continue;
      }
      int end = col;
      while (end < n_ && !line[end].painted && line[end].colour == line[col].colour) line[end++].painted = 1;
      SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, static_cast<uint32_t>(pixelOf(hdc, line[col].colour)));
      // Inside the lines, which stay drawn until the next full repaint.
      FillBox(hdc, area.left + col * w + 1, area.top + row * h + 1, (end - col) * w - 1, h - 1);
      filled += end - col;
      col = end;
    }
  }
  if (linesDrawn_) return filled;
  linesDrawn_ = true;
  // The lines as boxes one pixel wide: a box is cheaper than a pen line.
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, static_cast<uint32_t>(SysPixelIndex[page_colours::kChartLine]));
  for (int i = 0; i <= n_; ++i) {
    FillBox(hdc, area.left + i * w, area.top, 1, n_ * h + 1);
    FillBox(hdc, area.left, area.top + i * h, n_ * w + 1, 1);
  }
  return filled;
}

int checkPercent(uint64_t start, uint64_t end, uint64_t checkedEnd) {
  if (end <= start || checkedEnd <= start) return 0;
  const uint64_t done = checkedEnd >= end ? end - start : checkedEnd - start;
  return static_cast<int>(static_cast<unsigned __int128>(done) * 100 / (end - start));
}

}  // namespace disks
