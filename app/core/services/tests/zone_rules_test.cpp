// Every zone's automatic daylight-saving rule against the rule table the
// recorders of each region use; zones without a row keep no daylight saving.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <map>

#include "app/formatting.h"

namespace {

struct Rule {
  int start[4], end[4], bias;
};

const std::map<int, Rule>& Expected() {
  static const Rule kUs{{3, 2, 0, 2}, {11, 1, 0, 2}, 60};
  static const std::map<int, Rule> rows{
      {3, kUs},  {4, kUs},  {5, kUs}, {6, kUs}, {7, kUs}, {9, kUs},
      {10, {{3, 2, 0, 0}, {11, 1, 0, 0}, 60}}, {13, {{3, 5, 0, 0}, {10, 5, 0, 1}, 60}},
      {14, {{3, 5, 0, 1}, {10, 5, 0, 2}, 60}}, {15, {{3, 5, 0, 2}, {10, 5, 0, 3}, 60}},
      {16, {{3, 5, 0, 3}, {10, 5, 0, 4}, 60}}, {17, {{3, 5, 0, 2}, {10, 5, 0, 3}, 60}},
      {18, {{3, 3, 0, 0}, {9, 3, 2, 0}, 60}},  {29, {{4, 1, 0, 3}, {10, 1, 0, 2}, 60}},
      {30, {{4, 1, 0, 3}, {10, 1, 0, 2}, 60}}, {32, {{4, 1, 0, 3}, {9, 5, 0, 2}, 60}},
  };
  return rows;
}

TEST(ZoneDstRules, EveryZoneHasItsRegionsRuleOrNone) {
  for (int zone = 0; zone < TIME_ZONE_COUNT; ++zone) {
    SCOPED_TRACE(zone);
    ZoneDstRule got;
    std::memset(&got, 0xAB, sizeof got);
    ASSERT_EQ(getZoneDstRule(zone, &got), 0);
    const auto it = Expected().find(zone);
    const Rule want = it == Expected().end() ? Rule{} : it->second;
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(got.start[i], want.start[i]) << "start " << i;
      EXPECT_EQ(got.end[i], want.end[i]) << "end " << i;
    }
    EXPECT_EQ(got.biasMinutes, static_cast<uint32_t>(want.bias));
  }
  ZoneDstRule out{};
  for (int bad : {-1, TIME_ZONE_COUNT, INT_MIN, INT_MAX}) EXPECT_EQ(getZoneDstRule(bad, &out), -1) << bad;
  EXPECT_EQ(getZoneDstRule(15, nullptr), -1);
}

}  // namespace
