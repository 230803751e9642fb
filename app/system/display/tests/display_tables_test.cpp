// The general settings' tables: each stored value shows as its row and the
// row stores the value again, and the rows a stored value outside the table
// falls on.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "app/device_ability.h"
#include "app/device_test_seam.h"
#include "app/system/display/display.h"

namespace display {
namespace {

int RowOf(const ValueKeyRow* rows, int count, int value) {
  for (int i = 0; i < count; ++i)
    if (rows[i].value == value) return i;
  return -1;
}

TEST(DisplayTables, StoredValuesShowAsTheirRowsAndStoreBack) {
  // Lock time: 1..6 as they stand, 0 (never) shown as the last row.
  const std::vector<std::pair<int, std::string>> locks{{1, "idletime_1"},  {2, "idletime_2"},  {3, "idletime_5"},
                                                       {4, "idletime_10"}, {5, "idletime_20"}, {6, "idletime_30"},
                                                       {0, "idletime_never"}};
  for (const auto& [stored, key] : locks) {
    const int row = RowOf(kLockTimes, 7, lockTimeShown(static_cast<uint16_t>(stored)));
    ASSERT_GE(row, 0) << stored;
    EXPECT_EQ(kLockTimes[row].key, key);
    EXPECT_EQ(lockTimeStored(kLockTimes[row].value), stored);
  }
  // Transparency rows store their values unchanged.
  const std::vector<std::pair<int, std::string>> alphas{
      {0, "transparent_11"}, {1, "transparent_31"}, {2, "transparent_13"}, {7, "transparent_no"}};
  for (const auto& [value, key] : alphas) EXPECT_EQ(kTransparencies[RowOf(kTransparencies, 4, value)].key, key);
  // Weekdays: Sunday is stored as 0 and shown as the seventh row.
  const char* days[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
  for (int stored = 0; stored < 7; ++stored) {
    const int row = RowOf(kWeekdays, 7, weekdayShown(stored));
    ASSERT_GE(row, 0) << stored;
    EXPECT_STREQ(kWeekdays[row].key, days[stored]);
    EXPECT_EQ(weekdayStored(kWeekdays[row].value), stored);
  }
  // Bias: 30, 60, 90, 120 minutes; anything below 30 shows as 30.
  for (int index = 0; index < 4; ++index) {
    EXPECT_EQ(biasMinutes(index), static_cast<uint32_t>((index + 1) * 30));
    EXPECT_EQ(biasIndex(biasMinutes(index)), index);
  }
  for (uint32_t low : {0u, 1u, 29u}) EXPECT_EQ(biasIndex(low), 0) << low;
  EXPECT_EQ(biasIndex(UINT32_MAX), 3);
  for (int bad : {-1, 4, INT_MIN, INT_MAX}) EXPECT_EQ(biasMinutes(bad), bad < 0 ? 30u : 120u) << bad;
  // Mouse pairs by bar position; a pair no position has shows as the first.
  const MousePair pairs[] = {{1, 0}, {3, 5}, {4, 7}, {6, 10}};
  for (int speed = 0; speed < 4; ++speed) {
    EXPECT_EQ(mousePairOfSpeed(speed), pairs[speed]) << speed;
    EXPECT_EQ(mouseSpeedOfPair(pairs[speed]), speed);
  }
  EXPECT_EQ(mouseSpeedOfPair({2, 3}), 0);
  EXPECT_EQ(mousePairOfSpeed(INT_MIN), pairs[0]);
  EXPECT_EQ(mousePairOfSpeed(INT_MAX), pairs[3]);
}

TEST(DisplayTables, OutputModesFollowTheDevicesOutputs) {
  device_seam::resetAll();
  initDeviceAbility();
  DeviceAbility* ability = device_seam::mutableAbility();
  const DeviceAbility original = *ability;
  struct Row {
    const char* what;
    uint8_t hdmi, vga, cvbs;
    bool together;
    std::vector<std::pair<std::string, int>> modes;
  } rows[] = {
      {"three outputs", 1, 1, 1, false,
       {{"output_mode_auto", 255}, {"output_mode_hdmi", 2}, {"output_mode_vga", 3}, {"output_mode_cvbs", 1}}},
      {"HDMI and VGA together", 1, 1, 1, true,
       {{"output_mode_auto", 255}, {"output_mode_hdmi_vga", getCombinedVideoOut()}, {"output_mode_cvbs", 1}}},
      {"VGA and composite", 0, 1, 1, false, {{"output_mode_auto", 255}, {"output_mode_vga", 3}, {"output_mode_cvbs", 1}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    *ability = original;
    ability->hdmiOut = row.hdmi;
    ability->vgaOut = row.vga;
    ability->cvbsOut = row.cvbs;
    ability->outputModeFlags = row.together ? 1 : 0;
    ValueKeyRow got[4];
    const int count = outputModeRows(got, 4);
    std::vector<std::pair<std::string, int>> modes;
    for (int i = 0; i < count; ++i) modes.push_back({got[i].key, got[i].value});
    EXPECT_EQ(modes, row.modes);
    EXPECT_EQ(outputModeRows(got, 2), 2) << "a short list is filled, never overrun";
    EXPECT_EQ(outputModeRows(nullptr, 4), 0);
  }
  *ability = original;
}

}  // namespace
}  // namespace display
