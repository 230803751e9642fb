// Option lists for the pages' combo boxes, built from the capability record.
// Each builder clears a fixed number of entries to id -1 and fills from the
// first entry on.
#include <cstdio>
#include <cstring>

#include "app/device_backend.h"

namespace {

struct Named {
  int id;  // 0: the table has no entry for this bit
  const char* text;
};

const Named kOutResFirst2[16] = {
    {1, "800*600/60HZ"},   {4, "800*600/75HZ"},   {3, "1024*768/60HZ"}, {4, "1024*768/70HZ"},
    {6, "1280*720/60HZ"},  {5, "1280*1024/60HZ"}, {0, nullptr},         {9, "1600*1200/60HZ"},
    {14, "1920*1080/50HZ(1080I)"}, {7, "1920*1080/60HZ(1080I)"}, {0, nullptr}, {0, nullptr},
    {8, "1920*1080/60HZ(1080P)"},
};
const Named kOutResFirst1[16] = {
    {10, "1024*768/60HZ"}, {0, nullptr}, {11, "1280*720/60HZ"}, {0, nullptr},
    {12, "1280*1024/60HZ"}, {10, "1600*1200/60HZ"}, {14, "1920*1080/50HZ(1080I)"},
    {13, "1920*1080/60HZ(1080I)"},
};
const Named kOutResSecond2[16] = {
    {1, "800*600/60HZ"},     {102, "800*600/75HZ"},   {103, "1024*768/60HZ"},
    {0, nullptr},            {107, "1280*720/60HZ"},  {105, "1280*1024/60HZ"},
    {117, "1600*1200/30HZ"}, {116, "1600*1200/60HZ"}, {110, "1920*1080/50HZ(1080I)"},
    {109, "1920*1080/60HZ(1080I)"}, {113, "1920*1080/30HZ(1080P)"},
    {112, "1920*1080/50HZ(1080P)"}, {111, "1920*1080/60HZ(1080P)"},
};
const Named kOutResSecond1[16] = {
    {103, "1024*768/60HZ"},  {108, "1280*720/50HZ"},  {107, "1280*720/60HZ"},
    {106, "1280*960/60HZ"},  {105, "1280*1024/60HZ"}, {116, "1600*1200/60HZ"},
    {110, "1920*1080/50HZ(1080I)"}, {109, "1920*1080/60HZ(1080I)"},
    {114, "1920*1080/25HZ(1080P)"}, {113, "1920*1080/30HZ(1080P)"},
    {112, "1920*1080/50HZ(1080P)"}, {111, "1920*1080/60HZ(1080P)"},
};

const char* const kBaudTexts[] = {"50",   "75",   "110",   "150",   "300",   "600",   "1200", "2400",
                                  "4800", "9600", "19200", "38400", "57600", "76800", "115200"};

// Resolution codes of capability bits 0..7 (bit 8, code 36, has no entry).
const int kResolutionCodes[8] = {2, 1, 8, 4, 3, 16, 19, 17};

// Capture option ids by mask bit; 0 for bits without an option.
const int kCaptureIds[16] = {4, 3, 8, 4, 2, 0, 5, 16, 7};

// The name of every resolution code of the encoding and capture lists
// (the device's cameras are PAL cameras).
const Named kResolutionNames[] = {
    {1, "704*576(D1)"},      {2, "352*288(CIF)"},     {3, "1920*1080(1080P)"}, {4, "1280*720(720P)"},
    {5, "1280*1024(1.3MP)"}, {7, "640*480(VGA)"},     {8, "1280*960(960P)"},   {16, "2048*1536(3MP)"},
    {17, "3840*2160(4K)"},   {19, "2592*1944(5MP)"},  {36, "960*576(WD1)"},
};

void clearList(OptionItem* list, int count) {
  for (int i = 0; i < count; ++i) {
    list[i].id = -1;
    std::memset(list[i].name, 0, sizeof list[i].name);
  }
}

void setItem(OptionItem& item, int id, const char* text) {
  item.id = id;
  std::snprintf(item.name, sizeof item.name, "%s", text);
}

bool isGroup(int channelOrGroup) {
  if (channelOrGroup >= 0) return false;
  uint32_t group = static_cast<uint32_t>(channelOrGroup) & 0x7fffffffu;
  return group >= 1 && group <= 4;
}

bool validChannelOrGroup(int channelOrGroup) {
  return isGroup(channelOrGroup) || (channelOrGroup >= 1 && channelOrGroup <= 16);
}

int capsStream(int streamType) { return streamType == 2 ? 2 : 1; }

// The highest bit-rate key the resolution allows on the stream; 0 when the
// stream does not offer the resolution.
uint32_t highestBitrateKey(int streamType, int channelOrGroup, int resolution) {
  if (isGroup(channelOrGroup)) return findTableKeyByValue(&g_bitrateTable, 2097152);
  uint32_t key = 0;
  getResolutionStreamCaps(nullptr, &key, nullptr, resolution, capsStream(streamType));
  return key;
}

// Picture and area limits of the tamper and privacy records: one freely
// drawn area over the whole picture.
const ZoneGrid kAreaLimits = {704, 576, 0, 0, 704, 576, 0, 0, 1, 1};

// Area records exist for the analog channels; a null record gives 0.
int fillArea(AreaCaps* out, int channel, const AreaCaps& caps) {
  if (channel < 1 || channel > 16) return -1;
  if (out) *out = caps;
  return 0;
}

}  // namespace

