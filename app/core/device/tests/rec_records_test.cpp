// The recording and storage settings: refusals leave the kept record whole,
// what a set writes comes back and is in the call log, and the defaults.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/core/device/sim_state.h"
#include "device_test_helpers.h"

namespace {

using Bytes = std::vector<uint8_t>;

template <typename T>
Bytes bytesOf(const T& record) {
  const auto* p = reinterpret_cast<const uint8_t*>(&record);
  return Bytes(p, p + sizeof record);
}

// A record whose bytes are all set, differently per seed.
template <typename T>
T filled(uint8_t seed) {
  T record;
  auto* p = reinterpret_cast<uint8_t*>(&record);
  for (size_t i = 0; i < sizeof record; ++i) p[i] = static_cast<uint8_t>(seed + i * 7);
  return record;
}

HolidayEntry holiday(const char* name, uint8_t mode) {
  HolidayEntry e{};
  e.enable = 1;
  e.mode = mode;
  std::snprintf(e.name, sizeof e.name, "%s", name);
  if (mode == HOLIDAY_BY_MONTH) e.period.byMonth = {11, 24, 11, 26, {}};
  if (mode == HOLIDAY_BY_WEEK) e.period.byWeek = {4, 5, 1, 0, 4, 5, 1, 0};
  if (mode == HOLIDAY_BY_DATE) e.period.byDate = {2024, 1, 29, 2024, 2, 1};
  return e;
}

HolidayTable tableWith(int index, const HolidayEntry& e) {
  HolidayTable table;
  getHolidayConfig(nullptr, &table);
  table.entries[index] = e;
  return table;
}

EncodeConfig defaultEncode(int channel) {
  EncodeConfig config;
  getEncodeConfig(nullptr, channel, &config, 1);
  return config;
}

EncodeConfig encodeWith(int block, const std::function<void(EncodeParamBlock&)>& change) {
  EncodeConfig config = defaultEncode(2);
  change(config.blocks[block]);
  return config;
}

struct Refusal {
  const char* what;
  std::function<int()> set;  // the refused set
  int code;
  std::function<Bytes()> read;  // the record the set would have changed
};

std::vector<Refusal> refusals() {
  auto holidays = [] {
    HolidayTable t;
    getHolidayConfig(nullptr, &t);
    return bytesOf(t);
  };
  auto setHoliday = [](HolidayEntry e) {
    return [e] {
      HolidayTable t = tableWith(3, e);
      return setHolidayConfig(nullptr, &t);
    };
  };
  auto badHoliday = [&](const char* name, uint8_t mode, const std::function<void(HolidayEntry&)>& change) {
    HolidayEntry e = holiday(name, mode);
    change(e);
    return setHoliday(e);
  };
  auto encode = [] { return bytesOf(defaultEncode(2)); };
  auto setEncode = [](int block, std::function<void(EncodeParamBlock&)> change) {
    return [block, change] {
      EncodeConfig c = encodeWith(block, change);
      return setEncodeConfig(nullptr, 2, &c, 1);
    };
  };
  auto check = [](int block, std::function<void(EncodeParamBlock&)> change) {
    return [block, change] {
      EncodeConfig c = encodeWith(block, change);
      return checkEncodeParams(nullptr, 2, &c.blocks[0], &c.blocks[2], &c.blocks[3], 1);
    };
  };
  auto diskRow = [] {
    DiskInfo rows[DISK_LIST_ROWS];
    getDiskList(rows);
    return bytesOf(rows[0]);
  };
  auto netDisks = [] {
    NetDiskConfig c;
    getNetDiskConfig(nullptr, &c, 1);
    return bytesOf(c);
  };
  auto netDiskChange = [](uint32_t ip, const char* dir) {
    return [ip, dir] {
      NetDiskConfig c{};
      c.entries[2] = {ip, {}, 0, 4, 0, {}};
      std::snprintf(c.entries[2].directory, sizeof c.entries[2].directory, "%s", dir);
      return changeNetDisk(0, &c);
    };
  };
  auto record = [](int channel) {
    return [channel] {
      RecordConfig r;
      getRecordConfig(nullptr, channel, &r, 1);
      return bytesOf(r);
    };
  };
  auto frameSplit = [] {
    uint32_t s[3];
    getFrameSplit(s);
    return Bytes(reinterpret_cast<uint8_t*>(s), reinterpret_cast<uint8_t*>(s) + sizeof s);
  };
  auto diskCheck = [] {
    DiskCheckInfo i;
    getDiskCheckInfo(&i);
    return bytesOf(i);
  };
  const int mainRate = ENCODE_CUSTOM_BITRATE(9000);  // above 8192 Kbps
  return {
      {"holiday without a name", badHoliday("", 1, [](HolidayEntry&) {}), HOLIDAY_ERR_NO_NAME, holidays},
      {"holiday name with '/'", badHoliday("a/b", 1, [](HolidayEntry&) {}), HOLIDAY_ERR_BAD_NAME, holidays},
      {"holiday without a mode", badHoliday("x", 0, [](HolidayEntry&) {}), HOLIDAY_ERR_NO_MODE, holidays},
      {"holiday in month 13", badHoliday("x", 1, [](HolidayEntry& e) { e.period.byMonth.endMonth = 12; }),
       HOLIDAY_ERR_BAD_DATE, holidays},
      {"holiday on 30 February", badHoliday("x", 1, [](HolidayEntry& e) { e.period.byMonth = {1, 30, 2, 1, {}}; }),
       HOLIDAY_ERR_BAD_DATE, holidays},
      {"holiday in week 6", badHoliday("x", 2, [](HolidayEntry& e) { e.period.byWeek.startWeek = 6; }),
       HOLIDAY_ERR_BAD_DATE, holidays},
      {"holiday on 29 February 2023",
       badHoliday("x", 3, [](HolidayEntry& e) { e.period.byDate = {2023, 1, 29, 2023, 2, 1}; }), HOLIDAY_ERR_BAD_DATE,
       holidays},
      {"holiday ending before it starts",
       badHoliday("x", 3, [](HolidayEntry& e) { e.period.byDate = {2024, 5, 2, 2024, 4, 30}; }),
       HOLIDAY_ERR_DATE_ORDER, holidays},
      {"stream type 2", setEncode(0, [](EncodeParamBlock& b) { b.streamType = 2; }), ENCODE_ERR_STREAM, encode},
      {"main resolution 8", setEncode(0, [](EncodeParamBlock& b) { b.resolution = 8; }),
       ENCODE_ERR_MAIN_RESOLUTION, encode},
      {"main frame-rate bit 17", setEncode(0, [](EncodeParamBlock& b) { b.frameRate = 17; }),
       ENCODE_ERR_MAIN_FRAME_RATE, encode},
      {"main frame-rate code 40", setEncode(0, [](EncodeParamBlock& b) { b.frameRate = 40; }),
       ENCODE_ERR_MAIN_FRAME_RATE, encode},
      {"main rate code 27", setEncode(0, [](EncodeParamBlock& b) { b.bitrate = 27; }), ENCODE_ERR_MAIN_BITRATE,
       encode},
      {"main custom 9000 Kbps", setEncode(0, [mainRate](EncodeParamBlock& b) { b.bitrate = mainRate; }),
       ENCODE_ERR_MAIN_BITRATE, encode},
      {"event resolution 16", setEncode(2, [](EncodeParamBlock& b) { b.resolution = 16; }),
       ENCODE_ERR_EVENT_RESOLUTION, encode},
      {"event frame-rate bit 20", setEncode(2, [](EncodeParamBlock& b) { b.frameRate = 20; }),
       ENCODE_ERR_EVENT_FRAME_RATE, encode},
      {"event rate code 1", setEncode(2, [](EncodeParamBlock& b) { b.bitrate = 1; }), ENCODE_ERR_EVENT_BITRATE,
       encode},
      {"sub resolution 3", setEncode(3, [](EncodeParamBlock& b) { b.resolution = 3; }), ENCODE_ERR_SUB_RESOLUTION,
       encode},
      {"sub frame-rate bit 31", setEncode(3, [](EncodeParamBlock& b) { b.frameRate = 31; }),
       ENCODE_ERR_SUB_FRAME_RATE, encode},
      {"sub custom 10 Kbps", setEncode(3, [](EncodeParamBlock& b) { b.bitrate = ENCODE_CUSTOM_BITRATE(10); }),
       ENCODE_ERR_SUB_BITRATE, encode},
      {"check: sub stream type 0", check(3, [](EncodeParamBlock& b) { b.streamType = 0; }), ENCODE_ERR_STREAM,
       encode},
      {"check: event rate 16384 Kbps", check(2, [](EncodeParamBlock& b) { b.bitrate = 27; }),
       ENCODE_ERR_EVENT_BITRATE, encode},
      {"WD1 where it is not offered", [] { return setWd1Enable(nullptr, 1, 2, 1); }, -1,
       [] {
         uint8_t v = 9;
         getWd1Enable(nullptr, 1, 2, &v);
         return Bytes{v};
       }},
      {"record of channel 0", [] { RecordConfig r{}; return setRecordConfig(nullptr, 0, &r, 1); }, -1, record(0)},
      {"record of channel 99999", [] { RecordConfig r{}; return setRecordConfig(nullptr, 99999, &r, 1); }, -1,
       record(99999)},
      {"network disk without an address", netDiskChange(0, "/share"), 0x200122, netDisks},
      {"network disk without a directory", netDiskChange(0x0A000001, ""), 0x200123, netDisks},
      {"disk attribute 3", [] { return setDiskAttr(0, 0, 0, 3, 1); }, -1, diskRow},
      {"disk of another port", [] { return setDiskAttr(0, 0, 1, DISK_ATTR_READWRITE, 1); }, -1, diskRow},
      {"disk group 17", [] { return setDiskGroup(0, 0, 0, 17); }, -1, diskRow},
      {"split of 101 percent", [] { uint32_t s[3] = {40, 40, 21}; return setFrameSplit(0, s); }, -1, frameSplit},
      {"split with a share above 100",
       [] { uint32_t s[3] = {0xFFFFFFFFu, 100, 1}; return setFrameSplit(0, s); }, -1, frameSplit},
      {"check of disk 9", [] { return startDiskCheck(0, 9, 1); }, -1, diskCheck},
      {"pause of a check that is not running", [] { return pauseDiskCheck(0); }, -1, diskCheck},
  };
}

// Each refused set leaves the record as a valid earlier set left it.
TEST_F(DeviceTest, RefusedSetsKeepTheOldRecordWhole) {
  // Valid records first, so that "unchanged" is not only the default.
  HolidayTable table = tableWith(3, holiday("Winter", HOLIDAY_BY_MONTH));
  ASSERT_EQ(setHolidayConfig(nullptr, &table), 0);
  EncodeConfig encode = defaultEncode(2);
  encode.blocks[ENCODE_MAIN].bitrate = ENCODE_CUSTOM_BITRATE(3000);
  encode.blocks[ENCODE_SUB].frameRate = 5;
  ASSERT_EQ(setEncodeConfig(nullptr, 2, &encode, 1), 0);
  ASSERT_EQ(setDiskGroup(0, 0, 0, 4), 0);
  uint32_t split[3] = {25, 60, 15};
  ASSERT_EQ(setFrameSplit(0, split), 0);
  for (const Refusal& r : refusals()) {
    Bytes before = r.read();
    EXPECT_EQ(r.set(), r.code) << r.what;
    EXPECT_EQ(r.read(), before) << r.what;
  }
}

struct RoundTrip {
  const char* op;  // the set's name in the call log
  std::function<int(const Bytes&)> set;
  std::function<Bytes()> get;
  size_t size;
  std::function<void(Bytes&)> makeValid;  // what the set would refuse, made acceptable
};

template <typename T>
RoundTrip channelTrip(const char* op, int (*set)(OutputLogin*, int, const T*, int),
                      int (*get)(OutputLogin*, int, T*, int)) {
  return {op, [set](const Bytes& b) { return set(nullptr, 5, reinterpret_cast<const T*>(b.data()), 1); },
          [get] {
            T r;
            get(nullptr, 5, &r, 1);
            return bytesOf(r);
          },
          sizeof(T), nullptr};
}

std::vector<RoundTrip> roundTrips() {
  return {
      channelTrip("setRecordConfig", setRecordConfig, getRecordConfig),
      channelTrip("setRecordSchedExtra", setRecordSchedExtra, getRecordSchedExtra),
      channelTrip("setCaptureConfig", setCaptureConfig, getCaptureConfig),
      {"setCaptureParams",
       [](const Bytes& b) { return setCaptureParams(nullptr, 5, reinterpret_cast<const CaptureSettingPair*>(b.data()), 1); },
       [] {
         CaptureSettingPair p;
         getCaptureParams(nullptr, 5, &p);
         return bytesOf(p);
       },
       sizeof(CaptureSettingPair), nullptr},
      {"setHolidayConfig",
       [](const Bytes& b) { return setHolidayConfig(nullptr, reinterpret_cast<const HolidayTable*>(b.data())); },
       [] {
         HolidayTable t;
         getHolidayConfig(nullptr, &t);
         return bytesOf(t);
       },
       sizeof(HolidayTable),
       [](Bytes& b) {
         auto* t = reinterpret_cast<HolidayTable*>(b.data());
         for (int i = 0; i < HOLIDAY_COUNT; ++i) {
           HolidayEntry e = holiday("Day", static_cast<uint8_t>(1 + i % 3));
           std::memcpy(e.reserved, t->entries[i].reserved, sizeof e.reserved);  // passed through
           t->entries[i] = e;
         }
       }},
      {"setEncodeConfig",
       [](const Bytes& b) { return setEncodeConfig(nullptr, 5, reinterpret_cast<const EncodeConfig*>(b.data()), 1); },
       [] { return bytesOf(defaultEncode(5)); }, sizeof(EncodeConfig),
       [](Bytes& b) {
         auto* c = reinterpret_cast<EncodeConfig*>(b.data());
         EncodeConfig valid = defaultEncode(5);
         for (int i : {0, 2, 3}) {
           uint32_t spare = c->blocks[i].reserved;
           c->blocks[i] = valid.blocks[i];
           c->blocks[i].reserved = spare;  // passed through
           c->blocks[i].quality = static_cast<uint8_t>(i);
         }
         c->blocks[ENCODE_EVENT].bitrate = ENCODE_CUSTOM_BITRATE(777);
       }},
      {"setAdvRecordConfig",
       [](const Bytes& b) { return setAdvRecordConfig(nullptr, reinterpret_cast<const AdvRecordConfig*>(b.data()), 1); },
       [] {
         AdvRecordConfig c;
         getAdvRecordConfig(nullptr, &c, 1);
         return bytesOf(c);
       },
       sizeof(AdvRecordConfig), nullptr},
      {"setRecordEncryptConfig",
       [](const Bytes& b) { return setRecordEncryptConfig(3, reinterpret_cast<const RecordEncryptConfig*>(b.data())); },
       [] {
         RecordEncryptConfig c;
         getRecordEncryptConfig(&c);
         return bytesOf(c);
       },
       sizeof(RecordEncryptConfig), [](Bytes& b) { b[offsetof(RecordEncryptConfig, password) + 32] = 0; }},
      {"changeNetDisk",
       [](const Bytes& b) { return changeNetDisk(0, reinterpret_cast<const NetDiskConfig*>(b.data())); },
       [] {
         NetDiskConfig c;
         getNetDiskConfig(nullptr, &c, 1);
         return bytesOf(c);
       },
       sizeof(NetDiskConfig),
       [](Bytes& b) {
         auto* c = reinterpret_cast<NetDiskConfig*>(b.data());
         for (NetDiskEntry& e : c->entries) e.type = 0;  // entries the device does not check
         c->entries[1].type = 5;
         c->entries[1].ip = 0x0A000002;
         std::snprintf(c->entries[1].directory, sizeof c->entries[1].directory, "iqn.target");
       }},
  };
}

// Every kept record comes back as written, the log names the set with the
// digest of what it wrote, and a reset brings the default back.
TEST_F(DeviceTest, KeptRecordsComeBackAsWritten) {
  for (const RoundTrip& t : roundTrips()) {
    Bytes defaults = t.get();
    Bytes written(t.size);
    for (size_t i = 0; i < t.size; ++i) written[i] = static_cast<uint8_t>(0x5A + i * 13);
    if (t.makeValid) t.makeValid(written);
    device_seam::startCallLog();
    ASSERT_EQ(t.set(written), 0) << t.op;
    std::vector<device_seam::Call> log = device_seam::callLog();
    ASSERT_FALSE(log.empty()) << t.op;
    EXPECT_EQ(log.front().op, t.op);
    const int64_t digest = devsim::digest(written.data(), written.size());
    EXPECT_NE(std::find(log.front().args.begin(), log.front().args.end(), digest), log.front().args.end()) << t.op;
    EXPECT_EQ(t.get(), written) << t.op;
    device_seam::resetKeptRecords();
    EXPECT_EQ(t.get(), defaults) << t.op;
  }
}

TEST_F(DeviceTest, SmallSettingsAreKeptToo) {
  ASSERT_EQ(setDiskQuota(0, 3, 1, 40960), 0);
  DiskQuotaInfo quota;
  ASSERT_EQ(getDiskQuotaInfo(3, 1, &quota), 0);
  EXPECT_EQ(quota.quotaMb, 40960u);
  getDiskQuotaInfo(3, 0, &quota);
  EXPECT_EQ(quota.quotaMb, 0u);  // kept per kind
  ASSERT_EQ(setDiskGroupMask(0, 16, 0x8000000000000001ull), 0);
  uint64_t mask = 0;
  ASSERT_EQ(getDiskGroupMask(16, &mask), 0);
  EXPECT_EQ(mask, 0x8000000000000001ull);
  ASSERT_EQ(setStorageMode(0, 2), 0);
  uint8_t mode[4] = {9, 9, 9, 9};
  getStorageMode(mode);
  EXPECT_EQ(mode[0], 2);
  uint8_t flag = 7;
  getDiskModeFlag(&flag);
  EXPECT_EQ(flag, 7);  // written only once the flag was set
  EXPECT_EQ(setDiskModeFlag(0, 1), 0);
  getDiskModeFlag(&flag);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(setSmartCheckDisabled(0, 1), 0);
  uint32_t off = 0;
  getSmartCheckDisabled(0, &off);
  EXPECT_EQ(off, 1u);

  // The disk's attribute and group show in the disk list.
  ASSERT_EQ(setDiskAttr(0, 0, 0, DISK_ATTR_REDUNDANCY, 1), 0);
  ASSERT_EQ(setDiskGroup(0, 0, 0, 3), 0);
  DiskInfo rows[DISK_LIST_ROWS];
  ASSERT_EQ(getDiskList(rows), 1);
  EXPECT_EQ(rows[0].readOnly, 0);
  EXPECT_EQ(rows[0].redundancy, 1);
  EXPECT_EQ(rows[0].group, 3);
  ASSERT_EQ(getDiskGroupsInUse(&mask), 0);
  EXPECT_EQ(mask, 1u << 2);

  // A network disk shows in the slot mask; removing it frees the slot.
  NetDiskConfig disks{};
  disks.entries[6] = {0x0A000003, {}, 0, 4, 0, {}};
  std::snprintf(disks.entries[6].directory, sizeof disks.entries[6].directory, "/nas");
  ASSERT_EQ(changeNetDisk(0, &disks), 0);
  EXPECT_EQ(getNetDiskSlotMask(), 1 << 6);
  EXPECT_EQ(addNetDisk(0, &disks), -1);
  ASSERT_EQ(removeNetDisk(0, 6, &disks.entries[6], 1), 0);
  EXPECT_EQ(getNetDiskSlotMask(), 0);
}

TEST_F(DeviceTest, EncodingDefaultsPassTheirOwnCheckAndOfferStandardRates) {
  for (int channel = 1; channel <= 16; ++channel) {
    EncodeConfig c = defaultEncode(channel);
    EXPECT_EQ(checkEncodeParams(nullptr, channel, &c.blocks[0], &c.blocks[2], &c.blocks[3], 1), 0);
    EXPECT_EQ(c.blocks[ENCODE_MAIN].resolution, 3);  // the first of the main stream's list
    EXPECT_EQ(c.blocks[ENCODE_SUB].resolution, 1);
  }
  EncodeConfig ip = defaultEncode(17);
  EXPECT_EQ(bytesOf(ip), Bytes(sizeof ip, 0));
  EXPECT_EQ(checkEncodeParams(nullptr, 17, &ip.blocks[0], &ip.blocks[2], &ip.blocks[3], 1), 0);
  EXPECT_EQ(checkEncodeParams(nullptr, 1, nullptr, &ip.blocks[2], &ip.blocks[3], 1), -1);

  OptionItem list[OPTION_LIST_48];
  ASSERT_EQ(getBitrateList(list, 1, 1, 3), 1);  // 1: a list is available
  EXPECT_EQ(list[0].id, 2);
  EXPECT_STREQ(list[0].name, "32");
  EXPECT_EQ(list[24].id, 26);
  EXPECT_STREQ(list[24].name, "8192");
  EXPECT_EQ(list[25].id, -1);
  EXPECT_EQ(getBitrateList(list, 1, 17, 3), -1);
  EXPECT_EQ(getBitrateList(nullptr, 1, 1, 3), -1);
}

TEST_F(DeviceTest, AllDayRecordingRewritesEverySchedule) {
  RecordConfig r = filled<RecordConfig>(1);
  r.enable = 0;
  ASSERT_EQ(setRecordConfig(nullptr, 7, &r, 1), 0);
  ASSERT_EQ(setAllDayRecord(0, 1), 0);
  for (int channel : {1, 7, 16}) {
    RecordConfig back;
    getRecordConfig(nullptr, channel, &back, 1);
    EXPECT_EQ(back.enable, 1u);
    for (const DaySchedHead& day : back.days) {
      EXPECT_EQ(day.allDay, 1);
      EXPECT_EQ(day.allDayType, 1);
    }
    HolidaySchedule holidaySched;
    getRecordSchedExtra(nullptr, channel, &holidaySched, 1);
    EXPECT_EQ(holidaySched.head.allDayType, 1);
  }
  RecordConfig back;
  getRecordConfig(nullptr, 7, &back, 1);
  EXPECT_EQ(std::memcmp(back.segments, r.segments, sizeof r.segments), 0);  // segments stay
  EXPECT_EQ(back.postRecord, r.postRecord);
}

TEST_F(DeviceTest, DiskCheckAndSelfTestFollowTheirRequests) {
  ASSERT_EQ(startDiskCheck(0, 4, 2), 0);
  DiskCheckInfo info;
  getDiskCheckInfo(&info);
  EXPECT_EQ(info.idLow + 2 * info.idHigh + 1, 4u);
  EXPECT_EQ(info.state, static_cast<uint32_t>(DISK_CHECK_RUNNING));
  EXPECT_EQ(info.checkedEnd * 20, info.rangeEnd) << "one read moves the check on by 5 %";
  EXPECT_EQ(resumeDiskCheck(0), -1);
  ASSERT_EQ(pauseDiskCheck(0), 0);
  getDiskCheckInfo(&info);
  EXPECT_EQ(info.checkedEnd * 20, info.rangeEnd) << "a paused check stands still";
  ASSERT_EQ(resumeDiskCheck(0), 0);
  ASSERT_EQ(cancelDiskCheck(0), 0);
  getDiskCheckInfo(&info);
  EXPECT_EQ(info.state, static_cast<uint32_t>(DISK_CHECK_ABORTED));
  EXPECT_EQ(cancelDiskCheck(0), -1);
  // A check left running completes on its twentieth read.
  ASSERT_EQ(startDiskCheck(0, 1, 1), 0);
  for (int i = 1; i <= 20; ++i) {
    getDiskCheckInfo(&info);
    ASSERT_EQ(info.state, static_cast<uint32_t>(i < 20 ? DISK_CHECK_RUNNING : DISK_CHECK_COMPLETE)) << i;
  }
  EXPECT_EQ(info.checkedEnd, info.rangeEnd);

  DiskSmartInfo smart;
  EXPECT_EQ(getDiskSmartInfo(&smart, 0, 4), -1);  // disk 9
  ASSERT_EQ(startDiskSelfTest(0, 1, 1, 2), 0);    // disk 4
  for (int progress : {25, 50, 75, 100}) {
    ASSERT_EQ(getDiskSmartInfo(&smart, 1, 1), 0);
    EXPECT_EQ(smart.selfTestType, 2);
    EXPECT_EQ(smart.selfTestStatus, 15);
    EXPECT_EQ(smart.selfTestProgress, progress);
  }
  ASSERT_EQ(getDiskSmartInfo(&smart, 1, 1), 0);
  EXPECT_EQ(smart.selfTestStatus, 0) << "ended without error";
  ASSERT_EQ(getDiskSmartInfo(&smart, 0, 0), 0);
  EXPECT_EQ(smart.selfTestType, 0);
  EXPECT_EQ(smart.selfTestStatus, 0);
  int atThreshold = 0;
  for (int i = 0; i < SMART_ENTRIES; ++i)
    atThreshold += smart.values.attributes[i].id != 0 && smart.values.attributes[i].value <= smart.values.thresholds[i].threshold;
  EXPECT_EQ(atThreshold, 1) << "one attribute of the report sits at its threshold";
}

// Every interval of the snapshot table survives its 16-bit field.
TEST_F(DeviceTest, SnapshotIntervalsFitTheirField) {
  for (uint32_t seconds : {1u, 2u, 3u, 4u, 5u, 600u, 1800u, 3600u, 43200u, 86400u}) {
    CaptureSettingPair pair{{4, 80, captureIntervalField(seconds)}, {4, 40, captureIntervalField(seconds)}};
    ASSERT_EQ(setCaptureParams(nullptr, 1, &pair, 1), 0);
    CaptureSettingPair back;
    getCaptureParams(nullptr, 1, &back);
    EXPECT_EQ(captureIntervalSeconds(back.event.interval), seconds);
  }
}

// Tests reach the pages' error paths through the seam: a forced answer and
// record, and a forced refusal that keeps nothing.
TEST_F(DeviceTest, TheSeamAnswersForTheRecordingOperations) {
  EncodeConfig forced{};
  forced.blocks[ENCODE_SUB].bitrate = ENCODE_CUSTOM_BITRATE(512);
  device_seam::overrideAnswer(getEncodeConfig, 5, &forced, sizeof forced);
  EncodeConfig got;
  EXPECT_EQ(getEncodeConfig(nullptr, 1, &got, 1), 5);
  EXPECT_EQ(ENCODE_CUSTOM_KBPS(got.blocks[ENCODE_SUB].bitrate), 512);
  device_seam::overrideAnswer(checkEncodeParams, ENCODE_ERR_SUB_FRAME_RATE);
  EXPECT_EQ(checkEncodeParams(nullptr, 1, &got.blocks[0], &got.blocks[2], &got.blocks[3], 1),
            ENCODE_ERR_SUB_FRAME_RATE);
  device_seam::overrideAnswer(setRecordConfig, 0x200001);
  RecordConfig record = filled<RecordConfig>(3);
  EXPECT_EQ(setRecordConfig(nullptr, 2, &record, 1), 0x200001);
  device_seam::overrideAnswer(saveDeviceParams, -1);
  EXPECT_EQ(saveDeviceParams(), -1);
  device_seam::clearOverrides();
  RecordConfig back;
  getRecordConfig(nullptr, 2, &back, 1);
  EXPECT_EQ(back.enable, 0u);
}

}  // namespace
