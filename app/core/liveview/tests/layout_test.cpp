// The live view's geometry against a model of the grids, on the main
// output's 1024 x 768 and the auxiliary output's 720 x 576.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "app/liveview.h"
#include "app/popup_drag.h"

namespace {

bool operator==(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

struct Screen {
  LiveScreen s;
  const char* name;
};
const Screen kScreens[] = {{{1024, 768, 336, 240}, "1024x768"}, {{720, 576, 232, 192}, "720x576"}};

// Cells of an n x n division of the screen: c/n .. (c + span)/n of each side.
Rect Fraction(const LiveScreen& s, int n, int c, int r, int cspan = 1, int rspan = 1) {
  return Rect{c * s.width / n, r * s.height / n, (c + cspan) * s.width / n, (r + rspan) * s.height / n};
}

// The model: every split as a list of rectangles.
std::vector<Rect> Model(const LiveScreen& s, int split) {
  std::vector<Rect> w;
  const int W = s.width, cw = s.cellW, ch = s.cellH;
  switch (split) {
    case 4:
    case 16: {
      const int n = split == 4 ? 2 : 4;
      for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) w.push_back(Fraction(s, n, c, r));
      break;
    }
    case 8:
      w.push_back(Fraction(s, 4, 0, 0, 3, 3));
      for (int k = 0; k < 3; ++k) w.push_back(Fraction(s, 4, 3, k));
      for (int k = 0; k < 4; ++k) w.push_back(Fraction(s, 4, k, 3));
      break;
    case 9:
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) w.push_back(Rect{c * cw, r * ch, c == 2 ? W : (c + 1) * cw, (r + 1) * ch});
      break;
    case 6:
      w = {Rect{0, 0, 2 * cw, 2 * ch},       Rect{2 * cw, 0, W, ch},          Rect{2 * cw, ch, W, 2 * ch},
           Rect{0, 2 * ch, cw, 3 * ch}, Rect{cw, 2 * ch, 2 * cw, 3 * ch}, Rect{2 * cw, 2 * ch, W, 3 * ch}};
      break;
    default:
      w.push_back(Rect{0, 0, W - 2, s.height});
  }
  return w;
}

// Which window the model's hit grid gives (4 x 4 cells for 8 and 16): the
// last window in row-major order whose cell, borders included, holds the
// point. Splits 6 and 9 hit what is drawn: the last drawn window holding
// the point, none (-1) below them.
int ModelHit(const LiveScreen& s, int split, int x, int y) {
  if (split == 1) return 0;
  if (split == 6 || split == 9) {
    const std::vector<Rect> drawn = Model(s, split);
    int hit = -1;
    for (int i = 0; i < split; ++i)
      if (x >= drawn[i].left && x <= drawn[i].right && y >= drawn[i].top && y <= drawn[i].bottom) hit = i;
    return hit;
  }
  if (split == 4) return (y <= s.height / 2 ? 0 : 2) + (x <= s.width / 2 ? 0 : 1);
  const int n = 4;
  const int cw = s.width / n, ch = s.height / n;
  int cell = -1;
  for (int r = 0; r < n; ++r)
    for (int c = 0; c < n; ++c)
      if (x >= c * cw && x <= (c + 1) * cw && y >= r * ch && y <= (r + 1) * ch) cell = r * n + c;
  // The few pixels past the last whole cell belong to the last column or row.
  if (x >= n * cw) cell = (cell < 0 ? std::min(y / ch, n - 1) * n : cell) / n * n + n - 1;
  if (y >= n * ch) cell = (n - 1) * n + (cell < 0 ? std::min(x / cw, n - 1) : cell % n);
  const int r = cell / n, c = cell % n;
  switch (split) {
    case 16:
      return cell;
    default:  // 8
      return r < 3 ? (c < 3 ? 0 : 1 + r) : 4 + c;
  }
}

TEST(LiveLayout, WindowsOfEverySplitMatchTheModelAndBadIndexesGiveWindowZero) {
  for (const Screen& screen : kScreens)
    for (int split : {1, 4, 6, 8, 9, 16}) {
      const std::vector<Rect> model = Model(screen.s, split);
      ASSERT_EQ(static_cast<int>(model.size()), split) << split;
      for (int i = -1; i <= split; ++i) {
        Rect got{};
        liveWindowRect(&screen.s, split, i, &got);
        const Rect& want = model[i >= 0 && i < split ? i : 0];
        EXPECT_TRUE(got == want) << screen.name << " split " << split << " window " << i;
      }
    }
}

