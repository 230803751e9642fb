#include <set>
#include <vector>

#include "gdi/dc/gdi_heap.h"
#include "gdi/dc/tests/dc_fixture.h"
#include "gui/polygon.h"

namespace {

using dctest::FakeMainWindow;
using dctest::Picture;

class PolygonFill : public dctest::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Record(HDC_SCREEN)->brushColor = 0x3C3C3C3C & mask();
  }

  // The pixels that changed, as a picture of 0 and 1.
  std::set<std::pair<int, int>> Changed(const Picture& before) const {
    std::set<std::pair<int, int>> out;
    const Picture now = Shot();
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (now.at(x, y) != before.at(x, y)) out.insert({x, y});
    return out;
  }

  // What the region built from the same polygon holds, within `clip`.
  static std::set<std::pair<int, int>> RegionPixels(const std::vector<Point>& polygon,
                                                    const std::vector<Rect>& clip) {
    ClipRgn region;
    InitClipRgn(&region, gui::GdiClipRectHeap());
    EXPECT_TRUE(InitPolygonRegion(&region, polygon.data(), static_cast<int>(polygon.size())));
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        bool visible = false;
        for (const Rect& r : clip)
          visible |= x >= r.left && x < r.right && y >= r.top && y < r.bottom;
        if (visible && PtInRegion(&region, x, y)) out.insert({x, y});
      }
    EmptyClipRgn(&region);
    return out;
  }
};
GUI_DC_ALL_DEPTHS(PolygonFill);

const std::vector<std::vector<Point>>& Shapes() {
  static const std::vector<std::vector<Point>> shapes = {
      {{0, 0}, {10, 0}, {10, 5}, {0, 5}, {0, 0}},              // monotone rectangle
      {{30, 2}, {50, 20}, {12, 40}, {30, 2}},                  // closed triangle
      {{5, 10}, {25, 14}, {8, 30}},                            // three points
      {{2, 2}, {40, 40}, {40, 2}, {2, 40}},                    // open bow tie: general
      {{10, 5}, {60, 10}, {20, 20}, {55, 30}, {5, 45}, {10, 5}},  // zigzag: general
      {{-10, -5}, {80, 20}, {-3, 60}, {-10, -5}},              // beyond the screen
  };
  return shapes;
}

// Every shape fills exactly what the region made from it holds, through
// either generator, in the brush colour.
TEST_P(PolygonFill, FillsWhatThePolygonRegionHolds) {
  const std::vector<Rect> whole = {{0, 0, kWidth, kHeight}};
  for (const auto& shape : Shapes()) {
    SCOPED_TRACE(testing::Message() << "first point " << shape[0].x << "," << shape[0].y);
    const Picture before = Shot();
    EXPECT_TRUE(FillPolygon(HDC_SCREEN, shape.data(), static_cast<int>(shape.size())));
    const auto changed = Changed(before);
    EXPECT_EQ(changed, RegionPixels(shape, whole));
    for (const auto& p : changed)
      EXPECT_EQ(screen_->pixel(p.first, p.second), Record(HDC_SCREEN)->brushColor);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) screen_->setPixel(x, y, 0);
  }
}

TEST_P(PolygonFill, MonotoneRectangleStopsAboveItsBottomRow) {
  const Point rect[] = {{0, 0}, {10, 0}, {10, 5}, {0, 5}, {0, 0}};
  const Picture before = Shot();
  ASSERT_TRUE(FillPolygon(HDC_SCREEN, rect, 5));
  const auto changed = Changed(before);
  EXPECT_EQ(changed.size(), 5u * 11u);
  EXPECT_TRUE(changed.count({10, 4}));
  EXPECT_FALSE(changed.count({0, 5}));
}

TEST_P(PolygonFill, ClippedWindowsFillOnlyTheirVisibleRegion) {
  FakeMainWindow main({4, 4, 60, 44}, {4, 4, 60, 44});
  const std::vector<Rect> visible = {{4, 4, 30, 20}, {34, 4, 60, 20}, {10, 26, 50, 44}};
  main.clip.Set(visible);
  HDC hdc = GetClientDC(main.handle());
  Record(hdc)->brushColor = 0x11;
  for (const auto& shape : Shapes()) {
    std::vector<Point> onScreen = shape;
    for (Point& p : onScreen) {
      p.x += 4;
      p.y += 4;
    }
    const Picture before = Shot();
    EXPECT_TRUE(FillPolygon(hdc, shape.data(), static_cast<int>(shape.size())));
    EXPECT_EQ(Changed(before), RegionPixels(onScreen, visible));
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) screen_->setPixel(x, y, 0);
  }

  main.record.style &= ~dctest::kVisible;
  const Picture before = Shot();
  EXPECT_TRUE(FillPolygon(hdc, Shapes()[1].data(), 4)) << "a hidden window: true, nothing drawn";
  EXPECT_EQ(Shot(), before);
  ReleaseDC(hdc);
}

TEST_P(PolygonFill, DegenerateInputs) {
  const Point two[] = {{1, 1}, {20, 20}};
  EXPECT_FALSE(FillPolygon(HDC_SCREEN, two, 2));
  EXPECT_FALSE(FillPolygon(HDC_SCREEN, nullptr, 5));
  const Picture before = Shot();
  const Point column[] = {{7, 3}, {7, 9}, {7, 5}};
  EXPECT_TRUE(FillPolygon(HDC_SCREEN, column, 3));
  const Point row[] = {{3, 20}, {9, 20}, {5, 20}};
  EXPECT_TRUE(FillPolygon(HDC_SCREEN, row, 3));
  const auto changed = Changed(before);
  EXPECT_EQ(changed.size(), 6u + 7u) << "column rows 3..8, row columns 3..9";
  EXPECT_TRUE(changed.count({7, 8}));
  EXPECT_TRUE(changed.count({9, 20}));
}

TEST_P(PolygonFill, DottedLinesLeaveNoDotsInLaterFills) {
  DrawHVDotLine(HDC_SCREEN, 1, 1, 10, TRUE);
  const Point rect[] = {{0, 10}, {10, 10}, {10, 12}, {0, 12}, {0, 10}};
  const Picture before = Shot();
  ASSERT_TRUE(FillPolygon(HDC_SCREEN, rect, 5));
  EXPECT_EQ(Changed(before).size(), 2u * 11u);
}

}  // namespace
