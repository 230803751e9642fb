// All-day recording of every channel, continuous or on motion, asked from
// the manual record page and the live-view menu; and the box of a failed
// manual snapshot.
#include <cstring>

#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/record_services.h"
#include "gui/dialog.h"

namespace {

constexpr int kRightRecordSetting = 8;
constexpr int kTiming = 0, kMotion = 1;

void allDay(DaySchedHead& head, int type) {
  head.allDay = 1;
  head.allDayType = static_cast<uint8_t>(type);
  head.reserved = 0;
}

// 0, or the first refusal of the channel's writes; a refusal leaves the
// channel's later records as they were.
int recordAllDay(OutputLogin* login, int channel, int type) {
  RecordConfig rec;
  std::memset(&rec, 0, sizeof rec);
  getRecordConfig(login, channel, &rec, 1);
  rec.enable = 1;
  for (DaySchedHead& head : rec.days) allDay(head, type);
  if (const int rc = setRecordConfig(login, channel, &rec, 1)) return rc;
  HolidaySchedule holiday;
  std::memset(&holiday, 0, sizeof holiday);
  getRecordSchedExtra(login, channel, &holiday, 1);
  allDay(holiday.head, type);
  if (const int rc = setRecordSchedExtra(login, channel, &holiday, 1)) return rc;
  if (type != kMotion) return 0;
  ChannelConfig config;
  std::memset(&config, 0, sizeof config);
  if (getChannelConfig(login, channel, &config) != 0 || config.motionEnable != 0) return 0;
  config.motionEnable = 1;
  return setChannelConfig(login, channel, &config, 1);
}

int startAll(int output, WindowHandle owner, int type) {
  if (!ensureLogin(owner)) return 0;
  // Each refusal ends the operation: nothing is asked or written after it.
  if (!checkUserRight(kRightRecordSetting, -1)) return showNoPermission(owner);
  if (!hasUsableChan(kRightRecordSetting, 0)) return showChanNotAvailable(owner);
  const char* key = type == kMotion ? "startrec_motion_hint" : "startrec_timing_hint";
  const int answer = askMsgBox(owner, "preview", key);
  if (answer != IDYES) return answer;
  OutputLogin* login = getOutputLogin(output);
  // Every channel is tried; the first refusal is shown once at the end.
  int refused = 0;
  const auto record = [&](int channel) {
    const int rc = recordAllDay(login, channel, type);
    if (refused == 0) refused = rc;
  };
  for (int channel = 1; channel <= getAnalogChanNum(); ++channel) record(channel);
  uint64_t ipMask = 0;
  getIpChannelNum(&ipMask);
  for (int n = 1; n <= 64 - getAnalogChanNum(); ++n)
    if ((ipMask >> (n - 1)) & 1u) record(getAnalogChanNum() + n);
  const int saved = saveDeviceParams();
  if (refused == 0) refused = saved;
  if (refused != 0) showMsgBoxNum(owner, "commons", "savefailed_code", refused);
  return refused;
}

}  // namespace

extern "C" {

int startTimingRecordAll(int output, WindowHandle owner, WParam, LParam) {
  return startAll(output, owner, kTiming);
}

int startMotionRecordAll(int output, WindowHandle owner, WParam, LParam) {
  return startAll(output, owner, kMotion);
}

int showManualSnapError(WindowHandle owner, int code) {
  if (code == -1) return showMsgBox(owner, "manualsnapshot", "manualsnapshot_err_snapshot", MSGBOX_ERROR);
  if (!lookupText("manualsnapshot", "manualsnapshot_err_default")) return 0;
  return showMsgBoxNum(owner, "manualsnapshot", "manualsnapshot_err_default", code);
}

}  // extern "C"
