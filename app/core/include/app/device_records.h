/* Records exchanged with the device backend.
 *
 * Every device operation takes the calling output's OutputLogin first. The
 * layouts below are fixed where the toolkit or the settings pages address
 * bytes by position; the static_asserts at the end hold them there. Records
 * that the simulated device only clears are typed byte blocks of their known
 * size, so callers and the backend agree on it; the pages that edit them lay
 * out their fields. */
#ifndef APP_DEVICE_RECORDS_H
#define APP_DEVICE_RECORDS_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* One entry of an option list; id -1 marks an unused entry. */
typedef struct OptionItem {
  int32_t id;
  char name[32];
} OptionItem;

/* (key, value) pairs ending with a key of all ones, and the answer for a
 * key or value that no pair holds. */
typedef struct ValueTablePair {
  uint32_t key;
  uint32_t value;
} ValueTablePair;

typedef struct ValueTable {
  const ValueTablePair* pairs;
  uint32_t defaultValue;
} ValueTable;

#define VALUE_TABLE_END 0xFFFFFFFFu

/* IP channels a device of this kind takes: channels 17 .. 16 + the bound. */
#define IP_CHANNEL_BOUND 1

/* Per-output session record; its address is the handle of every device call. */
typedef struct OutputLogin {
  int32_t loginId; /* -2: nobody */
  int32_t deviceWords[6];
} OutputLogin;

/* One 32-byte block per output id 0..3. */
typedef struct DeviceOutputBlock {
  uint8_t videoStandard;  /* 1 NTSC (480 lines), 2 PAL */
  uint8_t menuAlpha;      /* menu transparency */
  uint16_t lockTime;      /* idle time-out index; 0 and 65535 never */
  uint16_t brightness;    /* 0..9 */
  uint8_t mainOutOption;
  uint8_t videoOutOption;
  uint8_t pictureMode;    /* 0 standard, 1 bright, 2 soft, 3 glaring */
  uint8_t reserved[23];
} DeviceOutputBlock;

/* One 16-byte block per output 1..3 (outputs 0 and 1 share the first). */
typedef struct DeviceResolutionBlock {
  uint8_t code;
  uint8_t reserved[15];
} DeviceResolutionBlock;

typedef struct DeviceConfig {
  uint32_t loginRequired;  /* always read back as 0 */
  int32_t language;        /* 0 is read back as 1 */
  char name[32];           /* empty is read back as "Embedded Net DVR" */
  uint32_t deviceNumber;   /* 0 is read back as 255 */
  DeviceOutputBlock outputs[4];
  DeviceResolutionBlock resolutions[3];
  uint32_t dstBias;        /* minutes */
  uint8_t dstEnabled;
  uint8_t dstAuto;
  uint8_t dstStart[4];     /* month, week, weekday, hour */
  uint8_t dstEnd[4];
  uint16_t mouseScale;
  uint16_t mouseThreshold;
  uint8_t dateFormat;
  uint8_t eventHint;
  uint8_t outputMode;
  uint8_t outputHint;
  uint8_t reserved[42];
} DeviceConfig;

typedef struct DeviceInfo {
  char name[32];
  uint32_t deviceNumber;   /* between the name and the model: the pages skip it */
  char model[64];
  char serial[48];
  uint32_t mainVersion;
  uint32_t mainBuildDate;
  uint32_t encoderVersion;
  uint32_t encoderBuildDate;
  uint8_t reserved[64];
  uint8_t countsA[4];      /* 16, 4, 1, 1 */
  uint32_t reservedWord;
  uint8_t countsB[2];      /* 16, 0 */
  uint8_t maxIpcNum;       /* largest number of IP cameras */
  uint8_t countsC[2];      /* 1, 2 */
  uint8_t pad[3];
} DeviceInfo;

typedef struct DeviceTime {
  uint32_t year, month, day, hour, minute, second;
  int16_t zoneHours;
  int16_t zoneMinutes;
} DeviceTime;

