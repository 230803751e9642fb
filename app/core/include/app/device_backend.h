/* The device backend: every question the menus put to the recorder.
 *
 * This build answers from a simulated device. Conventions: 0 is success; a
 * null out-pointer or an index out of range gives -1 and leaves the output
 * untouched; records the device does not keep come back zero-filled. Sets
 * keep what they write (the parameter file makes it outlive the program) and
 * gets answer the kept record, else the defaults; a refused set keeps the
 * old record whole. Every operation that
 * takes an OutputLogin ignores it. Safe to call from any thread. */
#ifndef APP_DEVICE_BACKEND_H
#define APP_DEVICE_BACKEND_H

#include "app/device_ability.h"
#include "app/device_status.h"
#include "gui/app_hooks.h"

GUI_EXTERN_C_BEGIN

/* Answers every page reads alike: done with nothing to show (a set that
 * changed nothing, a step the user declined), and a password whose
 * confirmation differs. */
#define DEVICE_OK_QUIET 0x200001
#define DEVICE_ERR_PASSWORD_MISMATCH 0x200004

/* Device, time and configuration. */
int getDeviceInfo(OutputLogin* login, DeviceInfo* out);
int getDeviceConfig(OutputLogin* login, DeviceConfig* out);
/* Refuses a device number outside 1..255, a name holding a character names
 * refuse and a hand-set daylight-saving rule starting and ending in one
 * month; a refusal keeps the old record. */
DEVICE_STATUS int setDeviceConfig(OutputLogin* login, const DeviceConfig* in, int flag);
/* PC local time; answers 1, which callers must not read as failure. */
int getDeviceTime(OutputLogin* login, DeviceTime* out);
/* Two words: the start-up wizard flag (1 until set), then 0. */
int getStartGuideFlag(OutputLogin* login, uint32_t out[2]);
DEVICE_STATUS int setStartGuideFlag(OutputLogin* login, const uint32_t in[2], int flag);
int getHolidayConfig(OutputLogin* login, HolidayTable* out);
int getExceptionConfig(OutputLogin* login, ExceptionLinkageTable* out);
int getRs232Config(OutputLogin* login, Rs232Config* out);

/* Users. */
int getUserConfig(OutputLogin* login, UserConfig* out);
/* Refuses a table without the administrator in record 0 (its name empty or
 * its level not 2: USER_ERR_NAME_EMPTY), a name holding a character names
 * refuse, or one name twice (USER_ERR_*). */
DEVICE_STATUS int setUserConfig(OutputLogin* login, const UserConfig* in, int flag);
DEVICE_STATUS int setUserDefaultRights(UserRecord* user, int priority);
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
/* -1 (the record zeroed) for a channel the device does not have. */
int getChannelConfig(OutputLogin* login, int channel, ChannelConfig* out);
DEVICE_STATUS int setChannelConfig(OutputLogin* login, int channel, const ChannelConfig* in, int flag);
DEVICE_STATUS int setColorConfig(int channel, const ColorSetRecord* colour);
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
/* The name of a resolution code; -1 for a code the device does not know. */
int getDeviceValueName(int unused, int value, char out[32]);

/* Encoding: channels 1..16 analog, 17 the IP channel, negative a group. */
int isStreamTypeSupported(int channel, int streamType);
int isStreamOptionSupported(int channel, int streamType, int flag);
int isEncodeTypeSupported(int channel, int streamType, int code);
int getEncodeResolutionList(OptionItem* list, int channel, int streamType);
int getFrameRateList(OptionItem* list, int streamType, int channel, int resolution);
/* 1 when a list of standard bit rates is available (written), else -1. */
int getBitrateList(OptionItem* list, int streamType, int channel, int resolution);
int getCaptureOptionList(OptionItem* list, int channel, int flag);
int getBitrateLimits(int* minOut, int* maxOut, int channel, int streamType, int resolution);
/* The Kbps range shown beside a stream's rate (that of its custom rates);
 * -1 (0 and 0) for a channel or stream without encoding lists. */
