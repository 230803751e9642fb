// The colour records against the device: presets, channels out of range and
// a device with more channels than the panel's table can put back.
#include <gtest/gtest.h>

#include <cstring>

#include "app/app_registry.h"
#include "app/color_panel.h"
#include "app/core/liveview/color_session.h"
#include "app/device_backend.h"
#include "app/device_test_seam.h"
#include "app/login_rights.h"

namespace {

class ColorSession : public ::testing::Test {
 protected:
  void SetUp() override {
    device_seam::resetAll();
    initDeviceAbility();
    setMainOutput(3);
    setCurOutput(3);
    setLoginState(3, 0, 0);
  }
  void TearDown() override { device_seam::resetAll(); }
};

TEST_F(ColorSession, PresetsFillTheirBytesAndARefusedReadKeepsTheColours) {
  ChannelConfig c{};
  c.brightness = 9, c.hue = 8, c.sharpness = 7;
  getColorParam(2, &c);  // the simulated device has no presets
  EXPECT_EQ(c.brightness, 9);
  EXPECT_EQ(c.colorMode, 2);
  const uint8_t preset[8] = {0, 11, 12, 13, 14, 15, 16, 0};
  device_seam::overrideAnswer(getColorPreset, 0, preset, sizeof preset);
  getColorParam(1, &c);
  const uint8_t expected[] = {11, 12, 13, 14};  // brightness, contrast, hue, saturation
  EXPECT_EQ(std::memcmp(&c.brightness, expected, 4), 0);
  EXPECT_EQ(c.sharpness, 15);
  EXPECT_EQ(c.denoise, 16);
  EXPECT_EQ(c.colorMode, 1);
  getColorParam(1, nullptr);
}

// Channels past the 32-entry table are never changed, so closing can put
// back every picture the panel touched.
TEST_F(ColorSession, CopiesStayWithinTheTableAndOutOfRangeChannelsAreIgnored) {
  device_seam::overrideAnswer(getChannelNum, 40);
  const uint64_t ipChannels = 0xFFFF;  // channels 17..32 exist beside the analog ones
  device_seam::overrideAnswer(getIpChannelNum, 16, &ipChannels, sizeof ipChannels);
  colorpanel::Session& s = colorpanel::ActiveSession();
  s.Begin(3, 5);
  s.Current().brightness = 99;
  s.CopyTo(~0ull);
  ColorSetRecord shown{};
  for (int ch = 1; ch <= 40; ++ch) {
    EXPECT_EQ(device_seam::appliedColor(ch, &shown), ch <= 32) << ch;
    EXPECT_EQ(s.Touched(ch), ch <= 32) << ch;
  }
  s.Restore();
  for (int ch = 1; ch <= 32; ++ch) {
    ASSERT_TRUE(device_seam::appliedColor(ch, &shown));
    EXPECT_EQ(shown.brightness, 0) << "put back " << ch;
  }
  ChannelConfig c{};
  c.brightness = 9;
  for (int ch : {0, 41, -3}) setColorParam(ch, &c);
  setColorParam(3, nullptr);
  for (int ch : {0, 41, -3}) EXPECT_FALSE(device_seam::appliedColor(ch, &shown));
}

}  // namespace