/* Channel masks of a user, in this order, for the rights named. */
enum {
  USER_MASK_UNUSED = 0,
  USER_MASK_REMOTE_PREVIEW, /* 0x80000 */
  USER_MASK_LOCAL_RECORD,   /* 2 */
  USER_MASK_REMOTE_RECORD,  /* 8192 */
  USER_MASK_LOCAL_PLAY,     /* 4 */
  USER_MASK_REMOTE_PLAY,    /* 16384 */
  USER_MASK_LOCAL_PTZ,      /* 1 */
  USER_MASK_REMOTE_PTZ,     /* 4096 */
  USER_MASK_LOCAL_BACKUP,   /* 256 */
  USER_MASK_COUNT
};

typedef struct UserRecord {
  uint32_t reserved0;
  char name[32];
  char password[16];
  uint32_t words[6];
  uint32_t rights;
  uint64_t chanMasks[USER_MASK_COUNT];
  uint32_t priority;       /* 2 administrator level, 1 operator, other guest */
  uint32_t closing;
} UserRecord;

#define USER_COUNT 32
typedef struct UserConfig {
  UserRecord users[USER_COUNT];
} UserConfig;

/* Schedules: a day is eight time segments; day index 0 Monday .. 6 Sunday,
 * 7 the holiday. A segment of 00:00-00:00 is unused; the end may be 24:00. */
typedef struct TimeSegment {
  uint8_t startHour;
  uint8_t startMinute;
  uint8_t endHour;
  uint8_t endMinute;
} TimeSegment;

#define SCHED_DAYS 7
#define SCHED_SEGMENTS 8

#define IP_ALARM_CAMERAS 32
/* What an event or exception sets off. */
enum {
  LINK_POPUP = 0x01,
  LINK_AUDIO = 0x02,
  LINK_CENTER = 0x04,
  LINK_ALARM_OUT = 0x08,
  LINK_EMAIL = 0x10,
  LINK_FTP_SNAP = 0x200
};
typedef struct EventLinkage {
  uint32_t actions;                     /* LINK_* bits; others are carried */
  uint32_t localOutputs;                /* bit n: local output n + 1 */
  uint8_t ipOutputs[IP_ALARM_CAMERAS];  /* per IP channel position, bit k: output k + 1 */
} EventLinkage;

#define MOTION_AREA_ROWS 64
/* The lowest tamper sensitivity, a fresh channel's. */
#define TAMPER_SENSITIVITY_MIN 1
typedef struct ChannelConfig {
  uint8_t head[4];
  uint8_t brightness;
  uint8_t contrast;
  uint8_t hue;
  uint8_t saturation;
  uint8_t reserved8[28];
  uint8_t sharpness;
  uint8_t denoise;
  uint8_t colorMode;       /* 0 standard, 1 indoor, 2 night, 3 outdoor, 255 custom */
  uint8_t reserved39[93];
  char name[32];
  uint8_t pictureExtra;
  uint8_t reserved165[3];
  /* The event blocks, each edited only by its own page. */
  uint32_t videoLossEnable;
  EventLinkage videoLossLinkage;
  TimeSegment videoLossSchedule[SCHED_DAYS][SCHED_SEGMENTS];
  uint32_t motionArea[MOTION_AREA_ROWS][3]; /* grid rows as bit masks, or zones of six u16 */
  uint8_t motionSensitivity;               /* 255: off */
  uint8_t motionEnable;
  uint8_t reserved1206[2];
  EventLinkage motionLinkage;
  TimeSegment motionSchedule[SCHED_DAYS][SCHED_SEGMENTS];
  uint32_t motionCarried;
  uint32_t motionRecordMask[2]; /* the device's u64, low word first: it stands on a 4-byte boundary */
  uint16_t tamperEnable;
  uint16_t tamperSensitivity;   /* TAMPER_SENSITIVITY_MIN..3 */
  uint32_t tamperArea[MOTION_AREA_ROWS][3];
  EventLinkage tamperLinkage;
  TimeSegment tamperSchedule[SCHED_DAYS][SCHED_SEGMENTS];
  uint8_t rest[800];
} ChannelConfig;

