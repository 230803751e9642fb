/* Records of the system pages: serial port, logs, status, time zones and IP
 * camera discovery. Included by device_records.h. */
#ifndef APP_DEVICE_RECORDS_SYSTEM_H
#define APP_DEVICE_RECORDS_SYSTEM_H

GUI_EXTERN_C_BEGIN

typedef struct Rs232Config {
  uint8_t baudRate;    /* index into the baud list */
  uint8_t dataBits;    /* 0..3 for 5..8 bits */
  uint8_t stopBits;    /* 0..1 for 1..2 bits */
  uint8_t parity;      /* 0 none, 1 odd, 2 even */
  uint8_t flowControl; /* 0 none, 1 software, 2 hardware */
  uint8_t use;         /* 1 parameter console, 2 transparent channel */
  uint8_t reserved[102];
} Rs232Config;

#define LOG_DESCRIPTION_SIZE 4424
typedef struct LogRecord {
  uint32_t time;          /* seconds since 1970 */
  int32_t major;          /* 1 alarm, 2 exception, 3 operation, 4 information */
  int32_t minor;
  char localUser[16];     /* not necessarily terminated */
  char remoteUser[16];
  uint32_t remoteHost;    /* index into the device's host texts; 0: local */
  uint32_t paramType;
  int32_t channel;
  int32_t diskNo;
  int32_t alarmIn;
  int32_t alarmOut;
  uint32_t descriptionLength;
  int32_t infoKind;
  char description[LOG_DESCRIPTION_SIZE];
} LogRecord;

/* Filled by a log search; the device keeps the entries behind it. */
typedef struct LogSearchState {
  uint32_t searchId;
  uint32_t reserved4;
  int32_t count;          /* entries found */
  uint32_t reserved[13];  /* the device's own; size chosen to round to 64 */
} LogSearchState;
#define LOG_SEARCH_MAX 2000
#define LOG_HOST_TEXT_SIZE 64

/* Status records of the system information window. */
typedef struct ChannelStatus {
  char name[32];
  uint8_t enabled;
  uint8_t motionOn;
  uint8_t motionAlarm;
  uint8_t tamperOn;
  uint8_t tamperAlarm;
  uint8_t videoLossOn;
  uint8_t videoLoss;
  uint8_t videoException;
} ChannelStatus;

typedef struct RecordStatus {
  uint8_t recording;
  uint8_t resolution;
  uint8_t streamType;
  uint8_t recordType;
  uint32_t bitrate;
  uint32_t currentBitrate;
  uint32_t frameRate;
  uint8_t eventCompression;
  uint8_t redundancy;
  uint8_t reserved[2];
} RecordStatus;

typedef struct AlarmInStatus {
  char name[32];
  uint8_t alarmType;
  uint8_t armed;
  uint8_t alarm;
  uint8_t reserved[5];
  uint64_t recordChanMask;
} AlarmInStatus;

typedef struct AlarmOutStatus {
  char name[32];
  uint8_t active;
  uint8_t reserved[3];
} AlarmOutStatus;

/* One row of the time-zone table, by zone index 0..33. */
typedef struct ZoneRow {
  int16_t hours;    /* -12..+13 */
  int16_t minutes;  /* away from zero on both sides */
  uint32_t zone;
} ZoneRow;
#define TIME_ZONE_COUNT 34

/* A zone's daylight-saving rule; all zero where the zone keeps none. */
typedef struct ZoneDstRule {
  uint8_t start[4];  /* month 1..12, week 1..5, weekday 0..6 (0 Sunday), hour */
  uint8_t end[4];
  uint32_t biasMinutes;
} ZoneDstRule;

/* A camera found on the network by discovery. */
typedef struct DiscoveredIpc {
  uint8_t address[4];
  uint8_t mask[4];
  uint8_t mac[6];
  uint16_t port;
  uint32_t deviceType;  /* the code getDeviceTypeName names */
  uint32_t maker;
  char serial[48];
  uint8_t reserved[8];
} DiscoveredIpc;
#define IPC_DISCOVERY_MAX 64

/* Upgrade phases the device reports. */
enum { UPGRADE_PHASE_READ = 1, UPGRADE_PHASE_WRITE = 2, UPGRADE_PHASE_BACKUP = 3, UPGRADE_PHASE_NONE = 255 };

GUI_EXTERN_C_END

#ifdef __cplusplus
#include <cstddef>
static_assert(sizeof(Rs232Config) == 108, "Rs232Config");
static_assert(sizeof(LogRecord) == 4500 && offsetof(LogRecord, remoteHost) == 44 &&
                  offsetof(LogRecord, infoKind) == 72 && offsetof(LogRecord, description) == 76,
              "LogRecord");
static_assert(offsetof(LogSearchState, count) == 8 && sizeof(LogSearchState) == 64, "third word is the count");
static_assert(sizeof(ChannelStatus) == 40 && sizeof(RecordStatus) == 20 && offsetof(RecordStatus, frameRate) == 12,
              "status records");
static_assert(sizeof(AlarmInStatus) == 48 && offsetof(AlarmInStatus, recordChanMask) == 40 &&
                  sizeof(AlarmOutStatus) == 36,
              "alarm status records");
static_assert(sizeof(ZoneRow) == 8, "zone rows of 8 bytes");
static_assert(sizeof(DiscoveredIpc) == 80, "DiscoveredIpc");
#endif

#endif
