// Cell-grid editing: a press on a selected cell clears, elsewhere sets, every
// cell the dragged rectangle touches; the last row and column reach the
// view's edge.
#include "app/alarmnet/zones/cell_grid.h"

#include <algorithm>

#include "app/alarmnet/zones/zone_area.h"
#include "app/page_frame.h"
#include "gui/bitmap.h"
#include "gui/dc.h"
#include "gui/gal.h"
#include "gui/message.h"
#include "gui/paint.h"

namespace zones {
namespace {

constexpr int kMaxCols = 32;         // one word per row
constexpr uint32_t kAllCells = 0x3FFFFF;  // the 22 columns of a full row
constexpr int kClearedRows = 18;     // clearing always reaches the 18 rows of the tallest grid

int ceilDiv(int a, int b) { return (a + b - 1) / b; }

}  // namespace

CellGrid::CellGrid(const CellGridSetup& setup) : s_(setup) {
  s_.rows = std::clamp(s_.rows, 1, MOTION_AREA_ROWS);
  s_.cols = std::clamp(s_.cols, 1, kMaxCols);
}

void CellGrid::load(const uint32_t* area) {
  for (int r = 0; r < MOTION_AREA_ROWS; ++r) rows_[r] = area ? area[r * 3] : 0;
  drag_ = Rect{};
  dragging_ = false;
  if (s_.page != GUI_INVALID_HANDLE) InvalidateRect(s_.page, &s_.view, FALSE);
}

void CellGrid::store(uint32_t* area) const {
  if (!area) return;
  for (int r = 0; r < MOTION_AREA_ROWS; ++r) area[r * 3] = rows_[r];
}

int CellGrid::cellWidth() const { return std::max(1, static_cast<int>(s_.view.right - s_.view.left) / s_.cols); }
int CellGrid::cellHeight() const { return std::max(1, static_cast<int>(s_.view.bottom - s_.view.top) / s_.rows); }

// The last column and row take what is left of the view, rounded down to
// an even size.
Rect CellGrid::cell(int r, int c) const {
  const int cw = cellWidth(), ch = cellHeight();
  const int w = s_.view.right - s_.view.left, h = s_.view.bottom - s_.view.top;
  const int x = s_.view.left + c * cw, y = s_.view.top + r * ch;
  const int width = c == s_.cols - 1 ? (w - c * cw - 1) & ~1 : cw;
  const int height = r == s_.rows - 1 ? (h - r * ch - 1) & ~1 : ch;
  return Rect{x, y, x + width, y + height};
}

bool CellGrid::inView(int x, int y) const { return inArea(s_.view, x, y); }

bool CellGrid::onSelectedCell(int x, int y) const {
  for (int r = 0; r < s_.rows; ++r)
    for (int c = 0; c < s_.cols; ++c) {
      if (!((rows_[r] >> c) & 1u)) continue;
      const Rect k = cell(r, c);
      if (x >= k.left && x < k.right && y >= k.top && y < k.bottom) return true;
    }
  return false;
}

bool CellGrid::onMouse(int message, int x, int y) { return routeAreaMouse(*this, message, x, y); }

void CellGrid::press(int x, int y) {
  clearing_ = onSelectedCell(x, y);
  start_ = Point{x, y};
  drag_ = Rect{x, y, x, y};
  dragging_ = true;
}

bool CellGrid::move(int x, int y) {
  if (!dragging_ || !inView(x, y)) return false;
  drag_ = Rect{start_.x, start_.y, x, y};
  // A drag to the edge reaches a last cell wider or taller than the rest.
  if (x > s_.view.left + s_.cols * cellWidth()) drag_.right = s_.view.right;
  if (y > s_.view.top + s_.rows * cellHeight()) drag_.bottom = s_.view.bottom;
  if (x % 2 == 0 && y % 2 == 0) InvalidateRect(s_.page, &s_.view, FALSE);
  return true;
}

void CellGrid::release() {
  dragging_ = false;
  const int left = std::min(drag_.left, drag_.right) - s_.view.left, right = std::max(drag_.left, drag_.right) - s_.view.left;
  const int top = std::min(drag_.top, drag_.bottom) - s_.view.top, bottom = std::max(drag_.top, drag_.bottom) - s_.view.top;
  const int cw = cellWidth(), ch = cellHeight();
  int c0 = left / cw, c1 = ceilDiv(right, cw), r0 = top / ch, r1 = ceilDiv(bottom, ch);
  if (c0 > s_.cols - 1) c0 = s_.cols - 1, c1 = s_.cols;
  if (r0 > s_.rows - 1) r0 = s_.rows - 1, r1 = s_.rows;
  // A view not divisible by the cells would reach past the last column.
  c1 = std::min(c1, s_.cols);
  r1 = std::min(r1, s_.rows);
  for (int r = std::max(r0, 0); r < r1; ++r)
    for (int c = std::max(c0, 0); c < c1; ++c) {
      if (clearing_)
        rows_[r] &= ~(1u << c);
      else
        rows_[r] |= 1u << c;
    }
  changed(false);
}

void CellGrid::selectAll() {
  for (int r = 0; r < s_.rows; ++r) rows_[r] = kAllCells;
  changed(false);
}

void CellGrid::clearAll() {
  for (int r = 0; r < std::max(s_.rows, kClearedRows); ++r) rows_[r] = 0;
  changed(true);
}

void CellGrid::changed(bool erase) {
  drag_ = Rect{};
  dragging_ = false;
  markAreaChanged(s_.page, s_.view, erase);
}

void CellGrid::paint(HDC hdc) const {
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, SysPixelIndex[SYSPIXEL_RED]);
  for (int r = 0; r < s_.rows; ++r)
    for (int c = 0; c < s_.cols; ++c) {
      if (!((rows_[r] >> c) & 1u)) continue;
      const Rect k = cell(r, c);
      if (k.right <= s_.view.left || k.left >= s_.view.right || k.bottom <= s_.view.top || k.top >= s_.view.bottom) continue;
      Rectangle(hdc, k.left, k.top, k.right, k.bottom);
    }
  if (!dragging_) return;
  const int l = std::max(std::min(drag_.left, drag_.right), s_.view.left);
  const int r = std::min(std::max(drag_.left, drag_.right), s_.view.right);
  const int t = std::max(std::min(drag_.top, drag_.bottom), s_.view.top);
  const int b = std::min(std::max(drag_.top, drag_.bottom), s_.view.bottom);
  if (r <= l || b <= t) return;
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, SysPixelIndex[SYSPIXEL_GREEN]);
  FillBox(hdc, l, t, r - l, b - t);
}

}  // namespace zones