#define PREVIEW_ORDER_MODES 8
#define PREVIEW_ORDER_SLOTS 64
#define PREVIEW_EMPTY_WINDOW 255
typedef struct PreviewConfig {
  uint8_t layoutMode;      /* 1 one, 2 four, 3 six, 4 eight, 5 nine, 6 sixteen windows */
  uint8_t audio;
  uint16_t dwellCode;      /* 0 none, 1..7 = 5, 10, 20, 30, 60, 120, 300 s */
  uint8_t order[PREVIEW_ORDER_MODES][PREVIEW_ORDER_SLOTS];
} PreviewConfig;

/* Where event pictures go, kept beside the live-view configuration. */
typedef struct EventOutputConfig {
  uint16_t output;
  uint16_t delay;          /* switch-time code 1..10 */
} EventOutputConfig;

typedef struct NetAddress {
  uint32_t ipv4;
  uint32_t ipv6;
  uint32_t reserved;
} NetAddress;

/* Addresses are held in dotted order: the first byte of the text is the
 * lowest byte of the word. The fields before the service port are placed
 * by this record. */
typedef struct NetInterfaceBlock {
  uint32_t mtu;            /* 500..9676 */
  uint32_t ipv4;
  uint32_t mask;
  uint32_t gateway;
  uint8_t mac[6];
  uint8_t speed;           /* 1..6 as the speed list */
  uint8_t reserved23[5];
  uint16_t servicePort;
  uint8_t reserved30[30];
} NetInterfaceBlock;

typedef struct NetConfig {
  NetInterfaceBlock interfaces[2];
  NetAddress alarmHost;
  uint16_t alarmHostPort;
  uint16_t httpPort;
  uint8_t httpsEnabled;
  uint8_t fastLoad;
  uint16_t httpsPort;
  NetAddress dns1;
  NetAddress dns2;
  uint8_t dhcp[2];
  uint8_t pad166[2];
  NetAddress multicast;
  NetAddress interfaceExtra[2];
  uint32_t pppoeEnabled;
  char pppoeUser[32];
  char pppoePassword[16];
  uint8_t workMode;        /* 0 failover, 1 balance, 2 independent */
  uint8_t routeInterface;
  uint8_t bondDhcp;
  uint8_t mainInterface;
  NetInterfaceBlock bond;
  NetAddress bondExtra;
  uint16_t rtspPort;
  uint8_t reserved[226];
} NetConfig;

/* PTZ protocol table entry. */
typedef struct PtzProtocol {
  uint32_t flag;
  char name[16];
} PtzProtocol;

/* One row of the disk list. */
typedef struct DiskInfo {
  uint16_t bus;
  uint16_t port;
  uint32_t capacity;
  uint32_t freeSpace;
  uint32_t status;
  uint16_t reserved;
  uint16_t readOnly;
  uint16_t redundancy;
  uint16_t group;
  uint32_t type;
} DiskInfo;
#define DISK_LIST_ROWS 33


/* Record types of a schedule: 0 continuous, 1 motion, 2 alarm, 3 motion or
 * alarm, 4 motion and alarm. */
typedef struct DaySchedHead {
  uint16_t allDay;
  uint8_t allDayType;
  uint8_t reserved;
} DaySchedHead;

typedef struct RecordSchedSegment {
  TimeSegment time;
  uint8_t type;
  uint8_t reserved[3];
} RecordSchedSegment;

typedef struct RecordConfig {
  uint32_t enable;
  DaySchedHead days[SCHED_DAYS];
  RecordSchedSegment segments[SCHED_DAYS][SCHED_SEGMENTS];
  /* The record options of the encoding page fill the 20-byte tail in this
   * order; the schedule pages neither read nor copy it. */
  uint32_t postRecord;  /* row value of the post-record table */
  uint32_t preRecord;   /* row value of the pre-record table */
  uint32_t expiryDays;  /* 0 keeps recordings until overwritten */
  uint8_t redundant;
  uint8_t audio;
  uint8_t cabac;
  uint8_t reservedTail[5];
} RecordConfig;

/* The holiday day of the record schedule. */
typedef struct HolidaySchedule {
  DaySchedHead head;
  RecordSchedSegment segments[SCHED_SEGMENTS];
} HolidaySchedule;

/* The capture (snapshot) schedule: its day heads hold u8 flags. */
typedef struct CaptureDayHead {
  uint8_t allDay;
  uint8_t allDayType;
  uint8_t reserved[2];
} CaptureDayHead;

