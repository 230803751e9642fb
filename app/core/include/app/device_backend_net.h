/* Device operations of the network, camera-event and alarm pages.
 *
 * Conventions as device_backend.h. Each set checks the record whole and
 * keeps it only when every check passes: a refused set answers its code and
 * the device keeps the old record. The trailing flag argument of the sets
 * is the pages' "save now" word; the device ignores it. Included by
 * device_backend.h. */
#ifndef APP_DEVICE_BACKEND_NET_H
#define APP_DEVICE_BACKEND_NET_H

#include "app/device_status.h"

GUI_EXTERN_C_BEGIN

/* Refusal codes of the network pages, by the field they name. */
enum {
  NET_ERR_IPV4 = 0x2000d0,          /* not a host address */
  NET_ERR_IPV4_LOOPBACK = 0x2000d1,
  NET_ERR_HOST_ZERO = 0x2000d2,     /* host part all zeros */
  NET_ERR_HOST_BROADCAST = 0x2000d3,
  NET_ERR_MASK = 0x2000d4,          /* mask 0 */
  NET_ERR_MASK_VALUE = 0x2000d5,    /* mask not a run of ones */
  NET_ERR_GATEWAY = 0x2000d6,
  NET_ERR_GATEWAY_LOOPBACK = 0x2000d7,
  NET_ERR_ALARM_HOST = 0x2000d8,
  NET_ERR_ALARM_HOST_PORT = 0x2000d9, /* outside 0..65535 */
  NET_ERR_MULTICAST = 0x2000da,
  NET_ERR_SERVICE_PORT = 0x2000db,  /* outside 2000..65535 */
  NET_ERR_HTTP_PORT = 0x2000dc,     /* 21 and 23 are refused */
  NET_ERR_PORT_CLASH = 0x2000dd,
  NET_ERR_MTU = 0x2000de,           /* outside 500..9676 */
  NET_ERR_PPPOE_USER = 0x2000df,
  NET_ERR_NTP_INTERVAL = 0x2000e0,  /* outside 1..10080 */
  NET_ERR_NTP_PORT = 0x2000e1,
  NET_ERR_RTSP_PORT = 0x2000e2,     /* 554 or 1024..65535 */
  NET_ERR_QUIET = 0x2000e3,         /* refused, already told */
  NET_ERR_PREFERRED_DNS = 0x2000e4,
  NET_ERR_ALTERNATE_DNS = 0x2000e5,
  NET_ERR_ADDRESS_CLASH = 0x2000e6, /* two interfaces on one address */
  NET_ERR_SENDER_ADDR = 0x2000e7,
  NET_ERR_RECEIVER_ADDR = 0x2000e8,
  NET_ERR_SMTP_PORT = 0x2000e9,
  NET_ERR_FTP_PORT = 0x2000ea,
  NET_ERR_FTP_SERVER = 0x2000eb,    /* enabled without a server address */
  NET_ERR_DDNS_DOMAIN = 0x2000ec,
  NET_ERR_DDNS_DOMAIN_USED = 0x2000ed,
  NET_ERR_DDNS_SERVER = 0x2000ee,
  NET_ERR_DDNS_CONNECT = 0x2000ef,
  NET_ERR_DDNS_ADDRESS = 0x2000f0,
  NET_ERR_DDNS_DOMAIN_TEXT = 0x2000f1,
  NET_ERR_HTTPS_PORT = 0x2000f2,    /* outside 1..65535 */
  NET_ERR_SNMP_PORT = 0x2001f5,
  NET_ERR_TRAP_PORT = 0x2001f6,
  NET_ERR_FTP_FIRST_NAME = 0x300075, /* a character names refuse */
  NET_ERR_FTP_SECOND_NAME = 0x300076,
  NET_ERR_FTP_FIRST_EMPTY = 0x300077,
  NET_ERR_FTP_SECOND_EMPTY = 0x300078,
  NET_ERR_DEVICE_IP_CONFLICT = 0x20000c, /* another device holds the address */
  NET_ERR_POE_ADDRESS_CLASH = 0x200104,  /* the LAN and the PoE interface */
  NET_ERR_POE_INVALID = -2,              /* the PoE interface's address: no host address */
  NET_ERR_POE_LOOPBACK = -3,
  NET_ERR_POE_LAN_CLASH = -4,            /* in the LAN's network */
  NET_ERR_POE_CAMERA_CLASH = -5          /* an added camera's address */
};
#define DEVICE_ERR_NAME 0x200005
#define DEVICE_ERR_ALARM_REBOOT 0x2000fa     /* saved; an input takes it after a reboot */
#define DEVICE_ERR_ALARM_OUT_REBOOT 0x2000fe /* the same for an output */
#define NET_MTU_MIN 500
#define NET_MTU_MAX 9676

/* Address texts of a 12-byte address record, into NET_ADDRESS_TEXT_SIZE
 * bytes: the IPv4 word in dotted form, the IPv6 word as its text ("::" for
 * none); 0 on success. A text becomes a record whose other word is 0;
 * negative for a text that is no address. */
#define NET_ADDRESS_TEXT_SIZE 65
int ipv4ToText(uint32_t word, char* out, int size);
int ipv6ToText(uint32_t word, char* out, int size);
int textToNetAddress(const char* text, NetAddress* out);

/* Network record: check without keeping, check and keep, then the apply
 * and reboot steps that follow a save. */
