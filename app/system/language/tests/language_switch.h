// The interface language switched as the general settings page switches it:
// the device stores the language, the toolkit reloads fonts and captions,
// and the switch's mark that makes the desktop drop input is cleared.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "gui/gui_etc.h"

namespace langtest {

inline void SwitchLanguage(int language) {
  changeCachedDeviceConfig([language](DeviceConfig& config) { config.language = language; });
  const DeviceConfig config = cachedDeviceConfig();
  ASSERT_EQ(setDeviceConfig(nullptr, &config, 1), 0);
  ASSERT_EQ(SetValueToGuiEtc("menuinfo", "language", std::to_string(language).c_str()), 0);
  SetLangSwitchState(0);
}

}  // namespace langtest