int getBitrateRange(int* minOut, int* maxOut, const BitrateRangeRequest* request);
int getChannelStreamSize(int* width, int* height, int stream, int flag, int handle);
int getStreamSize(int* width, int* height, const StreamDescription* description, int handle);
int getPlayViewSize(int stream, int* width, int* height, int* flagOut, int handle);

/* Live view and outputs. */
int getPreviewConfig(OutputLogin* login, int outputIndex, PreviewConfig* out);
DEVICE_STATUS int setPreviewConfig(OutputLogin* login, int outputIndex, const PreviewConfig* in);
int getPreviewConfigExtra(OutputLogin* login, uint32_t* out);
int getEventOutputConfig(OutputLogin* login, EventOutputConfig* out);
DEVICE_STATUS int setEventOutputConfig(OutputLogin* login, const EventOutputConfig* in);
void getOutputResolution(int code, int* width, int* height);
int getLayoutKind(int count);
DEVICE_STATUS int setOutputLogoRect(int output, const OutputLogoRect* logo, int index, int kind);
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
DEVICE_STATUS int setPreviewStrategy(OutputLogin* login, int channel, int strategy);
int hasLiveAudio(int channel);
DEVICE_STATUS int openLiveAudio(int channel, int arg1, int arg2, int arg3, int arg4);
DEVICE_STATUS int closeLiveAudio(int channel);
int startLiveZoom(int output, int channel, const Rect* area);
int stopLiveZoom(int output, int channel);
int ptzPositionRect(int channel, const Rect* area);
int ptzStop(int channel);
/* A channel's small picture with its top-left corner at a screen point. */
int startSmallVideo(int channel, int x, int y);
int stopSmallVideo(int channel);
int previewPictureMode(int output, int mode);
int endPictureModePreview(int output);
DEVICE_STATUS int applyPictureMode(OutputLogin* login);
int refreshLivePicture(int channel);
int notifyMenuHidden(int output);

/* Records and schedules. Gets answer any channel (zeros where nothing is
 * kept); sets keep channels 1..16 + IP_CHANNEL_BOUND and refuse others with
 * -1. The trailing flag is passed through. */
int getRecordConfig(OutputLogin* login, int channel, RecordConfig* out, int flag);
DEVICE_STATUS int setRecordConfig(OutputLogin* login, int channel, const RecordConfig* in, int flag);
int getRecordSchedExtra(OutputLogin* login, int channel, HolidaySchedule* out, int flag);
DEVICE_STATUS int setRecordSchedExtra(OutputLogin* login, int channel, const HolidaySchedule* in, int flag);
int getCaptureConfig(OutputLogin* login, int channel, CaptureConfig* out, int flag);
DEVICE_STATUS int setCaptureConfig(OutputLogin* login, int channel, const CaptureConfig* in, int flag);
int getCaptureParams(OutputLogin* login, int channel, CaptureSettingPair* out);
DEVICE_STATUS int setCaptureParams(OutputLogin* login, int channel, const CaptureSettingPair* in, int flag);
/* 0, or HOLIDAY_ERR_* for the first changed entry the device cannot use;
 * a refused table leaves the kept one whole. */
DEVICE_STATUS int setHolidayConfig(OutputLogin* login, const HolidayTable* in);
/* Every channel's schedule becomes all-day recording: motion (1) or
 * continuous (0); 0 accepted. */
DEVICE_STATUS int setAllDayRecord(int loginId, int motion);

/* Encoding. Analog channels start on each stream's first resolution at full
 * frame rate. The check and the set answer 0 or an ENCODE_ERR_* code for the
 * first block (main, event, sub) whose stream type, resolution, frame rate or
 * bit rate the channel does not offer; IP channels are not checked. */
int getEncodeConfig(OutputLogin* login, int channel, EncodeConfig* out, int flag);
DEVICE_STATUS int setEncodeConfig(OutputLogin* login, int channel, const EncodeConfig* in, int flag);
DEVICE_STATUS int checkEncodeParams(OutputLogin* login, int channel, const EncodeParamBlock* main, const EncodeParamBlock* event,
                      const EncodeParamBlock* sub, int flag);
