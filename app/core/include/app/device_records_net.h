/* Records of the network, camera-event and alarm settings.
 *
 * Layouts are fixed where the pages address fields by position; the
 * static_asserts at the end hold them. Where the pages leave a field's place
 * open the choice is made here once, with a comment. Included by
 * device_records.h; not meant to be included alone. */
#ifndef APP_DEVICE_RECORDS_NET_H
#define APP_DEVICE_RECORDS_NET_H

GUI_EXTERN_C_BEGIN

/* TimeSegment and the day and segment counts come from device_records.h. */
#define SEGMENTS_PER_DAY SCHED_SEGMENTS
#define HOLIDAY_SEGMENTS SCHED_SEGMENTS
#define WEEK_DAYS SCHED_DAYS


/* Network services: NTP and dynamic DNS. */
#define DDNS_TYPES 10
typedef struct DdnsServerEntry {
  char user[32];
  char password[16];
  char domain[64];
  char server[64];
  uint8_t reserved[12];
} DdnsServerEntry;

typedef struct NetAdvConfig {
  char ntpServer[64];
  uint16_t ntpInterval;  /* minutes, 1..10080 */
  uint8_t ntpEnabled;
  uint8_t reserved67;
  uint16_t ntpPort;
  uint8_t reserved70[18];
  uint8_t ddnsEnabled;
  uint8_t ddnsType;      /* 0..4, the entry in force */
  uint8_t reserved90[2];
  DdnsServerEntry ddns[DDNS_TYPES];
} NetAdvConfig;

typedef struct EmailReceiver {
  char name[32];
  char address[64];
} EmailReceiver;

#define EMAIL_RECEIVERS 3
typedef struct EmailConfig {
  char user[32];
  char password[32];
  char senderName[32];
  char senderAddress[64];
  EmailReceiver receivers[EMAIL_RECEIVERS];
  char smtpServer[64];
  uint8_t reserved512;
  uint8_t authentication;
  uint8_t attachPicture;
  uint8_t pictureInterval; /* 2..5 */
  uint8_t ssl;
  uint8_t reserved517[3];
  int32_t smtpPort;
} EmailConfig;

/* One picture-upload server, numbered from 1. */
typedef struct FtpConfig {
  uint8_t enabled;
  uint8_t protocol;        /* 1 FTP, 2 SFTP */
  uint8_t reserved2[2];
  char server[64];
  int32_t port;
  char user[32];
  char password[16];
  uint32_t dirStructure;   /* 0 root, 1 one level, 2 two levels */
  uint16_t firstKind;      /* 1..3 named, 4 custom */
  uint16_t secondKind;     /* 1..2 named, 3 custom */
  char firstName[66];
  char secondName[66];
} FtpConfig;
#define FTP_FIRST_CUSTOM 4
#define FTP_SECOND_CUSTOM 3

/* The one SNMP version the device offers. */
#define SNMP_VERSION_2 2
typedef struct SnmpConfig {
  uint32_t enabled;
  uint16_t version;
  uint16_t port;
  char readCommunity[32];
  char writeCommunity[32];
  char trapAddress[64];
  uint16_t trapPort;
  uint8_t reserved[70];
} SnmpConfig;

/* Network use in the detection statistics, one word each. */
typedef struct NetTestResult {
  uint32_t preview;
  uint32_t playback;
  uint32_t ipCameras;
  uint32_t netDisks;
  uint32_t idleTotal;
  uint32_t idleSend;
  uint32_t idleReceive;
} NetTestResult;

/* The ten values of an area capability record, handed to the zone
 * functions by value. Grid mode reads rows and columns where zone mode reads
 * the minimum corner. */
typedef struct ZoneGrid {
  uint16_t pictureWidth;
  uint16_t pictureHeight;
  uint16_t rowsOrMinX;
  uint16_t colsOrMinY;
  uint16_t maxX;
  uint16_t maxY;
  uint16_t minWidth;  /* 0: no minimum */
  uint16_t minHeight;
  uint16_t stepX;     /* both steps below 2: free drawing */
  uint16_t stepY;
} ZoneGrid;

#define AREA_MODE_GRID 1
typedef struct AreaCaps {
  uint16_t kind;       /* 1 on this device; the pages do not read it */
  uint16_t zoneCount;
  uint32_t areaMode;   /* AREA_MODE_GRID, else zones */
  ZoneGrid grid;
} AreaCaps;

/* One alarm input. Between the fields the pages touch the device keeps PTZ
 * actions and a carried block; their places are this record's own. */