typedef struct CaptureConfig {
  uint8_t enable;
  uint8_t reserved[3];
  CaptureDayHead days[SCHED_DAYS];
  RecordSchedSegment segments[SCHED_DAYS][SCHED_SEGMENTS];
  CaptureDayHead holidayHead;
  RecordSchedSegment holidaySegments[SCHED_SEGMENTS];
} CaptureConfig;

/* One holiday. Months count from 0 (January); weeks 1..4 and 5 for the
 * last; weekdays 0 Sunday .. 6 Saturday. */
enum { HOLIDAY_BY_MONTH = 1, HOLIDAY_BY_WEEK = 2, HOLIDAY_BY_DATE = 3 };
typedef struct HolidayByMonth {
  uint8_t startMonth, startDay, endMonth, endDay;
  uint8_t unused[4];
} HolidayByMonth;
typedef struct HolidayByWeek {
  uint8_t startMonth, startWeek, startWeekday, unused1;
  uint8_t endMonth, endWeek, endWeekday, unused2;
} HolidayByWeek;
typedef struct HolidayByDate {
  uint16_t startYear;
  uint8_t startMonth, startDay;
  uint16_t endYear;
  uint8_t endMonth, endDay;
} HolidayByDate;

typedef struct HolidayEntry {
  uint8_t enable;
  uint8_t mode; /* HOLIDAY_BY_* */
  uint8_t reserved[2];
  union {
    HolidayByMonth byMonth;
    HolidayByWeek byWeek;
    HolidayByDate byDate;
  } period;
  char name[32];
  uint8_t reservedTail[12];
} HolidayEntry;

#define HOLIDAY_COUNT 32
typedef struct HolidayTable {
  HolidayEntry entries[HOLIDAY_COUNT];
} HolidayTable;

/* Codes of a refused holiday table: the first changed entry that fails. */
enum {
  HOLIDAY_ERR_NO_NAME = 1,
  HOLIDAY_ERR_BAD_NAME = 2,
  HOLIDAY_ERR_NO_MODE = 3,
  HOLIDAY_ERR_BAD_DATE = 4,
  HOLIDAY_ERR_DATE_ORDER = 5
};

/* The encoding of one stream. bitrate >= 0 is a code of the bit-rate table;
 * a negative value is a custom rate with the Kbps in bits 10..26. */
typedef struct EncodeParamBlock {
  uint8_t streamType;  /* 1 video, 3 video and audio */
  uint8_t resolution;  /* resolution code; 36 is WD1 */
  uint8_t bitrateType; /* 0 variable, 1 constant */
  uint8_t quality;     /* 0 best .. 5 worst */
  int32_t bitrate;
  uint32_t frameRate;  /* frame-rate code; 0 full rate */
  uint32_t reserved;   /* passed through unchanged */
} EncodeParamBlock;

enum { ENCODE_MAIN = 0, ENCODE_SPARE = 1, ENCODE_EVENT = 2, ENCODE_SUB = 3, ENCODE_BLOCKS = 4 };
typedef struct EncodeConfig {
  EncodeParamBlock blocks[ENCODE_BLOCKS]; /* main continuous, untouched, main event, sub */
} EncodeConfig;

/* A custom bit rate in Kbps as the encoding records hold it, and back. */
#define ENCODE_CUSTOM_BITRATE(kbps) ((int32_t)(((uint32_t)(kbps) | 0xFFE00000u) << 10))
#define ENCODE_CUSTOM_KBPS(value) ((int32_t)(((uint32_t)(value) >> 10) & 0x1FFFFu))

/* What the bit-rate range is asked for. */
typedef struct BitrateRangeRequest {
  int32_t channel;
  int32_t streamType;
  int32_t resolution;
  int32_t quality;
  int32_t frameRate;
} BitrateRangeRequest;