TEST(LiveLayout, PointsMapToWindowsLikeTheModelBordersIncluded) {
  for (const Screen& screen : kScreens)
    for (int split : {1, 4, 6, 8, 9, 16}) {
      int checked = 0;
      for (int y = 0; y < screen.s.height; y += (y % 16 == 0 ? 1 : 7))
        for (int x = 0; x < screen.s.width; x += (x % 16 == 0 ? 1 : 5)) {
          const int want = ModelHit(screen.s, split, x, y), got = liveWindowAtPoint(&screen.s, split, x, y);
          if (want != got) ADD_FAILURE() << screen.name << " split " << split << " at " << x << "," << y;
          if (want != got || ++checked > 1000000) break;
        }
    }
  // Inside each drawn window of every split, a point hits that window.
  for (const Screen& screen : kScreens)
    for (int split : {1, 4, 6, 8, 9, 16}) {
      const std::vector<Rect> drawn = Model(screen.s, split);
      for (int i = 0; i < split; ++i) {
        const Rect& r = drawn[i];
        for (auto [fx, fy] : {std::pair{1, 1}, {2, 2}, {3, 3}, {1, 3}, {3, 1}}) {
          const int x = r.left + (r.right - r.left) * fx / 4, y = r.top + (r.bottom - r.top) * fy / 4;
          EXPECT_EQ(liveWindowAtPoint(&screen.s, split, x, y), i) << screen.name << " split " << split << " at " << x << "," << y;
        }
      }
    }
  // Below the drawn windows of splits 6 and 9 lies none.
  EXPECT_EQ(liveWindowAtPoint(&kScreens[0].s, 9, 500, 760), -1);
  EXPECT_EQ(liveWindowAtPoint(&kScreens[0].s, 6, 100, 730), -1);
  // The middle lines of split 4 belong to the top-left side.
  const LiveScreen& s = kScreens[0].s;
  EXPECT_EQ(liveWindowAtPoint(&s, 4, 512, 100), 0);
  EXPECT_EQ(liveWindowAtPoint(&s, 4, 513, 100), 1);
  EXPECT_EQ(liveWindowAtPoint(&s, 4, 512, 384), 0);
  EXPECT_EQ(liveWindowAtPoint(&s, 4, 512, 385), 2);
}

TEST(LiveLayout, SideMenuGoesBelowAboveOnTheBottomRowAndStaysOnScreen) {
  const LiveScreen& big = kScreens[0].s;
  const LiveScreen& small = kScreens[1].s;
  struct Row {
    const LiveScreen* s;
    int split, index, mw, mh;
    Rect want;
  } rows[] = {
      // Centred under a top window of split 4.
      {&big, 4, 0, 420, 48, {46, 384, 466, 432}},
      // Bottom row: above the window.
      {&big, 4, 3, 420, 48, {558, 336, 978, 384}},
      {&big, 16, 12, 420, 48, {0, 528, 420, 576}},
      // A window narrower than the menu at the left edge starts at 0 ...
      {&big, 16, 0, 420, 48, {0, 192, 420, 240}},
      // ... and at the right edge ends at the screen's width.
      {&big, 16, 3, 420, 48, {604, 192, 1024, 240}},
      {&small, 16, 15, 315, 36, {405, 396, 720, 432}},
      // Split 1: one menu height above the bottom.
      {&big, 1, 0, 420, 48, {301, 672, 721, 720}},
      {&small, 1, 0, 315, 36, {201, 504, 516, 540}},
      // Split 9 on stream cells: bottom row by its row, not by the screen's edge.
      {&big, 9, 7, 420, 48, {294, 432, 714, 480}},
  };
  for (const Row& row : rows) {
    Rect video{}, menu{};
    liveWindowRect(row.s, row.split, row.index, &video);
    liveMenuRect(row.s, row.split, row.index, &video, row.mw, row.mh, &menu);
    EXPECT_TRUE(menu == row.want) << "split " << row.split << " window " << row.index << ": " << menu.left << ","
                                  << menu.top << "," << menu.right << "," << menu.bottom;
  }
}

TEST(LiveLayout, DraggedRectanglesAreClampedBottomRightFirstThenTopLeft) {
  struct Row {
    Rect in, want;
  } rows[] = {
      {{900, 700, 1100, 800}, {824, 668, 1024, 768}},  // past the bottom-right corner
      {{-50, -20, 150, 80}, {0, 0, 200, 100}},         // past the top-left corner
      {{10, 10, 110, 60}, {10, 10, 110, 60}},          // inside
      // Larger than the screen: the top-left corner wins.
      {{-10, 0, 1100, 50}, {0, 0, 1110, 50}},
  };
  for (const Row& row : rows) {
    Rect r = row.in;
    clampRectToScreen(&r, 1024, 768);
    EXPECT_TRUE(r == row.want) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
}

}  // namespace
