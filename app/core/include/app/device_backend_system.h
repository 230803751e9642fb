/* Device operations of the system pages: logs, clock and time zones,
 * outputs, serial port, defaults, configuration files, upgrade, passwords
 * and IP cameras. Conventions as device_backend.h; included by it. */
#ifndef APP_DEVICE_BACKEND_SYSTEM_H
#define APP_DEVICE_BACKEND_SYSTEM_H

#include "app/device_status.h"

GUI_EXTERN_C_BEGIN

#define DEVICE_ERR_DEVICE_NUMBER 0x2000cb /* outside 1..255 */
#define DEVICE_ERR_DST_SAME_MONTH 0x2000cc
/* The monitor does not take the resolution asked for. */
#define DEVICE_ERR_RESOLUTION 0x2000eb
/* User table answers: an empty name (the device: also record 0 not the
 * administrator), a name holding a character names refuse, one name twice;
 * the user pages' own: no free record, a wrong old password, an empty
 * password. */
#define USER_ERR_NAME_EMPTY 0x200208
#define USER_ERR_NAME_CHARS 0x200209
#define USER_ERR_NAME_USED 0x20020a
#define USER_ERR_NO_FREE 0x20020b
#define USER_ERR_OLD_PASSWORD 0x20020c
#define USER_ERR_PASSWORD_EMPTY 0x20020d

/* Logs: the entries found, 0 or below for none, -2 above LOG_SEARCH_MAX.
 * This device keeps no log and answers -1. */
int findLogs(int major, int minor, uint32_t start, uint32_t end, LogSearchState* state);
/* Entry `index` (from 1) of a search. */
void getLogRecord(LogRecord* out, const LogSearchState* state, int index, int unused);
/* The text of a log record's remote host reference; 0 gives an empty text;
 * -1 for a reference the device does not know. */
int getLogHostText(uint32_t ref, char* out, int size);
/* 1 when the device formats new disks by itself (it then logs automatic
 * formats instead of format operations); this device does not. */
int hasAutoDiskFormat(void);

/* The device clock: later getDeviceTime calls run from the time set. */
DEVICE_STATUS int setDeviceTime(OutputLogin* login, const DeviceTime* in);
/* The time-zone table and its services are declared in formatting.h. */

/* Steps that follow a saved DeviceConfig. */
DEVICE_STATUS int applyDstConfig(OutputLogin* login);
DEVICE_STATUS int switchOutputLive(OutputLogin* login, int output, int on);
DEVICE_STATUS int setOutputResolutionCode(OutputLogin* login, int output, int code);
DEVICE_STATUS int resetVideoOutputs(OutputLogin* login, int videoStandard);

DEVICE_STATUS int setRs232Config(OutputLogin* login, const Rs232Config* in, int flag);
DEVICE_STATUS int applyRs232Config(OutputLogin* login);
/* Non-zero when the port's use may not change (the transparent channel is
 * not offered). */
int isRs232UseFixed(void);

/* Every kept setting goes back to its default. */
DEVICE_STATUS int restoreDefaults(OutputLogin* login, int flag);
/* Configuration files on the removable device: 0 done, else a code of the
 * pages' tables; this device has no removable device and answers
 * CONFIG_FILE_NO_DEVICE. */
#define CONFIG_FILE_NO_DEVICE 3
DEVICE_STATUS int importConfigFile(OutputLogin* login, const char* path);
DEVICE_STATUS int exportConfigFile(OutputLogin* login, const char* path);

/* Firmware upgrade: mode 1 removable device (source a path), 2 FTP (source
 * an address text). Nothing is started here: -1. */
DEVICE_STATUS int startUpgrade(OutputLogin* login, int mode, const char* source);
int getUpgradePhase(void);
int getUpgradePercent(void);

/* The administrator's password back to its default; 0 accepted. The
 * simulated device knows no code scheme and refuses every code with
 * DEVICE_ERR_SECURITY_CODE (-1 for a null code). */
#define DEVICE_ERR_SECURITY_CODE 1
DEVICE_STATUS int resetDefaultPassword(int loginId, const char* securityCode);

/* IP cameras: discovery, the cameras found, and adding one as IP channel
 * 1..IP_CHANNEL_BOUND (it then counts in getIpChannelNum). */
DEVICE_STATUS int startIpcDiscovery(OutputLogin* login);
int getDiscoveredIpcs(DiscoveredIpc* out, int max);
DEVICE_STATUS int addIpChannel(OutputLogin* login, int ipChannel, const IpChannelInfo* in);

GUI_EXTERN_C_END

#endif
