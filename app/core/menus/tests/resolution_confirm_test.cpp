#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_registry.h"
#include "app/core/menus/resolution_rules.h"
#include "app/device_backend.h"
#include "app/device_test_seam.h"
#include "app/login_rights.h"
#include "app/system_services.h"

namespace {

using resolution_confirm::Countdown;

TEST(ResolutionCountdown, ShowsFifteenToOneAndRestoresAtTheSixteenthExpiry) {
  Countdown countdown;
  std::vector<int> shown;
  for (int expiry = 1; expiry <= 17; ++expiry) shown.push_back(countdown.tick());
  const std::vector<int> expected{15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0};
  EXPECT_EQ(shown, expected);
  countdown.reset();
  EXPECT_EQ(countdown.tick(), 15);
}

struct Row {
  bool outputOption, hdmiAndVga;
  int mainOutput;
  bool vga, hdmi;  // which outputs' resolutions are kept and restored
};

constexpr uint8_t kNewVga = 9, kNewHdmi = 7, kPrevVga = 1, kPrevHdmi = 2;

int storedConfigWrites() {
  int writes = 0;
  for (const auto& call : device_seam::callLog()) writes += call.op == "setDeviceConfig";
  return writes;
}

class ResolutionRules : public ::testing::TestWithParam<Row> {
 protected:
  void SetUp() override {
    device_seam::resetAll();
    initDeviceAbility();
    const Row& row = GetParam();
    DeviceAbility* ability = device_seam::mutableAbility();
    ability->storageModeFlags = (ability->storageModeFlags & ~4u) | (row.outputOption ? 4u : 0u);
    ability->outputModeFlags = (ability->outputModeFlags & ~1u) | (row.hdmiAndVga ? 1u : 0u);
    setMainOutput(row.mainOutput);
    DeviceConfig config{};
    getDeviceConfig(getOutputLogin(row.mainOutput), &config);  // whole: the device checks every field
    config.resolutions[2].code = kNewVga;
    config.resolutions[1].code = kNewHdmi;
    EXPECT_EQ(setDeviceConfig(getOutputLogin(row.mainOutput), &config, 1), 0);
    storeCachedDeviceConfig(&config);
    setPrevResolutionOut3(kPrevVga);
    setPrevResolutionOut2(kPrevHdmi);
    device_seam::startCallLog();
  }
  void TearDown() override {
    device_seam::resetAll();
    setMainOutput(3);
  }
};

TEST_P(ResolutionRules, OkKeepsTheNewResolutionsAndWritesNothing) {
  const Row& row = GetParam();
  Countdown countdown;
  for (int i = 0; i < 3; ++i) countdown.tick();
  resolution_confirm::keepNewResolutions();
  EXPECT_EQ(getPrevResolutionOut3(), row.vga ? kNewVga : kPrevVga);
  EXPECT_EQ(getPrevResolutionOut2(), row.hdmi ? kNewHdmi : kPrevHdmi);
  EXPECT_EQ(storedConfigWrites(), 0);
}

TEST_P(ResolutionRules, CancelStoresThePreviousResolutions) {
  const Row& row = GetParam();
  resolution_confirm::restorePrevResolutions();
  EXPECT_EQ(storedConfigWrites(), 1);
  DeviceConfig stored{};
  ASSERT_EQ(getDeviceConfig(getOutputLogin(row.mainOutput), &stored), 0);
  for (const DeviceConfig& config : {cachedDeviceConfig(), stored}) {
    EXPECT_EQ(config.resolutions[2].code, row.vga ? kPrevVga : kNewVga);
    EXPECT_EQ(config.resolutions[1].code, row.hdmi ? kPrevHdmi : kNewHdmi);
  }
}

INSTANTIATE_TEST_SUITE_P(Devices, ResolutionRules,
                         ::testing::Values(Row{false, false, 3, true, false}, Row{false, true, 3, true, false},
                                           Row{false, true, 2, false, false}, Row{true, false, 3, true, false},
                                           Row{true, false, 2, false, true}, Row{true, true, 2, true, true},
                                           Row{true, true, 3, true, true}),
                         [](const ::testing::TestParamInfo<Row>& info) {
                           const Row& r = info.param;
                           return std::string(r.outputOption ? "Options" : "NoOptions") +
                                  (r.hdmiAndVga ? "HdmiAndVga" : "") + "Main" + std::to_string(r.mainOutput);
                         });

}  // namespace
