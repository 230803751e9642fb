/* The device backend: every question the menus put to the recorder.
 *
 * This build answers from a simulated device. Conventions: 0 is success; a
 * null out-pointer or an index out of range gives -1 and leaves the output
 * untouched; records the device does not keep come back zero-filled. Sets
 * keep what they write for the program's run (a simulated reboot keeps it)
 * and gets answer the kept record, else the defaults. Every operation that
 * takes an OutputLogin ignores it. Safe to call from any thread. */
#ifndef APP_DEVICE_BACKEND_H
#define APP_DEVICE_BACKEND_H

#include "app/device_ability.h"
#include "gui/app_hooks.h"

GUI_EXTERN_C_BEGIN

/* Device, time and configuration. */
int getDeviceInfo(OutputLogin* login, DeviceInfo* out);
int getDeviceConfig(OutputLogin* login, DeviceConfig* out);
/* Refuses a device number outside 1..255, a name holding a character names
 * refuse and a hand-set daylight-saving rule starting and ending in one
 * month; a refusal keeps the old record. */
int setDeviceConfig(OutputLogin* login, const DeviceConfig* in, int flag);
/* PC local time; answers 1, which callers must not read as failure. */
int getDeviceTime(OutputLogin* login, DeviceTime* out);
/* Two words: the start-up wizard flag (1 until set), then 0. */
int getStartGuideFlag(OutputLogin* login, uint32_t out[2]);
int setStartGuideFlag(OutputLogin* login, const uint32_t in[2], int flag);
int getHolidayConfig(OutputLogin* login, HolidayTable* out);
int getExceptionConfig(OutputLogin* login, ExceptionLinkageTable* out);
int getRs232Config(OutputLogin* login, Rs232Config* out);

/* Users. */
int getUserConfig(OutputLogin* login, UserConfig* out);
/* Refuses a table without the administrator in record 0, a name holding a
 * character names refuse, or one name twice (USER_ERR_*). */
int setUserConfig(OutputLogin* login, const UserConfig* in, int flag);
int setUserDefaultRights(UserRecord* user, int priority);
int hasInvalidNameChar(const char* name, int length);
/* 0 and login id 0 when the name and password match a user of the table;
 * 1 for an unknown name, a wrong password or an empty name. */
int loginDevice(const char* user, const char* password, int unused1, int unused2, int unused3,
                int* loginIdOut, int unused4);
int logoutDevice(int loginId);

/* Channels and pictures. */
int getChannelNum(void);
int getAnalogChannelNum(void);
/* The IP channels the device has (0 until a camera is added) and their
 * mask, bit n - 1 for IP channel n: the one count of every loop over IP
 * channels, the pages' copy loops included. */
int getIpChannelNum(uint64_t* maskOut);
int getMaxChanSlotNum(void);
int getChannelConfig(OutputLogin* login, int channel, ChannelConfig* out);
int setChannelConfig(OutputLogin* login, int channel, const ChannelConfig* in, int flag);
int setColorConfig(int channel, const ColorSetRecord* colour);
/* The device has no colour presets: -1. */
int getColorPreset(int mode, uint8_t out[8]);
/* Every row ranges over 0..255. */
int getColorRange(int channel, int mode, ColorRangeRecord* out);
int getChannelStatus(int channel, ChannelStatus* out);
int getIpChannelInfo(int channel, IpChannelInfo* out, int ignored);
int getIpcParam(IpcParam* out);
int getIpcAdvParam(OutputLogin* login, int channel, uint32_t* out);
int getCustomProtocolConfig(OutputLogin* login, int index, CustomProtocolConfig* out);
int getNetTestResult(NetTestResult* out);
int getIpChannelAbility(uint32_t out[7], int ipChannel);
int getDeviceTypeName(int code, char* text, int size);
int getOsdMaxWidth(void);
void alignVideoRect(uint16_t* x, uint16_t* y, uint16_t* w, uint16_t* h);
void alignSizeTo8(uint16_t* w, uint16_t* h);
int getMotionAreaCaps(AreaCaps* out, int channel);
int getTamperAreaCaps(AreaCaps* out, int channel);
int getPrivacyAreaCaps(AreaCaps* out, int channel);
int getOsdCaps(OsdCaps* out, int channel);
int isChannelUsable(int channel);
int isChannelPreviewEnabled(int channel);
/* The device names no coded values: -1. */
int getDeviceValueName(int unused, int value, char out[32]);

