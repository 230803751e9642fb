// The application's copy of the device's configuration changed by each of
// its writers while another thread reads it the way the toolkit's threads
// do: each change reaches the toolkit's reads, and under ThreadSanitizer no
// access of the two meets unordered.
#include <functional>

#include "app/core/menus/resolution_rules.h"
#include "app/device_backend.h"
#include "app/program.h"
#include "app/system/tests/system_input.h"
#include "app/system_services.h"
#include "app/testing/page_harness.h"
#include "app/testing/reader_thread.h"
#include "gui/app_hooks.h"

namespace {

constexpr int kLanguage = 16384;
constexpr int kGermanItem = 7, kEnglish = 1, kGerman = 33;
constexpr uint8_t kNewVga = 9, kPrevVga = 1;

// Every word of the copy the toolkit reads.
void ReadAsTheToolkitDoes() {
  DeviceConfigLanguageId();
  isRightToLeftLangHook();
  for (int output = 0; output < 4; ++output) {
    DeviceConfigTvStandard(output);
    DeviceConfigMenuAlpha(output);
    DeviceConfigIdleIndex(output);
    DeviceConfigResolutionCode(output);
  }
}

class CachedConfig : public livetest::LiveGui {
 protected:
  void TearDown() override {
    DeviceConfig config = cachedDeviceConfig();
    config.language = kEnglish;
    EXPECT_EQ(setDeviceConfig(nullptr, &config, 1), 0);
    storeCachedDeviceConfig(&config);
    livetest::TextsBackToEnglish();
    LiveGui::TearDown();
  }
};

// The device's record, and the copy, with `change` made.
void StoreEverywhere(const std::function<void(DeviceConfig&)>& change) {
  DeviceConfig config{};
  ASSERT_EQ(getDeviceConfig(nullptr, &config), 0);
  change(config);
  ASSERT_EQ(setDeviceConfig(nullptr, &config, 1), 0);
  storeCachedDeviceConfig(&config);
}

TEST_F(CachedConfig, EveryWriterChangesWhatTheToolkitReadsWhileItReads) {
  struct Row {
    const char* what;
    std::function<void()> prepare;  // before the reader starts
    std::function<void()> write;    // while it reads
    std::function<bool()> reached;
  } rows[] = {
      {"the language dialog's Next", [] {},
       [this] {
         RunInLoop(createLangSelWindow, [] {
           const WindowHandle dlg = GetActiveWindow();
           EXPECT_TRUE(livetest::Pick(dlg, kLanguage, kGermanItem));
           systest::ClickClosing(dlg, PAGE_ID_NEXT);
         });
       },
       [] { return DeviceConfigLanguageId() == kGerman; }},
      {"the start-up load of a changed device", [] {},
       [] {
         DeviceConfig stored{};
         getDeviceConfig(nullptr, &stored);
         stored.outputs[3].lockTime = 5;
         stored.outputs[1].menuAlpha = 3;
         ASSERT_EQ(setDeviceConfig(nullptr, &stored, 1), 0);
         loadDeviceParams();
       },
       [] { return DeviceConfigIdleIndex(3) == 5 && DeviceConfigMenuAlpha(1) == 3; }},
      {"the resolution check's way back",
       [] {
         StoreEverywhere([](DeviceConfig& config) { config.resolutions[2].code = kNewVga; });
         setPrevResolutionOut3(kPrevVga);
       },
       [] { ASSERT_EQ(resolution_confirm::restorePrevResolutions(), 0); },
       [] { return DeviceConfigResolutionCode(3) == kPrevVga; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    row.prepare();
    EXPECT_FALSE(row.reached());
    {
      livetest::ReaderThread reader(ReadAsTheToolkitDoes);
      row.write();
      reader.AwaitFreshPasses();
    }
    EXPECT_TRUE(row.reached());
  }
}

}  // namespace
