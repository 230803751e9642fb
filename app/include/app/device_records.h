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
  uint32_t deviceNumber;
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
  uint8_t rest[3155];
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

/* Records the simulated device only clears, by their known sizes. */
#define DEVICE_BLOCK(type, size) typedef struct type { uint8_t bytes[size]; } type
DEVICE_BLOCK(HolidayTable, 1792);
DEVICE_BLOCK(RecordConfig, 500);
DEVICE_BLOCK(HolidaySchedule, 68);
DEVICE_BLOCK(CaptureConfig, 548);
DEVICE_BLOCK(ManualRecordState, 272);
DEVICE_BLOCK(AdvRecordExtra, 64);
DEVICE_BLOCK(NetDiskConfig, 2240);
DEVICE_BLOCK(DiskQuotaInfo, 40);
DEVICE_BLOCK(FormatProgress, 76);
DEVICE_BLOCK(DiskCheckInfo, 840);
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
#endif

#include "app/device_records_net.h"
#include "app/device_records_system.h"

#endif