/* Encoding: channels 1..16 analog, 17 the IP channel, negative a group. */
int isStreamTypeSupported(int channel, int streamType);
int isStreamOptionSupported(int channel, int streamType, int flag);
int isEncodeTypeSupported(int channel, int streamType, int code);
int getEncodeResolutionList(OptionItem* list, int channel, int streamType);
int getFrameRateList(OptionItem* list, int streamType, int channel, int resolution);
int getBitrateList(OptionItem* list, int streamType, int channel, int resolution);
int getCaptureOptionList(OptionItem* list, int channel, int flag);
int getBitrateLimits(int* minOut, int* maxOut, int channel, int streamType, int resolution);
int getBitrateRange(int* minOut, int* maxOut);
int getChannelStreamSize(int* width, int* height, int stream, int flag, int handle);
int getStreamSize(int* width, int* height, const StreamDescription* description, int handle);
int getPlayViewSize(int stream, int* width, int* height, int* flagOut, int handle);

/* Live view and outputs. */
int getPreviewConfig(OutputLogin* login, int outputIndex, PreviewConfig* out);
int setPreviewConfig(OutputLogin* login, int outputIndex, const PreviewConfig* in);
int getPreviewConfigExtra(OutputLogin* login, uint32_t* out);
int getEventOutputConfig(OutputLogin* login, EventOutputConfig* out);
int setEventOutputConfig(OutputLogin* login, const EventOutputConfig* in);
void getOutputResolution(int code, int* width, int* height);
int getLayoutKind(int count);
int setOutputLogoRect(int output, const OutputLogoRect* logo, int index, int kind);
int getPicFrameNum(void);
int getAuxVideoOutNum(void);
/* The output HDMI and VGA form together in the combined mode; -1 for none. */
int getCombinedVideoOut(void);
int needsLanguageChoice(void);
/* Split count and first window of an output index 0..7 (1 and 1 at start). */
int getLiveSplit(int output, int* countOut, int* firstWindowOut);
int showLiveChannel(int output, int channel);
int showLiveSplit(int output, int count, int firstWindow);
int showPreviousSplit(int output);
int startLiveSequence(int output);
int stopLiveSequence(int output);
int getLiveSequenceState(int output);
/* Strategy 1 real time, 3 balanced (until set), 5 fluent. */
int hasPreviewStrategy(void);
int getPreviewStrategy(OutputLogin* login, int channel, int* out);
int setPreviewStrategy(OutputLogin* login, int channel, int strategy);
int hasLiveAudio(int channel);
int openLiveAudio(int channel, int arg1, int arg2, int arg3, int arg4);
int closeLiveAudio(int channel);
int startLiveZoom(int output, int channel, const Rect* area);
int stopLiveZoom(int output, int channel);
int ptzPositionRect(int channel, const Rect* area);
int ptzStop(int channel);
/* A channel's small picture with its top-left corner at a screen point. */
int startSmallVideo(int channel, int x, int y);
int stopSmallVideo(int channel);
int previewPictureMode(int output, int mode);
int endPictureModePreview(int output);
int applyPictureMode(OutputLogin* login);
int refreshLivePicture(int channel);
int notifyMenuHidden(int output);

