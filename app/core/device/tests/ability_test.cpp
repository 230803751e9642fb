#include <cstddef>
#include <cstring>
#include <functional>
#include <vector>

#include "device_test_helpers.h"

namespace {

struct FieldRow {
  int number;
  size_t offset;
  size_t width;      // of one element
  size_t elements;
  uint64_t value;    // every element holds it
};

#define F(n, member, width, value)                                                   \
  FieldRow {                                                                          \
    n, offsetof(DeviceAbility, member), width,                                        \
        sizeof(DeviceAbility::member) / width, static_cast<uint64_t>(value)           \
  }

// The 94 fields in record order with their widths and start-up values.
const FieldRow kFields[] = {
    F(1, capVersion, 1, 6), F(2, capSubVersion, 1, 9), F(3, outputHwType, 2, 3),
    F(4, hdmiOut, 1, 1), F(5, vgaOut, 1, 1), F(6, cvbsOut, 1, 1), F(7, unnamed7, 1, 1),
    F(8, outResMaskKind2, 4, 4276), F(9, outResMaskKind1, 4, 3125),
    F(10, outputModeFlags, 4, 2), F(11, unnamed11, 1, 8), F(12, esataNum, 1, 1),
    F(13, localDiskNum, 1, 17), F(14, unnamed14[0], 1, 1), F(15, unnamed14[1], 1, 8), F(16, unnamed14[2], 1, 8),
    F(17, miniSasNum, 2, 96), F(18, diskCapacityGb, 4, 0), F(19, limits[0], 4, 4000),
    F(20, limits[1], 4, 2000), F(21, limits[2], 4, 16318), F(22, recordTypeMask, 4, 95),
    F(23, eventTypeMask, 4, 6), F(24, unnamed24, 4, 0), F(25, storageFlags, 4, 247),
    F(26, analogChanNum, 1, 16), F(27, unnamed27, 1, 3), F(28, unnamed28, 1, 3),
    F(29, counts[0], 2, 16), F(30, counts[1], 2, 32), F(31, unnamed31, 1, 16), F(32, smallValues[0], 1, 1),
    F(33, smallValues[1], 1, 2), F(34, smallValues[2], 1, 1), F(35, smallValues[3], 1, 2), F(36, smallValues[4], 1, 1),
    F(37, unnamed37, 1, 1), F(38, storageFlagBytes[0], 1, 1), F(39, storageFlagBytes[1], 1, 1), F(40, esataFunction, 1, 1),
    F(41, unnamed41, 4, 111), F(42, nicNum, 1, 1), F(43, netDetectKind, 1, 2),
    F(44, sizes[0], 2, 80), F(45, sizes[1], 2, 160), F(46, sizes[2], 2, 160),
    F(47, nicModeKinds, 1, 3), F(48, netsetKind, 1, 2), F(49, netFlags, 4, 183),
    F(50, unnamed50, 4, 0xFFFFFFFFu), F(51, unnamed51, 4, 0), F(52, streamLimits[0], 4, 0x400000),
    F(53, streamLimits[1], 4, 0x80000), F(54, streamLimits[2], 4, 0x20000),
    F(55, cameraOptionByte, 1, 1), F(56, unnamed56, 1, 8), F(57, mainResMask, 4, 27),
    F(58, mainBitrateKey, 4, 26), F(59, mainFrameRateMask, 4, 0x1ffff),
    F(60, subResMask, 4, 3), F(61, subBitrateKey, 4, 26), F(62, subFrameRateMask, 4, 0x1ffff),
    F(63, osdCapByte, 1, 5), F(64, captureOptionMask, 2, 19), F(65, unnamed65, 2, 64),
    F(66, splitMask, 4, 1133), F(67, pictureFlags, 4, 295), F(68, videoOutputCount, 1, 1),
    F(69, colorDepthCode, 1, 3), F(70, unnamed70, 1, 4), F(71, displayFlags, 4, 1),
    F(72, maxSyncPlayChans, 1, 4), F(73, reversePlayChans, 1, 4), F(74, unnamed74, 2, 8),
    F(75, playbackFlags, 4, 0), F(76, rs232Num, 1, 1), F(77, logSearchKind, 1, 1),
    F(78, baudMaskRs232, 4, 24575), F(79, baudMaskPtz, 4, 24448), F(80, alarmInNum, 1, 16),
    F(81, alarmOutNum, 1, 4), F(82, unnamed82, 1, 1), F(83, unnamed83, 1, 16),
    F(84, unnamed84, 4, 1591899), F(85, chanSlotKind, 1, 32), F(86, streamProtocolMask, 2, 1),
    F(87, poeFlags, 4, 0), F(88, tailCounts[0], 2, 128), F(89, tailCounts[1], 2, 32), F(90, tailCounts[2], 2, 64),
    F(91, playbackKeyFlags, 4, 0), F(92, storageModeFlags, 4, 6), F(93, displayModeFlags, 4, 24),
    F(94, systemFlags, 4, 28080),
};
#undef F

uint64_t readElement(const uint8_t* base, size_t width) {
  uint64_t v = 0;
  std::memcpy(&v, base, width);  // little-endian host
  return v;
}

TEST_F(DeviceTest, StartUpFillsEveryFieldAtItsWidthAndValue) {
  ASSERT_EQ(std::size(kFields), 94u);
  const auto* bytes = reinterpret_cast<const uint8_t*>(getDeviceAbility());
  std::vector<bool> covered(sizeof(DeviceAbility), false);
  size_t lastOffset = 0;
  for (size_t i = 0; i < std::size(kFields); ++i) {
    const FieldRow& f = kFields[i];
    SCOPED_TRACE(f.number);
    EXPECT_EQ(f.number, static_cast<int>(i + 1));
    EXPECT_GE(f.offset, lastOffset);  // record order
    lastOffset = f.offset;
    for (size_t e = 0; e < f.elements; ++e) {
      EXPECT_EQ(readElement(bytes + f.offset + e * f.width, f.width), f.value) << "element " << e;
      for (size_t b = 0; b < f.width; ++b) covered[f.offset + e * f.width + b] = true;
    }
  }
  for (size_t b = 0; b < sizeof(DeviceAbility); ++b)
    if (!covered[b]) {
      EXPECT_EQ(bytes[b], 0) << "padding byte " << b;
    }
  EXPECT_EQ(fillDeviceAbility(getDeviceHandle(), nullptr), -1);
  EXPECT_EQ(getDeviceHandle(), 17439);
}

struct QueryRow {
  const char* name;
  std::function<int()> query;
  int expected;
  // Changes the one field the query reads; the answer must change with it.
  std::function<void(DeviceAbility&)> change;
  int changed;
};

#define Q(fn, expected, change, changed) \
  QueryRow { #fn, [] { return fn(); }, expected, [](DeviceAbility& a) { change; }, changed }

int byteOut(int (*fn)(uint8_t*)) {
  uint8_t v = 0xEE;
  return fn(&v) == 0 ? v : -100;
}
int intOut(int (*fn)(int*)) {
  int v = -7;
  return fn(&v) == 0 ? v : -100;
}

const QueryRow kQueries[] = {
    Q(getOutputHwType, 3, a.outputHwType = 7, 7),
    Q(hasHdmiOutput, 1, a.hdmiOut = 0, 0),
    Q(hasVgaOutput, 1, a.vgaOut = 0, 0),
    Q(hasCvbsOutput, 1, a.cvbsOut = 0, 0),
    Q(hasHdmiVgaMode, 0, a.outputModeFlags |= 1, 1),
    Q(hasDisplayModeBit1, 1, a.outputModeFlags &= ~2u, 0),
    Q(hasDisplayModeBit2, 0, a.outputModeFlags |= 4, 1),
    Q(getEsataNum, 1, a.esataNum = 2, 2),
    Q(getLocalDiskNum, 17, a.localDiskNum = 8, 8),
    Q(getMiniSasNum, 96, a.miniSasNum = 300, 300),
    Q(getDiskCapacityGb, 0, a.diskCapacityGb = 6144, 6144),
    Q(hasDiskDetect, 1, a.storageFlags &= ~1u, 0),
    Q(hasDiskListOption, 0, a.storageFlags |= 8, 1),
    Q(hasPlaybackTopOption, 1, a.storageFlags &= ~64u, 0),
    Q(hasPictureStorage, 1, a.storageFlags &= ~128u, 0),
    Q(getAnalogChanNum, 16, a.analogChanNum = 8, 8),
    Q(hasAnalogChan, 1, a.analogChanNum = 0, 0),
    Q(hasEsataFunction, 1, a.esataFunction = 0, 0),
    Q(getNicNum, 1, a.nicNum = 2, 2),
    Q(hasMultiNic, 0, a.nicNum = 2, 1),
    Q(getNetDetectKind, 2, a.netDetectKind = 1, 1),
    Q(getNetsetKind, 2, a.netsetKind = 3, 3),
    Q(hasSnmp, 1, a.netFlags &= ~2u, 0),
    Q(hasIpv6, 1, a.netFlags &= ~4u, 0),
    Q(hasFtp, 1, a.netFlags &= ~16u, 0),
    Q(getCameraOptionByte, 1, a.cameraOptionByte = 0, 0),
    Q(hasTamperOption, 1, a.pictureFlags &= ~1u, 0),
    Q(hasViewPosOption, 0, a.pictureFlags |= 8, 1),
    Q(hasLiveVideoAreaCapability, 0, a.pictureFlags |= 8, 1),
    Q(hasRtspPort, 1, a.pictureFlags &= ~32u, 0),
    Q(hasContrastSetting, 0, a.pictureFlags |= 64, 1),
    Q(hasMainOutSwitch, 1, a.pictureFlags &= ~256u, 0),
    QueryRow{"getVideoOutputCount", [] { return byteOut(getVideoOutputCount); }, 1,
             [](DeviceAbility& a) { a.videoOutputCount = 2; }, 2},
    QueryRow{"getColorDepthCode", [] { return byteOut(getColorDepthCode); }, 3,
             [](DeviceAbility& a) { a.colorDepthCode = 0; }, 0},
    Q(hasDisplayFeature, 1, a.displayFlags = 0, 0),
    Q(getMaxSyncPlayChans, 4, a.maxSyncPlayChans = 16, 16),
    QueryRow{"hasReversePlay", [] { return intOut(hasReversePlay); }, 1,
             [](DeviceAbility& a) { a.reversePlayChans = 0; }, 0},
    Q(getMaxReversePlayChans, 4, a.reversePlayChans = 2, 2),
    Q(hasPlaybackFeature, 0, a.playbackFlags = 1, 1),
    Q(getRs232Num, 1, a.rs232Num = 0, 0),
    Q(getLogSearchKind, 1, a.logSearchKind = 2, 2),
    Q(getAlarmInNum, 16, a.alarmInNum = 4, 4),
    Q(getAlarmOutNum, 4, a.alarmOutNum = 1, 1),
    Q(getChanSlotKind, 32, a.chanSlotKind = 16, 16),
    Q(getMaxChanSlotNum, 64, a.chanSlotKind = 16, 32),
    Q(hasPoe, 0, a.poeFlags = 2, 1),
    Q(hasPlaybackKeyBit0, 0, a.playbackKeyFlags = 1, 1),
    Q(hasNumKeyOption, 0, a.playbackKeyFlags = 2, 1),
    Q(hasOutputOption, 1, a.storageModeFlags &= ~4u, 0),
    Q(hasDiskModeSetting, 0, a.storageModeFlags |= 8, 1),
    Q(hasDisplayOption, 0, a.displayModeFlags |= 2, 1),
    Q(hasPreviewOption, 1, a.displayModeFlags &= ~8u, 0),
    Q(hasDigitalZoom, 1, a.displayModeFlags &= ~16u, 0),
    Q(hasPosSetting, 0, a.systemFlags |= 4, 1),
    Q(hasAtmSetting, 0, a.systemFlags |= 8, 1),
    Q(hasUserOption, 1, a.systemFlags &= ~1024u, 0),
    Q(getSelectableOutputNum, 3, a.outputModeFlags |= 1, 2),
};
#undef Q

TEST_F(DeviceTest, QueriesAnswerTheRecordAndFollowItsChanges) {
  for (const QueryRow& q : kQueries) {
    SCOPED_TRACE(q.name);
    initDeviceAbility();
    EXPECT_EQ(q.query(), q.expected);
    q.change(ability());
    EXPECT_EQ(q.query(), q.changed);
  }
  EXPECT_EQ(getVideoOutputCount(nullptr), -1);
  EXPECT_EQ(getColorDepthCode(nullptr), -1);
  EXPECT_EQ(hasReversePlay(nullptr), -1);
}

TEST_F(DeviceTest, TypedQueries) {
  int v = -1;
  const int supportedTypes[] = {1, 1, 1, 1, 1, 0, 1, 0, 0};
  for (int t = 0; t <= 8; ++t) {
    ASSERT_EQ(isRecordTypeSupported(&v, t), 0);
    EXPECT_EQ(v, supportedTypes[t]) << "type " << t;
  }
  ability().recordTypeMask |= 0x80;  // type 7 reads bit 7
  isRecordTypeSupported(&v, 7);
  EXPECT_EQ(v, 1);
  isRecordTypeSupported(&v, 255);
  EXPECT_EQ(v, 1);
  isRecordTypeSupported(&v, 9);
  EXPECT_EQ(v, 0);
  EXPECT_EQ(isRecordTypeSupported(nullptr, 0), -1);

  for (int t = 4096; t <= 4105; ++t) {
    ASSERT_EQ(isEventTypeSupported(&v, t), 0);
    EXPECT_EQ(v, t == 4098 || t == 4099) << "event " << t;
  }
  EXPECT_EQ(isEventTypeSupported(nullptr, 4098), -1);

  // Modes allowed by each interface mode kind.
  const char* kAllowed[] = {"", "1,2,6", "1,2,3,4,6", "1,2,3,4,5,6"};
  for (int kind = 0; kind <= 3; ++kind) {
    ability().nicModeKinds[1] = static_cast<uint8_t>(kind);
    std::string got;
    for (int mode = 0; mode <= 7; ++mode)
      if (isNicModeSupported(mode, 1)) got += (got.empty() ? "" : ",") + std::to_string(mode);
    EXPECT_EQ(got, kAllowed[kind]) << "kind " << kind;
  }
  EXPECT_EQ(isNicModeSupported(1, 8), 0);
  EXPECT_EQ(isNicModeSupported(1, 0), 1);

  std::string splits;
  for (int w = 0; w <= 17; ++w)
    if (isSplitModeSupported(w)) splits += std::to_string(w) + " ";
  EXPECT_EQ(splits, "0 1 3 4 5 6 8 9 11 14 15 16 17 ");

  EXPECT_EQ(isWd1Supported(1, 1), 0);
  ability().mainResMask |= 1u << 8;
  EXPECT_EQ(isWd1Supported(1, 3), 1);
  EXPECT_EQ(isWd1Supported(1, 2), 0);
  EXPECT_EQ(isWd1Supported(17, 1), 0);
  EXPECT_EQ(isWd1SupportedMain(16), 1);
  EXPECT_TRUE(isEncodeCodeSupported(1, 1, 4097) && isEncodeCodeSupported(1, 1, 4099));
  EXPECT_FALSE(isEncodeCodeSupported(1, 1, 4098));
}

TEST_F(DeviceTest, StreamCapsWriteOnlyTheGivenOutputs) {
  ability().subBitrateKey[1] = 12;  // code 1 is bit 1
  ability().subFrameRateMask[1] = 0x55;
  uint32_t rates = 9, key = 9;
  int supported = 9;
  EXPECT_EQ(getResolutionStreamCaps(&rates, &key, &supported, 1, 2), 0);
  EXPECT_EQ(rates, 0x55u);
  EXPECT_EQ(key, 12u);
  EXPECT_EQ(supported, 1);
  EXPECT_EQ(getResolutionStreamCaps(&rates, &key, &supported, 3, 2), 0);  // not on sub-stream
  EXPECT_EQ(rates, 0u);
  EXPECT_EQ(key, 0u);
  EXPECT_EQ(supported, 0);
  EXPECT_EQ(getResolutionStreamCaps(&rates, nullptr, nullptr, 3, 1), 0);
  EXPECT_EQ(rates, 0x1ffffu);
  EXPECT_EQ(getResolutionStreamCaps(nullptr, nullptr, nullptr, 5, 1), 0);
  rates = 7;
  EXPECT_EQ(getResolutionStreamCaps(&rates, &key, &supported, 1, 3), -1);
  EXPECT_EQ(rates, 7u);
}

TEST_F(DeviceTest, FrameQueriesAndValueTables) {
  int mainOut = 0, auxOut = 0;
  EXPECT_EQ(getDisplayOutputIds(nullptr, &auxOut), 2);
  EXPECT_EQ(auxOut, 0);
  EXPECT_EQ(getDisplayOutputIds(&mainOut, &auxOut), 0);
  EXPECT_EQ(mainOut, 3);
  EXPECT_EQ(auxOut, 1);
  int type = 0;
  EXPECT_EQ(getDisplayOutputType(2, &type), 0);
  EXPECT_EQ(type, 1);
  EXPECT_EQ(getVideoOutNum(), 3);
  EXPECT_EQ(gui_get_galengin(), 2);

  EXPECT_EQ(findTableKeyByValue(&g_layoutModeTable, 16), 6u);
  EXPECT_EQ(findTableKeyByValue(&g_layoutModeTable, 5), 0u);
  EXPECT_EQ(findTableKeyByValue(&g_dwellTimeTable, 65535), 0u);
  EXPECT_EQ(findTableKeyByValue(&g_dwellTimeTable, 7), 1u);
  EXPECT_EQ(findTableValueByKey(&g_bitrateTable, 27), 16777216u);
  EXPECT_EQ(findTableValueByKey(&g_bitrateTable, 1), 22u);
  EXPECT_EQ(findTableValueByKey(&g_frameRateTable, 20), 9u);
  EXPECT_EQ(findTableValueByKey(&g_frameRateTable, 21), 0u);

  pthread_mutex_t mutex;
  EXPECT_EQ(lockMutexInit(&mutex), 0);
  EXPECT_EQ(pthread_mutex_lock(&mutex), 0);
  EXPECT_EQ(pthread_mutex_unlock(&mutex), 0);
  EXPECT_EQ(lockMutexDestroy(&mutex), 0);
  EXPECT_EQ(lockMutexInit(nullptr), 0);
  EXPECT_EQ(lockMutexDestroy(nullptr), 0);
  EXPECT_EQ(createDetachedThread(nullptr, 50, 4096, nullptr, nullptr), -1);
}

}  // namespace
