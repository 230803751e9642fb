/* How the pages show sizes, rates, channels, dates, versions and addresses,
 * the checks of names and addresses, the date format and time zone, and the
 * language switch. Every formatter writes a terminated text and stays within
 * the size it is given. */
#ifndef APP_FORMATTING_H
#define APP_FORMATTING_H

#include "app/device_records.h"

GUI_EXTERN_C_BEGIN

/* Sizes and rates; values are 64-bit counts of bytes or bits per second. */
void formatCapacity(char* buf, int size, int64_t value);
void formatCapacityUnit(char* buf, int size, int64_t value, const char* unit);
void formatBitrate(char* buf, int size, int64_t value);
/* 0 for a standard rate (a key of the device's bit-rate list), 1 for a
 * custom rate (negative value, bits 10-26 the rate), -1 for a code no row
 * knows (its text says so). */
int formatBitrateText(int value, char* text, int size);
void formatDiskSize(const char* unit, char* buf, int size);
int diskNoFromId(uint64_t id);
uint64_t bytesToMask(const uint8_t bytes[6]);

/* Channels: "A1".."A16", then "D1" for the first IP channel. Buffers of
 * CHAN_NAME_SIZE and CHAN_MASK_TEXT_SIZE bytes hold any answer. */
#define CHAN_NAME_SIZE 16
#define CHAN_MASK_TEXT_SIZE 256
int formatChanName(int channel, char* buf);
int parseChanName(const char* text);
int formatChanMaskText(uint32_t low, uint32_t high, char* buf);

/* Dates, times and versions. Date formats: 0 year-month-day, 1 month-day-
 * year, 2 day-month-year. Time zones 0..33 (27 is +8:00). */
#define DATE_TEXT_SIZE 40
void setDateFormat(int format);
int getDateFormat(void);
void setTimeZone(int zone);
int getTimeZone(void);
void setTimeZoneByCode(DeviceTime time);
/* Offset of a zone in minutes; 0 for an unknown zone. */
int getZoneOffsetMinutes(int zone);
/* Minutes east of UTC of an offset given as hours and minutes (minutes
 * count away from zero on both sides). */
int zoneOffsetMinutes(int hours, int minutes);
/* The zone table's row of a zone 0..33; null for another. */
const ZoneRow* getZoneRow(int zone);
/* The zone's automatic daylight-saving rule, all zero where it keeps none;
 * -1 for a bad zone or a null out. */
int getZoneDstRule(int zone, ZoneDstRule* out);
void formatDate(char* buf, int year, int month, int day);
int formatDeviceTime(int output, int64_t time, int shift, char* buf, int size);
/* dateTime: year, month 1-12, day, hour, minute, second; -1 for a bad zone. */
int convertZoneTime(int fromZone, int toZone, int dateTime[6]);
int formatVersionLong(uint32_t version, uint32_t date, char* buf, int size);
int formatVersionShort(uint32_t version, uint32_t date, char* buf, int size);

/* Addresses and names. */
int formatIpAddr(const uint8_t bytes[4], char* buf, int size);
void formatMacAddr(const uint8_t bytes[6], char* buf, int size);
/* Bytes written, or -1 for a null pointer or a buffer under 6 bytes. */
int parseMacAddr(const char* text, uint8_t* bytes, int size);
int isValidEmailAddr(const char* text);
int isPresetSmtpServer(char* name);
int isDigitString(const char* text);
int convertTextCopy(const char* text, char* buf, int size);
int convertTextCopy2(const char* text, char* buf, int size);

/* Language. */
int isRightToLeftLang(void);
int isLangSelectable(int index);
void setLangSwitchPending(int value);
int isLangSwitchPending(void);
void beginLangSwitch(void);
void finishLangSwitch(void);

/* Others. */
/* The disks the format window works on, handed over whole. */
void setFormatDiskArg(FormatDiskArg record);
void getFormatDiskArg(FormatDiskArg* out);
void resetTopWindow(void);

GUI_EXTERN_C_END

#endif
