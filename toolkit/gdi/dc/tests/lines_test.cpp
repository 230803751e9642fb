#include <algorithm>
#include <climits>
#include <cstdint>
#include <set>
#include <vector>

#include "gdi/clipped_spans.h"
#include "gdi/outline_rings.h"
#include "gdi/dc/tests/dc_fixture.h"

namespace {

using dctest::FakeMainWindow;
using dctest::Picture;
using PixelSet = std::set<std::pair<int, int>>;

// The Bresenham loop as it reads: start point excluded.
PixelSet ReferenceLine(int x, int y, int x2, int y2) {
  PixelSet out;
  const int dx = std::abs(x2 - x), dy = std::abs(y2 - y);
  const int sx = x2 > x ? 1 : -1, sy = y2 > y ? 1 : -1;
  if (dx >= dy) {
    int err = dx >> 1;
    while (x != x2) {
      x += sx;
      err += dy;
      if (err >= dx) {
        err -= dx;
        y += sy;
      }
      out.insert({x, y});
    }
  } else {
    int err = dy >> 1;
    while (y != y2) {
      y += sy;
      err += dx;
      if (err >= dy) {
        err -= dy;
        x += sx;
      }
      out.insert({x, y});
    }
  }
  return out;
}

bool InRects(const std::vector<Rect>& rects, int x, int y) {
  for (const Rect& r : rects)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

class Lines : public dctest::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Record(HDC_SCREEN)->penColor = 0x5A5A5A5A & mask();
  }
  PixelSet Changed(const Picture& before) const {
    PixelSet out;
    const Picture now = Shot();
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (now.at(x, y) != before.at(x, y)) out.insert({x, y});
    return out;
  }
};
GUI_DC_ALL_DEPTHS(Lines);

