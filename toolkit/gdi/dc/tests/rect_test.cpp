#include <gtest/gtest.h>

#include "gui/region.h"

namespace {

bool Is(const Rect& r, int l, int t, int rr, int b) {
  return r.left == l && r.top == t && r.right == rr && r.bottom == b;
}

TEST(RectTest, IntersectionAndTouching) {
  const Rect a = {0, 0, 10, 10}, b = {10, 0, 20, 10}, c = {5, 5, 15, 8};
  Rect dst;
  EXPECT_FALSE(IntersectRect(&dst, &a, &b));
  EXPECT_TRUE(Is(dst, 10, 0, 10, 10)) << "written even when empty";
  EXPECT_TRUE(DoesIntersect(&a, &b));
  const Rect corner = {10, 10, 12, 12};
  EXPECT_TRUE(DoesIntersect(&a, &corner));
  const Rect apart = {11, 0, 12, 10};
  EXPECT_FALSE(DoesIntersect(&a, &apart));

  Rect alias = a;
  EXPECT_TRUE(IntersectRect(&alias, &alias, &c));
  EXPECT_TRUE(Is(alias, 5, 5, 10, 8));
  EXPECT_TRUE(IsCovered(&alias, &a));
  EXPECT_FALSE(IsCovered(&a, &alias));
}

TEST(RectTest, EmptinessEqualityAndNormalising) {
  const Rect flat = {3, 4, 3, 9}, inverted = {9, 8, 1, 2};
  EXPECT_TRUE(IsRectEmpty(&flat));
  EXPECT_FALSE(IsRectEmpty(&inverted));
  Rect n = inverted;
  NormalizeRect(&n);
  EXPECT_TRUE(Is(n, 1, 2, 9, 8));
  EXPECT_TRUE(EqualRect(&n, &n));
  EXPECT_FALSE(EqualRect(&n, &inverted));

  Rect bound;
  const Rect other = {-5, 3, 0, 4};
  GetBoundRect(&bound, &inverted, &other);
  EXPECT_TRUE(Is(bound, -5, 2, 9, 8));
}

TEST(RectTest, UnionOnlyWhenTheResultIsARectangle) {
  const Rect top = {0, 0, 10, 5}, below = {0, 5, 10, 9}, gap = {0, 6, 10, 9};
  Rect dst = {1, 1, 1, 1};
  EXPECT_TRUE(UnionRect(&dst, &top, &below));
  EXPECT_TRUE(Is(dst, 0, 0, 10, 9));
  EXPECT_TRUE(UnionRect(&dst, &below, &top)) << "the second above the first";
  EXPECT_TRUE(Is(dst, 0, 0, 10, 9));
  dst = {1, 1, 1, 1};
  EXPECT_FALSE(UnionRect(&dst, &top, &gap));
  EXPECT_TRUE(Is(dst, 1, 1, 1, 1)) << "untouched on failure";

  const Rect left = {0, 0, 4, 5}, right = {2, 0, 8, 5}, shifted = {1, 1, 5, 6};
  EXPECT_TRUE(UnionRect(&dst, &right, &left));
  EXPECT_TRUE(Is(dst, 0, 0, 8, 5));
  EXPECT_FALSE(UnionRect(&dst, &left, &shifted));
}

TEST(RectTest, SubtractionPieces) {
  const Rect a = {0, 0, 10, 10}, hole = {2, 2, 5, 5};
  Rect out[4];
  ASSERT_EQ(SubtractRect(out, &a, &hole), 4);
  EXPECT_TRUE(Is(out[0], 0, 0, 10, 2));
  EXPECT_TRUE(Is(out[1], 0, 5, 10, 10));
  EXPECT_TRUE(Is(out[2], 0, 2, 2, 5));
  EXPECT_TRUE(Is(out[3], 5, 2, 10, 5));

  const Rect all = {-1, -1, 11, 11};
  EXPECT_EQ(SubtractRect(out, &a, &all), 0);
  const Rect leftHalf = {-3, -3, 5, 20};
  ASSERT_EQ(SubtractRect(out, &a, &leftHalf), 1);
  EXPECT_TRUE(Is(out[0], 5, 0, 10, 10));
  const Rect far = {20, 20, 30, 30};
  ASSERT_EQ(SubtractRect(out, &a, &far), 1);
  EXPECT_TRUE(Is(out[0], 0, 0, 10, 10));
}

}  // namespace