DEVICE_STATUS int checkNetConfig(OutputLogin* login, const NetConfig* in);
DEVICE_STATUS int setNetConfig(OutputLogin* login, const NetConfig* in, int flag);
/* The pages' two steps: check the fields on screen and keep them aside,
 * then save what was kept. */
DEVICE_STATUS int keepNetConfig(OutputLogin* login, const NetConfig* in);
DEVICE_STATUS int saveNetConfig(OutputLogin* login);
/* Whether the network settings may change now: 0, or the code that says
 * why not. */
int returnNoError(void);
DEVICE_STATUS int applyNetConfig(OutputLogin* login);
DEVICE_STATUS int rebootDevice(OutputLogin* login);
/* Whether a question about PPPoE is worded by the device: writes a 16-byte
 * text; 0 when the pages use their own. */
int getPppoeHint(OutputLogin* login, char out[16]);
/* The PoE camera interface's address (zero until one is set); setting 0
 * clears it, another address is refused with a NET_ERR_POE_ code. */
int getPoeAddress(OutputLogin* login, NetAddress* out);
DEVICE_STATUS int setPoeAddress(OutputLogin* login, const NetAddress* in);
/* Interface count of the detection window; -1: the device lists none. */
int getNetInterfaceCount(void);

DEVICE_STATUS int setNetAdvConfig(OutputLogin* login, const NetAdvConfig* in, int flag);
DEVICE_STATUS int setEmailConfig(OutputLogin* login, const EmailConfig* in, int flag);
DEVICE_STATUS int sendTestMail(OutputLogin* login);
/* Servers are numbered from 1 to getFtpServerNum(). */
DEVICE_STATUS int checkFtpConfig(OutputLogin* login, int server, const FtpConfig* in);
DEVICE_STATUS int setFtpConfig(OutputLogin* login, int server, const FtpConfig* in, int flag);
/* Name of a named directory kind (level 1 or 2) into 65 bytes; empty here. */
int getFtpDirName(int level, int kind, char out[65]);
DEVICE_STATUS int setSnmpConfig(OutputLogin* login, const SnmpConfig* in, int flag);
/* The port clash check of the host tab. */
DEVICE_STATUS int checkNetPorts(OutputLogin* login, const NetConfig* in);

/* Camera pages. The motion preview takes MOTION_PREVIEW_ROWS row words, or
 * null when detection is off; a null call-back unregisters. */
int setMotionStatusCallback(MotionStatusCallback callback);
int setMotionPreview(int channel, int sensitivity, const uint32_t* rows);
/* Patterns a channel's PTZ offers (0 for no channel); whether arming
 * schedules have a holiday day. */
int getPatternNum(int channel);
int hasHolidaySchedule(void);
/* Holiday segments of a channel by kind: 1 record, 2 capture, 3 motion,
 * 4 tamper, 5 video loss. */
int getHolidaySegments(OutputLogin* login, int channel, int kind, TimeSegment out[HOLIDAY_SEGMENTS]);
DEVICE_STATUS int setHolidaySegments(OutputLogin* login, int channel, int kind, const TimeSegment in[HOLIDAY_SEGMENTS]);
/* Record channels of a channel's event, by the same kinds. */
int getRecordChanMask(OutputLogin* login, int channel, int kind, uint64_t* out);
DEVICE_STATUS int setRecordChanMask(OutputLogin* login, int channel, int kind, uint64_t mask);

/* Alarms. Local inputs and outputs are group 0 with index 0..count-1; an IP
 * camera's are group 1..32 with index 0..15. */
int getAlarmInConfig(OutputLogin* login, int group, int index, AlarmInConfig* out, int flag);
DEVICE_STATUS int setAlarmInConfig(OutputLogin* login, int group, int index, const AlarmInConfig* in, int flag);
int getAlarmOutConfig(OutputLogin* login, int group, int index, AlarmOutConfig* out, int flag);
DEVICE_STATUS int setAlarmOutConfig(OutputLogin* login, int group, int index, const AlarmOutConfig* in, int flag);
/* kind 1 inputs, 2 outputs; code = group * 256 + index */
int getAlarmHolidaySched(OutputLogin* login, int kind, int code, TimeSegment out[HOLIDAY_SEGMENTS], int flag);
DEVICE_STATUS int setAlarmHolidaySched(OutputLogin* login, int kind, int code, const TimeSegment in[HOLIDAY_SEGMENTS],
                         int flag);
/* value = code + 1 of an input; kind 2 */
int getAlarmRecordLink(OutputLogin* login, int value, int kind, AlarmRecordLink* out, int flag);
DEVICE_STATUS int setAlarmRecordLink(OutputLogin* login, int value, int kind, const AlarmRecordLink* in, int flag);
/* DEVICE_ERR_NAME for a name of up to 32 bytes holding a character names
 * refuse, else 0. */
int checkAlarmName(const char* name);
DEVICE_STATUS int setExceptionConfig(OutputLogin* login, const ExceptionLinkageTable* in);
uint32_t getLocalAlarmOutMask(void);
void triggerLocalAlarmOut(int loginId, int code);
void clearLocalAlarmOut(int loginId, int code);
void triggerAllAlarmOuts(int loginId);
void clearAllAlarmOuts(int loginId);
DEVICE_STATUS int setIpAlarmOutState(int loginId, int group, int index, int state, int flag);

GUI_EXTERN_C_END

#endif