#define ALARM_PTZ_CHANNELS 32
typedef struct AlarmInConfig {
  char name[32];
  uint8_t alarmType;       /* 0 normally open, 1 normally closed */
  uint8_t handling;        /* non-zero: the input is handled; 1 by default */
  uint8_t reserved34[2];
  EventLinkage linkage;
  uint8_t reserved76[4];   /* keeps the mask on an 8-byte boundary */
  uint64_t recordChanMask;
  /* PTZ actions by channel - 1; the numbers default to 1 */
  uint8_t presetEnable[ALARM_PTZ_CHANNELS];
  uint8_t presetNo[ALARM_PTZ_CHANNELS];
  uint8_t patrolEnable[ALARM_PTZ_CHANNELS];
  uint8_t patrolNo[ALARM_PTZ_CHANNELS];
  uint8_t patternEnable[ALARM_PTZ_CHANNELS];
  uint8_t patternNo[ALARM_PTZ_CHANNELS];
  uint32_t swappedBlock[8]; /* each 16-bit half byte-swapped */
  TimeSegment schedule[WEEK_DAYS][SEGMENTS_PER_DAY];
  uint8_t rest[488];
} AlarmInConfig;

#define ALARM_OUT_DELAY_MANUAL 7
typedef struct AlarmOutConfig {
  char name[32];
  uint32_t delay;          /* 0..7: 5, 10, 30, 60, 120, 300, 600 s, manual */
  TimeSegment schedule[WEEK_DAYS][SEGMENTS_PER_DAY];
  uint8_t reserved[36];
} AlarmOutConfig;

/* Channels an alarm input records; the fields after the mask are carried. */
typedef struct AlarmRecordLink {
  uint64_t chanMask;
  uint8_t reserved[24];
} AlarmRecordLink;

#define EXCEPTION_TYPES 32
typedef struct ExceptionLinkageTable {
  EventLinkage entries[EXCEPTION_TYPES]; /* type t at t - 1 */
} ExceptionLinkageTable;

/* The device reports motion of a channel with one mask per grid row. */
typedef int (*MotionStatusCallback)(int channel, const uint32_t* rowMasks);
#define MOTION_PREVIEW_ROWS 18

GUI_EXTERN_C_END

#ifdef __cplusplus
#include <cstddef>
static_assert(offsetof(NetConfig, httpPort) == 134 && offsetof(NetConfig, httpsPort) == 138 &&
                  offsetof(NetConfig, dns1) == 140 && offsetof(NetConfig, dhcp) == 164 &&
                  offsetof(NetConfig, multicast) == 168 && offsetof(NetConfig, pppoeEnabled) == 204 &&
                  offsetof(NetConfig, workMode) == 256 && offsetof(NetConfig, bond) == 260 &&
                  offsetof(NetConfig, rtspPort) == 332 && offsetof(NetInterfaceBlock, ipv4) == 4,
              "NetConfig fields the network pages use");
static_assert(sizeof(TimeSegment) == 4 && sizeof(EventLinkage) == 40, "schedule and linkage");
static_assert(sizeof(DdnsServerEntry) == 188 && sizeof(NetAdvConfig) == 1972, "NetAdvConfig");
static_assert(offsetof(NetAdvConfig, ntpInterval) == 64 && offsetof(NetAdvConfig, ntpEnabled) == 66 &&
                  offsetof(NetAdvConfig, ntpPort) == 68 && offsetof(NetAdvConfig, ddnsEnabled) == 88 &&
                  offsetof(NetAdvConfig, ddnsType) == 89 && offsetof(NetAdvConfig, ddns) == 92,
              "NetAdvConfig fields");
static_assert(sizeof(EmailConfig) == 524 && offsetof(EmailConfig, receivers) == 160 &&
                  offsetof(EmailConfig, smtpServer) == 448 && offsetof(EmailConfig, authentication) == 513 &&
                  offsetof(EmailConfig, ssl) == 516 && offsetof(EmailConfig, smtpPort) == 520,
              "EmailConfig");
static_assert(sizeof(FtpConfig) == 260 && offsetof(FtpConfig, server) == 4 && offsetof(FtpConfig, port) == 68 &&
                  offsetof(FtpConfig, dirStructure) == 120 && offsetof(FtpConfig, firstName) == 128 &&
                  offsetof(FtpConfig, secondName) == 194,
              "FtpConfig");
static_assert(sizeof(SnmpConfig) == 208 && offsetof(SnmpConfig, trapAddress) == 72 &&
                  offsetof(SnmpConfig, trapPort) == 136,
              "SnmpConfig");
static_assert(sizeof(NetTestResult) == 28, "seven words");
static_assert(sizeof(AreaCaps) == 28 && offsetof(AreaCaps, zoneCount) == 2 && offsetof(AreaCaps, areaMode) == 4 &&
                  offsetof(AreaCaps, grid) == 8 && sizeof(ZoneGrid) == 20,
              "AreaCaps: the ten values at offset 8");
static_assert(sizeof(AlarmInConfig) == 1024 && offsetof(AlarmInConfig, linkage) == 36 &&
                  offsetof(AlarmInConfig, recordChanMask) == 80 && offsetof(AlarmInConfig, schedule) == 312,
              "AlarmInConfig");
static_assert(sizeof(AlarmOutConfig) == 296 && offsetof(AlarmOutConfig, schedule) == 36, "AlarmOutConfig");
static_assert(sizeof(ExceptionLinkageTable) == 32 * 40, "ExceptionLinkageTable");
#endif

#endif