/* Records and disks. */
int getRecordConfig(OutputLogin* login, int channel, RecordConfig* out);
int getRecordSchedExtra(OutputLogin* login, int channel, HolidaySchedule* out);
int getCaptureConfig(OutputLogin* login, int channel, CaptureConfig* out);
int getManualRecordState(OutputLogin* login, ManualRecordState* out);
int hasManualRecordState(void);
void getRecordStatus(int channel, RecordStatus* out);
uint64_t getRecordingChanMask(void);
int canManualRecord(int channel);
void startManualRecord(int loginId, uint64_t mask, int flag);
void stopManualRecord(int loginId, uint64_t mask, int flag);
/* Whether the device takes manual snapshots at all: 1. */
int hasManualSnapshot(void);
int canManualSnapshot(int channel);
int startManualSnapshot(int loginId, uint64_t mask);
int stopManualSnapshot(int loginId, uint64_t mask);
int getAdvRecordExtra(AdvRecordExtra* out);
int getChannelRecordFlags(OutputLogin* login, int channel, uint32_t out[2]);
/* Writes one row into a list of DISK_LIST_ROWS rows; answers the row count. */
int getDiskList(DiskInfo* out);
int isValidDiskNo(int n);
int getNetDiskConfig(OutputLogin* login, NetDiskConfig* out);
int getDiskQuotaInfo(int channel, int kind, DiskQuotaInfo* out);
int getFormatProgress(int disk, int kind, FormatProgress* out);
int getDiskCheckInfo(DiskCheckInfo* out);
int getDiskModeFlag(uint8_t* out);
int hasDiskToInit(void);
int isDiskRepairing(void);
int isDiskFormatting(void);
int isDiskExpanding(void);
/* Formats the listed disk numbers (one byte each, at most 32); 0 accepted. */
int formatDiskList(int loginId, const uint8_t* disks, int count);
/* Every channel's schedule becomes all-day recording: motion (1) or
 * continuous (0); 0 accepted. */
int setAllDayRecord(int loginId, int motion);

/* Alarms. */
int getChannelAlarmFlags(int index, int* flag1, int* flag2);
int getAlarmInStatus(int input, AlarmInStatus* out);
int getAlarmOutStatus(int output, AlarmOutStatus* out);
int getIpAlarmOutMask(int group);

/* Network. */
int getNetConfig(OutputLogin* login, NetConfig* out);
int getNetAdvConfig(OutputLogin* login, NetAdvConfig* out);
int getEmailConfig(OutputLogin* login, EmailConfig* out);
int getFtpConfig(OutputLogin* login, int index, FtpConfig* out);
int getSnmpConfig(OutputLogin* login, SnmpConfig* out);
int getFtpDefaultPort(int protocol);
void convertNicName(int mode, const char* from, char* to, int size);

/* Search and playback. */
int findRecordFiles(SearchCondition* condition, OutputLogin* login, int* count);
int getRecordFileResult(OutputLogin* login, int kind, SearchResult* out);
int findPictures(SearchCondition* condition, int* count);
int getPicResult(int kind, int n, SearchResult* out);
int getSearchResultItem(int n, int display, SearchResult* out);
int getEventResultItem(int kind, int n, SearchResult* out);
int getTagResult(OutputLogin* login, int kind, SearchResult* out);
int getFindCount(int* count);
int getRecordTimeSpan(int channel, int kind, uint32_t* start, uint32_t* end);
int64_t getPlayTime(int playHandle);
int getStreamBufSize(int handle);
int getSearchResultMax(int kind);
int getSideBarInfo(OutputLogin* login, SideBarInfo* out);

/* PTZ. */
int getPtzDecoderConfig(OutputLogin* login, int channel, PtzDecoderConfig* out);
/* Rebuilds the protocol table and answers its length. */
int getPtzProtocolList(void);
#define PTZ_PROTOCOL_MAX 16
int readPtzProtocols(PtzProtocol* out, int max);
int getPresetMaxNum(int channel);
int getPatrolNum(int channel);
int getPtzAddrMax(void);
int getPresetSpeedMax(void);

GUI_EXTERN_C_END

#include "app/device_backend_net.h"
#include "app/device_backend_system.h"

#endif