/* Codes of a refused encoding check or write. */
enum {
  ENCODE_ERR_STREAM = 0x200212,
  ENCODE_ERR_BANDWIDTH = 0x200214,
  ENCODE_ERR_MAIN_RESOLUTION = 0x200217,
  ENCODE_ERR_MAIN_FRAME_RATE = 0x200218,
  ENCODE_ERR_MAIN_BITRATE = 0x200219,
  ENCODE_ERR_EVENT_RESOLUTION = 0x20021a,
  ENCODE_ERR_EVENT_FRAME_RATE = 0x20021b,
  ENCODE_ERR_EVENT_BITRATE = 0x20021c,
  ENCODE_ERR_SUB_RESOLUTION = 0x20021d,
  ENCODE_ERR_SUB_FRAME_RATE = 0x20021e,
  ENCODE_ERR_SUB_BITRATE = 0x20021f
};

/* One snapshot setting. The interval's 16 bits hold seconds; with
 * CAPTURE_INTERVAL_MINUTES set they hold minutes, so that 24 hours
 * (86400 s) fits. */
#define CAPTURE_INTERVAL_MINUTES 0x8000u
/* The best snapshot quality and the shortest interval (seconds). */
#define CAPTURE_QUALITY_HIGH 80
#define CAPTURE_INTERVAL_SHORTEST 1
typedef struct CaptureSetting {
  uint8_t resolution;
  uint8_t quality;   /* 80 high, 60 middle, 40 low */
  uint16_t interval;
} CaptureSetting;

/* An interval in seconds as the field holds it, and back. */
static inline uint16_t captureIntervalField(uint32_t seconds) {
  return (uint16_t)(seconds <= 0x7FFFu ? seconds : (CAPTURE_INTERVAL_MINUTES | ((seconds / 60u) & 0x7FFFu)));
}
static inline uint32_t captureIntervalSeconds(uint16_t field) {
  return (field & CAPTURE_INTERVAL_MINUTES) ? (uint32_t)(field & 0x7FFFu) * 60u : field;
}

/* A channel's snapshot settings: continuous, then event. */
typedef struct CaptureSettingPair {
  CaptureSetting normal;
  CaptureSetting event;
} CaptureSettingPair;

/* Overwrite and the use of each disk number 0..32 (0 backup, 1 record). */
#define ADV_RECORD_DISKS 33
typedef struct AdvRecordConfig {
  uint8_t overwrite;
  uint8_t diskUse[ADV_RECORD_DISKS];
  uint8_t reserved[30]; /* the record's size beyond the disks: 64 bytes in all */
} AdvRecordConfig;

typedef struct RecordEncryptConfig {
  uint8_t enable;
  uint8_t passwordLength; /* without the terminator */
  uint8_t reserved[13];
  char password[33];
} RecordEncryptConfig;

/* The disks handed to the format window; flags 1 done, 0 failed. */
#define FORMAT_DISK_MAX 33
typedef struct FormatDiskArg {
  uint32_t count;
  uint32_t disks[FORMAT_DISK_MAX];
  uint32_t results[FORMAT_DISK_MAX];
} FormatDiskArg;

/* The removable device's format record; the format dialog reads only the
 * file system (12 FAT32, 7 NTFS). */
typedef struct FormatProgress {
  uint32_t step;      /* current step of a running format */
  uint32_t stepCount;
  uint8_t reserved[64];
  uint32_t fileSystem;
} FormatProgress;

/* The bad-sector check of one disk (sectors of 512 bytes). */
enum { DISK_CHECK_NONE, DISK_CHECK_RUNNING, DISK_CHECK_PAUSED, DISK_CHECK_COMPLETE,
       DISK_CHECK_EXCEEDED, DISK_CHECK_ABORTED };
#define DISK_CHECK_BAD_MAX 97
typedef struct DiskCheckInfo {
  uint32_t idHigh;       /* disk number = idLow + 2 * idHigh + 1 */
  uint32_t idLow;
  uint32_t checkType;    /* 1 full, 2 metadata */
  uint32_t badCount;     /* entries of badSectors in use */
  uint64_t rangeStart;   /* sectors the check covers, end exclusive */
  uint64_t rangeEnd;
  uint64_t checkedEnd;   /* sectors below it are checked */
  uint64_t shieldStart;  /* the disk's reserved sectors, end exclusive */
  uint64_t shieldEnd;
  uint64_t badSectors[DISK_CHECK_BAD_MAX];
  uint32_t reserved;
  uint32_t state;        /* DISK_CHECK_* */
} DiskCheckInfo;

