// The log tables: which minor types each kind of device offers, which
// object row an entry's detail shows, alarm-port texts, the description's
// size and the record fields read within the record.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/system/logs/log_detail_texts.h"
#include "app/system/logs/log_tables.h"

namespace {

using logs::LogCaps;

std::vector<int> Values(int major, const LogCaps& caps) {
  std::vector<int> values;
  for (const ValueKeyRow& row : logs::minorRows(major, caps)) values.push_back(row.value);
  return values;
}

std::vector<int> TableValues(int major) {
  const logs::Table t = logs::minorTable(major);
  std::vector<int> values;
  for (int i = 0; i < t.count; ++i) values.push_back(t.rows[i].value);
  return values;
}

// The table's values without those a device lacking features leaves out.
std::vector<int> Without(int major, const std::set<int>& gone) {
  std::vector<int> values;
  for (int v : TableValues(major))
    if (!gone.count(v)) values.push_back(v);
  return values;
}

TEST(LogTables, EachDeviceOffersTheMinorTypesItCanLog) {
  const LogCaps full{true, true, true, true, false, true};
  struct Row {
    const char* what;
    LogCaps caps;
    int major;
    std::set<int> gone;
  };
  auto with = [&](void (*change)(LogCaps&)) {
    LogCaps c = full;
    change(c);
    return c;
  };
  const LogCaps none{false, false, false, false, false, false};
  const Row rows[] = {
      {"full alarm", full, 1, {}},
      {"full exception", full, 2, {}},
      {"full operation", full, 3, {}},
      {"full information", full, 4, {182}},
      {"auto format operation", with([](LogCaps& c) { c.autoFormat = true; }), 3, {92, 130}},
      {"auto format information", with([](LogCaps& c) { c.autoFormat = true; }), 4, {}},
      {"no IP exception", with([](LogCaps& c) { c.ipChannels = false; }), 2, {41, 43}},
      {"no IP operation", with([](LogCaps& c) { c.ipChannels = false; }), 3, {99, 100, 101, 138, 139, 140}},
      {"no analog", with([](LogCaps& c) { c.analogChannels = false; }), 2, {42}},
      {"no composite output", with([](LogCaps& c) { c.cvbsOutput = false; }), 2, {46}},
      {"no capture operation", with([](LogCaps& c) { c.pictureCapture = false; }), 3,
       {149, 150, 289, 305, 290, 306}},
      {"no capture information", with([](LogCaps& c) { c.pictureCapture = false; }), 4, {179, 180, 182}},
      {"no removable ports", with([](LogCaps& c) { c.removablePorts = false; }), 3, {151, 150, 155, 156}},
      {"nothing exception", none, 2, {41, 43, 42, 46}},
      {"nothing operation", none, 3,
       {99, 100, 101, 138, 139, 140, 149, 150, 289, 305, 290, 306, 151, 155, 156}},
      {"nothing information", none, 4, {179, 180, 182}},
      {"all", none, 65535, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::vector<int> values = Values(row.major, row.caps);
    EXPECT_EQ(values, Without(row.major, row.gone));
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(values.front(), 65535);
  }
  EXPECT_EQ(TableValues(1).size() + TableValues(2).size() + TableValues(3).size() + TableValues(4).size() +
                TableValues(65535).size(),
            108u);
  for (int major : {0, 5, -1, 65534, INT_MIN, INT_MAX}) EXPECT_TRUE(Values(major, full).empty()) << major;
  // Without capture the record error keeps its value and takes the other text.
  for (const ValueKeyRow& row : logs::minorRows(2, with([](LogCaps& c) { c.pictureCapture = false; })))
    if (row.value == 40) {
      EXPECT_STREQ(row.key, "logtype_minor_rec_error_nopic");
    }
  for (const ValueKeyRow& row : logs::minorRows(2, full))
    if (row.value == 40) {
      EXPECT_STREQ(row.key, "logtype_minor_rec_error");
    }
}

TEST(LogTables, TheObjectRowFollowsMajorMinorAndKind) {
  using K = logs::ObjectKind;
  struct Row {
    int major, minor, kind;
    const char* label;
    K object;
  };
  const Row rows[] = {
      {1, 1, 0, "alarminno", K::kAlarmIn},       {1, 2, 0, "alarmoutno", K::kAlarmOut},
      {1, 3, 100, "camno", K::kChannel},         {2, 35, 0, "harddiskno", K::kDisk},
      {2, 36, 0, "harddiskno", K::kDisk},        {2, 33, 100, "camno", K::kChannel},
      {3, 92, 100, "harddiskno", K::kDisk},      {3, 154, 0, "harddiskno", K::kDisk},
      {3, 150, 0, "harddiskno", K::kDisk},       {3, 116, 0, "transchan", K::kTransChannel},
      {3, 117, 101, "transchan", K::kTransChannel}, {3, 124, 0, "voicechan", K::kVoiceChannel},
      {3, 125, 0, "voicechan", K::kVoiceChannel}, {3, 98, 100, "alarmoutno", K::kAlarmOut},
      {3, 137, 0, "alarmoutno", K::kAlarmOut},   {3, 82, 100, "alarminno", K::kAlarmIn},
      {3, 82, 0x20000025, "alarminno", K::kAlarmIn}, {3, 82, 0x20000026, "alarminno", K::kAlarmIn},
      {3, 82, 101, "alarmoutno", K::kAlarmOut},  {3, 82, 0x20000028, "alarmoutno", K::kAlarmOut},
      {3, 82, 0, "camno", K::kChannel},          {4, 161, 0, "harddiskno", K::kDisk},
      {4, 182, 0, "harddiskno", K::kDisk},       {4, 163, 100, "camno", K::kChannel},
      {0, 1, 100, "camno", K::kChannel},         {INT_MIN, INT_MAX, -1, "camno", K::kChannel},
  };
  for (const Row& row : rows) {
    const logs::ObjectRow got = logs::objectRow(row.major, row.minor, row.kind);
    EXPECT_STREQ(got.labelKey, row.label) << row.major << " " << row.minor << " " << row.kind;
    EXPECT_EQ(got.kind, row.object) << row.major << " " << row.minor << " " << row.kind;
  }
}

TEST(LogTables, AlarmPortsNameTheLocalPortOrTheIpDeviceAndItsPort) {
  EXPECT_EQ(logs::alarmPortText(0, false), "A<-0");
  EXPECT_EQ(logs::alarmPortText(255, true), "A->255");
  EXPECT_EQ(logs::alarmPortText(256, false), "D1<-0");
  EXPECT_EQ(logs::alarmPortText(0x1203, true), "D18->3");
  EXPECT_EQ(logs::alarmPortText(INT_MAX, false), "D8388607<-255");
  EXPECT_EQ(logs::alarmPortText(INT_MIN, true), "A->-2147483648");
}

TEST(LogTables, TheDescriptionAreaGrowsByTheFirstMatchingRule) {
  struct Row {
    uint32_t length, param;
    int minor, kind;
    bool lowRes;
    int w, h;
  };
  const Row rows[] = {
      {0, 4, 36, 135, false, 500, 130},     // no description: the area as laid out
      {0, 4, 36, 135, true, 500, 260},      // doubled on a low-resolution output
      {5, 4, 36, 135, false, 500, 780},     // parameter 4 first
      {5, 0, 165, 0x20000005, false, 500, 260},
      {5, 0, 36, 0, false, 1040, 260},      // the disk error also widens
      {5, 2, 0, 0, false, 500, 260},        {5, 8, 0, 135, true, 500, 520},
      {5, 0, 0, 106, false, 500, 260},      {5, 0, 0, 0x2000000a, false, 500, 780},
      {5, 0, 0, 135, false, 500, 390},      {5, 0, 0, 0, false, 500, 130},
  };
  for (const Row& row : rows) {
    LogRecord r{};
    r.descriptionLength = row.length;
    r.paramType = row.param;
    r.minor = row.minor;
    r.infoKind = row.kind;
    const logs::TextSize size = logs::descriptionSize(r, 520, 130, row.lowRes);
    EXPECT_EQ(size.w, row.w) << row.param << " " << row.minor << " " << row.kind;
    EXPECT_EQ(size.h, row.h) << row.param << " " << row.minor << " " << row.kind;
  }
  LogRecord huge{};
  huge.descriptionLength = 1;
  huge.paramType = 4;
  const logs::TextSize big = logs::descriptionSize(huge, INT_MAX, INT_MAX, true);
  EXPECT_EQ(big.h, INT_MAX);
  EXPECT_EQ(logs::descriptionSize(huge, INT_MIN, INT_MIN, false).w, 0);
}

TEST(LogTables, FieldsAreReadWithinTheRecord) {
  LogRecord r{};
  EXPECT_EQ(logs::descriptionText(r), "N/A");
  std::memset(r.description, 'x', sizeof r.description);
  r.descriptionLength = 0xFFFFFFFFu;
  EXPECT_EQ(logs::descriptionText(r), std::string(sizeof r.description, 'x'));
  r.descriptionLength = 3;
  EXPECT_EQ(logs::descriptionText(r), "xxx");
  char name[16];
  std::memset(name, 'n', sizeof name);
  EXPECT_EQ(logs::boundedText(name, sizeof name), std::string(16, 'n'));
  name[4] = '\0';
  EXPECT_EQ(logs::boundedText(name, sizeof name), "nnnn");
}

}  // namespace
