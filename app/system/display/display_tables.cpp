// The general settings' value tables and the conversions between stored
// values and the rows the lists show.
#include <cstdio>

#include "app/app_registry.h"
#include "app/device_ability.h"
#include "app/system/display/display.h"

namespace display {
namespace {

constexpr int kSunday = 7;
constexpr int kNeverShown = 65535;
constexpr int kBiasStep = 30;
constexpr int kAutoOutputMode = 255;
constexpr int kCvbsMode = 1, kHdmiMode = 2, kVgaMode = 3;
const MousePair kMousePairs[] = {{1, 0}, {3, 5}, {4, 7}, {6, 10}};
constexpr int kMouseSpeeds = 4;

}  // namespace

const ValueKeyRow kVideoStandards[2] = {{"NTSC", 1}, {"PAL", 2}};
const ValueKeyRow kDateFormats[3] = {{"datetype0", 0}, {"datetype1", 1}, {"datetype2", 2}};
const ValueKeyRow kTransparencies[4] = {
    {"transparent_11", 0}, {"transparent_31", 1}, {"transparent_13", 2}, {"transparent_no", 7}};
const ValueKeyRow kLockTimes[7] = {{"idletime_1", 1},  {"idletime_2", 2},  {"idletime_5", 3},
                                   {"idletime_10", 4}, {"idletime_20", 5}, {"idletime_30", 6},
                                   {"idletime_never", kNeverShown}};
const ValueKeyRow kMonths[12] = {{"Jan", 1}, {"Feb", 2},  {"Mar", 3},   {"Apr", 4},  {"May", 5},  {"June", 6},
                                 {"July", 7}, {"Aug", 8}, {"Sep", 9}, {"Oct", 10}, {"Nov", 11}, {"Dec", 12}};
const ValueKeyRow kWeeks[5] = {{"1st", 1}, {"2nd", 2}, {"3rd", 3}, {"4th", 4}, {"last", 5}};
const ValueKeyRow kWeekdays[7] = {{"mon", 1}, {"tue", 2}, {"wed", 3},      {"thu", 4},
                                  {"fri", 5}, {"sat", 6}, {"sun", kSunday}};
const ValueKeyRow kBiases[4] = {{"bias_30", 0}, {"bias_60", 1}, {"bias_90", 2}, {"bias_120", 3}};

MousePair mousePairOfSpeed(int speed) {
  if (speed < 0) speed = 0;
  if (speed >= kMouseSpeeds) speed = kMouseSpeeds - 1;
  return kMousePairs[speed];
}

int mouseSpeedOfPair(MousePair pair) {
  for (int i = 0; i < kMouseSpeeds; ++i)
    if (kMousePairs[i] == pair) return i;
  return 0;
}

int weekdayShown(int stored) { return stored == 0 ? kSunday : stored; }
uint8_t weekdayStored(int shown) { return static_cast<uint8_t>(shown == kSunday ? 0 : shown); }

int biasIndex(uint32_t minutes) {
  if (minutes < kBiasStep) return 0;
  const uint32_t index = minutes / kBiasStep - 1;
  return index > 3 ? 3 : static_cast<int>(index);
}

uint32_t biasMinutes(int index) {
  if (index < 0) index = 0;
  if (index > 3) index = 3;
  return static_cast<uint32_t>(index + 1) * kBiasStep;
}

int lockTimeShown(uint16_t stored) { return stored == 0 ? kNeverShown : stored; }
uint16_t lockTimeStored(int shown) {
  return static_cast<uint16_t>(shown == kNeverShown || shown < 0 || shown > kNeverShown ? 0 : shown);
}

int outputModeRows(ValueKeyRow* rows, int max) {
  int count = 0;
  const auto add = [&](const char* key, int value) {
    if (count >= max) return;
    std::snprintf(rows[count].key, sizeof rows[count].key, "%s", key);
    rows[count++].value = value;
  };
  if (!rows || max <= 0) return 0;
  if (getSelectableOutputNum() > 1) add("output_mode_auto", kAutoOutputMode);
  if (hasHdmiVgaMode()) {
    add("output_mode_hdmi_vga", getCombinedVideoOut());
  } else {
    if (hasHdmiOutput()) add("output_mode_hdmi", kHdmiMode);
    if (hasVgaOutput()) add("output_mode_vga", kVgaMode);
  }
  if (hasCvbsOutput()) add("output_mode_cvbs", kCvbsMode);
  return count;
}

// Without output options only VGA carries the menus; with them HDMI and VGA
// either mirror one picture or run as two outputs of their own.
Outputs outputArrangement() {
  if (!hasOutputOption()) return Outputs::kOneMain;
  return hasHdmiVgaMode() ? Outputs::kTogether : Outputs::kIndependent;
}

bool onTvOutput() {
  const int output = getCurOutput();
  return output != 2 && output != 3;
}

}  // namespace display
