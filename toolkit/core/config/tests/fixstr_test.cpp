#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/config/fixstr_layout.h"
#include "gui/fixstr.h"

namespace {

using fixstr::SlotIsFree;
using fixstr::ZoneOf;

class FixStrHeapTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(InitFixStr()); }
  void TearDown() override { TermFixStr(); }
};

TEST_F(FixStrHeapTest, EmptyStringIsSharedAndNeverFreed) {
  char* first = FixStrAlloc(0);
  char* second = FixStrAlloc(0);
  EXPECT_EQ(first, second);
  EXPECT_EQ(first[0], '\0');
  FreeFixStr(first);
  EXPECT_EQ(FixStrAlloc(0), first);
  EXPECT_EQ(FixStrAlloc(-1), nullptr);
}

TEST_F(FixStrHeapTest, LengthPicksTheZoneOfTheSmallestFittingSlot) {
  struct Case {
    int len;
    int zone;
  } cases[] = {{1, 9}, {2, 9}, {3, 9}, {4, 8}, {7, 8}, {8, 7}, {15, 7}, {16, 6},
               {255, 3}, {256, 2}, {1023, 1}, {1024, 0}, {2047, 0}, {2048, -1}, {5000, -1}};
  for (const Case& c : cases) {
    char* s = FixStrAlloc(c.len);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(ZoneOf(s), c.zone) << "len " << c.len;
    std::memset(s, 'x', static_cast<size_t>(c.len));  // room for len + 1 bytes
    s[c.len] = '\0';
    FreeFixStr(s);
  }
}

TEST_F(FixStrHeapTest, SlotsAreTakenInBitmapOrderAndFreedSlotsReused) {
  std::vector<char*> big;
  for (int i = 0; i < 9; ++i) big.push_back(FixStrAlloc(1500));
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(ZoneOf(big[i]), 0);
    EXPECT_EQ(big[i], big[0] + i * 2048) << "slot " << i;
  }
  EXPECT_EQ(ZoneOf(big[8]), -1) << "a full zone falls back to the general heap";

  char* third = big[2];
  FreeFixStr(third);
  EXPECT_TRUE(SlotIsFree(third));
  big[2] = FixStrAlloc(1500);
  EXPECT_EQ(big[2], third);
  for (char* s : big) FreeFixStr(s);
  EXPECT_TRUE(SlotIsFree(big[0]));
}

TEST_F(FixStrHeapTest, SmallestZoneHoldsExactly4096Strings) {
  std::vector<char*> all;
  for (int i = 0; i < fixstr::ZoneSlotCount(9); ++i) {
    all.push_back(FixStrAlloc(3));
    ASSERT_EQ(ZoneOf(all.back()), 9) << i;
  }
  char* overflow = FixStrAlloc(3);
  EXPECT_EQ(ZoneOf(overflow), -1);
  FreeFixStr(overflow);
  FreeFixStr(all[100]);
  EXPECT_EQ(FixStrAlloc(1), all[100]);
  for (char* s : all) FreeFixStr(s);
}

TEST_F(FixStrHeapTest, FreeDecidesByAddressNotByFirstByte) {
  // An emptied string still owns its slot; it must come back.
  char* s = FixStrAlloc(10);
  s[0] = '\0';
  FreeFixStr(s);
  EXPECT_TRUE(SlotIsFree(s));

  // A general-heap string whose first byte is 0 is freed, not leaked (the
  // leak checker of the sanitizer build sees it otherwise).
  char* large = FixStrAlloc(4000);
  large[0] = '\0';
  FreeFixStr(large);

  // A foreign heap pointer goes back to the general heap and leaves the
  // bitmaps alone.
  char* used = FixStrAlloc(10);
  char* foreign = static_cast<char*>(std::malloc(16));
  foreign[0] = '\0';
  FreeFixStr(foreign);
  EXPECT_FALSE(SlotIsFree(used));

  // A pointer into the middle of a slot is not one of ours: ignored.
  FreeFixStr(used + 3);
  EXPECT_FALSE(SlotIsFree(used));
  FreeFixStr(used);
  EXPECT_TRUE(SlotIsFree(used));

  FreeFixStr(nullptr);
}

TEST_F(FixStrHeapTest, DupCopiesWithTerminator) {
  EXPECT_EQ(FixStrDup(nullptr), nullptr);
  char* copy = FixStrDup("gal_engine");
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy, "gal_engine");
  EXPECT_EQ(ZoneOf(copy), 7);
  EXPECT_EQ(FixStrDup(""), FixStrAlloc(0));
  FreeFixStr(copy);
}

TEST(FixStrWithoutHeap, FallsBackToTheGeneralHeap) {
  TermFixStr();
  char* s = FixStrAlloc(5);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(ZoneOf(s), -1);
  FreeFixStr(s);
  ASSERT_TRUE(InitFixStr());
  ASSERT_TRUE(InitFixStr()) << "a second start keeps the heap";
  EXPECT_EQ(ZoneOf(FixStrAlloc(5)), 8);
  TermFixStr();
}

}  // namespace
