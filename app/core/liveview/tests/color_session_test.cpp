// The colour panel's changes against a model of the device: random edits,
// mode presets, copies, OK and closing, after which the pictures the device
// shows and the records it stores must be what a user expects: stored
// colours only after OK, and every changed picture put back otherwise.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>

#include "app/app_registry.h"
#include "app/color_panel.h"
#include "app/core/liveview/color_session.h"
#include "app/device_backend.h"
#include "app/device_test_seam.h"
#include "app/login_rights.h"

namespace {

constexpr int kOutput = 3;

using Bytes = std::vector<uint8_t>;

ColorSetRecord ColoursOf(const ChannelConfig& c) {
  return {c.brightness, c.contrast, c.saturation, c.hue, c.pictureExtra, c.colorMode, c.sharpness, c.denoise};
}

bool operator==(const ColorSetRecord& a, const ColorSetRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct Model {
  int channels;
  std::map<int, ChannelConfig> stored;
  std::map<int, ColorSetRecord> applied;
  std::map<int, ChannelConfig> touched;  // what OK would store, by channel
};

class ColorSession : public ::testing::Test {
 protected:
  void SetUp() override {
    device_seam::resetAll();
    initDeviceAbility();
    setMainOutput(kOutput);
    setCurOutput(kOutput);
    setLoginState(kOutput, 0, 0);
  }
  void TearDown() override { device_seam::resetAll(); }
};

uint8_t Byte(std::mt19937& rng) { return static_cast<uint8_t>(rng() & 0xFF); }

void RandomColours(std::mt19937& rng, ChannelConfig& c) {
  c.brightness = Byte(rng), c.contrast = Byte(rng), c.hue = Byte(rng), c.saturation = Byte(rng);
  c.sharpness = Byte(rng), c.denoise = Byte(rng), c.colorMode = static_cast<uint8_t>(rng() % 4);
  for (int i = 0; i < 5; ++i) c.reserved39[i] = Byte(rng);  // bytes 39..43 go with OK too
  c.pictureExtra = Byte(rng);
}

TEST_F(ColorSession, RandomSessionsLeaveTheDeviceAsTheModelSays) {
  std::mt19937 rng(30);
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE(round);
    device_seam::resetAll();
    initDeviceAbility();
    Model m{round % 3 == 0 ? 40 : 18, {}, {}, {}};
    if (m.channels != 18) device_seam::overrideAnswer("getChannelNum", m.channels);
    for (int ch = 1; ch <= m.channels; ++ch) {
      ChannelConfig c{};
      getChannelConfig(nullptr, ch, &c);
      RandomColours(rng, c);
      setChannelConfig(nullptr, ch, &c, 0);
      m.stored[ch] = c;
    }
    const int selected = 1 + static_cast<int>(rng() % m.channels);
    colorpanel::Session& s = colorpanel::ActiveSession();
    s.Begin(kOutput, selected);
    if (selected <= 32) m.touched[selected] = m.stored[selected];
    ASSERT_EQ(std::memcmp(&s.Current(), &m.stored[selected], sizeof(ChannelConfig)), 0);

    bool closed = false;
    for (int step = 0; step < 12 && !closed; ++step) {
      ChannelConfig& cur = s.Current();
      switch (rng() % 6) {
        case 0:
        case 1: {  // a slider or box moved: the row's byte, applied at once
          uint8_t* rows[] = {&cur.brightness, &cur.contrast, &cur.saturation, &cur.hue, &cur.sharpness, &cur.denoise};
          *rows[rng() % 6] = Byte(rng);
          s.Apply();
          m.applied[selected] = ColoursOf(cur);
          break;
        }
        case 2: {  // a mode with its preset (or a refused preset read)
          uint8_t preset[8] = {0, Byte(rng), Byte(rng), Byte(rng), Byte(rng), Byte(rng), Byte(rng), 0};
          const bool refused = rng() % 2;
          if (refused)
            device_seam::overrideAnswer("getColorPreset", -1);
          else
            device_seam::overrideAnswer("getColorPreset", 0, preset, sizeof preset);
          const int mode = static_cast<int>(rng() % 4);
          getColorParam(mode, &cur);
          if (!refused) {
            EXPECT_EQ(cur.brightness, preset[1]);
            EXPECT_EQ(cur.hue, preset[3]);
            EXPECT_EQ(cur.denoise, preset[6]);
          }
          EXPECT_EQ(cur.colorMode, mode);
          s.Apply();
          m.applied[selected] = ColoursOf(cur);
          break;
        }
        case 3: {  // copy to a random set of channels, some past the table
          const uint64_t mask = (uint64_t(rng()) << 32 | rng()) & (rng() % 2 ? ~0ull : 0xFFull);
          s.CopyTo(mask);
          for (int ch = 1; ch <= m.channels && ch <= 32; ++ch)
            if (mask >> (ch - 1) & 1) {
              m.applied[ch] = ColoursOf(cur);
              m.touched[ch] = cur;
            }
          break;
        }
        case 4: {  // OK, then the close that follows it
          if (selected <= 32) m.touched[selected] = cur;
          s.Save();
          for (auto& [ch, entry] : m.touched) {
            auto* to = reinterpret_cast<uint8_t*>(&m.stored[ch]);
            const auto* from = reinterpret_cast<const uint8_t*>(&entry);
            std::memcpy(to + 4, from + 4, 4);
            if (ch <= 16) std::memcpy(to + 36, from + 36, 8);
          }
          m.touched.clear();
          s.Restore();
          closed = true;
          break;
        }
        default:  // closed without OK
          s.Restore();
          for (auto& [ch, entry] : m.touched) m.applied[ch] = ColoursOf(m.stored[ch]);
          m.touched.clear();
          closed = true;
      }
    }
    if (!closed) {
      s.Restore();
      for (auto& [ch, entry] : m.touched) m.applied[ch] = ColoursOf(m.stored[ch]);
    }
    for (int ch = 1; ch <= m.channels; ++ch) {
      SCOPED_TRACE(ch);
      ChannelConfig stored{};
      getChannelConfig(nullptr, ch, &stored);
      EXPECT_EQ(std::memcmp(&stored, &m.stored[ch], sizeof stored), 0) << "stored record";
      ColorSetRecord shown{};
      const bool any = device_seam::appliedColor(ch, &shown);
      EXPECT_EQ(any, m.applied.count(ch) == 1);
      if (any && m.applied.count(ch)) EXPECT_TRUE(shown == m.applied[ch]) << "picture";
    }
  }
}

TEST_F(ColorSession, NoSelectedChannelChangesNothingAndChannelsOutOfRangeAreIgnored) {
  colorpanel::Session& s = colorpanel::ActiveSession();
  s.Begin(kOutput, 0);
  s.Save();
  s.Restore();
  ChannelConfig c{};
  c.brightness = 9;
  setColorParam(0, &c);
  setColorParam(19, &c);
  setColorParam(3, nullptr);
  ColorSetRecord shown{};
  for (int ch = 0; ch <= 20; ++ch) EXPECT_FALSE(device_seam::appliedColor(ch, &shown)) << ch;
  setColorParam(18, &c);
  ASSERT_TRUE(device_seam::appliedColor(18, &shown));
  EXPECT_EQ(shown.brightness, 9);
}

}  // namespace
