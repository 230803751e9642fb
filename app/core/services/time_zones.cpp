// Time zones: the 34-row zone table, the zone in force, each zone's
// daylight-saving rule and times moved between zones.
#include <cstring>
#include <ctime>

#include "app/core/services/per_output.h"
#include "app/formatting.h"

namespace {

app::Word<int> g_timeZone{27};

const ZoneRow kZones[TIME_ZONE_COUNT] = {
    {-12, 0, 0}, {-11, 0, 1}, {-10, 0, 2}, {-9, 0, 3},  {-8, 0, 4},  {-7, 0, 5},  {-6, 0, 6},
    {-5, 0, 7},  {-4, 30, 8}, {-4, 0, 9},  {-3, 30, 10}, {-3, 0, 11}, {-2, 0, 12}, {-1, 0, 13},
    {0, 0, 14},  {1, 0, 15},  {2, 0, 16},  {3, 0, 17},  {3, 30, 18}, {4, 0, 19},  {4, 30, 20},
    {5, 0, 21},  {5, 30, 22}, {5, 45, 23}, {6, 0, 24},  {6, 30, 25}, {7, 0, 26},  {8, 0, 27},
    {9, 0, 28},  {9, 30, 29}, {10, 0, 30}, {11, 0, 31}, {12, 0, 32}, {13, 0, 33},
};

// Automatic daylight saving, one rule per zone that keeps it: the Americas
// (second Sunday of March to first Sunday of November), Europe and its
// neighbours (last Sunday of March to last Sunday of October), and the
// southern zones whose summer spans the new year.
struct ZoneRule {
  int zone;
  ZoneDstRule rule;
};
constexpr ZoneDstRule kAmericas{{3, 2, 0, 2}, {11, 1, 0, 2}, 60};
constexpr ZoneDstRule kEuropeWest{{3, 5, 0, 2}, {10, 5, 0, 3}, 60};
constexpr ZoneDstRule kSouthern{{4, 1, 0, 3}, {10, 1, 0, 2}, 60};
const ZoneRule kRules[] = {
    {3, kAmericas},  {4, kAmericas},  {5, kAmericas},  {6, kAmericas},  {7, kAmericas},  {9, kAmericas},
    {10, {{3, 2, 0, 0}, {11, 1, 0, 0}, 60}},
    {13, {{3, 5, 0, 0}, {10, 5, 0, 1}, 60}},
    {14, {{3, 5, 0, 1}, {10, 5, 0, 2}, 60}},
    {15, kEuropeWest}, {17, kEuropeWest},
    {16, {{3, 5, 0, 3}, {10, 5, 0, 4}, 60}},
    {18, {{3, 3, 0, 0}, {9, 3, 2, 0}, 60}},
    {29, kSouthern}, {30, kSouthern},
    {32, {{4, 1, 0, 3}, {9, 5, 0, 2}, 60}},
};

bool validZone(int zone) { return zone >= 0 && zone < TIME_ZONE_COUNT; }

}  // namespace

extern "C" {

void setTimeZone(int zone) { g_timeZone.set(zone); }
int getTimeZone(void) { return g_timeZone.get(); }

const ZoneRow* getZoneRow(int zone) { return validZone(zone) ? &kZones[zone] : nullptr; }

int zoneOffsetMinutes(int hours, int minutes) {
  return hours >= 0 ? hours * 60 + minutes : hours * 60 - minutes;
}

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
  if (!validZone(zone)) return 0;
  return zoneOffsetMinutes(kZones[zone].hours, kZones[zone].minutes);
}

int getZoneDstRule(int zone, ZoneDstRule* out) {
  if (!out || !validZone(zone)) return -1;
  std::memset(out, 0, sizeof *out);
  for (const ZoneRule& r : kRules)
    if (r.zone == zone) *out = r.rule;
  return 0;
}

int convertZoneTime(int fromZone, int toZone, int dateTime[6]) {
  if (!dateTime || !validZone(fromZone) || !validZone(toZone)) return -1;
  struct tm parts {};
  parts.tm_year = dateTime[0] - 1900;
  parts.tm_mon = dateTime[1] - 1;
  parts.tm_mday = dateTime[2];
  parts.tm_hour = dateTime[3];
  parts.tm_min = dateTime[4];
  parts.tm_sec = dateTime[5];
  // Plain calendar arithmetic: the PC's own zone must not shift the result.
  time_t t = timegm(&parts);
  if (t == static_cast<time_t>(-1)) return -1;
  t += static_cast<time_t>(getZoneOffsetMinutes(toZone) - getZoneOffsetMinutes(fromZone)) * 60;
  if (!gmtime_r(&t, &parts)) return -1;
  const int back[6] = {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                       parts.tm_hour,        parts.tm_min,     parts.tm_sec};
  std::memcpy(dateTime, back, sizeof back);
  return 0;
}

}  // extern "C"
