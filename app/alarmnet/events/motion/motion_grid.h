// The motion page's cell grid over the live picture: where each cell lies
// (the last column and row take what the division leaves), and what a
// press, a drag and a release do to the row masks.
#pragma once

#include <cstdint>

#include "app/device_records.h"
#include "gui/common.h"

namespace motion {

constexpr int kMaxColumns = 32;  // one u32 per row
constexpr uint32_t kSelectAllMask = 0x3FFFFF;  // 22 columns
constexpr int kClearRows = 18;            // clear all zeroes at least these

using GridRows = uint32_t[MOTION_AREA_ROWS][3];

struct Grid {
  int x = 0, y = 0, w = 0, h = 0;  // the view on the page
  int rows = 0, cols = 0;
  int cellWidth() const { return cols > 0 ? w / cols : 0; }
  int cellHeight() const { return rows > 0 ? h / rows : 0; }
  // Rows and columns a mask can hold.
  int usableRows() const;
  int usableCols() const;
};

// Cell (r, c), right and bottom exclusive; the last column and row are
// widened to the view's edge (less one pixel, rounded down to even).
Rect cellRect(const Grid& g, int row, int col);
// Borders included.
bool insideView(const Grid& g, int px, int py);
// Whether the point lies in a selected cell.
bool hitsSelected(const Grid& g, const GridRows& cells, int px, int py);

struct Drag {
  bool active = false;
  bool clearing = false;
  bool moved = false;
  int startX = 0, startY = 0;
  Rect rect{};  // left, top, right, bottom as dragged (not ordered)
};

// Press: starts a drag inside the view; false outside.
bool press(Drag& d, const Grid& g, const GridRows& cells, int px, int py);
// Move while dragging inside the view; true when the view should repaint
// (both coordinates even).
bool move(Drag& d, const Grid& g, int px, int py);
// Release: sets (or clears) the cells the rectangle covers in every grid
// given; false when no drag was active.
bool release(Drag& d, const Grid& g, GridRows* const* grids, int count);
void selectAll(const Grid& g, GridRows& cells);
void clearAll(const Grid& g, GridRows& cells);
// The box around every selected cell, edges rounded down to even; empty
// when no cell is selected.
Rect selectedBounds(const Grid& g, const GridRows& cells);

}  // namespace motion
