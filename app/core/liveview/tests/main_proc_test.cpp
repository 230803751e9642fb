// The live view's zoom rectangle against the screen's proportions on both
// screen sizes and both picture heights, and the smart-search grab zones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/liveview.h"

namespace {

bool Same(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Text(const Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

TEST(LiveZoom, HandComputedDragsOnBothScreensAndPictureHeights) {
  struct Row {
    int W, H;
    Rect drag, fitted;
    int pictureH;
    Rect picture;
  } rows[] = {
      // Wider than high: the height follows the width.
      {1024, 768, {800, 600, 900, 650}, {800, 600, 900, 675}, 576, {88, 72, 363, 297}},
      {1024, 768, {800, 600, 900, 650}, {800, 600, 900, 675}, 480, {88, 60, 363, 247}},
      // Dragged up and left: normalised first.
      {1024, 768, {900, 650, 800, 600}, {800, 600, 900, 675}, 576, {88, 72, 363, 297}},
      // A click in the corner: the minimum height, moved back onto the screen.
      {1024, 768, {1010, 760, 1012, 762}, {960, 720, 1024, 768}, 576, {528, 432, 704, 576}},
      // Higher than wide on the small screen.
      {720, 576, {600, 450, 610, 500}, {600, 450, 662, 500}, 576, {234, 72, 476, 272}},
      {720, 576, {600, 450, 610, 500}, {600, 450, 662, 500}, 480, {234, 60, 476, 226}},
  };
  for (const Row& row : rows) {
    Rect fitted{}, picture{};
    fitLiveZoomRect(&row.drag, row.W, row.H, &fitted);
    EXPECT_TRUE(Same(fitted, row.fitted)) << Text(row.drag) << " -> " << Text(fitted);
    liveZoomToPicture(&fitted, row.W, row.H, row.pictureH, &picture);
    EXPECT_TRUE(Same(picture, row.picture)) << Text(fitted) << " -> " << Text(picture);
  }
}

// Every drag inside the overview: the screen's proportions, at least the
// minimum size, inside the overview, and inside the picture.
TEST(LiveZoom, EveryDragKeepsTheProportionsTheMinimumAndTheOverview) {
  struct Screen {
    int W, H;
  } screens[] = {{1024, 768}, {720, 576}};
  for (const Screen& s : screens)
    for (int pictureH : {480, 576}) {
      const int left = 3 * s.W / 4, top = 3 * s.H / 4;
      int checked = 0;
      for (int x0 = left; x0 < s.W; x0 += 13)
        for (int y0 = top; y0 < s.H; y0 += 11)
          for (int x1 = left; x1 < s.W; x1 += 17)
            for (int y1 = top; y1 < s.H; y1 += 19) {
              const Rect drag{x0, y0, x1, y1};
              // The side that leads: the height of a drag not wider than
              // high, else the width; it keeps its length or the minimum.
              const bool tall = std::abs(x1 - x0) <= std::abs(y1 - y0);
              auto leading = [tall](int w, int h) { return tall ? h : w; };
              Rect f{}, p{};
              fitLiveZoomRect(&drag, s.W, s.H, &f);
              const int w = f.right - f.left, h = f.bottom - f.top;
              const bool ok = f.left >= left && f.top >= top && f.right <= s.W && f.bottom <= s.H &&
                              w >= s.W / 16 && h >= s.H / 16 - 1 && std::abs(w * s.H - h * s.W) < s.W &&
                              leading(w, h) == std::max(leading(std::abs(x1 - x0), std::abs(y1 - y0)),
                                                        leading(s.W / 16, s.H / 16));
              liveZoomToPicture(&f, s.W, s.H, pictureH, &p);
              const bool inPicture = p.left >= 0 && p.top >= 0 && p.right <= 704 && p.bottom <= pictureH;
              if (!ok || !inPicture) {
                ADD_FAILURE() << s.W << "x" << s.H << " drag " << Text(drag) << " -> " << Text(f) << " -> "
                              << Text(p);
                return;
              }
              ++checked;
            }
      EXPECT_GT(checked, 1000);
    }
}

TEST(SmartSearchGrab, EdgesAndCornersWithinReachCornersFirst) {
  const Rect r{100, 100, 300, 200};
  struct Row {
    int x, y, grab;
  } rows[] = {
      {300, 150, 1}, {296, 150, 1}, {100, 150, 2}, {200, 200, 3}, {200, 95, 4},  // edges
      {102, 98, 5},  {298, 103, 6}, {100, 200, 7}, {305, 205, 8},               // corners
      {200, 150, 0}, {306, 150, 0}, {300, 220, 0}, {50, 150, 0},                // inside, too far
  };
  for (const Row& row : rows) EXPECT_EQ(smartGrabAt(&r, row.x, row.y, 5), row.grab) << row.x << "," << row.y;
  // A rectangle stored dragged up and left grabs the same way.
  const Rect flipped{300, 200, 100, 100};
  EXPECT_EQ(smartGrabAt(&flipped, 300, 150, 5), 1);
}

}  // namespace
