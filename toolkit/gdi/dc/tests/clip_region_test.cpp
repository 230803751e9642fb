#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "gui/region.h"
#include "region_model.h"

namespace {

using region_test::IsBanded;
using region_test::NodesOf;
using region_test::PixelSet;
using region_test::PixelsOf;

bool SameRect(const Rect& a, const Rect& b) { return EqualRect(&a, &b); }

// Regions on a heap with a small pool, so that large results also take
// blocks from the general heap; the fixture checks every block came back.
class ClipRegionTest : public ::testing::Test {
 protected:
  static constexpr size_t kPoolBlocks = 8;

  void SetUp() override {
    InitBlockDataHeap(&heap_, sizeof(ClipRect), kPoolBlocks);
    for (ClipRgn& r : regions_) InitClipRgn(&r, &heap_);
  }
  void TearDown() override {
    for (ClipRgn& r : regions_) EmptyClipRgn(&r);
    // Once every block is back the hint has returned to the first block;
    // blocks from the general heap are checked by the leak sanitizer.
    EXPECT_EQ(heap_.free_hint, 0u) << "a pool block was not given back";
    DestroyBlockDataHeap(&heap_);
  }

  ClipRgn& A() { return regions_[0]; }
  ClipRgn& B() { return regions_[1]; }
  ClipRgn& D() { return regions_[2]; }

