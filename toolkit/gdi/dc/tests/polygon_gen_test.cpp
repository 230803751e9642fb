#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <map>
#include <set>
#include <vector>

#include "gdi/dc/polygon_rows.h"
#include "gui/polygon.h"

namespace {

using Rows = std::map<int, std::set<int>>;

void CollectSpan(void* context, int x1, int x2, int y) {
  auto& rows = *static_cast<Rows*>(context);
  for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) rows[y].insert(x);
}

TEST(PolygonGeneratorTest, MonotoneClassification) {
  const Point triangle[] = {{0, 0}, {10, 10}, {0, 10}, {0, 0}};
  EXPECT_TRUE(PolygonIsMonotoneVertical(triangle, 4));
  EXPECT_TRUE(PolygonIsMonotoneVertical(triangle, 3));
  const Point open[] = {{0, 0}, {10, 10}, {0, 10}, {-5, 3}};
  EXPECT_FALSE(PolygonIsMonotoneVertical(open, 4));
  const Point zigzag[] = {{0, 0}, {10, 10}, {5, 5}, {10, 20}, {0, 20}, {0, 0}};
  EXPECT_FALSE(PolygonIsMonotoneVertical(zigzag, 6));
  const Point flat[] = {{0, 0}, {10, 0}, {20, 0}, {0, 0}};
  EXPECT_TRUE(PolygonIsMonotoneVertical(flat, 4));
}

TEST(PolygonGeneratorTest, MonotoneRectangleLeavesOutTheBottomRow) {
  const Point rect[] = {{0, 0}, {10, 0}, {10, 5}, {0, 5}, {0, 0}};
  Rows rows;
  ASSERT_TRUE(MonotoneVerticalPolygonGenerator(&rows, rect, 5, CollectSpan));
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows.begin()->first, 0);
  EXPECT_EQ(rows.rbegin()->first, 4);
  for (const auto& row : rows) EXPECT_EQ(row.second.size(), 11u);
}

TEST(PolygonGeneratorTest, GeneratorsAgreeOnConvexShapes) {
  const std::vector<std::vector<Point>> shapes = {
      {{0, 0}, {30, 5}, {12, 40}, {0, 0}},
      {{5, -10}, {25, 0}, {25, 20}, {5, 30}, {-15, 10}, {5, -10}},
      {{0, 0}, {100, 3}, {0, 7}, {0, 0}},
  };
  for (const auto& shape : shapes) {
    const int n = static_cast<int>(shape.size());
    ASSERT_TRUE(PolygonIsMonotoneVertical(shape.data(), n));
    Rows monotone, general;
    ASSERT_TRUE(MonotoneVerticalPolygonGenerator(&monotone, shape.data(), n, CollectSpan));
    ASSERT_TRUE(PolygonGenerator(&general, shape.data(), n, CollectSpan));
    ASSERT_FALSE(general.empty());
    // The monotone generator takes each edge's x at the top of the row,
    // the general one the edge's whole extent within the row, so its runs
    // hold the monotone ones (give or take a rounded pixel).
    EXPECT_EQ(monotone.begin()->first, general.begin()->first);
    EXPECT_EQ(monotone.size(), general.size());
    for (const auto& [y, xs] : general) {
      ASSERT_TRUE(monotone.count(y)) << y;
      const auto& m = monotone[y];
      EXPECT_LE(*xs.begin(), *m.begin() + 1) << y;
      EXPECT_GE(*xs.rbegin(), *m.rbegin() - 1) << y;
    }
  }
}

TEST(PolygonGeneratorTest, GeneralGeneratorFillsByEvenOdd) {
  // Two wings of a bow tie meet at the centre; each row has two runs away
  // from the crossing.
  const Point bowTie[] = {{0, 0}, {20, 20}, {20, 0}, {0, 20}};
  Rows rows;
  ASSERT_TRUE(PolygonGenerator(&rows, bowTie, 4, CollectSpan));
  ASSERT_TRUE(rows.count(3));
  EXPECT_TRUE(rows[3].count(1));
  EXPECT_TRUE(rows[3].count(19));
  EXPECT_FALSE(rows[3].count(10));
  EXPECT_FALSE(rows.count(20)) << "the bottom row is not reported";

  // Too tall for a row buffer: refused, nothing reported.
  const Point tall[] = {{0, INT32_MIN}, {5, INT32_MAX}, {0, INT32_MAX}};
  Rows tallRows;
  EXPECT_FALSE(MonotoneVerticalPolygonGenerator(&tallRows, tall, 3, CollectSpan));
  EXPECT_TRUE(tallRows.empty());

  Rows none;
  const Point line[] = {{0, 5}, {10, 5}, {20, 5}};
  ASSERT_TRUE(PolygonGenerator(&none, line, 3, CollectSpan));
  EXPECT_TRUE(none.empty());
}

}  // namespace

namespace {

using Spans = std::vector<std::array<int, 3>>;

void RecordSpan(void* context, int x1, int x2, int y) { static_cast<Spans*>(context)->push_back({x1, x2, y}); }

// The band generators report exactly the spans, in order, that the whole
// walk reports on those rows: random polygons (closed ones for the
// monotone generator, self-crossing ones for the general one) in random
// bands, including bands above, below and across the polygon.
TEST(PolygonGeneratorTest, RowBandsReportWhatTheWholeWalkReportsThere) {
  std::mt19937 random(12);
  auto coordinate = [&random](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  for (int round = 0; round < 6000; ++round) {
    std::vector<Point> shape(coordinate(3, 9));
    const int reach = round % 3 ? 12 : 160;  // small ones share edge crossings often
    for (Point& p : shape) p = Point{coordinate(-reach / 3, reach), coordinate(-reach / 3, reach)};
    if (round % 2) shape.push_back(shape.front());
    const int n = static_cast<int>(shape.size());
    const bool monotone = PolygonIsMonotoneVertical(shape.data(), n);
    int first = coordinate(-reach / 2, reach + 10), last = coordinate(-reach / 2, reach + 10);
    if (first > last) std::swap(first, last);
    Spans whole, band;
    if (monotone) {
      ASSERT_TRUE(MonotoneVerticalPolygonGenerator(&whole, shape.data(), n, RecordSpan));
      ASSERT_TRUE(gui::dc::MonotonePolygonRows(&band, shape.data(), n, RecordSpan, first, last));
    } else {
      ASSERT_TRUE(PolygonGenerator(&whole, shape.data(), n, RecordSpan));
      ASSERT_TRUE(gui::dc::PolygonRows(&band, shape.data(), n, RecordSpan, first, last));
    }
    Spans expected;
    for (const auto& span : whole)
      if (span[2] >= first && span[2] <= last) expected.push_back(span);
    ASSERT_EQ(band, expected) << "round " << round << " rows " << first << ".." << last;
  }
}

// Rows far outside the band are neither walked nor buffered.
TEST(PolygonGeneratorTest, HugePolygonsCostOnlyTheirRowsInTheBand) {
  const Point tall[] = {{0, -1000000000}, {500, 1000000000}, {-500, 1000000000}, {0, -1000000000}};
  Spans band;
  ASSERT_TRUE(gui::dc::MonotonePolygonRows(&band, tall, 4, RecordSpan, 0, 9));
  ASSERT_TRUE(gui::dc::PolygonRows(&band, tall, 3, RecordSpan, 0, 9));
  EXPECT_EQ(band.size(), 20u);
}

}  // namespace
