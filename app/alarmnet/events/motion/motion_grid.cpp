// Cell geometry and editing of the motion grid.
#include "app/alarmnet/events/motion/motion_grid.h"

#include <algorithm>

namespace motion {
namespace {

int roundEven(int v) { return v & ~1; }

int ceilDiv(int64_t a, int64_t b) { return b > 0 ? static_cast<int>((a + b - 1) / b) : 0; }

bool cellSet(const GridRows& cells, int r, int c) { return (cells[r][0] >> c) & 1u; }

}  // namespace

int Grid::usableRows() const { return std::clamp(rows, 0, MOTION_AREA_ROWS); }
int Grid::usableCols() const { return std::clamp(cols, 0, kMaxColumns); }

Rect cellRect(const Grid& g, int row, int col) {
  const int cw = g.cellWidth(), ch = g.cellHeight();
  const int left = g.x + col * cw, top = g.y + row * ch;
  const int width = col == g.cols - 1 ? roundEven(g.w - col * cw - 1) : cw;
  const int height = row == g.rows - 1 ? roundEven(g.h - row * ch - 1) : ch;
  return {left, top, left + width, top + height};
}

bool insideView(const Grid& g, int px, int py) {
  return px >= g.x && px <= g.x + g.w && py >= g.y && py <= g.y + g.h;
}

bool hitsSelected(const Grid& g, const GridRows& cells, int px, int py) {
  for (int r = 0; r < g.usableRows(); ++r)
    for (int c = 0; c < g.usableCols(); ++c) {
      if (!cellSet(cells, r, c)) continue;
      const Rect cell = cellRect(g, r, c);
      if (px >= cell.left && px < cell.right && py >= cell.top && py < cell.bottom) return true;
    }
  return false;
}

bool press(Drag& d, const Grid& g, const GridRows& cells, int px, int py) {
  if (!insideView(g, px, py)) return false;
  d.clearing = hitsSelected(g, cells, px, py);
  d.startX = px;
  d.startY = py;
  d.rect = {px, py, px, py};
  d.active = true;
  return true;
}

bool move(Drag& d, const Grid& g, int px, int py) {
  if (!d.active || !insideView(g, px, py)) return false;
  d.moved = true;
  d.rect = {d.startX, d.startY, px, py};
  // A drag to the edge reaches a last cell wider or taller than the rest.
  if (px > g.x + g.cols * g.cellWidth()) d.rect.right = g.x + g.w;
  if (py > g.y + g.rows * g.cellHeight()) d.rect.bottom = g.y + g.h;
  return px % 2 == 0 && py % 2 == 0;
}

bool release(Drag& d, const Grid& g, GridRows* const* grids, int count) {
  if (!d.active) return false;
  d.active = false;
  const int cw = g.cellWidth(), ch = g.cellHeight();
  if (cw <= 0 || ch <= 0) return true;
  const int left = std::min(d.rect.left, d.rect.right), right = std::max(d.rect.left, d.rect.right);
  const int top = std::min(d.rect.top, d.rect.bottom), bottom = std::max(d.rect.top, d.rect.bottom);
  int c0 = (left - g.x) / cw, c1 = ceilDiv(static_cast<int64_t>(right) - g.x, cw);
  int r0 = (top - g.y) / ch, r1 = ceilDiv(static_cast<int64_t>(bottom) - g.y, ch);
  if (c0 > g.cols - 1) {
    c0 = g.cols - 1;
    c1 = g.cols;
  }
  if (r0 > g.rows - 1) {
    r0 = g.rows - 1;
    r1 = g.rows;
  }
  // The widened last cell can round the end past the grid: cells outside
  // it are not the user's.
  c1 = std::min(c1, g.usableCols());
  r1 = std::min(r1, g.usableRows());
  c0 = std::max(c0, 0);
  r0 = std::max(r0, 0);
  for (int r = r0; r < r1; ++r)
    for (int c = c0; c < c1; ++c)
      for (int i = 0; i < count; ++i) {
        uint32_t& word = (*grids[i])[r][0];
        if (d.clearing)
          word &= ~(1u << c);
        else
          word |= 1u << c;
      }
  return true;
}

void selectAll(const Grid& g, GridRows& cells) {
  for (int r = 0; r < g.usableRows(); ++r) cells[r][0] = kSelectAllMask;
}

void clearAll(const Grid& g, GridRows& cells) {
  const int rows = std::min(std::max(g.rows, kClearRows), MOTION_AREA_ROWS);
  for (int r = 0; r < rows; ++r) cells[r][0] = 0;
}

Rect selectedBounds(const Grid& g, const GridRows& cells) {
  Rect box{0, 0, 0, 0};
  bool any = false;
  for (int r = 0; r < g.usableRows(); ++r)
    for (int c = 0; c < g.usableCols(); ++c) {
      if (!cellSet(cells, r, c)) continue;
      const Rect cell = cellRect(g, r, c);
      if (!any) {
        box = cell;
        any = true;
      } else {
        box = {std::min(box.left, cell.left), std::min(box.top, cell.top), std::max(box.right, cell.right),
               std::max(box.bottom, cell.bottom)};
      }
    }
  if (!any) return box;
  return {roundEven(box.left), roundEven(box.top), roundEven(box.right), roundEven(box.bottom)};
}

}  // namespace motion
