#include <gtest/gtest.h>

#include "app/device_records.h"
#include "app/page_registry.h"
#include "app/record/encode/encode.h"
#include "app/record_pages.h"

namespace {

TEST(RecordRegistry, RecordMenuItemsReachTheirPages) {
  clearPageRegistry();
  EXPECT_EQ(findPage(APP_MENU_RECORD, "encodeset"), nullptr);
  registerRecordPages();
  EXPECT_EQ(findPage(APP_MENU_RECORD, "encodeset"), &createEncodeSetWindow);
  EXPECT_EQ(findPage(APP_MENU_RECORD, "advanceset"), &createAdvRecordSetWindow);
  clearPageRegistry();
}

// Every typed rate the edit takes survives the record's custom encoding, and
// what lies outside 1..131071 or is no number is refused.
TEST(EncodeCustomRate, EveryKbpsRoundTripsAndBadTextsAreRefused) {
  for (uint32_t kbps = 1; kbps <= encode::kMaxCustomKbps; ++kbps) {
    const std::string text = std::to_string(kbps);
    uint32_t parsed = 0;
    ASSERT_TRUE(encode::parseDecimal(text.c_str(), encode::kMaxCustomKbps, &parsed));
    const int32_t value = ENCODE_CUSTOM_BITRATE(parsed);
    ASSERT_LT(value, 0);
    ASSERT_EQ(static_cast<uint32_t>(ENCODE_CUSTOM_KBPS(value)), kbps);
  }
  uint32_t out = 7;
  for (const char* bad : {"", "131072", "4294967296", "12a", "-5", " 1", "99999999999999999999"})
    EXPECT_FALSE(encode::parseDecimal(bad, encode::kMaxCustomKbps, &out)) << bad;
  EXPECT_EQ(out, 7u);
}

}  // namespace