/* S.M.A.R.T. report of one disk. */
#define SMART_ENTRIES 30
typedef struct SmartAttribute {
  uint8_t id;
  uint8_t unused1;
  uint16_t flags;
  uint8_t value;
  uint8_t worst;
  uint8_t raw[6]; /* least significant first */
  uint8_t reserved;
  uint8_t unused2;
} SmartAttribute;
typedef struct SmartThreshold {
  uint8_t id;
  uint8_t threshold;
  uint8_t reserved[10];
} SmartThreshold;
/* A report from its values block on: the layout a log record carries. */
typedef struct SmartValues {
  uint16_t valuesRevision;
  SmartAttribute attributes[SMART_ENTRIES];
  uint8_t valuesRest[150];
  uint16_t thresholdsRevision;
  SmartThreshold thresholds[SMART_ENTRIES];
  uint8_t thresholdsRest[150];
} SmartValues;
/* A disk's self-test status while the test runs. */
#define DISK_SELFTEST_RUNNING 15
typedef struct DiskSmartInfo {
  uint32_t temperature;
  uint32_t powerOnTime;
  int32_t selfEvaluation;     /* 0 ok, -1 error */
  uint32_t overallEvaluation; /* 1 functional, 2 bad sectors, 3 fault */
  uint16_t selfTestProgress;  /* percent */
  uint16_t selfTestStatus;    /* DISK_SELFTEST_RUNNING while running */
  uint8_t selfTestType;       /* 1 short, 2 extended, 3 conveyance */
  uint8_t pad[3];
  SmartValues values;
} DiskSmartInfo;

/* A channel's quota of one kind (0 record, 1 picture); pages keep the first
 * 16 bytes. */
typedef struct DiskQuotaInfo {
  uint64_t usedMb;  /* space the channel uses now */
  uint64_t quotaMb;
  uint8_t reserved[24];
} DiskQuotaInfo;

/* Network disks: 16 slots; types 4 NAS, 5 IP SAN. */
#define NET_DISK_SLOTS 16
typedef struct NetDiskEntry {
  uint32_t ip;
  uint8_t reserved4[4];
  uint16_t port; /* 3260 for IP SAN */
  uint8_t type;
  uint8_t reserved11;
  char directory[128];
} NetDiskEntry;
typedef struct NetDiskConfig {
  NetDiskEntry entries[NET_DISK_SLOTS];
} NetDiskConfig;

/* Disk attributes as the attribute request names them. */
enum { DISK_ATTR_REDUNDANCY = 0, DISK_ATTR_READONLY = 1, DISK_ATTR_READWRITE = 2 };


/* Records the simulated device only clears, by their known sizes. */
#define DEVICE_BLOCK(type, size) typedef struct type { uint8_t bytes[size]; } type
DEVICE_BLOCK(ManualRecordState, 272);
DEVICE_BLOCK(AdvRecordExtra, 64);
DEVICE_BLOCK(IpChannelInfo, 292);
DEVICE_BLOCK(IpcParam, 512);
DEVICE_BLOCK(CustomProtocolConfig, 512);
DEVICE_BLOCK(PtzDecoderConfig, 256);
DEVICE_BLOCK(SearchCondition, 256);
DEVICE_BLOCK(SearchResult, 256);
DEVICE_BLOCK(SideBarInfo, 256);
DEVICE_BLOCK(StreamDescription, 32);
#undef DEVICE_BLOCK

/* Colour records of the live picture, 8 bytes each (ranges: six entries). */
typedef struct ColorSetRecord {
  uint8_t brightness, contrast, saturation, hue, pictureExtra, mode, sharpness, denoise;
} ColorSetRecord;
typedef struct ColorRangeEntry {
  uint8_t reserved0;
  uint8_t minimum;
  uint8_t maximum;
  uint8_t reserved[5];
} ColorRangeEntry;
typedef struct ColorRangeRecord {
  ColorRangeEntry rows[6]; /* brightness, contrast, saturation, sharpness, hue, denoise */
} ColorRangeRecord;

