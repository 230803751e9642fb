#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "device_test_helpers.h"

namespace {

constexpr int kCapacity = 64;
constexpr int kSentinel = 0x5A5A;

struct Entry {
  int id;
  std::string name;
  bool operator==(const Entry& o) const { return id == o.id && name == o.name; }
};

void PrintTo(const Entry& e, std::ostream* os) { *os << "{" << e.id << ", \"" << e.name << "\"}"; }

// Runs a builder on a list of sentinels and checks what it cleared: the
// first `cleared` entries hold the result or id -1 with an empty name, the
// rest is untouched. Answers the filled entries.
std::vector<Entry> run(int cleared, int expectedResult,
                       const std::function<int(OptionItem*)>& build) {
  OptionItem list[kCapacity];
  for (OptionItem& item : list) {
    item.id = kSentinel;
    std::memset(item.name, 'x', sizeof item.name);
  }
  EXPECT_EQ(build(list), expectedResult);
  std::vector<Entry> filled;
  bool tail = false;
  for (int i = 0; i < kCapacity; ++i) {
    if (i >= cleared) {
      EXPECT_EQ(list[i].id, kSentinel) << "entry " << i << " beyond the cleared count";
      continue;
    }
    if (list[i].id == -1) tail = true;
    if (tail) {
      EXPECT_EQ(list[i].id, -1) << "entry " << i;
      EXPECT_EQ(list[i].name[0], '\0') << "entry " << i;
      EXPECT_EQ(std::memcmp(list[i].name, std::string(32, '\0').data(), 32), 0);
    } else {
      filled.push_back({list[i].id, std::string(list[i].name, strnlen(list[i].name, 32))});
    }
  }
  return filled;
}

std::vector<int> ids(const std::vector<Entry>& entries) {
  std::vector<int> out;
  for (const Entry& e : entries) out.push_back(e.id);
  return out;
}

TEST_F(DeviceTest, OutputResolutionLists) {
  using V = std::vector<Entry>;
  EXPECT_EQ(run(16, 0, [](OptionItem* l) { return fillOutputResolutionList(l, 2); }),
            (V{{103, "1024*768/60HZ"}, {107, "1280*720/60HZ"}, {105, "1280*1024/60HZ"},
               {116, "1600*1200/60HZ"}, {111, "1920*1080/60HZ(1080P)"}}));
  EXPECT_EQ(run(16, 0, [](OptionItem* l) { return fillOutputResolutionList(l, 1); }),
            (V{{103, "1024*768/60HZ"}, {107, "1280*720/60HZ"}, {105, "1280*1024/60HZ"},
               {116, "1600*1200/60HZ"}, {112, "1920*1080/50HZ(1080P)"},
               {111, "1920*1080/60HZ(1080P)"}}));
  // Other hardware uses the first tables; kind 1 knows only bits 0-7.
  ability().outputHwType = 1;
  ability().outResMaskKind1 = 0xFFFF;
  EXPECT_EQ(ids(run(16, 0, [](OptionItem* l) { return fillOutputResolutionList(l, 1); })),
            (std::vector<int>{10, 11, 12, 10, 14, 13}));
  ability().outResMaskKind2 = 0xFFFF;
  EXPECT_EQ(ids(run(16, 0, [](OptionItem* l) { return fillOutputResolutionList(l, 2); })),
            (std::vector<int>{1, 4, 3, 4, 6, 5, 9, 14, 7, 8}));
  // The kind is checked after clearing.
  EXPECT_TRUE(run(16, -1, [](OptionItem* l) { return fillOutputResolutionList(l, 3); }).empty());
  EXPECT_EQ(fillOutputResolutionList(nullptr, 1), -1);
}

TEST_F(DeviceTest, BaudRateAndProtocolLists) {
  using V = std::vector<Entry>;
  V all = {{0, "50"},     {1, "75"},     {2, "110"},     {3, "150"},    {4, "300"},
           {5, "600"},    {6, "1200"},   {7, "2400"},    {8, "4800"},   {9, "9600"},
           {10, "19200"}, {11, "38400"}, {12, "57600"},  {14, "115200"}};
  EXPECT_EQ(run(32, 0, [](OptionItem* l) { return fillBaudRateList(l, 1); }), all);
  EXPECT_EQ(run(32, 0, [](OptionItem* l) { return fillBaudRateList(l, 2); }),
            V(all.begin() + 7, all.end()));
  EXPECT_TRUE(run(32, -1, [](OptionItem* l) { return fillBaudRateList(l, 3); }).empty());

  EXPECT_EQ(run(32, 0, [](OptionItem* l) { return fillStreamProtocolList(l, 1); }),
            (V{{1, "RTSP"}}));
  ability().streamProtocolMask = 0x8005;
  EXPECT_EQ(run(32, 0, [](OptionItem* l) { return fillStreamProtocolList(l, 0); }).size(), 3u);
  // A bad argument is refused before anything is cleared.
  EXPECT_TRUE(run(0, -1, [](OptionItem* l) { return fillStreamProtocolList(l, 2); }).empty());
}

TEST_F(DeviceTest, EncodingLists) {
  auto resolutions = [](int chan, int stream) {
    return ids(run(48, 0, [=](OptionItem* l) { return fillEncodeResolutionList(l, chan, stream); }));
  };
  EXPECT_EQ(resolutions(1, 1), (std::vector<int>{3, 4, 1, 2}));
  EXPECT_EQ(resolutions(16, 2), (std::vector<int>{1, 2}));
  EXPECT_EQ(resolutions(static_cast<int>(0x80000002u), 2), (std::vector<int>{3}));
  ability().mainResMask = 0x1FF;  // bit 8 (code 36) gives no entry
  EXPECT_EQ(resolutions(1, 1), (std::vector<int>{17, 19, 16, 3, 4, 8, 1, 2}));
  for (auto args : {std::pair<int, int>{0, 1}, {17, 1}, {1, 3}, {static_cast<int>(0x80000005u), 1}})
    EXPECT_TRUE(run(0, -1, [=](OptionItem* l) {
                  return fillEncodeResolutionList(l, args.first, args.second);
                }).empty());

  std::vector<Entry> rates = run(48, 0, [](OptionItem* l) { return fillFrameRateList(l, 1, 1, 4); });
  ASSERT_EQ(rates.size(), 17u);
  EXPECT_EQ(rates[0], (Entry{0, "25fps"}));
  EXPECT_EQ(rates[1], (Entry{1, "22fps"}));
  EXPECT_EQ(rates[12], (Entry{12, "1fps"}));
  EXPECT_EQ(rates[13], (Entry{13, "1/2fps"}));
  EXPECT_EQ(rates[16], (Entry{16, "1/16fps"}));
  // Code 3 is not on the sub-stream: nothing offered.
  EXPECT_TRUE(run(48, 0, [](OptionItem* l) { return fillFrameRateList(l, 2, 1, 3); }).empty());
  ability().mainFrameRateMask[4] = (1u << 20) | (1u << 17);
  EXPECT_EQ(run(48, 0, [](OptionItem* l) { return fillFrameRateList(l, 3, 1, 3); }),
            (std::vector<Entry>{{17, "7fps"}, {20, "9fps"}}));
  EXPECT_EQ(run(48, 0, [](OptionItem* l) { return fillFrameRateList(l, 1, static_cast<int>(0x80000004u), 0); }).size(), 17u);
  EXPECT_TRUE(run(0, -1, [](OptionItem* l) { return fillFrameRateList(l, 4, 1, 4); }).empty());
}

TEST_F(DeviceTest, BitrateListsAndLimits) {
  std::vector<Entry> rates = run(48, 0, [](OptionItem* l) { return fillBitrateList(l, 1, 1, 4); });
  ASSERT_EQ(rates.size(), 25u);
  EXPECT_EQ(rates.front(), (Entry{2, "32"}));
  EXPECT_EQ(rates.back(), (Entry{26, "8192"}));
  std::vector<Entry> group =
      run(48, 0, [](OptionItem* l) { return fillBitrateList(l, 2, static_cast<int>(0x80000001u), 0); });
  ASSERT_EQ(group.size(), 22u);
  EXPECT_EQ(group.back(), (Entry{23, "2048"}));
  EXPECT_TRUE(run(48, 0, [](OptionItem* l) { return fillBitrateList(l, 2, 1, 4); }).empty());
  EXPECT_TRUE(run(0, -1, [](OptionItem* l) { return fillBitrateList(l, 0, 1, 4); }).empty());

  int lo = 0, hi = 0;
  EXPECT_EQ(getBitrateMinMax(&lo, &hi, 1, 1, 4), 1);
  EXPECT_EQ(lo, 32);
  EXPECT_EQ(hi, 8192);
  EXPECT_EQ(getBitrateMinMax(&lo, &hi, 1, 2, 4), 1);  // not on the sub-stream
  EXPECT_EQ(hi, 6144);
  lo = hi = 5;
  EXPECT_EQ(getBitrateMinMax(&lo, &hi, 17, 1, 4), 0);
  EXPECT_EQ(getBitrateMinMax(&lo, &hi, 1, 4, 4), 0);
  EXPECT_EQ(lo + hi, 10);
  EXPECT_EQ(getBitrateLimits(&lo, &hi, 17, 1, 4), 0);
  EXPECT_EQ(getBitrateLimits(&lo, &hi, 2, 1, 4), 1);
  EXPECT_EQ(hi, 8192);
}

// Every offered capture resolution and encoding resolution is listed with
// the device's name for it.
TEST_F(DeviceTest, ResolutionListsOfferEveryOptionByName) {
  using V = std::vector<Entry>;
  EXPECT_EQ(run(16, 0, [](OptionItem* l) { return fillCaptureOptionList(l, 1); }),
            (V{{2, "352*288(CIF)"}, {3, "1920*1080(1080P)"}, {4, "1280*720(720P)"}}));
  ability().captureOptionMask = 0x1C0;  // bits 6, 7, 8
  EXPECT_EQ(ids(run(16, 0, [](OptionItem* l) { return fillCaptureOptionList(l, 1); })),
            (std::vector<int>{7, 16, 5}));
  EXPECT_EQ(fillCaptureOptionList(nullptr, 1), -1);
  EXPECT_EQ(run(48, 0, [](OptionItem* l) { return fillEncodeResolutionList(l, 1, 1); }),
            (V{{3, "1920*1080(1080P)"}, {4, "1280*720(720P)"}, {1, "704*576(D1)"}, {2, "352*288(CIF)"}}));
  // Every code either list can offer has a name.
  ability().captureOptionMask = 0xFFFF;
  ability().mainResMask = 0x1FF;
  for (const Entry& e : run(16, 0, [](OptionItem* l) { return fillCaptureOptionList(l, 1); }))
    EXPECT_NE(e.name, "") << e.id;
  for (const Entry& e : run(48, 0, [](OptionItem* l) { return fillEncodeResolutionList(l, 1, 1); }))
    EXPECT_NE(e.name, "") << e.id;
  char name[32];
  EXPECT_EQ(getDeviceValueName(0, 36, name), 0);
  EXPECT_STREQ(name, "960*576(WD1)");
  EXPECT_EQ(getDeviceValueName(0, 0, name), -1);
  EXPECT_EQ(getDeviceValueName(0, 3, nullptr), -1);
}

// The range beside a stream's rate is that of its custom rates; a channel
// without encoding lists has none.
TEST_F(DeviceTest, BitrateRangeFollowsTheResolution) {
  int low = -1, high = -1;
  BitrateRangeRequest request{1, 1, 3, 0, 0};
  EXPECT_EQ(getBitrateRange(&low, &high, &request), 0);
  int limitLow = 0, limitHigh = 0;
  ASSERT_EQ(getBitrateLimits(&limitLow, &limitHigh, 1, 1, 3), 1);
  EXPECT_EQ(low, 32);
  EXPECT_EQ(high, limitHigh);
  EXPECT_GT(high, 1);
  request.channel = 17;
  EXPECT_EQ(getBitrateRange(&low, &high, &request), -1);
  EXPECT_EQ(high, 0);
  EXPECT_EQ(getBitrateRange(&low, &high, nullptr), -1);
}

TEST_F(DeviceTest, ChannelListsRouteAnalogChannelsAndGroupsOnly) {
  OptionItem list[48];
  EXPECT_EQ(getEncodeResolutionList(list, 17, 1), -1);
  EXPECT_EQ(getEncodeResolutionList(list, 3, 1), 0);
  EXPECT_EQ(list[0].id, 3);
  EXPECT_EQ(getFrameRateList(list, 1, static_cast<int>(0x80000004u), 0), 0);
  EXPECT_EQ(getBitrateList(list, 1, 18, 4), -1);
  EXPECT_EQ(getCaptureOptionList(list, 16, 0), 0);
  EXPECT_EQ(getCaptureOptionList(list, 17, 0), -1);
  EXPECT_EQ(getFrameRateList(nullptr, 1, 1, 4), -1);
  EXPECT_EQ(isStreamTypeSupported(16, 3), 1);
  EXPECT_EQ(isStreamTypeSupported(17, 1), 0);
  EXPECT_EQ(isStreamOptionSupported(1, 1, 2), 0);
  EXPECT_EQ(isEncodeTypeSupported(1, 1, 4099), 1);
  EXPECT_EQ(isEncodeTypeSupported(17, 1, 4099), 0);
}

TEST_F(DeviceTest, AreaCapabilityRecords) {
  AreaCaps caps;
  EXPECT_EQ(getMotionAreaCaps(&caps, 1), 0);
  EXPECT_EQ(caps.zoneCount, 1);
  EXPECT_EQ(caps.areaMode, uint32_t{AREA_MODE_GRID});
  EXPECT_EQ((std::vector<int>{caps.grid.pictureWidth, caps.grid.pictureHeight, caps.grid.rowsOrMinX,
                              caps.grid.colsOrMinY}),
            (std::vector<int>{704, 576, 18, 22}));
  EXPECT_EQ(getTamperAreaCaps(&caps, 3), 0);
  EXPECT_EQ(caps.areaMode, 2u);
  EXPECT_EQ(caps.grid.maxX, 704);
  EXPECT_EQ(caps.grid.maxY, 576);
  EXPECT_EQ(getPrivacyAreaCaps(&caps, 16), 0);
  EXPECT_EQ(caps.zoneCount, 4);
  EXPECT_EQ(caps.grid.stepY, 1);
  EXPECT_EQ(getTamperAreaCaps(&caps, 17), -1);
  EXPECT_EQ(getMotionAreaCaps(&caps, 17), 0);  // the IP camera's capability words
  EXPECT_EQ(getMotionAreaCaps(&caps, 18), -1);
  EXPECT_EQ(getMotionAreaCaps(&caps, 0), -1);
  EXPECT_EQ(getMotionAreaCaps(nullptr, 2), 0);
  OsdCaps osd;
  EXPECT_EQ(getOsdCaps(&osd, 1), 0);
  EXPECT_EQ(osd.tail[1], 5);
  EXPECT_EQ(osd.tail[5], 7);
  DeviceConfig config{};
  getDeviceConfig(nullptr, &config);
  config.language = 2;
  EXPECT_EQ(setDeviceConfig(nullptr, &config, 1), 0);
  getOsdCaps(&osd, 1);
  EXPECT_EQ(osd.tail[5], 63);
}

}  // namespace
