// The date and time page: time zone, date format, date and time. A zone
// change only shows the time converted into it; Next stores the zone with
// its daylight-saving rule, the clock and the date format. The shown time
// falls behind the running clock: Next writes the fields only when the user
// edited them, and a new zone alone converts the running clock into it.
#include <cstdio>
#include <cstring>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/msgbox.h"
#include "app/system/wizard/wizard.h"
#include "app/value_texts.h"
#include "gui/combobox.h"
#include "gui/control_paint.h"

namespace wizard {
namespace {

constexpr const char* kSection = "starttime";
constexpr const char* kTextSection = "displayset";
constexpr int kZone = 16432, kFormat = 16433, kDate = 16434, kTime = 16435;
constexpr int kFormatCount = 3, kFieldCount = 6, kKeySize = 24;
constexpr uint32_t kListStyle = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_NOTIFY;
constexpr uint32_t kDateStyle = WS_CHILD | WS_VISIBLE | CBS_DATE | CBS_NOTIFY;
constexpr uint32_t kTimeStyle = WS_CHILD | WS_VISIBLE | CBS_TIME | CBS_NOTIFY;

struct Reference {
  // Year, month, day, hour, minute, second as the page last showed them
  // itself (read at opening, converted into a chosen zone, or written).
  int shown[kFieldCount];
  DeviceConfig config;
};
Reference g_ref{};

void fromDeviceTime(const DeviceTime& t, int out[kFieldCount]) {
  const uint32_t in[kFieldCount] = {t.year, t.month, t.day, t.hour, t.minute, t.second};
  for (int i = 0; i < kFieldCount; ++i) out[i] = static_cast<int>(in[i]);
}

void showTime(WindowHandle page, const int t[kFieldCount]) {
  char date[DATE_TEXT_SIZE] = "";
  formatDate(date, t[0], t[1], t[2]);
  SetDlgItemText(page, kDate, date);
  for (int field = 1; field <= 3; ++field)
    SendDlgItemMessage(page, kTime, CB_SETFIELD, static_cast<WParam>(field), t[2 + field]);
}

void readTime(WindowHandle page, int t[kFieldCount]) {
  t[0] = static_cast<int>(SendDlgItemMessage(page, kDate, CB_GETYEAR, 0, 0));
  t[1] = static_cast<int>(SendDlgItemMessage(page, kDate, CB_GETMONTH, 0, 0));
  t[2] = static_cast<int>(SendDlgItemMessage(page, kDate, CB_GETDAY, 0, 0));
  for (int field = 1; field <= 3; ++field)
    t[2 + field] = static_cast<int>(SendDlgItemMessage(page, kTime, CB_GETFIELD, static_cast<WParam>(field), 0));
}

void fillCombo(WindowHandle page, int id, const char* prefix, int count, int firstKey) {
  for (int value = 0; value < count; ++value) {
    char key[kKeySize];
    std::snprintf(key, sizeof key, "%s%d", prefix, value + firstKey);
    const char* text = lookupText(kTextSection, key);
    SendDlgItemMessage(page, id, CB_ADDSTRING, static_cast<WParam>(value), reinterpret_cast<LParam>(text ? text : ""));
  }
}

void init(WindowHandle page) {
  make(page, kSection, "combobox", "starttime_zone", kListStyle, EDIT_CORNER_TOPRIGHT, kZone, true);
  make(page, kSection, "combobox", "starttime_dateformat", kListStyle, 0, kFormat, true);
  make(page, kSection, "combobox", "starttime_date", kDateStyle, 0, kDate, true);
  make(page, kSection, "combobox", "starttime_time", kTimeStyle, EDIT_CORNER_BOTTOMRIGHT, kTime, true);
  makeButtons(page, kSection, "guide_prevstep", PAGE_ID_PREVIOUS, "guide_nextstep", PAGE_ID_NEXT, "guide_cancel");
  fillCombo(page, kZone, "timezone", TIME_ZONE_COUNT, 1);
  fillCombo(page, kFormat, "datetype", kFormatCount, 0);
  initTimeField(page, kTime);
  DeviceTime now{};
  getDeviceTime(login(), &now);
  fromDeviceTime(now, g_ref.shown);
  setTimeZoneByCode(now);
  g_ref.config = DeviceConfig{};
  getDeviceConfig(login(), &g_ref.config);
  setDateFormat(g_ref.config.dateFormat);
  selectComboValue(page, kZone, getTimeZone());
  selectComboValue(page, kFormat, g_ref.config.dateFormat);
  showTime(page, g_ref.shown);
  if (const WindowHandle next = GetDlgItem(page, PAGE_ID_NEXT); IsValidHandle(next)) SetFocusChild(next);
}

void zoneChanged(WindowHandle page) {
  DeviceTime now{};
  getDeviceTime(login(), &now);
  int t[kFieldCount];
  fromDeviceTime(now, t);
  if (convertZoneTime(getTimeZone(), comboValue(page, kZone), t) != 0) return;
  showTime(page, t);
  std::memcpy(g_ref.shown, t, sizeof t);
}

// The running clock converted into `zone`.
int runningClockIn(int zone, int t[kFieldCount]) {
  DeviceTime now{};
  if (getDeviceTime(login(), &now) < 0) return -1;
  fromDeviceTime(now, t);
  return convertZoneTime(getTimeZone(), zone, t);
}


// The zone's rule into the record; true when a field changed.
bool copyRule(DeviceConfig& config, int zone) {
  ZoneDstRule rule{};
  if (getZoneDstRule(zone, &rule) != 0) return false;
  const DeviceConfig before = config;
  bool any = rule.biasMinutes != 0;
  for (int i = 0; i < 4; ++i) any = any || rule.start[i] != 0 || rule.end[i] != 0;
  config.dstEnabled = any ? 1 : 0;
  for (int i = 0; i < 4; ++i) {
    config.dstStart[i] = rule.start[i];
    config.dstEnd[i] = rule.end[i];
  }
  config.dstBias = rule.biasMinutes;
  return before.dstEnabled != config.dstEnabled || before.dstBias != config.dstBias ||
         std::memcmp(before.dstStart, config.dstStart, sizeof config.dstStart) != 0 ||
         std::memcmp(before.dstEnd, config.dstEnd, sizeof config.dstEnd) != 0;
}

// The fields this page changes, into the application's copy of the record.
void keepCached(const DeviceConfig& config) {
  changeCachedDeviceConfig([&config](DeviceConfig& cached) {
    cached.dateFormat = config.dateFormat;
    cached.dstEnabled = config.dstEnabled;
    cached.dstBias = config.dstBias;
    std::memcpy(cached.dstStart, config.dstStart, sizeof config.dstStart);
    std::memcpy(cached.dstEnd, config.dstEnd, sizeof config.dstEnd);
  });
}

// 0, or the code of the step that failed.
int save(WindowHandle page) {
  DeviceConfig config = g_ref.config;
  const int format = comboValue(page, kFormat);
  if (format >= 0 && format < kFormatCount) config.dateFormat = static_cast<uint8_t>(format);
  const int zone = comboValue(page, kZone);
  const ZoneRow* row = getZoneRow(zone);
  if (!row) return -1;
  int t[kFieldCount];
  readTime(page, t);
  const bool edited = std::memcmp(t, g_ref.shown, sizeof t) != 0;
  bool wrote = false, dstChanged = false;
  if (edited || zone != getTimeZone()) {
    if (!edited && runningClockIn(zone, t) != 0) return -1;
    if (config.dstAuto) dstChanged = copyRule(config, zone);
    DeviceTime set{};
    uint32_t* fields[kFieldCount] = {&set.year, &set.month, &set.day, &set.hour, &set.minute, &set.second};
    for (int i = 0; i < kFieldCount; ++i) *fields[i] = t[i] < 0 ? 0 : static_cast<uint32_t>(t[i]);
    set.zoneHours = row->hours;
    set.zoneMinutes = row->minutes;
    if (setDeviceTime(login(), &set) != 0) return -1;
    setTimeZone(zone);
    readTime(page, g_ref.shown);
    wrote = true;
  }
  // A daylight-saving change is written as well as a format change: it
  // would otherwise be lost.
  if (config.dateFormat != g_ref.config.dateFormat || dstChanged) {
    if (setDeviceConfig(login(), &config, 0) != 0) return -1;
    setDateFormat(config.dateFormat);
    g_ref.config = config;
    keepCached(config);
    wrote = true;
  }
  return wrote ? saveDeviceParams() : 0;
}

void command(WindowHandle page, int id, int code) {
  if (id == kZone && code == CBN_SELCHANGE) {
    zoneChanged(page);
  } else if (id == kFormat && code == CBN_SELCHANGE) {
    switchDateFormatKeepingDate(page, kDate, comboValue(page, kFormat));
  } else if (id == PAGE_ID_NEXT) {
    if (const int rc = save(page)) {
      reportSaveFailed(page, rc);
      return;
    }
    goOn(page, Step::Time);
  }
}

// Cancel keeps nothing of the page: the date format and the copy are the
// device's again.
void leaving(WindowHandle) {
  DeviceConfig fresh{};
  if (getDeviceConfig(login(), &fresh) != 0) return;
  keepCached(fresh);
  setDateFormat(fresh.dateFormat);
}

const Page kPage{kSection, PAGE_ID_PREVIOUS, leaving, {init, pageframe::takesAll<command>}};

}  // namespace

int openTimePage(WindowHandle owner) { return runPage<kPage>(owner); }

}  // namespace wizard
