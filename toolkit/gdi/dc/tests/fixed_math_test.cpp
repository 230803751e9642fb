#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>

#include "gui/fixed_math.h"

namespace {

constexpr double kTurn = 0x1000000;  // fixed-point angle units per turn

double ToDouble(fixed v) { return v / 65536.0; }

TEST(FixedMathTest, Tables) {
  EXPECT_EQ(_cos_tbl[0], 65536);
  EXPECT_EQ(_cos_tbl[128], 0);
  EXPECT_EQ(_cos_tbl[256], -65536);
  EXPECT_EQ(_tan_tbl[0], 0);
  EXPECT_EQ(_tan_tbl[64], 65536);
  EXPECT_EQ(_tan_tbl[128], -0x7FFFFFFF);
  EXPECT_EQ(_tan_tbl[192], -65536);
  EXPECT_EQ(_acos_tbl[0], 0x800000);
  EXPECT_EQ(_acos_tbl[256], 0x400000);
  EXPECT_EQ(_acos_tbl[512], 0);
}

TEST(FixedMathTest, ArcTangentEdgeValues) {
  EXPECT_EQ(fixatan(0), 0);
  EXPECT_EQ(fixatan(65536), 0x200000);
  EXPECT_EQ(fixatan(-65536), -0x200000);

  errno = 0;
  EXPECT_EQ(fixatan2(0, 0), 0);
  EXPECT_EQ(errno, EDOM);
  errno = EDOM;
  EXPECT_EQ(fixatan2(65536, 0), 0x400000);
  EXPECT_EQ(fixatan2(-65536, 0), -0x400000);
  EXPECT_EQ(fixatan2(0, -65536), 0x800000);
  EXPECT_EQ(errno, 0) << "a valid quotient clears the error";
  EXPECT_EQ(fixatan2(0x7FFFFFFF, 1), 0x400000) << "quotient out of range";
  EXPECT_EQ(fixatan2(-0x7FFFFFFF, 1), -0x400000);
}

TEST(FixedMathTest, ArcTangentFollowsTheQuadrants) {
  for (int deg = -179; deg <= 179; deg += 7) {
    const double rad = deg * M_PI / 180;
    const auto y = static_cast<fixed>(std::sin(rad) * 100 * 65536);
    const auto x = static_cast<fixed>(std::cos(rad) * 100 * 65536);
    const double expected = deg / 360.0 * kTurn;
    // One table step is 1/512 turn.
    EXPECT_NEAR(fixatan2(y, x), expected, kTurn / 512) << deg;
  }
}

TEST(FixedMathTest, SquareRoot) {
  EXPECT_NEAR(fixsqrt(65536), 65536, 32);
  EXPECT_EQ(fixsqrt(0), 0);
  errno = 0;
  EXPECT_EQ(fixsqrt(-1), 0);
  EXPECT_EQ(errno, EDOM);
  for (double v : {0.25, 2.0, 3.0, 10.0, 1000.0, 32767.0}) {
    const auto x = static_cast<fixed>(v * 65536);
    EXPECT_NEAR(ToDouble(fixsqrt(x)), std::sqrt(v), std::sqrt(v) * 0.01 + 0.001) << v;
  }
  EXPECT_GT(fixsqrt(0x7FFFFFFF), 0);
}

TEST(FixedMathTest, Hypotenuse) {
  errno = 0;
  EXPECT_EQ(fixhypot(0x7FFFFFFF, 0x7FFFFFFF), 0x7FFFFFFF);
  EXPECT_EQ(errno, ERANGE);
  EXPECT_EQ(fixhypot(0, 0), 0);
  const double cases[][2] = {{3, 4}, {-5, 12}, {0.5, 0.5}, {300, -400}, {20000, 20000}};
  for (const auto& c : cases) {
    const double h = std::hypot(c[0], c[1]);
    const fixed got = fixhypot(static_cast<fixed>(c[0] * 65536), static_cast<fixed>(c[1] * 65536));
    EXPECT_NEAR(ToDouble(got), h, h * 0.01) << c[0] << "," << c[1];
  }
}

}  // namespace
