#include <gtest/gtest.h>

#include <cstring>

#include "gui/app_hooks.h"

namespace {

struct HooksTest : ::testing::Test {
  void TearDown() override { SetAppCallbacks(nullptr); }
};

TEST_F(HooksTest, DefaultsAnswerAsTheSimulatedDevice) {
  SetAppCallbacks(nullptr);
  EXPECT_EQ(getMainOutputHook(), 3);
  EXPECT_EQ(getAuxOutputHook(), 1);
  int mainId = 0, auxId = 0;
  EXPECT_EQ(GuiApp()->getDisplayOutputIds(&mainId, &auxId), 0);
  EXPECT_EQ(mainId, 3);
  EXPECT_EQ(auxId, 1);
  EXPECT_EQ(GuiApp()->getDisplayOutputIds(nullptr, &auxId), 2);
  EXPECT_EQ(getPlaybackWndHook(3), GUI_INVALID_HANDLE);
  EXPECT_EQ(GuiApp()->gui_get_galengin(), 2);
  uint8_t count = 9;
  EXPECT_EQ(GuiApp()->getVideoOutputCount(nullptr), -1);
  EXPECT_EQ(GuiApp()->getVideoOutputCount(&count), 0);
  EXPECT_EQ(count, 1);
}

TEST_F(HooksTest, CurrentOutputIsStoredBySetter) {
  setCurOutputHook(1);
  EXPECT_EQ(getCurOutputHook(), 1);
  setCurOutputHook(3);
  EXPECT_EQ(getCurOutputHook(), 3);
}

TEST_F(HooksTest, OutputResolutionTable) {
  struct Case { int code, w, h; } cases[] = {
      {1, 800, 600},    {102, 800, 600},   {5, 1280, 1024}, {105, 1280, 1024},
      {13, 1920, 1080}, {115, 1920, 1080}, {107, 1280, 720}, {117, 1600, 1200},
      {0, 1024, 768},   {118, 1024, 768},  {0x100 | 5, 1280, 1024}};
  for (const auto& c : cases) {
    int w = 0, h = 0;
    GuiApp()->getOutputResolution(c.code, &w, &h);
    EXPECT_EQ(w, c.w) << c.code;
    EXPECT_EQ(h, c.h) << c.code;
  }
  GuiApp()->getOutputResolution(1, nullptr, nullptr);  // null outputs are skipped
}

TEST_F(HooksTest, DeviceConfigFillsDefaults) {
  uint8_t cfg[GUI_DEVICE_CONFIG_SIZE];
  std::memset(cfg, 0xAB, sizeof cfg);
  EXPECT_EQ(GuiApp()->getDeviceConfig(getOutputLoginHook(9), cfg), 0);
  uint32_t word0, lang, word10;
  std::memcpy(&word0, cfg, 4);
  std::memcpy(&lang, cfg + GUI_DEVCFG_LANGUAGE_OFFSET, 4);
  std::memcpy(&word10, cfg + GUI_DEVCFG_WORD10_OFFSET, 4);
  EXPECT_EQ(word0, 0u);
  EXPECT_EQ(lang, 1u);
  EXPECT_EQ(word10, 255u);
}

alignas(uint32_t) uint8_t g_languageConfig[GUI_DEVICE_CONFIG_SIZE];

TEST_F(HooksTest, RightToLeftFollowsTheInterfaceLanguageOfTheConfigurationCopy) {
  GuiAppCallbacks fake{};
  fake.getCachedDeviceConfig = [] { return static_cast<void*>(g_languageConfig); };
  SetAppCallbacks(&fake);
  for (uint32_t id : {1u, 30u, 31u, 32u, 55u, 56u, 57u}) {
    std::memcpy(g_languageConfig + GUI_DEVCFG_LANGUAGE_OFFSET, &id, sizeof id);
    EXPECT_EQ(GuiApp()->isRightToLeftLang(), id == 31 || id == 56 ? 1 : 0) << id;
  }
}

alignas(uint32_t) uint8_t g_fakeConfig[GUI_DEVICE_CONFIG_SIZE];
int fakeMain() { return 2; }

TEST_F(HooksTest, InstalledFieldsOverrideOnlyWhatTheySet) {
  GuiAppCallbacks fake{};
  fake.getMainOutput = fakeMain;
  fake.getCachedDeviceConfig = [] { return static_cast<void*>(g_fakeConfig); };
  std::memset(g_fakeConfig, 0, sizeof g_fakeConfig);
  g_fakeConfig[GUI_DEVCFG_OUTPUT_BLOCK(1)] = 1;
  g_fakeConfig[GUI_DEVCFG_MENU_ALPHA(2)] = 7;
  uint16_t idle = 4;
  std::memcpy(g_fakeConfig + GUI_DEVCFG_IDLE_INDEX(3), &idle, 2);
  g_fakeConfig[172] = 5;      // outputs 0 and 1 share the first resolution block
  g_fakeConfig[172 + 32] = 13;  // output 3
  SetAppCallbacks(&fake);

  EXPECT_EQ(getMainOutputHook(), 2);
  EXPECT_EQ(getAuxOutputHook(), 1);  // default kept
  EXPECT_EQ(DeviceConfigTvStandard(1), 1);
  EXPECT_EQ(DeviceConfigMenuAlpha(2), 7);
  EXPECT_EQ(DeviceConfigIdleIndex(3), 4);
  EXPECT_EQ(DeviceConfigResolutionCode(0), 5);
  EXPECT_EQ(DeviceConfigResolutionCode(1), 5);
  EXPECT_EQ(DeviceConfigResolutionCode(3), 13);
  EXPECT_EQ(DeviceConfigTvStandard(7), 0);  // no block for unknown outputs

  Size size{};
  getOutputScreenSizeHook(1, &size);
  EXPECT_EQ(size.cx, 704);
  EXPECT_EQ(size.cy, 480);
  getOutputScreenSizeHook(3, &size);
  EXPECT_EQ(size.cx, 1920);
  EXPECT_EQ(size.cy, 1080);
}

}  // namespace
