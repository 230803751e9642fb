// The motion grid against a model of cell masks: random presses, drags
// (inside, across and beyond the view) and releases on grids whose last
// column and row are wider than the rest.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <utility>

#include "app/alarmnet/events/motion/motion_grid.h"

namespace {

using motion::Grid;
using motion::GridRows;

// The model's cells: the nominal span of column c is [c*cw, (c+1)*cw)
// from the view's left; the last one reaches the view's right edge (less
// one pixel, rounded down to even) for hit testing.
struct Model {
  Grid g;
  std::set<std::pair<int, int>> on;

  int lastSpan(int size, int index, int step) const { return ((size - index * step - 1) / 2) * 2; }
  bool inCell(int px, int py, int r, int c) const {
    const int cw = g.w / g.cols, ch = g.h / g.rows;
    const int left = g.x + c * cw, top = g.y + r * ch;
    const int width = c == g.cols - 1 ? lastSpan(g.w, c, cw) : cw;
    const int height = r == g.rows - 1 ? lastSpan(g.h, r, ch) : ch;
    return px >= left && px < left + width && py >= top && py < top + height;
  }
  bool hits(int px, int py) const {
    for (const auto& cell : on)
      if (inCell(px, py, cell.first, cell.second)) return true;
    return false;
  }
  // Indexes whose nominal span meets the open range (a, b) from the origin;
  // a start beyond the last span takes the last index alone.
  static std::set<int> span(int a, int b, int step, int count) {
    std::set<int> out;
    if (a >= count * step) {
      out.insert(count - 1);
      return out;
    }
    for (int i = 0; i < count; ++i)
      if (i * step < b && (i + 1) * step > a) out.insert(i);
    return out;
  }
  void apply(int l, int t, int r, int b, bool clearing) {
    const int cw = g.w / g.cols, ch = g.h / g.rows;
    for (int row : span(std::min(t, b) - g.y, std::max(t, b) - g.y, ch, g.rows))
      for (int col : span(std::min(l, r) - g.x, std::max(l, r) - g.x, cw, g.cols)) {
        if (clearing)
          on.erase({row, col});
        else
          on.insert({row, col});
      }
  }
  bool matches(const GridRows& cells) const {
    for (int r = 0; r < MOTION_AREA_ROWS; ++r)
      for (int c = 0; c < 32; ++c)
        if (((cells[r][0] >> c) & 1u) != on.count({r, c})) return false;
    return true;
  }
};

TEST(MotionGrid, PressesAndDragsFollowTheCellModel) {
  const Grid kGrids[] = {{24, 64, 336, 240, 18, 22}, {16, 48, 352, 240, 15, 22}, {0, 0, 700, 576, 18, 22},
                         {8, 8, 704, 480, 15, 22}};
  std::mt19937 random(20261207);
  for (const Grid& g : kGrids) {
    Model model{g, {}};
    GridRows cells{};
    GridRows mirror{};
    GridRows* both[2] = {&cells, &mirror};
    const int cw = g.w / g.cols, ch = g.h / g.rows;
    // Points on cell borders, inside cells, on the view's edges and beyond.
    auto coordinate = [&](int origin, int size, int step, int count) {
      switch (random() % 4) {
        case 0: return origin + static_cast<int>(random() % (count + 1)) * step;
        case 1: return origin + static_cast<int>(random() % (size + 1));
        case 2: return origin + size - static_cast<int>(random() % 3);
        default: return origin + static_cast<int>(random() % (size + 40)) - 20;
      }
    };
    for (int step = 0; step < 3000; ++step) {
      motion::Drag drag;
      const int px = coordinate(g.x, g.w, cw, g.cols), py = coordinate(g.y, g.h, ch, g.rows);
      const bool inside = px >= g.x && px <= g.x + g.w && py >= g.y && py <= g.y + g.h;
      const bool clearing = inside && model.hits(px, py);
      ASSERT_EQ(motion::press(drag, g, cells, px, py), inside);
      int ex = px, ey = py;
      const int moves = static_cast<int>(random() % 3);
      for (int m = 0; m < moves; ++m) {
        const int mx = coordinate(g.x, g.w, cw, g.cols), my = coordinate(g.y, g.h, ch, g.rows);
        motion::move(drag, g, mx, my);
        if (!inside || mx < g.x || mx > g.x + g.w || my < g.y || my > g.y + g.h) continue;
        // A move past the last nominal cell reaches the view's edge.
        ex = mx > g.x + g.cols * cw ? g.x + g.w : mx;
        ey = my > g.y + g.rows * ch ? g.y + g.h : my;
      }
      ASSERT_EQ(motion::release(drag, g, both, 2), inside);
      if (inside) model.apply(px, py, ex, ey, clearing);
      ASSERT_TRUE(model.matches(cells)) << "step " << step << " press " << px << "," << py << " end " << ex << ","
                                        << ey << " on " << g.w << "x" << g.h;
      ASSERT_EQ(std::memcmp(cells, mirror, sizeof cells), 0);
    }
  }
}

// Select all sets exactly 22 columns in the grid's rows; clear all zeroes
// at least 18 rows even on a 15-row grid.
TEST(MotionGrid, SelectAllAndClearAllCoverTheirRows) {
  const Grid ntsc{0, 0, 704, 480, 15, 22};
  GridRows cells{};
  for (auto& row : cells) row[0] = 0xFFFFFFFFu;
  motion::clearAll(ntsc, cells);
  for (int r = 0; r < MOTION_AREA_ROWS; ++r) EXPECT_EQ(cells[r][0], r < 18 ? 0u : 0xFFFFFFFFu) << r;
  GridRows empty{};
  motion::selectAll(ntsc, empty);
  for (int r = 0; r < MOTION_AREA_ROWS; ++r) EXPECT_EQ(empty[r][0], r < 15 ? 0x3FFFFFu : 0u) << r;
}

// The overlay's box covers the selected cells, edges even; nothing
// selected gives an empty box.
TEST(MotionGrid, TheOverlayBoxSurroundsTheSelectedCells) {
  const Grid g{24, 64, 336, 240, 18, 22};
  GridRows cells{};
  EXPECT_EQ(motion::selectedBounds(g, cells).right, 0);
  cells[2][0] = 1u << 3;
  cells[17][0] = 1u << 21;
  const Rect box = motion::selectedBounds(g, cells);
  EXPECT_EQ(box.left, (24 + 3 * 15) & ~1);
  EXPECT_EQ(box.top, 64 + 2 * 13);
  EXPECT_EQ(box.right, (24 + 21 * 15 + ((336 - 21 * 15 - 1) & ~1)) & ~1);
  EXPECT_EQ(box.bottom, (64 + 17 * 13 + ((240 - 17 * 13 - 1) & ~1)) & ~1);
}

}  // namespace
