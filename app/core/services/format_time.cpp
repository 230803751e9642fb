// Date format, dates, device times and versions.
#include <cstdio>
#include <cstring>
#include <ctime>

#include "app/core/services/per_output.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/login_rights.h"

namespace {

app::Word<int> g_dateFormat{0};

bool badBuffer(const char* buf, int size) { return !buf || size < 1; }

}  // namespace

extern "C" {

void setDateFormat(int format) { g_dateFormat.set(format); }
int getDateFormat(void) { return g_dateFormat.get(); }
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
    time += static_cast<int64_t>(zoneOffsetMinutes(device.zoneHours, device.zoneMinutes)) * 60;
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