TEST_P(Lines, LineToDrawsTheBresenhamLineWithoutItsStart) {
  Picture before = Shot();
  MoveTo(HDC_SCREEN, 0, 0);
  LineTo(HDC_SCREEN, 5, 2);
  EXPECT_EQ(Changed(before), (PixelSet{{1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}));

  before = Shot();
  MoveTo(HDC_SCREEN, 0, 3);
  LineTo(HDC_SCREEN, 4, 3);
  EXPECT_EQ(Changed(before).size(), 5u) << "a horizontal line covers both ends";
  before = Shot();
  MoveTo(HDC_SCREEN, 30, 0);
  LineTo(HDC_SCREEN, 30, 4);
  EXPECT_EQ(Changed(before), (PixelSet{{30, 0}, {30, 1}, {30, 2}, {30, 3}}));
  EXPECT_EQ(Record(HDC_SCREEN)->penPos.x, 30);
  EXPECT_EQ(Record(HDC_SCREEN)->penPos.y, 4);

  before = Shot();
  const Point zigzag[] = {{40, 40}, {45, 30}, {50, 41}};
  PolyLineTo(HDC_SCREEN, zigzag, 3);
  PixelSet expected = ReferenceLine(40, 40, 45, 30);
  const PixelSet second = ReferenceLine(45, 30, 50, 41);
  expected.insert(second.begin(), second.end());
  EXPECT_EQ(Changed(before), expected);
}

// Lines in every direction through a window whose visible region is three
// rectangles: exactly the unclipped line's pixels inside the region, with
// no gap where the line passes from one rectangle to the next; xor twice
// restores the screen.
TEST_P(Lines, ClippedLinesKeepThePixelsOfTheUnclippedLine) {
  FakeMainWindow main({0, 0, kWidth, kHeight}, {0, 0, kWidth, kHeight});
  const std::vector<Rect> visible = {{0, 0, 20, 10}, {24, 0, 64, 10}, {5, 14, 50, 40}};
  main.clip.Set(visible);
  HDC hdc = GetClientDC(main.handle());
  dctest::Scribble(*screen_, 9);
  const Picture start = Shot();
  const int ends[][4] = {{-5, -3, 70, 20},  {63, 0, 0, 47},  {2, 45, 60, 1},   {10, -8, 30, 60},
                         {45, 50, 20, -10}, {0, 12, 63, 13}, {21, 2, 23, 30},  {1, 1, 62, 9},
                         {33, 47, 34, 0},   {-20, 5, 90, 8}, {19, 9, 24, 0}};
  for (const auto& e : ends) {
    SCOPED_TRACE(testing::Message() << e[0] << "," << e[1] << " -> " << e[2] << "," << e[3]);
    const Picture before = Shot();
    SetRasterOperation(hdc, ROP_XOR);
    Record(hdc)->penColor = 0x5A5A5A5A & mask();
    MoveTo(hdc, e[0], e[1]);
    LineTo(hdc, e[2], e[3]);
    PixelSet expected;
    for (const auto& p : ReferenceLine(e[0], e[1], e[2], e[3]))
      if (InRects(visible, p.first, p.second)) expected.insert(p);
    EXPECT_EQ(Changed(before), expected);
    MoveTo(hdc, e[0], e[1]);
    LineTo(hdc, e[2], e[3]);
    EXPECT_EQ(Shot(), before);
  }
  EXPECT_EQ(Shot(), start);
  ReleaseDC(hdc);
}

TEST(LineClipper, KeepsClippedEndsOnTheIntegerLine) {
  const Rect r{0, 0, 5, 10};
  int x0 = -10, y0 = 5, x1 = 10, y1 = 5;
  ASSERT_TRUE(gui::dc::LineClipper(&r, &x0, &y0, &x1, &y1));
  EXPECT_EQ(x0, 0);
  EXPECT_EQ(x1, 4);
  EXPECT_EQ(y0, 5);
  int vx0 = 2, vy0 = 20, vx1 = 2, vy1 = -3;
  ASSERT_TRUE(gui::dc::LineClipper(&r, &vx0, &vy0, &vx1, &vy1));
  EXPECT_EQ(vy0, 0);
  EXPECT_EQ(vy1, 9);
  int mx0 = -5, my0 = 20, mx1 = 20, my1 = 30;
  EXPECT_FALSE(gui::dc::LineClipper(&r, &mx0, &my0, &mx1, &my1));

  // Over a spread of segments: whenever a pixel of the line lies in the
  // rectangle, the clipper keeps something and both clipped ends are
  // pixels of the line inside the rectangle.
  const Rect box{10, 8, 30, 22};
  for (int a = -5; a < 45; a += 7) {
    for (int b = -3; b < 35; b += 5) {
      const int sx = a, sy = b, ex = 40 - a / 2, ey = 30 - b;
      PixelSet line = ReferenceLine(sx, sy, ex, ey);
      line.insert({sx, sy});
      bool anyInside = false;
      for (const auto& p : line) anyInside |= InRects({box}, p.first, p.second);
      int cx0 = sx, cy0 = sy, cx1 = ex, cy1 = ey;
      const bool kept = gui::dc::LineClipper(&box, &cx0, &cy0, &cx1, &cy1);
      SCOPED_TRACE(testing::Message() << sx << "," << sy << " -> " << ex << "," << ey);
      EXPECT_EQ(kept, anyInside);
      if (!kept) continue;
      EXPECT_TRUE(InRects({box}, cx0, cy0));
      EXPECT_TRUE(InRects({box}, cx1, cy1));
      EXPECT_TRUE(line.count({cx0, cy0}));
      EXPECT_TRUE(line.count({cx1, cy1}));
    }
  }
}

TEST_P(Lines, RectangleOutlines) {
  Picture before = Shot();
  Rectangle(HDC_SCREEN, 9, 9, 0, 0);
  PixelSet expected;
  for (int i = 0; i < 10; ++i) {
    expected.insert({i, 0});
    expected.insert({i, 9});
    expected.insert({0, i});
    expected.insert({9, i});
  }
  EXPECT_EQ(Changed(before), expected);
  EXPECT_EQ(expected.size(), 36u);

  before = Shot();
  Rectangle(HDC_SCREEN, 20, 20, 20, 20);
  EXPECT_TRUE(Changed(before).empty());
  Rectangle(HDC_SCREEN, 20, 20, 29, 20);
  EXPECT_EQ(Changed(before).size(), 10u);
  before = Shot();
  Rectangle(HDC_SCREEN, 40, 20, 40, 29);
  EXPECT_EQ(Changed(before).size(), 10u) << "a one-column outline keeps both end pixels";
}

// The index of the last ring through (x, y), or -1: ring i is the outline
// moved i in on every side with its corners put in order, single points
// left out; the pixel is on it when it lies on one of its four edges.
int64_t LastRingThrough(int x, int y, int64_t l, int64_t t, int64_t r, int64_t b, int64_t count) {
  int64_t last = -1;
  for (int64_t i : {x - l, r - x, y - t, b - y}) {
    if (i < 0 || i >= count || i <= last) continue;
    const int64_t left = std::min(l + i, r - i), right = std::max(l + i, r - i);
    const int64_t top = std::min(t + i, b - i), bottom = std::max(t + i, b - i);
    if (left == right && top == bottom) continue;
    const bool onColumn = (x == left || x == right) && y >= top && y <= bottom;
    const bool onRow = (y == top || y == bottom) && x >= left && x <= right;
    if (onColumn || onRow) last = i;
  }
  return last;
}

// Every pixel the clip lets through shows the band of the last ring through
// it, every other pixel is left alone; the counts and corners go to the
// ends of their ranges, where only the rings that can show may be walked.
TEST_P(Lines, OutlineRingsMatchTheLastRingThroughEachPixel) {
  struct Case {
    int x0, y0, x1, y1;
    std::vector<int64_t> rings;
  };
  const Case cases[] = {
      {2, 3, 40, 30, {2, 3, 1}},
      {10, 10, 20, 14, {8, 5}},  // past the middle and out again
      {50, 40, 5, 2, {3}},
      {-100, -50, 300, 200, {120, 30}},
      {INT_MIN, INT_MIN, INT_MAX, INT_MAX, {INT64_MAX}},
      {5, 5, 15, 9, {INT_MAX, -5, INT64_MAX}},
      {20, 20, 30, 25, {-3, 2, INT64_MIN}},
      {30, 30, 32, 32, {2}},  // the inner ring is one point
      {0, 0, 63, 47, {0, 0}},
  };
  FakeMainWindow main({0, 0, kWidth, kHeight}, {0, 0, kWidth, kHeight});
  const std::vector<Rect> visible = {{0, 0, 64, 4}, {6, 8, 30, 30}, {34, 20, 64, 48}};
  main.clip.Set(visible);
  HDC hdc = GetClientDC(main.handle());
  const GalPixel colours[] = {0x11 & mask(), 0x5A & mask(), 0xC3 & mask()};
  for (const Case& c : cases) {
    dctest::Scribble(*screen_, 7);
    Picture expected = Shot();
    std::vector<gui::dc::OutlineBand> bands;
    std::vector<int64_t> ends;
    int64_t total = 0;
    for (size_t k = 0; k < c.rings.size(); ++k) {
      bands.push_back({c.rings[k], colours[k % 3]});
      total += std::clamp<int64_t>(c.rings[k], 0, INT_MAX);
      ends.push_back(total);
    }
    const int64_t l = std::min(c.x0, c.x1), r = std::max(c.x0, c.x1);
    const int64_t t = std::min(c.y0, c.y1), b = std::max(c.y0, c.y1);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const int64_t i = LastRingThrough(x, y, l, t, r, b, total);
        if (i < 0 || !InRects(visible, x, y)) continue;
        const size_t band = std::upper_bound(ends.begin(), ends.end(), i) - ends.begin();
        expected.at(x, y) = colours[band % 3];
      }
    gui::dc::DrawOutlineRings(hdc, c.x0, c.y0, c.x1, c.y1, bands.data(), static_cast<int>(bands.size()));
    const Picture now = Shot();
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (now.at(x, y) != expected.at(x, y) && ++wrong <= 3)
          ADD_FAILURE() << "(" << c.x0 << "," << c.y0 << ")-(" << c.x1 << "," << c.y1 << ") pixel " << x << ","
                        << y;
    EXPECT_EQ(wrong, 0);
  }
  gui::dc::DrawOutlineRings(hdc, 0, 0, 10, 10, nullptr, 3);
  ReleaseDC(hdc);
}

