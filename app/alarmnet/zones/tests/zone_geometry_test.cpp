// The zone geometry against a reference model that lists every place an
// edge may stop and picks the nearest allowed one, over random modes,
// points, steps, minimums and views; and the grid conversions by table.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "app/alarmnet/zones/zone_geometry.h"

namespace {

using I64 = int64_t;

// The stops of one axis: whole steps from lo inside the view, and hi.
std::vector<I64> Stops(I64 lo, I64 hi, I64 step) {
  std::vector<I64> out;
  for (I64 p = lo; p <= hi; p += step) out.push_back(p);
  if (out.back() != hi) out.push_back(hi);
  return out;
}

// The stop nearest v among those `allowed` takes (halfway: the larger);
// false when none is allowed.
template <typename Allowed>
bool Nearest(const std::vector<I64>& stops, I64 v, Allowed allowed, I64* out) {
  bool found = false;
  for (I64 p : stops) {
    if (!allowed(p)) continue;
    const I64 d = std::llabs(p - v), best = std::llabs(*out - v);
    if (!found || d < best || (d == best && p > *out)) *out = p, found = true;
  }
  return found;
}

struct Axis {
  I64 lo, hi, step, min;
};
enum Role { kNone, kHigh, kLow, kSpan, kFree };

void ModelAxis(const Axis& ax, Role role, I64 v, I64 offset, I64* a, I64* b) {
  const std::vector<I64> stops = Stops(ax.lo, ax.hi, ax.step);
  I64 na = *a, nb = *b;
  switch (role) {
    case kHigh:
      if (!Nearest(stops, v, [&](I64 p) { return p >= *a + ax.min; }, &nb)) return;
      break;
    case kLow:
      if (!Nearest(stops, v, [&](I64 p) { return p <= *b - ax.min; }, &na)) return;
      break;
    case kSpan: {
      const I64 width = *b - *a;
      if (width > ax.hi - ax.lo) return;
      if (!Nearest(Stops(ax.lo, ax.hi - width, ax.step), v - offset, [](I64) { return true; }, &na)) return;
      nb = na + width;
      break;
    }
    case kFree: {
      const I64 c = std::min(std::max(v, ax.lo), ax.hi);
      if (c > *a && !Nearest(stops, c, [&](I64 p) { return p >= *a + ax.min; }, &nb)) nb = *a;
      if (c < *a && !Nearest(stops, c, [&](I64 p) { return p <= *a - ax.min; }, &nb)) nb = *a;
      if (c == *a) nb = *a;
      break;
    }
    case kNone: return;
  }
  *a = na, *b = nb;
}

constexpr Role kRoles[10][2] = {{kFree, kFree}, {kHigh, kNone}, {kLow, kNone}, {kNone, kHigh}, {kNone, kLow},
                                {kLow, kLow},   {kHigh, kLow},   {kLow, kHigh}, {kHigh, kHigh}, {kSpan, kSpan}};

TEST(ZoneGeometry, DragMatchesTheModelAndKeepsItsPromises) {
  std::mt19937 rng(20261207);
  const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  int changedCount = 0;
  for (int i = 0; i < 40000; ++i) {
    const int mode = pick(0, 9);
    const Axis ax{pick(-60, 300), 0, pick(1, 3) == 1 ? 1 : pick(2, 40), pick(0, 120)};
    const Axis ay{pick(-60, 300), 0, pick(1, 3) == 1 ? 1 : pick(2, 40), pick(0, 120)};
    const Axis vx{ax.lo, ax.lo + pick(0, 400), ax.step, ax.min}, vy{ay.lo, ay.lo + pick(0, 300), ay.step, ay.min};
    Rect r{pick(vx.lo, vx.hi), pick(vy.lo, vy.hi), 0, 0};
    r.right = mode == ZONE_DRAG_NEW ? r.left : pick(r.left, static_cast<int>(vx.hi));
    r.bottom = mode == ZONE_DRAG_NEW ? r.top : pick(r.top, static_cast<int>(vy.hi));
    if (mode == ZONE_DRAG_NEW && pick(0, 1)) r.right = pick(vx.lo, vx.hi), r.bottom = pick(vy.lo, vy.hi);
    const int x = pick(vx.lo - 100, vx.hi + 100), y = pick(vy.lo - 100, vy.hi + 100);
    const int offsets[4] = {pick(0, 200), pick(0, 200), 0, 0};
    I64 ml = r.left, mr = r.right, mt = r.top, mb = r.bottom;
    ModelAxis(vx, kRoles[mode][0], x, offsets[0], &ml, &mr);
    ModelAxis(vy, kRoles[mode][1], y, offsets[1], &mt, &mb);
    Rect got = r;
    const int changed = dragZoneRect(mode, x, y, static_cast<int>(ax.step), static_cast<int>(ay.step),
                                     static_cast<int>(ax.min), static_cast<int>(ay.min), static_cast<int>(vx.lo),
                                     static_cast<int>(vy.lo), static_cast<int>(vx.hi), static_cast<int>(vy.hi),
                                     offsets, &got);
    SCOPED_TRACE(testing::Message() << "case " << i << " mode " << mode);
    ASSERT_EQ((std::vector<I64>{got.left, got.top, got.right, got.bottom}), (std::vector<I64>{ml, mt, mr, mb}));
    const bool differs = got.left != r.left || got.top != r.top || got.right != r.right || got.bottom != r.bottom;
    ASSERT_EQ(changed, differs ? 1 : 0);
    changedCount += changed;
    // What every mode promises: inside the view, and a resized rectangle no
    // smaller than the minimum.
    ASSERT_TRUE(got.left >= vx.lo && got.right <= vx.hi && got.top >= vy.lo && got.bottom <= vy.hi);
    if (mode != ZONE_DRAG_NEW && differs) {
      if (kRoles[mode][0] != kNone && got.right - got.left != r.right - r.left) {
        ASSERT_GE(got.right - got.left, ax.min);
      }
      if (kRoles[mode][1] != kNone && got.bottom - got.top != r.bottom - r.top) {
        ASSERT_GE(got.bottom - got.top, ay.min);
      }
    }
  }
  EXPECT_GT(changedCount, 10000);
}

// Reversed rectangles are ordered first; hostile arguments change nothing
// or stay in the view without wrapping.
TEST(ZoneGeometry, DragArgumentsAreChecked) {
  const int offsets[4] = {0, 0, 0, 0};
  Rect r{10, 10, 50, 50};
  EXPECT_EQ(dragZoneRect(10, 0, 0, 1, 1, 0, 0, 0, 0, 100, 100, offsets, &r), 0);
  EXPECT_EQ(dragZoneRect(-1, 0, 0, 1, 1, 0, 0, 0, 0, 100, 100, offsets, &r), 0);
  EXPECT_EQ(dragZoneRect(1, 0, 0, 1, 1, 0, 0, 0, 0, 100, 100, offsets, nullptr), 0);
  EXPECT_EQ(dragZoneRect(1, 0, 0, 1, 1, 0, 0, 100, 0, 0, 100, offsets, &r), 0);  // reversed view
  EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}), (std::vector<int>{10, 10, 50, 50}));
  EXPECT_EQ(dragZoneRect(ZONE_DRAG_BOTTOMRIGHT, INT_MAX, INT_MAX, 0, -5, -3, INT_MIN, 0, 0, 100, 100, nullptr, &r), 1);
  EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}), (std::vector<int>{10, 10, 100, 100}));
  EXPECT_EQ(dragZoneRect(ZONE_DRAG_MOVE, INT_MIN, INT_MIN, INT_MAX, 1, 0, 0, INT_MIN, INT_MIN, INT_MAX, INT_MAX,
                         offsets, &r),
            1);
  EXPECT_EQ(r.left, INT_MIN);
  EXPECT_EQ(r.right - r.left, 90);
  Rect reversed{60, 60, 20, 20};
  EXPECT_EQ(dragZoneRect(ZONE_DRAG_RIGHT, 60, 30, 1, 1, 0, 0, 0, 0, 100, 100, offsets, &reversed), 1);
  EXPECT_EQ((std::vector<int>{reversed.left, reversed.top, reversed.right, reversed.bottom}),
            (std::vector<int>{20, 20, 60, 60}));
}