namespace devsim {

bool resolutionName(int code, char out[32]) {
  for (const Named& n : kResolutionNames)
    if (n.id == code) {
      std::snprintf(out, 32, "%s", n.text);
      return true;
    }
  return false;
}

}  // namespace devsim

extern "C" {

int fillOutputResolutionList(OptionItem* list, int kind) {
  if (!list) return -1;
  clearList(list, OPTION_LIST_16);
  if (kind != 1 && kind != 2) return -1;
  const DeviceAbility* a = getDeviceAbility();
  bool second = a->outputHwType == 3 || a->outputHwType == 7;
  const Named* table = second ? (kind == 2 ? kOutResSecond2 : kOutResSecond1)
                              : (kind == 2 ? kOutResFirst2 : kOutResFirst1);
  uint32_t mask = kind == 2 ? a->outResMaskKind2 : a->outResMaskKind1;
  int n = 0;
  for (int b = 0; b < 16; ++b)
    if ((mask >> b & 1u) && table[b].id) setItem(list[n++], table[b].id, table[b].text);
  return 0;
}

int fillBaudRateList(OptionItem* list, int port) {
  if (!list) return -1;
  clearList(list, OPTION_LIST_32);
  if (port != 1 && port != 2) return -1;
  const DeviceAbility* a = getDeviceAbility();
  uint32_t mask = port == 1 ? a->baudMaskRs232 : a->baudMaskPtz;
  int n = 0;
  for (int b = 0; b < 15; ++b)
    if (mask >> b & 1u) setItem(list[n++], b, kBaudTexts[b]);
  return 0;
}

int fillStreamProtocolList(OptionItem* list, int which) {
  if (!list || (which != 0 && which != 1)) return -1;
  clearList(list, OPTION_LIST_32);
  int n = 0;
  for (int b = 0; b < 16; ++b)
    if (getDeviceAbility()->streamProtocolMask >> b & 1u) setItem(list[n++], 1, "RTSP");
  return 0;
}

int fillEncodeResolutionList(OptionItem* list, int channelOrGroup, int stream) {
  if (!list || (stream != 1 && stream != 2) || !validChannelOrGroup(channelOrGroup)) return -1;
  clearList(list, OPTION_LIST_48);
  const DeviceAbility* a = getDeviceAbility();
  uint32_t mask = isGroup(channelOrGroup) ? 16 : (stream == 1 ? a->mainResMask : a->subResMask);
  int n = 0;
  for (int b = 7; b >= 0; --b) {
    if (!(mask >> b & 1u)) continue;
    list[n].id = kResolutionCodes[b];
    devsim::resolutionName(list[n].id, list[n].name);
    ++n;
  }
  return 0;
}

int fillFrameRateList(OptionItem* list, int streamType, int channelOrGroup, int resolution) {
  if (!list || streamType < 1 || streamType > 3 || !validChannelOrGroup(channelOrGroup)) return -1;
  clearList(list, OPTION_LIST_48);
  uint32_t mask = 0x1ffff;
  if (!isGroup(channelOrGroup))
    getResolutionStreamCaps(&mask, nullptr, nullptr, resolution, capsStream(streamType));
  static const char* const kFractions[] = {"1/2", "1/4", "1/8", "1/16"};
  int n = 0;
  for (int b = 0; b < 32; ++b) {
    if (!(mask >> b & 1u)) continue;
    OptionItem& item = list[n++];
    item.id = b;
    if (b == 0)
      std::snprintf(item.name, sizeof item.name, "%sfps", "25");
    else if (b >= 13 && b <= 16)
      std::snprintf(item.name, sizeof item.name, "%sfps", kFractions[b - 13]);
    else
      std::snprintf(item.name, sizeof item.name, "%dfps",
                    static_cast<int>(findTableValueByKey(&g_frameRateTable, b)));
  }
  return 0;
}

int fillBitrateList(OptionItem* list, int streamType, int channelOrGroup, int resolution) {
  if (!list || streamType < 1 || streamType > 3 || !validChannelOrGroup(channelOrGroup)) return -1;
  clearList(list, OPTION_LIST_48);
  uint32_t highest = highestBitrateKey(streamType, channelOrGroup, resolution);
  int n = 0;
  for (const ValueTablePair* p = g_bitrateTable.pairs; p->key != VALUE_TABLE_END && n < 48; ++p) {
    if (p->key > highest) continue;
    list[n].id = static_cast<int>(p->key);
    std::snprintf(list[n].name, sizeof list[n].name, "%d", static_cast<int>(p->value / 1024));
    ++n;
  }
  return 0;
}

int getBitrateMinMax(int* minOut, int* maxOut, int channel, int streamType, int resolution) {
  if (channel < 1 || channel > 16 || streamType < 1 || streamType > 3) return 0;
  if (minOut) *minOut = 32;
  if (maxOut) {
    uint32_t key = highestBitrateKey(streamType, channel, resolution);
    *maxOut = key ? static_cast<int>(findTableValueByKey(&g_bitrateTable, key) / 1024) : 6144;
  }
  return 1;
}

int fillCaptureOptionList(OptionItem* list, int) {
  if (!list) return -1;
  clearList(list, OPTION_LIST_16);
  uint32_t mask = getDeviceAbility()->captureOptionMask;
  int n = 0;
  for (int b = 15; b >= 0 && n < OPTION_LIST_16; --b) {
    if (!(mask >> b & 1u) || !kCaptureIds[b]) continue;
    // Every offered option gets its entry, named or not: a nameless one
    // left current would be overwritten by the next and never offered.
    list[n].id = kCaptureIds[b];
    devsim::resolutionName(list[n].id, list[n].name);
    ++n;
  }
  return 0;
}

int fillMotionAreaCaps(AreaCaps* out, int channel) {
  return fillArea(out, channel, AreaCaps{1, 1, AREA_MODE_GRID, ZoneGrid{704, 576, 18, 22, 0, 0, 0, 0, 0, 0}});
}

int fillTamperAreaCaps(AreaCaps* out, int channel) {
  return fillArea(out, channel, AreaCaps{1, 1, 2, kAreaLimits});
}

int fillPrivacyAreaCaps(AreaCaps* out, int channel) {
  return fillArea(out, channel, AreaCaps{1, 4, 2, kAreaLimits});
}

int fillOsdCaps(OsdCaps* out, int channel) {
  if (channel < 1 || channel > 16) return -1;
  if (!out) return 0;
  DeviceConfig config;
  getDeviceConfig(nullptr, &config);
  const OsdCapsBlock block = {{1, 1, 2}, 0, {704, 576, 0, 0, 704, 576}};
  uint8_t languages = config.language == 2 || config.language == 3 ? 63 : 7;
  *out = OsdCaps{{block, block}, {1, getDeviceAbility()->osdCapByte, 1, 3, 1, languages}, {}};
  return 0;
}

}  // extern "C"