// A focus rectangle is dotted, drawn with xor, and leaves the DC's raster
// operation and step as they were; drawn twice it restores the screen.
TEST_P(Lines, FocusRectanglesAreDottedAndUndoThemselves) {
  dctest::Scribble(*screen_, 21);
  const Picture start = Shot();
  SetRasterOperation(HDC_SCREEN, ROP_OR);
  FocusRect(HDC_SCREEN, 3, 4, 12, 9);
  const PixelSet dots = Changed(start);
  EXPECT_TRUE(dots.count({4, 4}));
  EXPECT_FALSE(dots.count({5, 4}));
  EXPECT_FALSE(dots.count({3, 5}));
  EXPECT_TRUE(dots.count({3, 6}));
  for (const auto& p : dots) {
    const uint32_t was = start.at(p.first, p.second);
    EXPECT_EQ(screen_->pixel(p.first, p.second), (was ^ Record(HDC_SCREEN)->penColor) & mask());
  }
  FocusRect(HDC_SCREEN, 3, 4, 12, 9);
  EXPECT_EQ(Shot(), start);
  EXPECT_EQ(GetRasterOperation(HDC_SCREEN), ROP_OR);
  EXPECT_EQ(Record(HDC_SCREEN)->step, 1);

  // One point: drawn as one xor pixel on this shallow colour mode.
  Record(HDC_SCREEN)->penColor = 1;
  FocusRect(HDC_SCREEN, 30, 30, 30, 30);
  EXPECT_EQ(Changed(start), (PixelSet{{30, 30}}));
  FocusRect(HDC_SCREEN, 30, 30, 30, 30);
  EXPECT_EQ(Shot(), start);
  EXPECT_EQ(GetRasterOperation(HDC_SCREEN), ROP_OR);
  SetRasterOperation(HDC_SCREEN, ROP_SET);
}

