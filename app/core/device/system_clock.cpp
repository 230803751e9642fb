// The device clock: the PC clock moved by the time last set, and the zone
// the device was given.
#include <ctime>

#include "app/core/device/fill.h"
#include "app/core/device/kept.h"
#include "app/device_backend.h"

using devsim::Kind;

namespace {

bool validTime(const DeviceTime& t) {
  return t.year >= 1970 && t.year <= 2100 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 &&
         t.hour <= 23 && t.minute <= 59 && t.second <= 59;
}

// The fields as a calendar time; the PC's own zone plays no part.
int64_t calendarSeconds(const DeviceTime& t) {
  struct tm parts {};
  parts.tm_year = static_cast<int>(t.year) - 1900;
  parts.tm_mon = static_cast<int>(t.month) - 1;
  parts.tm_mday = static_cast<int>(t.day);
  parts.tm_hour = static_cast<int>(t.hour);
  parts.tm_min = static_cast<int>(t.minute);
  parts.tm_sec = static_cast<int>(t.second);
  return static_cast<int64_t>(timegm(&parts));
}

int64_t localNow() {
  const time_t now = time(nullptr);
  struct tm local;
  localtime_r(&now, &local);
  return static_cast<int64_t>(timegm(&local));
}

}  // namespace

extern "C" {

int getDeviceTime(OutputLogin*, DeviceTime* out) {
  DEVICE_ENTER(getDeviceTime, out, sizeof *out);
  if (devsim::zeroRecord(out) != 0) return -1;
  const devsim::Clock clock = devsim::fetchValue(Kind::ClockOffset, 0, devsim::Clock{});
  const time_t shown = static_cast<time_t>(localNow() + clock.offsetSeconds);
  struct tm parts;
  gmtime_r(&shown, &parts);
  out->year = static_cast<uint32_t>(parts.tm_year + 1900);
  out->month = static_cast<uint32_t>(parts.tm_mon + 1);
  out->day = static_cast<uint32_t>(parts.tm_mday);
  out->hour = static_cast<uint32_t>(parts.tm_hour);
  out->minute = static_cast<uint32_t>(parts.tm_min);
  out->second = static_cast<uint32_t>(parts.tm_sec);
  out->zoneHours = clock.zoneHours;
  out->zoneMinutes = clock.zoneMinutes;
  return 1;
}

int setDeviceTime(OutputLogin*, const DeviceTime* in) {
  DEVICE_ENTER(setDeviceTime, nullptr, 0, in ? in->year : -1, in ? in->month : -1, in ? in->day : -1, in ? in->hour : -1,
               in ? in->minute : -1, in ? in->second : -1);
  if (!in || !validTime(*in)) return -1;
  devsim::keepValue(Kind::ClockOffset, 0,
                    devsim::Clock{calendarSeconds(*in) - localNow(), in->zoneHours, in->zoneMinutes});
  return 0;
}

int applyDstConfig(OutputLogin*) {
  DEVICE_ENTER(applyDstConfig, nullptr, 0);
  return 0;
}

int switchOutputLive(OutputLogin*, int output, int on) {
  DEVICE_ENTER(switchOutputLive, nullptr, 0, output, on);
  return 0;
}

int setOutputResolutionCode(OutputLogin*, int output, int code) {
  DEVICE_ENTER(setOutputResolutionCode, nullptr, 0, output, code);
  return 0;
}

int resetVideoOutputs(OutputLogin*, int videoStandard) {
  DEVICE_ENTER(resetVideoOutputs, nullptr, 0, videoStandard);
  return 0;
}

}  // extern "C"