/* OSD capability record. */
typedef struct OsdCapsBlock {
  uint8_t flags[3];
  uint8_t pad;
  uint16_t values[6]; /* area width, height, x, y, then width, height */
} OsdCapsBlock;
typedef struct OsdCaps {
  OsdCapsBlock blocks[2];
  uint8_t tail[6]; /* 1, OSD capability byte, 1, 3, 1, language mask */
  uint8_t pad[2];
} OsdCaps;

GUI_EXTERN_C_END

#ifdef __cplusplus
#include <cstddef>
#include "gui/app_hooks.h"
static_assert(sizeof(DeviceConfig) == 284, "DeviceConfig size");
static_assert(sizeof(DeviceConfig) >= GUI_DEVICE_CONFIG_SIZE, "toolkit reads within the record");
static_assert(offsetof(DeviceConfig, language) == GUI_DEVCFG_LANGUAGE_OFFSET, "language word");
static_assert(offsetof(DeviceConfig, name) == 8, "name");
static_assert(offsetof(DeviceConfig, deviceNumber) == GUI_DEVCFG_WORD10_OFFSET, "device number");
static_assert(offsetof(DeviceConfig, outputs) == GUI_DEVCFG_OUTPUT_BLOCK(0), "output blocks");
static_assert(sizeof(DeviceOutputBlock) == 32, "output block size");
static_assert(offsetof(DeviceConfig, outputs[1].menuAlpha) == GUI_DEVCFG_MENU_ALPHA(1), "alpha");
static_assert(offsetof(DeviceConfig, outputs[3].lockTime) == GUI_DEVCFG_IDLE_INDEX(3), "idle");
static_assert(offsetof(DeviceConfig, outputs[0].pictureMode) == 52, "picture mode byte");
static_assert(offsetof(DeviceConfig, resolutions) == GUI_DEVCFG_RESOLUTION(1), "resolutions");
static_assert(offsetof(DeviceConfig, resolutions[2].code) == GUI_DEVCFG_RESOLUTION(3), "res 3");
static_assert(offsetof(DeviceConfig, dstBias) == 220, "after the resolution blocks");
static_assert(sizeof(OptionItem) == 36, "OptionItem");
static_assert(sizeof(OutputLogin) == 28, "OutputLogin");
static_assert(sizeof(UserRecord) == 160 && sizeof(UserConfig) == 32 * 160, "UserConfig");
static_assert(offsetof(UserRecord, words[5]) == 72, "user rights block starts at byte 72");
static_assert(sizeof(ChannelConfig) == 3320, "ChannelConfig");
static_assert(offsetof(ChannelConfig, videoLossEnable) == 168 && offsetof(ChannelConfig, motionArea) == 436 &&
                  offsetof(ChannelConfig, motionEnable) == 1205 && offsetof(ChannelConfig, motionLinkage) == 1208 &&
                  offsetof(ChannelConfig, motionRecordMask) == 1476 && offsetof(ChannelConfig, tamperEnable) == 1484 &&
                  offsetof(ChannelConfig, tamperArea) == 1488 && offsetof(ChannelConfig, tamperSchedule) == 2296,
              "the event blocks of a channel record");
static_assert(offsetof(ChannelConfig, brightness) == 4 && offsetof(ChannelConfig, sharpness) == 36 &&
                  offsetof(ChannelConfig, colorMode) == 38 && offsetof(ChannelConfig, name) == 132 &&
                  offsetof(ChannelConfig, pictureExtra) == 164,
              "ChannelConfig picture bytes");
static_assert(sizeof(PreviewConfig) == 4 + 8 * 64, "PreviewConfig");
static_assert(sizeof(DeviceTime) == 28, "DeviceTime");
static_assert(sizeof(NetConfig) == 560 && offsetof(NetConfig, interfaces[0].servicePort) == 28,
              "NetConfig");
static_assert(sizeof(NetInterfaceBlock) == 60 && sizeof(NetAddress) == 12, "net blocks");
static_assert(sizeof(DiskInfo) == 28 && sizeof(ColorSetRecord) == 8 && sizeof(ColorRangeRecord) == 48,
              "device rows");
static_assert(sizeof(TimeSegment) == 4 && sizeof(DaySchedHead) == 4 && sizeof(RecordSchedSegment) == 8,
              "schedule parts");