/* WD1 per channel; the set is refused (-1) where WD1 is not offered. */
int getWd1Enable(OutputLogin* login, int stream, int channel, uint8_t* out);
DEVICE_STATUS int setWd1Enable(OutputLogin* login, int stream, int channel, int flag);

/* Advanced recording and its encryption (the password is kept terminated). */
int getAdvRecordConfig(OutputLogin* login, AdvRecordConfig* out, int flag);
DEVICE_STATUS int setAdvRecordConfig(OutputLogin* login, const AdvRecordConfig* in, int flag);
int getRecordEncryptConfig(RecordEncryptConfig* out);
DEVICE_STATUS int setRecordEncryptConfig(int loginId, const RecordEncryptConfig* in);
int getAdvRecordExtra(AdvRecordExtra* out);

/* Manual record and snapshot: the masks of the channels on by hand. */
int getManualRecordState(OutputLogin* login, ManualRecordState* out);
int hasManualRecordState(void);
void getRecordStatus(int channel, RecordStatus* out);
uint64_t getRecordingChanMask(void);
int canManualRecord(int channel);
/* 0, or the device's refusal, which leaves every channel as it was. */
DEVICE_STATUS int startManualRecord(int loginId, uint64_t mask, int flag);
DEVICE_STATUS int stopManualRecord(int loginId, uint64_t mask, int flag);
/* Whether the device takes manual snapshots at all: 1. */
int hasManualSnapshot(void);
int canManualSnapshot(int channel);
DEVICE_STATUS int startManualSnapshot(int loginId, uint64_t mask);
DEVICE_STATUS int stopManualSnapshot(int loginId, uint64_t mask);
uint64_t getSnapshotChanMask(void);
int getChannelRecordFlags(OutputLogin* login, int channel, uint32_t out[2]);

/* Disks. The device has one disk (bus 0, port 0: disk 1), read-only until
 * its attribute is set; a disk is named by bus and port. */
/* Writes one row into a list of DISK_LIST_ROWS rows; answers the row count. */
int getDiskList(DiskInfo* out);
int isValidDiskNo(int n);
int hasDiskRedundancy(void);
/* attr DISK_ATTR_*; group 1..16. */
DEVICE_STATUS int setDiskAttr(int loginId, int bus, int port, int attr, int flag);
DEVICE_STATUS int setDiskGroup(int loginId, int bus, int port, int group);
/* Bit g - 1 for each group g that a disk records into. */
int getDiskGroupsInUse(uint64_t* out);
int getDiskGroupMask(int group, uint64_t* out);
DEVICE_STATUS int setDiskGroupMask(int loginId, int group, uint64_t mask);
int isDiskGroupReadOnly(int group);
/* Storage mode 0 quota, 1 group, 2 frame extraction, in the first byte. */
int getStorageMode(uint8_t out[4]);
DEVICE_STATUS int setStorageMode(int loginId, int mode);
/* Channel from 1, kind 0 record or 1 picture. */
int getDiskQuotaInfo(int channel, int kind, DiskQuotaInfo* out);
DEVICE_STATUS int setDiskQuota(int loginId, int channel, int kind, uint64_t quotaMb);
/* Used space of a channel; -2 unknown. */
int getChanUsedSpace(int channel, int kind);
/* Record, frame-extraction and picture shares in percent (30, 50, 20 until
 * set); a split that does not add up to 100 is refused. */
