#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "gui/fixed_math.h"

namespace {

using Rows = std::map<int, std::set<int>>;  // row -> covered x

void CollectSpan(void* context, int x1, int x2, int y) {
  auto& rows = *static_cast<Rows*>(context);
  for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) rows[y].insert(x);
}

using Points = std::vector<std::pair<int, int>>;

void CollectPoint(void* context, int x, int y) {
  static_cast<Points*>(context)->push_back({x, y});
}

Points Arc(int r, int start, int sweep) {
  Points points;
  CircleArcGenerator(&points, 100, 200, r, start, sweep, CollectPoint);
  return points;
}

// Consecutive points are neighbours, none repeats, all lie near the circle.
void ExpectConnectedOutline(const Points& points, int r) {
  std::set<std::pair<int, int>> seen;
  for (size_t i = 0; i < points.size(); ++i) {
    const int x = points[i].first - 100, y = points[i].second - 200;
    EXPECT_NEAR(std::hypot(x, y), r, 0.75) << i;
    EXPECT_TRUE(seen.insert(points[i]).second) << "repeated point " << x << "," << y;
    if (i > 0) {
      EXPECT_LE(std::abs(points[i].first - points[i - 1].first), 1) << i;
      EXPECT_LE(std::abs(points[i].second - points[i - 1].second), 1) << i;
    }
  }
}

TEST(ShapeGeneratorTest, CircleOfRadiusOne) {
  Rows rows;
  CircleGenerator(&rows, 10, 20, 1, CollectSpan);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[19], std::set<int>({10}));
  EXPECT_EQ(rows[20], std::set<int>({9, 10, 11}));
  EXPECT_EQ(rows[21], std::set<int>({10}));
}

TEST(ShapeGeneratorTest, EllipseWithEqualRadiiCoversTheCircleRows) {
  for (int r : {1, 4, 17, 60}) {
    Rows circle, ellipse;
    CircleGenerator(&circle, 0, 0, r, CollectSpan);
    EllipseGenerator(&ellipse, 0, 0, r, r, CollectSpan);
    std::set<int> circleRows, ellipseRows;
    for (const auto& row : circle) circleRows.insert(row.first);
    for (const auto& row : ellipse) ellipseRows.insert(row.first);
    EXPECT_EQ(circleRows, ellipseRows) << r;
  }
}

TEST(ShapeGeneratorTest, EllipseRowsAreSymmetricAndWithinTheRadii) {
  for (auto [rx, ry] : {std::pair{30, 8}, std::pair{5, 22}, std::pair{0, -3}}) {
    Rows rows;
    EllipseGenerator(&rows, 0, 0, rx, ry, CollectSpan);
    const int ex = std::max(rx, 1), ey = std::max(ry, 1);
    EXPECT_EQ(rows.begin()->first, -ey);
    EXPECT_EQ(rows.rbegin()->first, ey);
    EXPECT_EQ(*rows[0].begin(), -ex);
    for (const auto& [y, xs] : rows) {
      EXPECT_EQ(rows[-y], xs) << "row " << y;
      EXPECT_EQ(*xs.begin(), -*xs.rbegin()) << "row " << y;
    }
  }
}

TEST(ShapeGeneratorTest, ArcEndPoints) {
  EXPECT_EQ(Arc(10, 30 * 64, 0), Points({{109, 195}}));

  const Points quarter = Arc(10, 0, 90 * 64);
  ASSERT_GE(quarter.size(), 10u);
  EXPECT_EQ(quarter.front(), std::make_pair(110, 200));
  EXPECT_EQ(quarter.back(), std::make_pair(100, 190));
  ExpectConnectedOutline(quarter, 10);

  // A negative sweep covers the same arc from its other end.
  const Points back = Arc(10, 90 * 64, -90 * 64);
  EXPECT_EQ(back.front(), std::make_pair(110, 200));
  EXPECT_EQ(back.back(), std::make_pair(100, 190));
}

TEST(ShapeGeneratorTest, LongArcsGoRoundTheCircle) {
  const Points full = Arc(25, 0, 360 * 64);
  ExpectConnectedOutline(full, 25);
  EXPECT_GT(full.size(), 100u);

  const Points most = Arc(25, 45 * 64, 350 * 64);
  ExpectConnectedOutline(most, 25);
  EXPECT_GT(most.size(), full.size() * 9 / 10);
  EXPECT_LT(most.size(), full.size());

  const Points half = Arc(25, 200 * 64, 180 * 64);
  ExpectConnectedOutline(half, 25);
  for (const auto& p : half) EXPECT_GE(p.second, 200 - 9) << "lower half plus 20 degrees";
}

}  // namespace