  BlockDataHeap heap_;
  ClipRgn regions_[3];
};

TEST_F(ClipRegionTest, SubtractingTheMiddleLeavesFourNodesInThreeBands) {
  const Rect outer = {0, 0, 10, 10}, hole = {3, 3, 6, 6};
  ASSERT_TRUE(SetClipRgn(&A(), &outer));
  ASSERT_TRUE(SubtractClipRect(&A(), &hole));
  const std::vector<Rect> nodes = NodesOf(A());
  ASSERT_EQ(nodes.size(), 4u);
  EXPECT_TRUE(SameRect(nodes[0], {0, 0, 10, 3}));
  EXPECT_TRUE(SameRect(nodes[1], {0, 3, 3, 6}));
  EXPECT_TRUE(SameRect(nodes[2], {6, 3, 10, 6}));
  EXPECT_TRUE(SameRect(nodes[3], {0, 6, 10, 10}));
  EXPECT_TRUE(IsBanded(A()));
  EXPECT_EQ(A().type, 2u);

  // Filling the hole again coalesces everything into the original node.
  ASSERT_TRUE(AddClipRect(&A(), &hole));
  ASSERT_EQ(NodesOf(A()).size(), 1u);
  EXPECT_TRUE(SameRect(A().head->rc, outer));
}

TEST_F(ClipRegionTest, TouchingRectanglesMergeIntoOneNode) {
  const Rect left = {0, 0, 5, 4}, right = {5, 0, 9, 4}, below = {0, 4, 9, 7};
  ASSERT_TRUE(AddClipRect(&A(), &left));
  EXPECT_EQ(A().type, 1u) << "a copy of the one-rectangle region";
  ASSERT_TRUE(AddClipRect(&A(), &right));
  ASSERT_EQ(NodesOf(A()).size(), 1u);
  ASSERT_TRUE(AddClipRect(&A(), &below));
  ASSERT_EQ(NodesOf(A()).size(), 1u);
  EXPECT_TRUE(SameRect(A().head->rc, {0, 0, 9, 7}));
  EXPECT_TRUE(SameRect(A().rcBound, {0, 0, 9, 7}));
}

TEST_F(ClipRegionTest, EmptyAndInvertedRectanglesAreRefused) {
  const Rect r = {2, 2, 8, 8};
  const Rect empty = {4, 4, 4, 9};
  const Rect inverted = {8, 8, 2, 2};
  EXPECT_FALSE(SetClipRgn(&A(), &empty));
  EXPECT_FALSE(SetClipRgn(&A(), &inverted));
  EXPECT_TRUE(IsEmptyClipRgn(&A()));
  ASSERT_TRUE(SetClipRgn(&A(), &r));
  EXPECT_FALSE(SetClipRgn(&A(), &empty));
  EXPECT_FALSE(AddClipRect(&A(), &inverted));
  EXPECT_FALSE(SubtractClipRect(&A(), &empty));
  const Rect far = {20, 20, 30, 30};
  EXPECT_FALSE(SubtractClipRect(&A(), &far));
  EXPECT_EQ(PixelsOf(A()), PixelsOf(r)) << "refused calls leave the region as it was";

  // Intersecting with an empty or inverted rectangle leaves nothing.
  ASSERT_TRUE(IntersectClipRect(&A(), &inverted));
  EXPECT_TRUE(IsEmptyClipRgn(&A()));
  EXPECT_TRUE(IsBanded(A()));
}

TEST_F(ClipRegionTest, CopyAndIntersectionPreconditions) {
  const Rect r = {0, 0, 5, 5}, s = {5, 0, 9, 5};
  SetClipRgn(&A(), &r);
  SetClipRgn(&B(), &s);
  EXPECT_FALSE(ClipRgnCopy(&A(), &A()));
  ASSERT_TRUE(ClipRgnCopy(&D(), &A()));
  EXPECT_EQ(D().type, 1u);
  EXPECT_TRUE(SameRect(D().rcBound, r));
  // Bounds that only touch do not overlap: the result is empty and false.
  EXPECT_FALSE(ClipRgnIntersect(&D(), &A(), &B()));
  EXPECT_TRUE(IsEmptyClipRgn(&D()));
  EmptyClipRgn(&B());
  EXPECT_FALSE(ClipRgnIntersect(&D(), &A(), &B()));
  EXPECT_TRUE(SubtractRegion(&D(), &A(), &B()));
  EXPECT_EQ(PixelsOf(D()), PixelsOf(r));
}

TEST_F(ClipRegionTest, HitTestsAtEdges) {
  EXPECT_FALSE(PtInRegion(&A(), 0, 0));
  const Rect r1 = {0, 0, 4, 2}, r2 = {6, 0, 9, 2}, r3 = {2, 5, 7, 8};
  AddClipRect(&A(), &r1);
  AddClipRect(&A(), &r2);
  AddClipRect(&A(), &r3);
  EXPECT_TRUE(PtInRegion(&A(), 0, 0));
  EXPECT_TRUE(PtInRegion(&A(), 3, 1));
  EXPECT_FALSE(PtInRegion(&A(), 4, 1)) << "right edge is outside";
  EXPECT_FALSE(PtInRegion(&A(), 3, 2)) << "bottom edge is outside";
  EXPECT_FALSE(PtInRegion(&A(), 3, 3)) << "gap between bands";
  EXPECT_TRUE(PtInRegion(&A(), 6, 7));
  EXPECT_FALSE(PtInRegion(&A(), 6, 8));

  const Rect inGap = {4, 0, 6, 5};
  const Rect touchingRight = {9, 0, 12, 2};
  const Rect acrossSecondBand = {0, 3, 3, 6};
  EXPECT_FALSE(RectInRegion(&A(), &inGap));
  EXPECT_FALSE(RectInRegion(&A(), &touchingRight));
  EXPECT_TRUE(RectInRegion(&A(), &acrossSecondBand));
}

TEST_F(ClipRegionTest, OffsetMovesNodesAndBound) {
  const Rect r = {1, 2, 3, 4};
  OffsetRegion(&A(), 5, 5);
  EXPECT_TRUE(IsBanded(A())) << "an empty region keeps its zero bound";
  SetClipRgn(&A(), &r);
  OffsetRegion(&A(), -4, 10);
  EXPECT_TRUE(SameRect(A().head->rc, {-3, 12, -1, 14}));
  EXPECT_TRUE(SameRect(A().rcBound, {-3, 12, -1, 14}));
}

// Random regions against the pixel model: every operation, every result in
// banded form, through a pool small enough to spill into the general heap.
TEST_F(ClipRegionTest, AlgebraMatchesPixelModel) {
  std::mt19937 rng(20261207);
  std::uniform_int_distribution<int> coord(-6, 30);
  std::uniform_int_distribution<int> count(0, 7);
  auto randomRect = [&] {
    Rect r = {coord(rng), coord(rng), coord(rng), coord(rng)};
    NormalizeRect(&r);
    return r;
  };
  auto randomRegion = [&](ClipRgn* region, PixelSet* model) {
    EmptyClipRgn(region);
    model->clear();
    for (int i = count(rng); i > 0; --i) {
      const Rect r = randomRect();
      const PixelSet px = PixelsOf(r);
      if (rng() % 4 == 0) {
        SubtractClipRect(region, &r);
        for (const auto& p : px) model->erase(p);
      } else {
        AddClipRect(region, &r);
        model->insert(px.begin(), px.end());
      }
      ASSERT_TRUE(IsBanded(*region));
    }
  };
  auto check = [&](const char* op, const PixelSet& expected) {
    ASSERT_TRUE(IsBanded(D())) << op;
    ASSERT_EQ(PixelsOf(D()), expected) << op;
  };

  for (int round = 0; round < 400; ++round) {
    PixelSet a, b;
    randomRegion(&A(), &a);
    randomRegion(&B(), &b);
    ASSERT_EQ(PixelsOf(A()), a);

    PixelSet both, onlyA, onlyB, either = a;
    either.insert(b.begin(), b.end());
    for (const auto& p : a) (b.count(p) ? both : onlyA).insert(p);
    for (const auto& p : b)
      if (!a.count(p)) onlyB.insert(p);
    PixelSet xorSet = onlyA;
    xorSet.insert(onlyB.begin(), onlyB.end());

    ASSERT_TRUE(UnionRegion(&D(), &A(), &B()));
    check("union", either);
    ClipRgnIntersect(&D(), &A(), &B());
    check("intersection", both);
    ASSERT_TRUE(SubtractRegion(&D(), &A(), &B()));
    check("subtraction", onlyA);
    ASSERT_TRUE(XorRegion(&D(), &A(), &B()));
    check("xor", xorSet);

    // The destination may be one of the sources.
    ClipRgnCopy(&D(), &A());
    ASSERT_TRUE(UnionRegion(&D(), &D(), &B()));
    check("union in place", either);
    ClipRgnCopy(&D(), &B());
    ASSERT_TRUE(SubtractRegion(&D(), &A(), &D()));
    check("subtraction in place", onlyA);

    ClipRgnCopy(&D(), &A());
    const Rect clip = randomRect();
    IntersectClipRect(&D(), &clip);
    PixelSet clipped;
    for (const auto& p : PixelsOf(clip))
      if (a.count(p)) clipped.insert(p);
    check("intersect rect", clipped);
    // A one-rectangle region on either side, the result in its place.
    if (SetClipRgn(&D(), &clip)) {
      ClipRgnIntersect(&D(), &A(), &D());
      check("with a rectangle region", clipped);
    }
    if (SetClipRgn(&D(), &clip)) {
      ClipRgnIntersect(&D(), &D(), &A());
      check("a rectangle region with", clipped);
    }

    // A rectangle cut in place leaves the nodes the sweep would build.
    ClipRgnCopy(&D(), &A());
    const Rect cut = randomRect();
    SubtractClipRect(&D(), &cut);
    PixelSet uncut = a;
    for (const auto& p : PixelsOf(cut)) uncut.erase(p);
    check("subtract rect", uncut);
    if (SetClipRgn(&B(), &cut)) {
      ASSERT_TRUE(SubtractRegion(&B(), &A(), &B()));
      ASSERT_EQ(region_test::Describe(D()), region_test::Describe(B())) << "as the sweep builds it";
    }

    const int dx = coord(rng), dy = coord(rng);
    ClipRgnCopy(&D(), &A());
    OffsetRegion(&D(), dx, dy);
    PixelSet moved;
    for (const auto& p : a) moved.insert({p.first + dy, p.second + dx});
    check("offset", moved);

    for (int probe = 0; probe < 20; ++probe) {
      const int x = coord(rng), y = coord(rng);
      ASSERT_EQ(PtInRegion(&A(), x, y) != 0, a.count({y, x}) == 1) << x << "," << y;
      const Rect r = randomRect();
      if (r.left == r.right || r.top == r.bottom) continue;
      bool hit = false;
      for (const auto& p : PixelsOf(r)) hit = hit || a.count(p);
      ASSERT_EQ(RectInRegion(&A(), &r) != 0, hit);
    }
  }
}

TEST(ClipRegionGdiHeap, CreatedRegionsShareTheGdiHeap) {
  ClipRgn* a = CreateClipRgn();
  ClipRgn* b = CreateClipRgn();
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(a->heap, b->heap);
  EXPECT_TRUE(IsEmptyClipRgn(a));
  const Rect r = {0, 0, 3, 3};
  ASSERT_TRUE(SetClipRgn(a, &r));
  DestroyClipRgn(a);
  DestroyClipRgn(b);
  DestroyClipRgn(nullptr);
}

// ---- regions from shapes ----

class ShapeRegionTest : public ClipRegionTest {};

TEST_F(ShapeRegionTest, TinyRadiiGiveOnePixel) {
  ASSERT_TRUE(InitCircleRegion(&A(), 5, 7, 0));
  EXPECT_EQ(PixelsOf(A()), PixelSet({{7, 5}}));
  EXPECT_TRUE(SameRect(A().rcBound, {5, 7, 6, 8}));
  ASSERT_TRUE(InitEllipseRegion(&A(), -2, 3, 10, 0));
  EXPECT_EQ(PixelsOf(A()), PixelSet({{3, -2}}));
}

TEST_F(ShapeRegionTest, CircleIsSymmetricAndBanded) {
  ASSERT_TRUE(InitCircleRegion(&A(), 20, 20, 1));
  EXPECT_EQ(PixelsOf(A()), PixelSet({{19, 20}, {20, 19}, {20, 20}, {20, 21}, {21, 20}}));

  for (int r : {2, 5, 13, 40}) {
    ASSERT_TRUE(InitCircleRegion(&A(), 0, 0, r));
    ASSERT_TRUE(IsBanded(A()));
    const PixelSet px = PixelsOf(A());
    EXPECT_TRUE(SameRect(A().rcBound, {-r, -r, r + 1, r + 1})) << r;
    for (const auto& [y, x] : px) {
      ASSERT_TRUE(px.count({-y, x}) && px.count({y, -x}) && px.count({x, y})) << r;
      ASSERT_LE(x * x + y * y, r * r + r) << "pixel outside the circle";
    }
    // No hole: every pixel well inside the circle is in the region.
    for (int y = -r; y <= r; ++y) {
      for (int x = -r; x <= r; ++x) {
        if (x * x + y * y <= r * r - r) {
          ASSERT_TRUE(px.count({y, x})) << r;
        }
      }
    }
  }
}

TEST_F(ShapeRegionTest, EllipseStaysInsideItsAxes) {
  for (auto [rx, ry] : {std::pair{20, 7}, std::pair{6, 15}, std::pair{9, 9}}) {
    ASSERT_TRUE(InitEllipseRegion(&A(), 3, 4, rx, ry));
    ASSERT_TRUE(IsBanded(A()));
    EXPECT_TRUE(SameRect(A().rcBound, {3 - rx, 4 - ry, 4 + rx, 5 + ry})) << rx << "x" << ry;
    EXPECT_TRUE(PtInRegion(&A(), 3, 4));
    EXPECT_FALSE(PtInRegion(&A(), 3 - rx, 4 - ry)) << "corner of the bounding box";
  }
}

TEST_F(ShapeRegionTest, PolygonRegions) {
  const Point rect[] = {{0, 0}, {10, 0}, {10, 5}, {0, 5}, {0, 0}};
  ASSERT_TRUE(InitPolygonRegion(&A(), rect, 5));
  ASSERT_EQ(NodesOf(A()).size(), 1u);
  EXPECT_TRUE(SameRect(A().head->rc, {0, 0, 11, 5})) << "rows 0 to 4, right edge inclusive";

  // A bow tie is not monotone and goes through the edge table.
  const Point bowTie[] = {{0, 0}, {20, 20}, {20, 0}, {0, 20}};
  ASSERT_TRUE(InitPolygonRegion(&A(), bowTie, 4));
  ASSERT_TRUE(IsBanded(A()));
  EXPECT_TRUE(PtInRegion(&A(), 2, 10 - 8));
  EXPECT_FALSE(PtInRegion(&A(), 10, 3)) << "the notch between the wings";
  EXPECT_TRUE(PtInRegion(&A(), 18, 5));

  ASSERT_TRUE(InitPolygonRegion(&A(), rect, 2));
  EXPECT_TRUE(IsEmptyClipRgn(&A()));
}

}  // namespace
