#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <string>

#include "app/format_text.h"
#include "app/formatting.h"
#include "app/value_texts.h"
#include "services_test_helpers.h"

namespace services_test {
namespace {

// Digits grouped by three from the right, the model of every size text.
std::string Grouped(unsigned long long n) {
  std::string digits = std::to_string(n), out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string CapacityModel(unsigned long long v) {
  if (v == 0) return "0MB";
  if ((v >> 10) <= 100000) return Grouped(v >> 10) + "KB";
  if ((v >> 10) <= 100000000) return Grouped(v >> 20) + "MB";
  return Grouped(v >> 30) + "GB";
}

// A negative rate (the device's "none", -1) is no rate at all.
std::string BitrateModel(unsigned long long v) {
  if (static_cast<int64_t>(v) < 0) return "0bps";
  if (v >= (1ull << 30)) return Grouped(v >> 30) + "Gbps";
  if (v >= 10 * (1ull << 20)) return Grouped(v >> 20) + "Mbps";
  if (v >= 1024) return Grouped(v >> 10) + "Kbps";
  return Grouped(v) + "bps";
}

TEST_F(ServicesTest, SizesAndRatesMatchTheGroupingModel) {
  std::mt19937_64 random(23);
  char buf[64];
  for (int i = 0; i < 20000; ++i) {
    // Spread the values over every magnitude.
    const unsigned long long v = random() >> (random() % 64);
    formatCapacity(buf, sizeof buf, static_cast<int64_t>(v));
    ASSERT_EQ(buf, CapacityModel(v)) << v;
    formatBitrate(buf, sizeof buf, static_cast<int64_t>(v));
    ASSERT_EQ(buf, BitrateModel(v)) << v;
  }
  formatCapacity(buf, sizeof buf, 1048576);
  EXPECT_STREQ(buf, "1,024KB");
  formatCapacity(buf, 4, 1ll << 30);  // cut to the buffer
  EXPECT_STREQ(buf, "1,0");
  formatBitrate(buf, sizeof buf, 2048);
  EXPECT_STREQ(buf, "2Kbps");
  formatCapacityUnit(buf, sizeof buf, 5ll << 30, "MB");
  EXPECT_STREQ(buf, "5,120MB");
  EXPECT_EQ(formatBitrateText(23, buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "2048");
  EXPECT_EQ(formatBitrateText(static_cast<int>(0x80000000u | (3000u << 10)), buf, sizeof buf), 1);
  EXPECT_STREQ(buf, "3000");
  EXPECT_EQ(formatBitrateText(2, nullptr, 8), -1);
  // Codes below the first standard rate are no rate: the unknown text, and
  // a failure.
  for (int code : {0, 1, 28, INT_MAX}) {
    EXPECT_EQ(formatBitrateText(code, buf, sizeof buf), -1) << code;
    EXPECT_STREQ(buf, ("Unknown Type Value: " + std::to_string(code)).c_str());
  }
  formatBitrate(buf, sizeof buf, -1);
  EXPECT_STREQ(buf, "0bps");
}

// Every mask written as text reads back as the same mask.
TEST_F(ServicesTest, ChannelNamesAndMaskTextsRoundTrip) {
  char name[CHAN_NAME_SIZE];
  for (int channel = 1; channel <= 64; ++channel) {
    ASSERT_EQ(formatChanName(channel, name), 0);
    EXPECT_EQ(parseChanName(name), channel) << name;
  }
  EXPECT_EQ(formatChanName(0, name), -2);
  EXPECT_EQ(formatChanName(3, nullptr), -1);
  EXPECT_EQ(parseChanName("none"), -1);

  std::mt19937_64 random(7);
  char text[CHAN_MASK_TEXT_SIZE];
  for (int i = 0; i < 5000; ++i) {
    uint64_t mask = random() & random();
    if (i % 2) mask = 0xAAAAAAAAAAAAAAAAull ^ (random() & random() & random());
    ASSERT_EQ(formatChanMaskText(static_cast<uint32_t>(mask), static_cast<uint32_t>(mask >> 32), text), 0);
    ASSERT_LT(std::strlen(text), sizeof text);
    uint64_t back = 0;
    for (char* token = std::strtok(text, " "); token; token = std::strtok(nullptr, " ")) {
      const char* tilde = std::strchr(token, '~');
      const int first = parseChanName(token);
      const int last = tilde ? parseChanName(tilde + 1) : first;
      ASSERT_LT(first, last + (tilde ? 0 : 1)) << token;
      for (int c = first; c <= last; ++c) back |= 1ull << (c - 1);
    }
    ASSERT_EQ(back, mask);
  }
  formatChanMaskText(0x17, 0, text);
  EXPECT_STREQ(text, "A1~A3 A5 ");
}

TEST_F(ServicesTest, DatesZonesAndVersions) {
  setenv("TZ", "UTC", 1);
  tzset();
  char buf[DATE_TEXT_SIZE];
  const char* expected[] = {"2013-07-04", "07-04-2013", "04-07-2013", ""};
  for (int format = 0; format < 4; ++format) {
    setDateFormat(format);
    std::strcpy(buf, "stale");
    formatDate(buf, 2013, 7, 4);
    EXPECT_STREQ(buf, expected[format]);
  }
  setDateFormat(0);

  int t[6] = {2013, 1, 1, 3, 0, 0};
  ASSERT_EQ(convertZoneTime(27, 14, t), 0);
  EXPECT_EQ(std::vector<int>(t, t + 6), (std::vector<int>{2012, 12, 31, 19, 0, 0}));
  EXPECT_EQ(convertZoneTime(0, 34, t), -1);
  EXPECT_EQ(getZoneOffsetMinutes(8), -270);
  EXPECT_EQ(getZoneOffsetMinutes(23), 345);

  struct Code {
    int16_t hours, minutes;
    int zone;
  } codes[] = {{-4, 30, 8}, {5, 45, 23}, {-12, 0, 0}, {13, 0, 33}, {4, 15, 33}, {5, 0x12D, 23}};
  setTimeZone(33);
  for (const Code& c : codes) {
    DeviceTime time{};
    time.zoneHours = c.hours;
    time.zoneMinutes = c.minutes;
    setTimeZoneByCode(time);
    EXPECT_EQ(getTimeZone(), c.zone) << c.hours << ":" << c.minutes;
  }

  char text[64];
  formatVersionLong(0x0302000Bu, 0x0D0704u, text, sizeof text);
  EXPECT_STREQ(text, "V3.2.11, Build 130704");
  formatVersionShort(0x00040001u, 0x0D0704u, text, sizeof text);
  EXPECT_STREQ(text, "V4.1, Build 130704");
  ASSERT_EQ(formatDeviceTime(3, 0, 0, text, sizeof text), 0);
  EXPECT_STREQ(text, "1970-01-01 00:00:00");
  unsetenv("TZ");
  tzset();
}

TEST_F(ServicesTest, AddressesAndNameChecks) {
  const uint8_t mac[6] = {0x00, 0x1a, 0xFF, 0x10, 0x02, 0xab};
  char buf[32] = "untouched";
  formatMacAddr(mac, buf, 17);
  EXPECT_STREQ(buf, "untouched");
  formatMacAddr(mac, buf, 18);
  EXPECT_STREQ(buf, "00:1a:ff:10:02:ab");

  uint8_t bytes[8] = {};
  EXPECT_EQ(parseMacAddr("00-1A:fF 10.02ab", bytes, 6), 6);
  EXPECT_EQ(std::memcmp(bytes, mac, 6), 0);
  uint8_t guard[7] = {1, 1, 1, 1, 1, 1, 0xEE};
  EXPECT_EQ(parseMacAddr("112233445566778899", guard, 6), 6);
  EXPECT_EQ(guard[6], 0xEE) << "parsing stops at the buffer's size";
  EXPECT_EQ(parseMacAddr("11", guard, 5), -1);
  EXPECT_EQ(parseMacAddr(nullptr, guard, 6), -1);

  const uint8_t ip[4] = {192, 168, 1, 254};
  EXPECT_EQ(formatIpAddr(ip, buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "192.168.1.254");

  struct Mail {
    const char* text;
    int ok;
  } mails[] = {{"", 1},          {"a@b.c", 1},      {"@b.c", 0},      {"a@", 0},
               {"ab.c", 0},      {"a b@c.d", 0},    {"x{y}|z@q", 1},  {"a@b,c", 0}};
  for (const Mail& m : mails) EXPECT_EQ(isValidEmailAddr(m.text), m.ok) << m.text;

  char host[] = "SMTP.Gmail.COM";
  EXPECT_EQ(isPresetSmtpServer(host), 1);
  EXPECT_STREQ(host, "smtp.gmail.com") << "lower-cased in place";
  EXPECT_EQ(isDigitString(""), 1);
  EXPECT_EQ(isDigitString("12a"), 0);
  EXPECT_EQ(isAlnumString("ab12"), 1);
  EXPECT_EQ(isAlnumString("ab_12"), 1);  // user names may hold underscores
  EXPECT_EQ(isAlnumString("ab-12"), 0);
}

// Translations used as formats: the conversions must be the caller's.
TEST_F(ServicesTest, FormatTextsAreUsedOnlyWithTheirOwnConversions) {
  struct Row {
    const char* format;
    const char* conversions;
    int matches;
  } rows[] = {{"code: %d", "d", 1},  {"%5d%%", "d", 1},     {"%s-%s-%s", "sss", 1}, {"%-3.2s", "s", 1},
              {"code: ", "d", 0},    {"%d %d", "d", 0},     {"%s", "d", 0},         {"%n", "d", 0},
              {"%*d", "d", 0},       {"%ld", "d", 0},       {"%1000d", "d", 0},     {"%", "d", 0},
              {"100%%", "", 1},      {"%s %s", "sss", 0}};
  for (const Row& r : rows) EXPECT_EQ(formatMatches(r.format, r.conversions), r.matches) << r.format;
  char buf[32];
  EXPECT_EQ(formatChecked(buf, sizeof buf, "%s and %s", "s", "x"), 9);
  EXPECT_STREQ(buf, "%s and %s");
  formatChecked(buf, sizeof buf, "code %d", "d", 42);
  EXPECT_STREQ(buf, "code 42");
  formatChecked(buf, sizeof buf, nullptr, "d", 42);
  EXPECT_STREQ(buf, "");
  EXPECT_EQ(formatChecked(buf, 0, "x", ""), -1);
}

TEST_F(ServicesTest, ValueTextsTakeTheFirstRowAndCutToTheBuffer) {
  const ValueKeyRow rows[] = {{"ok", 1}, {"cancel", 2}, {"yes", 2}};
  char out[64];
  EXPECT_EQ(formatValueName(rows, 3, 2, out, sizeof out), 0);
  EXPECT_STREQ(out, "cancel");
  EXPECT_EQ(formatValueName(rows, 3, 7, out, sizeof out), -1);
  EXPECT_STREQ(out, "Unknown Type Value: 7");
  EXPECT_EQ(formatValueName(rows, 3, 7, out, 10), -1);
  EXPECT_STREQ(out, "Unknown T");
  EXPECT_EQ(formatUnknownValue(nullptr, 6, out, sizeof out), -1);
  EXPECT_STREQ(out, "Unknown Type Value: 6");
  EXPECT_EQ(formatUnknownValue(nullptr, 3, out, sizeof out), 0);  // a resolution the device names
  EXPECT_STREQ(out, "1920*1080(1080P)");
  std::strcpy(out, "kept");
  EXPECT_EQ(formatValueName(rows, 3, 1, out, 0), -1);
  EXPECT_EQ(formatValueName(rows, 3, 1, nullptr, 8), -1);
  EXPECT_STREQ(out, "kept");
  EXPECT_EQ(getRowValue(rows, 3, 2), 2);
  EXPECT_EQ(getRowValue(rows, 3, 3), -1);
  EXPECT_EQ(getRowValue(rows, 3, -1), -1);

  changeCachedDeviceConfig([](DeviceConfig& config) { config.language = 56; });
  EXPECT_EQ(isRightToLeftLang(), 1);
  formatValueName(rows, 3, 7, out, sizeof out);
  EXPECT_STREQ(out, "7 :Value Type Unknown");
  changeCachedDeviceConfig([](DeviceConfig& config) { config.language = 1; });

  LoadShippedLayout();
  EXPECT_EQ(formatValueText("commons", rows, 3, 1, out, sizeof out), 0);
  EXPECT_STREQ(out, "OK");
  EXPECT_EQ(formatValueTextForOutput(3, "commons", rows, 3, 2, out, sizeof out), 0);
  EXPECT_STREQ(out, "Cancel");
  EXPECT_EQ(formatValueTextForOutput(2, "commons", rows, 3, 2, out, sizeof out), 0);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(formatValueText("nosection", rows, 3, 1, out, sizeof out), 0);
  EXPECT_STREQ(out, "");
}

}  // namespace
}  // namespace services_test
