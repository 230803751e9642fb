// The sheet's PTZ page (alarm inputs): per channel, whether the event calls
// a preset, a patrol or a pattern, and which one.
#include <algorithm>

#include "app/alarmnet/events/handleset/handleset.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/device_ability.h"
#include "app/login_rights.h"
#include "app/page_building.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/control_paint.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/propsheet.h"

namespace handleset {
namespace {

enum : int { kChannelBox = 21600, kCallPreset, kPreset, kCallPatrol, kPatrol, kCallPattern, kPattern };
constexpr uint32_t kChannelStyle = WS_CHILD | WS_VISIBLE | CBS_NOTIFY | CBS_GRIDLIST | CBS_DROPDOWNLIST;
constexpr uint32_t kCallStyle = WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_AUTORADIOBUTTON;
constexpr uint32_t kNumberStyle = WS_CHILD | WS_VISIBLE | WS_DISABLED | CBS_NOTIFY | CBS_SPINNUMBER;
constexpr int kPtzFlag = 3;
constexpr int kPresetBound = 127;

// One of the three actions' arrays; action i's check box is kCalls[i] and
// its number box the id after it.
struct ActionArrays {
  uint8_t* enable;
  uint8_t* value;
};
const int kCalls[3] = {kCallPreset, kCallPatrol, kCallPattern};

ActionArrays arraysOf(PtzArrays& a, int which) {
  switch (which) {
    case 0: return {a.presetEnable, a.presetNo};
    case 1: return {a.patrolEnable, a.patrolNo};
    default: return {a.patternEnable, a.patternNo};
  }
}

int limitOf(int which, int channel) {
  switch (which) {
    case 0: return std::min(getPresetMaxNum(channel), kPresetBound);
    case 1: return getPatrolNum(channel);
    default: return getPatternNum(channel);
  }
}

int channelCount() { return std::min(getChannelNum(), kPtzChannels); }

void load() {
  State& s = state();
  s.ptz = PtzArrays{};
  if (s.source != EVENT_SOURCE_ALARMIN) return;
  const AlarmInConfig* in = getAlarmInParam();
  const int n = channelCount();
  for (int c = 0; c < n; ++c) {
    s.ptz.presetEnable[c] = in->presetEnable[c];
    s.ptz.presetNo[c] = in->presetNo[c];
    s.ptz.patrolEnable[c] = in->patrolEnable[c];
    s.ptz.patrolNo[c] = in->patrolNo[c];
    s.ptz.patternEnable[c] = in->patternEnable[c];
    s.ptz.patternNo[c] = in->patternNo[c];
  }
}

void createControls(WindowHandle page) {
  const pageframe::Control kControls[] = {
      {"combobox", "ptzcam", kChannelStyle, EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT, kChannelBox, true},
      {"button", "callpreset", kCallStyle, EDIT_CORNER_TOPRIGHT, kCallPreset, true},
      {"combobox", "preset", kNumberStyle, 0, kPreset, true},
      {"button", "callpatrol", kCallStyle, 0, kCallPatrol, true},
      {"combobox", "patrol", kNumberStyle, 0, kPatrol, true},
      {"button", "callpattern", kCallStyle, 0, kCallPattern, true},
      {"combobox", "pattern", kNumberStyle, EDIT_CORNER_BOTTOMRIGHT, kPattern, true},
  };
  pageframe::createControls(page, kSection, kControls, static_cast<int>(sizeof kControls / sizeof kControls[0]));
  createBottomButtons(page, "ptz_ok", "ptz_apply", "ptz_cancel");
}

bool inArrays(int channel) { return channel >= 1 && channel <= kPtzChannels; }

// The chosen action's box checked and its number box enabled; the other
// two unchecked with their number boxes disabled.
void choose(WindowHandle page, int which) {
  for (int i = 0; i < 3; ++i) {
    if (i == which) continue;
    setChecked(page, kCalls[i], false);
    enableLabeledCtrl(page, kCalls[i] + 1, 0);
  }
  setChecked(page, kCalls[which], true);
  enableLabeledCtrl(page, kCalls[which] + 1, 1);
}

void showChannel(WindowHandle page, int channel) {
  PtzArrays& a = state().ptz;
  int limits[3];
  for (int i = 0; i < 3; ++i) {
    limits[i] = limitOf(i, channel);
    if (limits[i] < 1) continue;
    enableLabeledCtrl(page, kCalls[i], 1);
    SendDlgItemMessage(page, kCalls[i] + 1, CB_SETSPINRANGE, 1, limits[i]);
    const ActionArrays arrays = arraysOf(a, i);
    const int value = inArrays(channel) ? arrays.value[channel - 1] : 1;
    SendDlgItemMessage(page, kCalls[i] + 1, CB_SETSPINVALUE, static_cast<WParam>(value), 0);
  }
  uint64_t ipMask = 0;
  const int ipCount = getIpChannelNum(&ipMask);
  // The analog count, not a fixed 16: a device with fewer analog channels
  // would otherwise show the calls of channels it does not have.
  if (channel < 1 || channel > getAnalogChanNum() + ipCount) return;
  const PtzChoice shown = shownPtzChoice(a, channel, limits[0], limits[1], limits[2]);
  const bool chosen[3] = {shown.preset, shown.patrol, shown.pattern};
  for (int i = 0; i < 3; ++i) {
    if (limits[i] < 1) {
      enableLabeledCtrl(page, kCalls[i], 0);
      enableLabeledCtrl(page, kCalls[i] + 1, 0);
    } else if (chosen[i]) {
      choose(page, i);
    } else {
      setChecked(page, kCalls[i], false);
      enableLabeledCtrl(page, kCalls[i] + 1, 0);
    }
  }
}

void storeChannel(WindowHandle page, int channel) {
  if (!inArrays(channel)) return;
  for (int i = 0; i < 3; ++i) {
    if (limitOf(i, channel) < 1) continue;
    const ActionArrays arrays = arraysOf(state().ptz, i);
    arrays.enable[channel - 1] = isChecked(page, kCalls[i]) ? 1 : 0;
    const LResult value = SendDlgItemMessage(page, kCalls[i] + 1, CB_GETSPINVALUE, 0, 0);
    arrays.value[channel - 1] = static_cast<uint8_t>(value & 0xFF);
  }
}

void show(WindowHandle page) {
  State& s = state();
  s.ptzChannel = addChanComboItems(page, kChannelBox, kPtzFlag);
  selectComboValue(page, kChannelBox, s.ptzChannel);
  showChannel(page, s.ptzChannel);
}

void onChannel(WindowHandle page) {
  State& s = state();
  const int channel = comboValue(page, kChannelBox);
  if (checkChanSupported(page, kChannelBox, channel, s.ptzChannel, kPtzFlag) == 0) return;
  if (channel != s.ptzChannel) {
    storeChannel(page, s.ptzChannel);
    s.ptzChannel = channel;
    showChannel(page, channel);
  }
  enableApply(page, 0, 0);
}

void onCall(WindowHandle page, int id) {
  const int which = id == kCallPreset ? 0 : id == kCallPatrol ? 1 : 2;
  if (isChecked(page, id))
    choose(page, which);
  else
    enableLabeledCtrl(page, id + 1, 0);
  enableApply(page, 0, 0);
}

int store(WindowHandle page) {
  State& s = state();
  storeChannel(page, s.ptzChannel);
  if (s.source != EVENT_SOURCE_ALARMIN) return 0;
  AlarmInConfig* in = getAlarmInParam();
  const int n = channelCount();
  for (int c = 0; c < n; ++c) {
    in->presetEnable[c] = s.ptz.presetEnable[c];
    in->presetNo[c] = s.ptz.presetNo[c];
    in->patrolEnable[c] = s.ptz.patrolEnable[c];
    in->patrolNo[c] = s.ptz.patrolNo[c];
    in->patternEnable[c] = s.ptz.patternEnable[c];
    in->patternNo[c] = s.ptz.patternNo[c];
  }
  return 0;
}

void command(WindowHandle page, int id, int code) {
  switch (id) {
    case kChannelBox:
      if (code == CBN_SELCHANGE) onChannel(page);
      break;
    case kCallPreset: case kCallPatrol: case kCallPattern: onCall(page, id); break;
    case kPreset: case kPatrol: case kPattern: enableApplyOnNotify1Or5(page, pageframe::commandWord(id, code), 0); break;
    case PAGE_ID_OK: store(page); finishSheet(page); break;
    default: break;
  }
}

void init(WindowHandle page) {
  load();
  createControls(page);
  show(page);
}

const pageframe::PageHooks kHooks{init, paintDialogBackground, command, store, nullptr, nullptr, closeSheet};

}  // namespace

PtzChoice shownPtzChoice(const PtzArrays& a, int channel, int presets, int patrols, int patterns) {
  PtzChoice c{false, false, false};
  if (channel < 1 || channel > kPtzChannels) return c;
  const int i = channel - 1;
  if (presets >= 1 && a.presetEnable[i]) c = {true, false, false};
  if (patrols >= 1 && a.patrolEnable[i]) c = {false, true, false};
  if (patterns >= 1 && a.patternEnable[i]) c = {false, false, true};
  return c;
}

LResult ptzPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace handleset