int getFrameSplit(uint32_t out[3]);
DEVICE_STATUS int setFrameSplit(int loginId, const uint32_t in[3]);
int getRecordTimeEstimate(int rateKbps, const uint32_t shares[3], uint32_t out[2]);
/* The disk-mode flag: written only once the flag was set. */
int getDiskModeFlag(uint8_t* out);
DEVICE_STATUS int setDiskModeFlag(int loginId, int flag);
DEVICE_STATUS int applyDiskParams(int loginId);
int hasDiskToInit(void);
int isDiskRepairing(void);
int isDiskFormatting(void);
int isDiskExpanding(void);
int hasDiskExpand(void);
/* Formats the listed disk numbers (one byte each, at most 32); 0 accepted. */
DEVICE_STATUS int formatDiskList(int loginId, const uint8_t* disks, int count);
/* One disk at a time: refused (-1) on this device. */
DEVICE_STATUS int formatDisk(int loginId, int zero, int bus, int port);
int getDiskFormatProgress(int bus, int port);
int canDeleteDisk(int bus, int port);
int isDiskTooLarge(int bus, int port);
DEVICE_STATUS int deleteDisk(OutputLogin* login, int bus, int port, int flag);
DEVICE_STATUS int loadDisk(int loginId, int bus, int port, int load);
int getFormatProgress(int disk, int kind, FormatProgress* out);
/* Expands one disk: 0 started. */
DEVICE_STATUS int expandDisk(int loginId, int bus, int port);
/* Non-zero while the removable device cannot be formatted: 0 here. */
int isUsbdevNotReady(int deviceId);
/* The bad-sector check: start (disk 1..8, type 1 full or 2 metadata), pause,
 * resume and cancel move its state; -1 from a state that does not allow it. */
int isDiskCheckable(int bus, int port);
int getDiskCheckInfo(DiskCheckInfo* out);
DEVICE_STATUS int startDiskCheck(int loginId, int disk, int type);
DEVICE_STATUS int pauseDiskCheck(int loginId);
DEVICE_STATUS int resumeDiskCheck(int loginId);
DEVICE_STATUS int cancelDiskCheck(int loginId);
/* S.M.A.R.T. of a local disk; a self-test ends at once without error. */
int getDiskSmartInfo(DiskSmartInfo* out, int port, int bus);
DEVICE_STATUS int startDiskSelfTest(int loginId, int bus, int port, int type);
int getSmartCheckDisabled(int loginId, uint32_t* out);
DEVICE_STATUS int setSmartCheckDisabled(int loginId, int flag);
/* Network disks: 16 slots. Adding is refused (-1) on this device; a change
 * is refused with NET_DISK_ERR_ADDRESS (no address) or
 * NET_DISK_ERR_DIRECTORY (no directory). A disk already added and an iSCSI
 * target that fails have answers of their own too. */
#define NET_DISK_ERR_EXISTS 0x200007
#define NET_DISK_ERR_ADDRESS 0x200122
#define NET_DISK_ERR_DIRECTORY 0x200123
#define NET_DISK_ERR_ISCSI 0x200124
int getNetDiskConfig(OutputLogin* login, NetDiskConfig* out, int flag);
int getNetDiskSlotMask(void);
DEVICE_STATUS int addNetDisk(int loginId, const NetDiskConfig* in);
DEVICE_STATUS int changeNetDisk(int loginId, const NetDiskConfig* in);
DEVICE_STATUS int removeNetDisk(int loginId, int slot, const NetDiskEntry* entry, int flag);
int netDisksHaveAttributes(void);

/* Parameters: every kept setting is written to the parameter file in the
 * configuration folder (0, else -1) and loaded at start-up. Restoring the
 * defaults forgets the kept settings and saves that. */
DEVICE_STATUS int saveDeviceParams(void);
DEVICE_STATUS int restoreDeviceDefaults(OutputLogin* login, int flag);
/* The device writes the file itself once a kept setting changed: after
 * each message a window handled (the many records of one Apply give one
 * write) and at the program's end, which also retries a write that failed.
 * Both do nothing while the file is up to date. */
void writeChangedDeviceParams(void);
void finishDeviceParams(void);
/* What an Apply asks once its records are kept: the file is written when
 * it is behind (also after a write that failed); 0 once it holds every
 * kept setting, -1 when it could not be written. */
DEVICE_STATUS int keepDeviceParams(void);

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