static_assert(sizeof(RecordConfig) == 500 && offsetof(RecordConfig, days) == 4 &&
                  offsetof(RecordConfig, segments) == 32 && offsetof(RecordConfig, postRecord) == 480 &&
                  offsetof(RecordConfig, redundant) == 492 && offsetof(RecordConfig, cabac) == 494,
              "RecordConfig");
static_assert(sizeof(HolidaySchedule) == 68 && offsetof(HolidaySchedule, segments) == 4, "HolidaySchedule");
static_assert(sizeof(CaptureConfig) == 548 && offsetof(CaptureConfig, days) == 4 &&
                  offsetof(CaptureConfig, segments) == 32 && offsetof(CaptureConfig, holidayHead) == 480 &&
                  offsetof(CaptureConfig, holidaySegments) == 484,
              "CaptureConfig");
static_assert(sizeof(HolidayEntry) == 56 && offsetof(HolidayEntry, period) == 4 &&
                  offsetof(HolidayEntry, period.byDate.endYear) == 8 && offsetof(HolidayEntry, name) == 12,
              "HolidayEntry");
static_assert(sizeof(HolidayTable) == 1792, "HolidayTable");
static_assert(sizeof(EncodeParamBlock) == 16 && offsetof(EncodeParamBlock, bitrate) == 4 &&
                  offsetof(EncodeParamBlock, frameRate) == 8,
              "EncodeParamBlock");
static_assert(sizeof(EncodeConfig) == 64 && offsetof(EncodeConfig, blocks[ENCODE_SUB]) == 48, "EncodeConfig");
static_assert(sizeof(CaptureSetting) == 4 && sizeof(CaptureSettingPair) == 8, "capture settings");
static_assert(offsetof(AdvRecordConfig, diskUse[24]) == 25 && sizeof(AdvRecordConfig) == 64, "AdvRecordConfig");
static_assert(sizeof(RecordEncryptConfig) == 48 && offsetof(RecordEncryptConfig, password) == 15,
              "RecordEncryptConfig");
static_assert(sizeof(FormatDiskArg) == 268 && offsetof(FormatDiskArg, results) == 136, "FormatDiskArg");
static_assert(sizeof(FormatProgress) == 76 && offsetof(FormatProgress, fileSystem) == 72, "FormatProgress");
static_assert(sizeof(DiskCheckInfo) == 840 && offsetof(DiskCheckInfo, idLow) == 4 &&
                  offsetof(DiskCheckInfo, state) == 836,
              "DiskCheckInfo");
static_assert(sizeof(SmartAttribute) == 14 && sizeof(SmartThreshold) == 12, "S.M.A.R.T. entries");
static_assert(sizeof(DiskSmartInfo) == 1108 && offsetof(DiskSmartInfo, selfTestType) == 20 &&
                  offsetof(DiskSmartInfo, values) == 24 && offsetof(SmartValues, attributes) == 2 &&
                  offsetof(SmartValues, thresholdsRevision) == 572 && offsetof(SmartValues, thresholds) == 574 &&
                  sizeof(SmartValues) == 1084,
              "DiskSmartInfo");
static_assert(sizeof(DiskQuotaInfo) == 40 && offsetof(DiskQuotaInfo, quotaMb) == 8, "DiskQuotaInfo");
static_assert(sizeof(NetDiskEntry) == 140 && offsetof(NetDiskEntry, port) == 8 &&
                  offsetof(NetDiskEntry, type) == 10 && offsetof(NetDiskEntry, directory) == 12,
              "NetDiskEntry");
static_assert(sizeof(NetDiskConfig) == 2240, "NetDiskConfig");
static_assert(offsetof(DeviceInfo, deviceNumber) == 32 && offsetof(DeviceInfo, model) == 36 &&
                  offsetof(DeviceInfo, serial) == 100 && offsetof(DeviceInfo, mainVersion) == 148 &&
                  offsetof(DeviceInfo, countsA) == 228 && sizeof(DeviceInfo) == 244,
              "DeviceInfo");
#endif

#include "app/device_records_net.h"
#include "app/device_records_system.h"

#endif
