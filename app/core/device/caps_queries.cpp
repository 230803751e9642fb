// Capability queries: each reads the capability record, never a constant,
// so a device with other capabilities answers differently.
#include "app/device_ability.h"

namespace {

const DeviceAbility& ab() { return *getDeviceAbility(); }
int bit(uint32_t word, int n) { return (word >> n) & 1u; }

// Resolution code to its capability bit; -1 for codes without one.
int resolutionBit(int code) {
  switch (code) {
    case 2: return 0;
    case 1: return 1;
    case 8: return 2;
    case 4: return 3;
    case 3: return 4;
    case 16: return 5;
    case 19: return 6;
    case 17: return 7;
    case 36: return 8;
    default: return -1;
  }
}

int writeMaskBit(int* out, uint32_t mask, int n) {
  if (!out) return -1;
  *out = bit(mask, n);
  return 0;
}

}  // namespace

extern "C" {

int getOutputHwType(void) { return ab().outputHwType; }
int hasHdmiOutput(void) { return ab().hdmiOut; }
int hasVgaOutput(void) { return ab().vgaOut; }
int hasCvbsOutput(void) { return ab().cvbsOut; }
int hasHdmiVgaMode(void) { return bit(ab().outputModeFlags, 0); }
int hasDisplayModeBit1(void) { return bit(ab().outputModeFlags, 1); }
int hasDisplayModeBit2(void) { return bit(ab().outputModeFlags, 2); }
int getEsataNum(void) { return ab().esataNum; }
int getLocalDiskNum(void) { return ab().localDiskNum; }
int getMiniSasNum(void) { return ab().miniSasNum; }
int getDiskCapacityGb(void) { return static_cast<int>(ab().diskCapacityGb); }
int hasDiskDetect(void) { return bit(ab().storageFlags, 0); }
int hasDiskListOption(void) { return bit(ab().storageFlags, 3); }
int hasPlaybackTopOption(void) { return bit(ab().storageFlags, 6); }
int hasPictureStorage(void) { return bit(ab().storageFlags, 7); }
int getAnalogChanNum(void) { return ab().analogChanNum; }
int hasAnalogChan(void) { return ab().analogChanNum != 0; }
int hasEsataFunction(void) { return ab().esataFunction; }
int getNicNum(void) { return ab().nicNum; }
int hasMultiNic(void) { return ab().nicNum >= 2; }
int getNetDetectKind(void) { return ab().netDetectKind; }
int getNetsetKind(void) { return ab().netsetKind; }
int hasSnmp(void) { return bit(ab().netFlags, 1); }
int hasIpv6(void) { return bit(ab().netFlags, 2); }
int hasFtp(void) { return bit(ab().netFlags, 4); }
int getCameraOptionByte(void) { return ab().cameraOptionByte; }
int hasTamperOption(void) { return bit(ab().pictureFlags, 0); }
int hasViewPosOption(void) { return bit(ab().pictureFlags, 3); }
int hasRtspPort(void) { return bit(ab().pictureFlags, 5); }
int hasContrastSetting(void) { return bit(ab().pictureFlags, 6); }
int hasMainOutSwitch(void) { return bit(ab().pictureFlags, 8); }
int hasLiveVideoAreaCapability(void) { return hasViewPosOption(); }

int getVideoOutputCount(uint8_t* out) {
  if (!out) return -1;
  *out = ab().videoOutputCount;
  return 0;
}

int getColorDepthCode(uint8_t* out) {
  if (!out) return -1;
  *out = ab().colorDepthCode;
  return 0;
}

int hasDisplayFeature(void) { return bit(ab().displayFlags, 0); }
int getMaxSyncPlayChans(void) { return ab().maxSyncPlayChans; }

int hasReversePlay(int* out) {
  if (!out) return -1;
  *out = ab().reversePlayChans != 0;
  return 0;
}

int getMaxReversePlayChans(void) { return ab().reversePlayChans; }
int hasPlaybackFeature(void) { return bit(ab().playbackFlags, 0); }
int getRs232Num(void) { return ab().rs232Num; }
int getLogSearchKind(void) { return ab().logSearchKind; }
int getAlarmInNum(void) { return ab().alarmInNum; }
int getAlarmOutNum(void) { return ab().alarmOutNum; }
int getChanSlotKind(void) { return ab().chanSlotKind; }
int hasPoe(void) { return bit(ab().poeFlags, 1); }
int hasPlaybackKeyBit0(void) { return bit(ab().playbackKeyFlags, 0); }
int hasNumKeyOption(void) { return bit(ab().playbackKeyFlags, 1); }
int hasOutputOption(void) { return bit(ab().storageModeFlags, 2); }
int hasDiskModeSetting(void) { return bit(ab().storageModeFlags, 3); }
int hasDisplayOption(void) { return bit(ab().displayModeFlags, 1); }
int hasPreviewOption(void) { return bit(ab().displayModeFlags, 3); }
int hasDigitalZoom(void) { return bit(ab().displayModeFlags, 4); }
int hasPosSetting(void) { return bit(ab().systemFlags, 2); }
int hasAtmSetting(void) { return bit(ab().systemFlags, 3); }
int hasUserOption(void) { return bit(ab().systemFlags, 10); }

int isRecordTypeSupported(int* out, int type) {
  if (!out) return -1;
  if (type >= 0 && type <= 8) return writeMaskBit(out, ab().recordTypeMask, type);
  *out = type == 255 ? 1 : 0;
  return 0;
}

int isEventTypeSupported(int* out, int type) {
  if (!out) return -1;
  if (type >= 4097 && type <= 4104) return writeMaskBit(out, ab().eventTypeMask, type - 4097);
  *out = 0;
  return 0;
}

int isNicModeSupported(int mode, int nicIndex) {
  if (nicIndex < 0 || nicIndex >= 8) return 0;
  switch (ab().nicModeKinds[nicIndex]) {
    case 1: return mode == 1 || mode == 2 || mode == 6;
    case 2: return (mode >= 1 && mode <= 4) || mode == 6;
    case 3: return mode >= 1 && mode <= 6;
    default: return 0;
  }
}

int isSplitModeSupported(int windows) {
  static const int kWindows[] = {2, 4, 6, 7, 8, 9, 10, 12, 13, 16};
  for (int i = 0; i < 10; ++i)
    if (kWindows[i] == windows) return bit(ab().splitMask, i + 1);
  return bit(ab().splitMask, 0);
}

int getResolutionStreamCaps(uint32_t* frameRateMaskOut, uint32_t* bitrateKeyOut, int* supportedOut,
                            int resolutionCode, int stream) {
  if (stream != 1 && stream != 2) return -1;
  const DeviceAbility& a = ab();
  uint32_t mask = stream == 1 ? a.mainResMask : a.subResMask;
  int n = resolutionBit(resolutionCode);
  bool supported = n >= 0 && bit(mask, n);
  const uint32_t* rates = stream == 1 ? a.mainFrameRateMask : a.subFrameRateMask;
  const uint32_t* keys = stream == 1 ? a.mainBitrateKey : a.subBitrateKey;
  if (supportedOut) *supportedOut = supported ? 1 : 0;
  if (frameRateMaskOut) *frameRateMaskOut = supported ? rates[n] : 0;
  if (bitrateKeyOut) *bitrateKeyOut = supported ? keys[n] : 0;
  return 0;
}

int isWd1Supported(int channel, int stream) {
  if (channel < 1 || channel > 16 || (stream != 1 && stream != 3)) return 0;
  int supported = 0;
  getResolutionStreamCaps(nullptr, nullptr, &supported, 36, 1);
  return supported;
}

int isWd1SupportedMain(int channel) { return isWd1Supported(channel, 1); }

int isEncodeCodeSupported(int, int, int code) { return code == 4097 || code == 4099; }

}  // extern "C"
