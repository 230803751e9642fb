// The schedule page's working records: loaded per channel when a tab
// opens, edited in place, copied between channels and written on Apply.
#include <cstring>

#include "app/app_registry.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/record/schedule/schedule_page.h"

namespace schedule {
namespace {

ChanRecordSched g_records[kChanSlots];
ChanCaptureSched g_captures[kChanSlots];

OutputLogin* login() { return getOutputLogin(getCurOutput()); }

int slotOf(int selected) {
  const int count = getChannelNum();
  return selected < 1 || selected > count || selected >= kChanSlots ? 1 : selected;
}

bool isMotionType(int type) { return type == 1 || type == 3 || type == 4; }

bool usesMotion(const Week& week) {
  for (int d = 0; d < (kHolidayRow ? kDays : SCHED_DAYS); ++d) {
    const Day& day = week.days[d];
    if (day.allDay != 0) {
      if (isMotionType(day.allDayType)) return true;
      continue;
    }
    for (const RecordSchedSegment& s : day.seg)
      if (used(s) && isMotionType(s.type)) return true;
  }
  return false;
}

// A schedule that records on motion needs motion detection on; false when
// the device refuses to switch it on.
bool enableMotionDetection(int channel) {
  ChannelConfig config;
  std::memset(&config, 0, sizeof config);
  if (getChannelConfig(login(), channel, &config) != 0) return true;
  uint8_t* enable = &config.motionEnable;
  if (*enable != 0) return true;
  *enable = 1;
  return setChannelConfig(login(), channel, &config, 1) == 0;
}

bool saveRecordChannel(int c) {
  ChanRecordSched& e = g_records[c];
  bool ok = true;
  if (setRecordConfig(login(), c, &e.record, 1) != 0) {
    getRecordConfig(login(), c, &e.record, 1);
    ok = false;
  } else if (e.record.enable != 0 && usesMotion(weekOf(e))) {
    ok = enableMotionDetection(c);
  }
  // A failed schedule write leaves no schedule to switch motion detection
  // on for: the check after the holiday write is not made.
  if (setRecordSchedExtra(login(), c, &e.holiday, 1) != 0) {
    getRecordSchedExtra(login(), c, &e.holiday, 1);
    ok = false;
  }
  return ok;
}

bool saveCaptureChannel(int c) {
  if (setCaptureConfig(login(), c, &g_captures[c].record, 1) == 0) return true;
  getCaptureConfig(login(), c, &g_captures[c].record, 1);
  return false;
}

}  // namespace

ChanRecordSched* recordSlots() { return g_records; }
ChanRecordSched* getCurRecordSched() { return &g_records[slotOf(tabState(false).selected)]; }
ChanCaptureSched* getCurCaptureSched() { return &g_captures[slotOf(tabState(true).selected)]; }
ChanCaptureSched* captureSlots() { return g_captures; }

int channelOrder(int* out, int max) {
  const int analog = getAnalogChannelNum(), ipCount = getIpChannelNum(nullptr);
  int n = 0;
  for (int c = 1; c <= getChannelNum() && c < kChanSlots && n < max; ++c) {
    if (c <= analog) {
      if (isChanValid(c, 0)) out[n++] = c;
    } else if (c - analog <= ipCount) {
      out[n++] = c;
    } else {
      break;
    }
  }
  return n;
}

uint32_t* changedFlag(TabState& tab) {
  const int slot = slotOf(tab.selected);
  return tab.keys->capture ? &g_captures[slot].changed : &g_records[slot].changed;
}

Week selectedWeek(TabState& tab) {
  const int slot = slotOf(tab.selected);
  return tab.keys->capture ? weekOf(g_captures[slot].record) : weekOf(g_records[slot]);
}

void storeSelectedWeek(TabState& tab, const Week& week) {
  const int slot = slotOf(tab.selected);
  if (tab.keys->capture)
    storeWeek(week, &g_captures[slot].record);
  else
    storeWeek(week, &g_records[slot]);
}

uint32_t selectedEnable(TabState& tab) {
  const int slot = slotOf(tab.selected);
  return tab.keys->capture ? g_captures[slot].record.enable : g_records[slot].record.enable;
}

void setSelectedEnable(TabState& tab, uint32_t enable) {
  const int slot = slotOf(tab.selected);
  if (tab.keys->capture)
    g_captures[slot].record.enable = static_cast<uint8_t>(enable);
  else
    g_records[slot].record.enable = enable;
}

bool loadChannels(TabState& tab) {
  const bool capture = tab.keys->capture;
  if (capture)
    std::memset(g_captures, 0, sizeof g_captures);
  else
    std::memset(g_records, 0, sizeof g_records);
  int order[kChanSlots];
  const int count = channelOrder(order, kChanSlots);
  for (int i = 0; i < count; ++i) {
    const int c = order[i];
    const int rc = capture ? getCaptureConfig(login(), c, &g_captures[c].record, 1)
                           : getRecordConfig(login(), c, &g_records[c].record, 1);
    if (rc != 0) {
      showMsgBox(tab.page, "commons", tab.keys->loadFailed, MSGBOX_ERROR);
      return false;
    }
    if (!capture) getRecordSchedExtra(login(), c, &g_records[c].holiday, 1);
  }
  return true;
}

int saveSchedules(TabState& tab) {
  int order[kChanSlots];
  const int count = channelOrder(order, kChanSlots);
  bool ok = true;
  for (int i = 0; i < count; ++i) {
    const int c = order[i];
    if (tab.keys->capture) {
      if (g_captures[c].changed == 1) ok = saveCaptureChannel(c) && ok;
    } else if (g_records[c].changed == 1) {
      ok = saveRecordChannel(c) && ok;
    }
  }
  // The page tells a failed save by -1, whatever the failure.
  if (!ok || saveDeviceParams() != 0) return -1;
  return 0;
}

void copyToChannels(TabState& tab, uint64_t mask) {
  const int src = slotOf(tab.selected);
  const int analog = getAnalogChannelNum(), ipCount = getIpChannelNum(nullptr);
  auto copyTo = [&](int target) {
    if (target < 1 || target >= kChanSlots) return;
    if (tab.keys->capture) {
      g_captures[target].record = g_captures[src].record;
      g_captures[target].changed = 1;
      return;
    }
    // The record's tail belongs to the encoding page: only the schedule goes.
    RecordConfig& to = g_records[target].record;
    const RecordConfig& from = g_records[src].record;
    to.enable = from.enable;
    std::memcpy(to.days, from.days, sizeof to.days);
    std::memcpy(to.segments, from.segments, sizeof to.segments);
    g_records[target].holiday = g_records[src].holiday;
    g_records[target].changed = 1;
  };
  for (int i = 1; i <= analog && i <= 64; ++i)
    if ((mask >> (i - 1)) & 1u) copyTo(i);
  for (int k = 1; k <= ipCount && analog + k <= 64; ++k)
    if ((mask >> (analog + k - 1)) & 1u) copyTo(analog + k);
}

}  // namespace schedule
