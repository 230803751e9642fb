/* The device's fixed capability record, the queries the pages ask of it and
 * the option lists built from it. Pages never read the record directly. */
#ifndef APP_DEVICE_ABILITY_H
#define APP_DEVICE_ABILITY_H

#include <pthread.h>

#include "app/device_records.h"

GUI_EXTERN_C_BEGIN

#define ABILITY_RES_BITS 32

typedef struct DeviceAbility {
  /* Fields named unnamedN (field N) and the arrays named after a group the
   * record only counts ("three limits") have no meaning any reader gives
   * them: nothing reads them, they keep the values the fill writes. */
  uint8_t capVersion;            /* field 1 */
  uint8_t capSubVersion;
  uint16_t outputHwType;         /* 3 and 7 use the second output resolution tables */
  uint8_t hdmiOut;
  uint8_t vgaOut;
  uint8_t cvbsOut;
  uint8_t unnamed7;
  uint32_t outResMaskKind2;      /* field 8 */
  uint32_t outResMaskKind1;
  uint32_t outputModeFlags;      /* field 10: bit 0 combined HDMI/VGA */
  uint8_t unnamed11;
  uint8_t esataNum;
  uint8_t localDiskNum;
  uint8_t unnamed14[3];          /* fields 14-16 */
  uint16_t miniSasNum;           /* field 17 */
  uint32_t diskCapacityGb;       /* field 18 */
  uint32_t limits[3];            /* fields 19-21 */
  uint32_t recordTypeMask;       /* field 22 */
  uint32_t eventTypeMask;
  uint32_t unnamed24;
  uint32_t storageFlags;         /* field 25 */
  uint8_t analogChanNum;
  uint8_t unnamed27;
  uint8_t unnamed28;             /* set at start-up with the channel counts */
  uint16_t counts[2];            /* fields 29-30 */
  uint8_t unnamed31;             /* field 31, set at start-up */
  uint8_t smallValues[5];        /* fields 32-36 */
  uint8_t unnamed37;             /* set at start-up */
  uint8_t storageFlagBytes[2];   /* fields 38-39: the first two of three flags */
  uint8_t esataFunction;         /* field 40: the third; eSATA use of advanced recording */
  uint32_t unnamed41;
  uint8_t nicNum;
  uint8_t netDetectKind;
  uint16_t sizes[3];             /* fields 44-46 */
  uint8_t nicModeKinds[8];       /* field 47 */
  uint8_t netsetKind;
  uint32_t netFlags;             /* field 49 */
  uint32_t unnamed50;
  uint32_t unnamed51;            /* cleared by the fill */
  uint32_t streamLimits[3];      /* fields 52-54 */
  uint8_t cameraOptionByte;      /* field 55 */
  uint8_t unnamed56;
  uint32_t mainResMask;          /* field 57 */
  uint32_t mainBitrateKey[ABILITY_RES_BITS];
  uint32_t mainFrameRateMask[ABILITY_RES_BITS];
  uint32_t subResMask;           /* field 60 */
  uint32_t subBitrateKey[ABILITY_RES_BITS];
  uint32_t subFrameRateMask[ABILITY_RES_BITS];
  uint8_t osdCapByte;            /* field 63 */
  uint16_t captureOptionMask;
  uint16_t unnamed65;
  uint32_t splitMask;            /* field 66 */
  uint32_t pictureFlags;
  uint8_t videoOutputCount;      /* field 68 */
  uint8_t colorDepthCode;
  uint8_t unnamed70;
  uint32_t displayFlags;         /* field 71 */
  uint8_t maxSyncPlayChans;
  uint8_t reversePlayChans;
  uint16_t unnamed74;
  uint32_t playbackFlags;        /* field 75 */
  uint8_t rs232Num;
  uint8_t logSearchKind;
  uint32_t baudMaskRs232;        /* field 78 */
  uint32_t baudMaskPtz;
  uint8_t alarmInNum;            /* field 80 */
  uint8_t alarmOutNum;
  uint8_t unnamed82;
  uint8_t unnamed83;
  uint32_t unnamed84;
  uint8_t chanSlotKind;          /* field 85 */
  uint16_t streamProtocolMask;
  uint32_t poeFlags;             /* field 87 */
  uint16_t tailCounts[3];        /* fields 88-90 */
  uint32_t playbackKeyFlags;     /* field 91 */
  uint32_t storageModeFlags;
  uint32_t displayModeFlags;
  uint32_t systemFlags;          /* field 94 */
} DeviceAbility;

#define DEVICE_HANDLE 17439

/* Start-up: fills the record; before any other work of main. */
int initDeviceAbility(void);
int fillDeviceAbility(int handle, DeviceAbility* record);
int getDeviceHandle(void);
/* The record in force (read-only after start-up). */
const DeviceAbility* getDeviceAbility(void);

