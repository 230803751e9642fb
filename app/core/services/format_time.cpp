// Date format, time zones, dates, device times and versions.
#include <cstdio>
#include <cstring>
#include <ctime>

#include "app/core/services/per_output.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/login_rights.h"

namespace {

app::Word<int> g_dateFormat{0};
app::Word<int> g_timeZone{27};

struct ZoneRow {
  int16_t hours;
  int16_t minutes;
  uint32_t zone;
};

const ZoneRow kZones[] = {
    {-12, 0, 0}, {-11, 0, 1}, {-10, 0, 2}, {-9, 0, 3},  {-8, 0, 4},  {-7, 0, 5},  {-6, 0, 6},
    {-5, 0, 7},  {-4, 30, 8}, {-4, 0, 9},  {-3, 30, 10}, {-3, 0, 11}, {-2, 0, 12}, {-1, 0, 13},
    {0, 0, 14},  {1, 0, 15},  {2, 0, 16},  {3, 0, 17},  {3, 30, 18}, {4, 0, 19},  {4, 30, 20},
    {5, 0, 21},  {5, 30, 22}, {5, 45, 23}, {6, 0, 24},  {6, 30, 25}, {7, 0, 26},  {8, 0, 27},
    {9, 0, 28},  {9, 30, 29}, {10, 0, 30}, {11, 0, 31}, {12, 0, 32}, {13, 0, 33},
};
constexpr int kZoneCount = sizeof kZones / sizeof kZones[0];
static_assert(kZoneCount == 34, "zones 0..33");

// Minutes east of UTC; minutes count away from zero on both sides.
int offsetMinutes(int hours, int minutes) { return hours >= 0 ? hours * 60 + minutes : hours * 60 - minutes; }

bool badBuffer(const char* buf, int size) { return !buf || size < 1; }

}  // namespace

extern "C" {

void setDateFormat(int format) { g_dateFormat.set(format); }
int getDateFormat(void) { return g_dateFormat.get(); }
void setTimeZone(int zone) { g_timeZone.set(zone); }
int getTimeZone(void) { return g_timeZone.get(); }

// The zone word packs signed 16-bit hours low and the minutes above them.
void setTimeZoneByCode(DeviceTime time) {
  const int hours = time.zoneHours;
  const int minutes = static_cast<uint16_t>(time.zoneMinutes) & 0xFF;
  for (const ZoneRow& row : kZones)
    if (row.hours == hours && row.minutes == minutes) {
      setTimeZone(static_cast<int>(row.zone));
      return;
    }
}

int getZoneOffsetMinutes(int zone) {
  if (zone < 0 || zone >= kZoneCount) return 0;
  return offsetMinutes(kZones[zone].hours, kZones[zone].minutes);
}

void formatDate(char* buf, int year, int month, int day) {
  if (!buf) return;
  switch (getDateFormat()) {
    case 0: std::snprintf(buf, DATE_TEXT_SIZE, "%4d-%02d-%02d", year, month, day); break;
    case 1: std::snprintf(buf, DATE_TEXT_SIZE, "%02d-%02d-%4d", month, day, year); break;
    case 2: std::snprintf(buf, DATE_TEXT_SIZE, "%02d-%02d-%4d", day, month, year); break;
    // An unknown format must not leave a stale date on the page.
    default: buf[0] = '\0'; break;
  }
}

int formatDeviceTime(int output, int64_t time, int shift, char* buf, int size) {
  if (badBuffer(buf, size)) return -1;
  if (shift) {
    DeviceTime device{};
    getDeviceTime(getOutputLogin(output), &device);
    time += static_cast<int64_t>(offsetMinutes(device.zoneHours, device.zoneMinutes)) * 60;
  }
  const time_t t = static_cast<time_t>(time);
  struct tm parts;
  if (!localtime_r(&t, &parts)) {
    buf[0] = '\0';
    return -1;
  }
  char date[DATE_TEXT_SIZE];
  formatDate(date, parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday);
  std::snprintf(buf, static_cast<size_t>(size), "%s %02d:%02d:%02d", date, parts.tm_hour, parts.tm_min,
                parts.tm_sec);
  return 0;
}

int convertZoneTime(int fromZone, int toZone, int dateTime[6]) {
  if (!dateTime || fromZone < 0 || fromZone >= kZoneCount || toZone < 0 || toZone >= kZoneCount) return -1;
  struct tm parts {};
  parts.tm_year = dateTime[0] - 1900;
  parts.tm_mon = dateTime[1] - 1;
  parts.tm_mday = dateTime[2];
  parts.tm_hour = dateTime[3];
  parts.tm_min = dateTime[4];
  parts.tm_sec = dateTime[5];
  parts.tm_isdst = -1;
  time_t t = std::mktime(&parts);
  if (t == static_cast<time_t>(-1)) return -1;
  t += static_cast<time_t>(getZoneOffsetMinutes(toZone) - getZoneOffsetMinutes(fromZone)) * 60;
  if (!localtime_r(&t, &parts)) return -1;
  const int back[6] = {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                       parts.tm_hour,        parts.tm_min,     parts.tm_sec};
  std::memcpy(dateTime, back, sizeof back);
  return 0;
}

int formatVersionLong(uint32_t version, uint32_t date, char* buf, int size) {
  if (badBuffer(buf, size)) return -1;
  std::memset(buf, 0, static_cast<size_t>(size));
  std::snprintf(buf, static_cast<size_t>(size), "V%d.%d.%d, Build %02d%02d%02d", version >> 24,
                (version >> 16) & 0xFF, version & 0xFFFF, (date >> 16) & 0xFF, (date >> 8) & 0xFF, date & 0xFF);
  return 0;
}

int formatVersionShort(uint32_t version, uint32_t date, char* buf, int size) {
  if (badBuffer(buf, size)) return -1;
  std::memset(buf, 0, static_cast<size_t>(size));
  std::snprintf(buf, static_cast<size_t>(size), "V%d.%d, Build %02d%02d%02d", version >> 16, version & 0xFFFF,
                (date >> 16) & 0xFF, (date >> 8) & 0xFF, date & 0xFF);
  return 0;
}

}  // extern "C"
