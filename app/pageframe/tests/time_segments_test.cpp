// The check of a day's segments against a reference that paints each used
// segment's minutes onto the day and reports a minute painted twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

#include "app/time_segments.h"

namespace {

constexpr int kMinutes = 24 * 60;

int Reference(const std::array<int32_t, 8>& starts, const std::array<int32_t, 8>& ends) {
  for (int i = 0; i < 8; ++i)
    if ((starts[i] != 0 || ends[i] != 0) && starts[i] >= ends[i]) return SEGMENT_ERR_ORDER;
  std::array<int, kMinutes> painted{};
  for (int i = 0; i < 8; ++i) {
    if (starts[i] == 0 && ends[i] == 0) continue;
    for (int m = starts[i]; m < ends[i]; ++m)
      if (++painted[m] > 1) return SEGMENT_ERR_OVERLAP;
  }
  return 0;
}

// Minutes on a coarse grid so that touching and overlapping ends are
// common; about a quarter of the segments unused.
int32_t Minute(std::mt19937& rng) {
  const int32_t m = static_cast<int32_t>(rng() % 25) * 60 + (rng() % 2 ? 0 : 30);
  return std::min(m, kMinutes);  // the boxes stop at 24:00
}

TEST(TimeSegments, RandomDaysAgreeWithTheMinutePaintingReferenceInEitherOrder) {
  std::mt19937 rng(40);
  int seen[4] = {};
  for (int round = 0; round < 20000; ++round) {
    std::array<int32_t, 8> starts{}, ends{};
    for (int i = 0; i < 8; ++i) {
      if (rng() % 4 == 0) continue;
      starts[i] = Minute(rng);
      ends[i] = std::min(kMinutes, starts[i] + static_cast<int32_t>(rng() % 5) * 30);
      if (rng() % 16 == 0) std::swap(starts[i], ends[i]);
    }
    const int want = Reference(starts, ends);
    ASSERT_EQ(checkTimeSegments(8, starts.data(), ends.data()), want) << "round " << round;
    std::reverse(starts.begin(), starts.end());
    std::reverse(ends.begin(), ends.end());
    ASSERT_EQ(checkTimeSegments(8, starts.data(), ends.data()), want) << "reversed round " << round;
    ++seen[-want];
  }
  // Every verdict came up often enough to mean something.
  EXPECT_GT(seen[0], 500);
  EXPECT_GT(seen[2], 500);
  EXPECT_GT(seen[3], 500);
}

TEST(TimeSegments, AnOrderErrorWinsOverAnOverlapAndBadArgumentsPass) {
  const int32_t starts[] = {480, 660, 600}, ends[] = {720, 780, 600};  // overlap first, then 10:00-10:00
  EXPECT_EQ(checkTimeSegments(3, starts, ends), SEGMENT_ERR_ORDER);
  const int32_t whole[] = {0}, wholeEnd[] = {kMinutes};
  EXPECT_EQ(checkTimeSegments(1, whole, wholeEnd), 0);
  EXPECT_EQ(checkTimeSegments(8, nullptr, nullptr), 0);
  EXPECT_EQ(checkTimeSegments(-1, starts, ends), 0);
}

}  // namespace
