// The general settings window: its three sheet pages, the tables they show
// and the state the window keeps while it is open.
#pragma once

#include <cstdint>

#include "app/device_backend.h"
#include "app/value_texts.h"
#include "gui/common.h"

namespace display {

constexpr const char* kSection = "displayset";

// Value tables shown by the pages (texts in kSection unless noted).
extern const ValueKeyRow kVideoStandards[2];  // shown as the keys themselves
extern const ValueKeyRow kDateFormats[3];
extern const ValueKeyRow kTransparencies[4];
extern const ValueKeyRow kLockTimes[7];
extern const ValueKeyRow kMonths[12];    // texts in "commons"
extern const ValueKeyRow kWeeks[5];
extern const ValueKeyRow kWeekdays[7];   // texts in "commons"; Sunday is 7
extern const ValueKeyRow kBiases[4];
constexpr int kZoneRows = 34;

// The mouse acceleration pairs behind the speed bar's positions 0..3.
struct MousePair {
  int scale, threshold;
  bool operator==(const MousePair& o) const { return scale == o.scale && threshold == o.threshold; }
  bool operator!=(const MousePair& o) const { return !(*this == o); }
};
// Positions outside 0..3 take the nearest end.
MousePair mousePairOfSpeed(int speed);
// A pair no position has shows as position 0.
int mouseSpeedOfPair(MousePair pair);

// Stored values and what the lists show for them.
int weekdayShown(int stored);     // 0 (Sunday) shows as 7
uint8_t weekdayStored(int shown); // 7 is stored as 0
int biasIndex(uint32_t minutes);  // below 30 shows as the first row
uint32_t biasMinutes(int index);  // (index + 1) * 30
int lockTimeShown(uint16_t stored);  // 0 shows as "never"
uint16_t lockTimeStored(int shown);  // "never" is stored as 0

// The output modes this device offers, in list order; the row count.
int outputModeRows(ValueKeyRow* rows, int max);

// How the device's outputs are arranged for the resolution combos.
enum class Outputs { kOneMain, kTogether, kIndependent };
Outputs outputArrangement();
// Whether the menus run on an output without a resolution of its own.
bool onTvOutput();

// What the window keeps while it is open.
struct WindowState {
  DeviceConfig snapshot{};         // as read on opening and after a general Apply
  MousePair remembered{1, 0};      // the pair put back when the window closes
  int videoStandard = 0;           // the standard last applied
};
WindowState& state();
OutputLogin* login();
// A copy of the application's cached record.
DeviceConfig cached();
// The cached record brought up to what the device holds.
void rereadConfig();
// The current output's block of a record.
DeviceOutputBlock& block(DeviceConfig& config);
// The mouse pair in force.
MousePair currentMousePair();


LResult generalPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
LResult dstPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
LResult morePageProc(WindowHandle page, int message, WParam wParam, LParam lParam);

}  // namespace display