/* Display outputs. */
int getDisplayOutputIds(int* mainOut, int* auxOut);
int getDisplayOutputType(int output, int* typeOut);
int getVideoOutNum(void);
int getSelectableOutputNum(void);
int gui_get_galengin(void);

/* Worker threads and mutexes. */
int createDetachedThread(const char* name, int priority, int stackSize, void* (*entry)(void*),
                         void* arg);
/* Returns once every thread createDetachedThread made has returned: the
 * program's end waits so that none reaches into what the end frees. */
void waitForWorkerThreads(void);
int lockMutexInit(pthread_mutex_t* mutex);
int lockMutexDestroy(pthread_mutex_t* mutex);

/* Value tables. */
uint32_t findTableKeyByValue(const ValueTable* table, uint32_t value);
uint32_t findTableValueByKey(const ValueTable* table, uint32_t key);
extern const ValueTable g_bitrateTable;     /* keys 2..27, bits per second */
extern const ValueTable g_frameRateTable;   /* bit 0..20 to rate */
extern const ValueTable g_layoutModeTable;  /* key 0..6 for 0, 1, 4, 6, 8, 9, 16 windows */
extern const ValueTable g_dwellTimeTable;   /* key 0..7 for 65535, 5 .. 300 seconds */

/* One-field queries. */
int getOutputHwType(void);
int hasHdmiOutput(void);
int hasVgaOutput(void);
int hasCvbsOutput(void);
int hasHdmiVgaMode(void);
int hasDisplayModeBit1(void);
int hasDisplayModeBit2(void);
int getEsataNum(void);
int getLocalDiskNum(void);
int getMiniSasNum(void);
int getDiskCapacityGb(void);
int hasDiskDetect(void);
int hasDiskListOption(void);
int hasPlaybackTopOption(void);
int hasPictureStorage(void);
int getAnalogChanNum(void);
int hasAnalogChan(void);
int hasEsataFunction(void);
int getNicNum(void);
int hasMultiNic(void);
int getNetDetectKind(void);
int getNetsetKind(void);
int hasSnmp(void);
int hasIpv6(void);
int hasFtp(void);
int getCameraOptionByte(void);
int hasTamperOption(void);
int hasViewPosOption(void);
int hasRtspPort(void);
int hasContrastSetting(void);
int hasMainOutSwitch(void);
int getVideoOutputCount(uint8_t* out);
int getColorDepthCode(uint8_t* out);
int hasLiveVideoAreaCapability(void);
int hasDisplayFeature(void);
int getMaxSyncPlayChans(void);
int hasReversePlay(int* out);
int getMaxReversePlayChans(void);
int hasPlaybackFeature(void);
int getRs232Num(void);
int getLogSearchKind(void);
int getAlarmInNum(void);
int getAlarmOutNum(void);
int getChanSlotKind(void);
int hasPoe(void);
int hasPlaybackKeyBit0(void);
int hasNumKeyOption(void);
int hasOutputOption(void);
int hasDiskModeSetting(void);
int hasDisplayOption(void);
int hasPreviewOption(void);
int hasDigitalZoom(void);
int hasPosSetting(void);
int hasAtmSetting(void);
int hasUserOption(void);

/* Typed queries. */
int isRecordTypeSupported(int* out, int type);
int isEventTypeSupported(int* out, int type);
int isNicModeSupported(int mode, int nicIndex);
int isSplitModeSupported(int windows);
int getResolutionStreamCaps(uint32_t* frameRateMaskOut, uint32_t* bitrateKeyOut, int* supportedOut,
                            int resolutionCode, int stream);
int isWd1Supported(int channel, int stream);
int isWd1SupportedMain(int channel);
int isEncodeCodeSupported(int channel, int streamType, int code);

/* Option lists: -1 for a null list or a bad argument, else 0. */
#define OPTION_LIST_16 16
#define OPTION_LIST_32 32
#define OPTION_LIST_48 48
int fillOutputResolutionList(OptionItem* list, int kind);
int fillBaudRateList(OptionItem* list, int port);
int fillStreamProtocolList(OptionItem* list, int which);
int fillEncodeResolutionList(OptionItem* list, int channelOrGroup, int stream);
int fillFrameRateList(OptionItem* list, int streamType, int channelOrGroup, int resolution);
int fillBitrateList(OptionItem* list, int streamType, int channelOrGroup, int resolution);
/* 0 for bad arguments, 1 on success. */
int getBitrateMinMax(int* minOut, int* maxOut, int channel, int streamType, int resolution);
int fillCaptureOptionList(OptionItem* list, int channel);

/* Area capability records: channel 1..16, else -1; a null out gives 0. */
int fillMotionAreaCaps(AreaCaps* out, int channel);
int fillTamperAreaCaps(AreaCaps* out, int channel);
int fillPrivacyAreaCaps(AreaCaps* out, int channel);
int fillOsdCaps(OsdCaps* out, int channel);

GUI_EXTERN_C_END

#endif