TEST_P(Lines, DottedLinesStartOnEvenColumnsAndLeaveSolidPen) {
  Picture before = Shot();
  DrawHVDotLine(HDC_SCREEN, 3, 5, 8, TRUE);
  EXPECT_EQ(Changed(before), (PixelSet{{4, 5}, {6, 5}, {8, 5}, {10, 5}}));
  before = Shot();
  DrawHVDotLine(HDC_SCREEN, 20, 2, 6, FALSE);
  EXPECT_EQ(Changed(before), (PixelSet{{20, 2}, {20, 4}, {20, 6}}));
  before = Shot();
  DrawHVDotLine(HDC_SCREEN, 31, 20, 1, TRUE);
  EXPECT_TRUE(Changed(before).empty()) << "a single dot shows on even columns only";
  DrawHVDotLine(HDC_SCREEN, 32, 20, 1, TRUE);
  EXPECT_EQ(Changed(before), (PixelSet{{32, 20}}));

  before = Shot();
  Rectangle(HDC_SCREEN, 40, 40, 45, 40);
  EXPECT_EQ(Changed(before).size(), 6u) << "solid after the dots";
}

// Spans against a region of several bands: FindClipBand answers the band
// holding a row (the next one for a row between bands) from any cached
// starting node, and the span routines draw exactly inside the region.
TEST_P(Lines, SpansFollowTheBandsOfTheRegion) {
  FakeMainWindow main({0, 0, kWidth, kHeight}, {0, 0, kWidth, kHeight});
  const std::vector<Rect> visible = {{2, 2, 10, 6}, {14, 2, 30, 6}, {4, 10, 40, 12},
                                     {0, 20, 8, 30}, {12, 20, 20, 30}};
  main.clip.Set(visible);
  HDC hdc = GetClientDC(main.handle());
  DC* dc = Record(hdc);
  ASSERT_NE(gui::dc::CheckAndLockDC(hdc), nullptr);
  for (int from : {0, 45, 25, 3, 11, 7}) {
    dc->curClipBand = nullptr;
    gui::dc::FindClipBand(dc, from);
    for (int y : {2, 5, 6, 9, 10, 11, 12, 19, 20, 29, 1, 30}) {
      const ClipRect* band = gui::dc::FindClipBand(dc, y);
      int expectTop = -1;
      for (const Rect& r : visible)
        if (r.bottom > y && (expectTop < 0 || r.top < expectTop)) expectTop = r.top;
      if (y < 2 || y >= 30) {
        EXPECT_EQ(band, nullptr) << y;
        continue;
      }
      ASSERT_NE(band, nullptr) << y;
      EXPECT_EQ(band->rc.top, expectTop) << from << " " << y;
      EXPECT_TRUE(band->prev == nullptr || band->prev->rc.top != band->rc.top);
    }
  }
  gui::dc::UnlockDCClipInfo(dc);

  const Picture before = Shot();
  dc->penColor = 0x77;
  for (int y = 0; y < 32; ++y) {
    MoveTo(hdc, -3, y);
    LineTo(hdc, 70, y);
  }
  for (int x = 0; x < 42; x += 3) {
    MoveTo(hdc, x, -1);
    LineTo(hdc, x, 40);
  }
  PixelSet expected;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (y < 32 && InRects(visible, x, y)) expected.insert({x, y});
  EXPECT_EQ(Changed(before), expected);
  ReleaseDC(hdc);
}

// A Bezier curve runs from its first to its last control point; under xor
// every joint of its poly-line still shows.
TEST_P(Lines, SplinesJoinTheirEndPoints) {
  const Point controls[4] = {{2, 40}, {10, 2}, {40, 2}, {60, 40}};
  Picture before = Shot();
  SplineTo(HDC_SCREEN, controls);
  const PixelSet solid = Changed(before);
  EXPECT_TRUE(solid.count({60, 40}));
  EXPECT_FALSE(solid.empty());
  int minY = kHeight;
  for (const auto& p : solid) minY = std::min(minY, p.second);
  EXPECT_GE(minY, 10);
  EXPECT_LE(minY, 13);

  dctest::Scribble(*screen_, 3);
  before = Shot();
  SetRasterOperation(HDC_SCREEN, ROP_XOR);
  Record(HDC_SCREEN)->penColor = 0xFF;
  SplineTo(HDC_SCREEN, controls);
  const PixelSet xored = Changed(before);
  EXPECT_TRUE(xored.count({60, 40}));
  for (const auto& p : xored) EXPECT_TRUE(solid.count(p) || p == std::make_pair(2, 40));
  SetRasterOperation(HDC_SCREEN, ROP_SET);
}

}  // namespace