// Picture units to view pixels: the capability's corner rectangle, a step
// in pixels (1 without a grid) and sizes rounded up to whole steps.
TEST(ZoneGeometry, GridConversions) {
  const struct {
    ZoneGrid grid;
    int view[4];         // x, y, w, h
    int rect[4];         // the corner rectangle
    int step[2];         // one step in pixels
    int size[2], snapped[2];
  } rows[] = {
      {{704, 576, 0, 0, 704, 576, 0, 0, 1, 1}, {40, 30, 352, 288}, {40, 30, 352, 288}, {1, 1}, {23, 17}, {23, 17}},
      {{704, 576, 64, 48, 640, 528, 0, 0, 16, 16}, {0, 0, 352, 288}, {32, 24, 288, 240}, {8, 8}, {23, 17}, {24, 24}},
      {{704, 576, 0, 0, 0, 0, 0, 0, 3, 0}, {8, 8, 352, 288}, {8, 8, 352, 288}, {1, 1}, {5, 0}, {5, 0}},
      {{0, 0, 0, 0, 0, 0, 0, 0, 16, 16}, {8, 8, 352, 288}, {8, 8, 352, 288}, {1, 1}, {-4, 3}, {0, 3}},
      {{1000, 1000, 0, 0, 1000, 1000, 0, 0, 7, 9}, {0, 0, 100, 100}, {0, 0, 100, 100}, {1, 1}, {3, 3}, {3, 3}},
  };
  for (const auto& row : rows) {
    int x = row.view[0], y = row.view[1], w = row.view[2], h = row.view[3];
    ASSERT_EQ(zoneCellsToRect(row.grid, &x, &y, &w, &h), 0);
    EXPECT_EQ((std::vector<int>{x, y, w, h}), std::vector<int>(row.rect, row.rect + 4));
    const int l = row.view[0], t = row.view[1], r = l + row.view[2], b = t + row.view[3];
    int sx = 0, sy = 0;
    ASSERT_EQ(getZoneMinSize(row.grid, l, t, r, b, &sx, &sy), 0);
    EXPECT_EQ((std::vector<int>{sx, sy}), std::vector<int>(row.step, row.step + 2));
    int sw = row.size[0], sh = row.size[1];
    ASSERT_EQ(snapZoneSize(row.grid, l, t, r, b, &sw, &sh), 0);
    EXPECT_EQ((std::vector<int>{sw, sh}), std::vector<int>(row.snapped, row.snapped + 2));
  }
  int v = 0;
  EXPECT_EQ(zoneCellsToRect(ZoneGrid{}, nullptr, &v, &v, &v), -1);
  EXPECT_EQ(getZoneMinSize(ZoneGrid{}, 0, 0, 1, 1, nullptr, &v), -1);
  EXPECT_EQ(snapZoneSize(ZoneGrid{}, 0, 0, 1, 1, &v, nullptr), -1);
}

}  // namespace
