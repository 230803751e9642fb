// The edit cache of the alarm pages: an item keeps one entry, a full cache
// takes no further item, and clearing frees every entry.
#include <gtest/gtest.h>

#include <vector>

#include "app/alarmnet/alarms/edit_cache.h"

namespace {

TEST(EditCache, EachItemKeepsOneEntryAndAFullCacheRefusesNewItems) {
  alarms::EditCache<int, 3> cache;
  cache.clear();
  struct Step {
    int code;
    bool taken;
    int value;  // written into the entry when taken
  } steps[] = {{5, true, 50}, {256, true, 2560}, {5, true, 51}, {7, true, 70}, {8, false, 0}, {256, true, 2561}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.code);
    auto* e = cache.take(s.code);
    ASSERT_EQ(e != nullptr, s.taken);
    if (e) e->record = s.value;
  }
  std::vector<std::pair<int, int>> used;
  cache.forEachUsed([&](const auto& e) { used.push_back({static_cast<int>(e.code), e.record}); });
  EXPECT_EQ(used, (std::vector<std::pair<int, int>>{{5, 51}, {256, 2561}, {7, 70}}));
  EXPECT_EQ(cache.find(8), nullptr);
  cache.clear();
  EXPECT_EQ(cache.find(5), nullptr);
  ASSERT_NE(cache.take(8), nullptr);
  EXPECT_NE(cache.find(8), nullptr);
}

}  // namespace
