#include "app/core/menus/resolution_rules.h"

#include <cstdint>

#include "app/app_registry.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/system_services.h"

namespace resolution_confirm {
namespace {

// The resolution block of output 2 (HDMI) or 3 (VGA).
uint8_t& code(DeviceConfig& config, int output) { return config.resolutions[output - 1].code; }

// Which outputs' resolutions the confirmation deals with: without output
// options only VGA as the main output; with them both when HDMI and VGA run
// together, else the main output's.
struct Outputs {
  bool vga, hdmi;
};
Outputs ruledOutputs() {
  const int main = getMainOutput();
  if (!hasOutputOption()) return {main == 3, false};
  if (hasHdmiVgaMode()) return {true, true};
  return {main == 3, main == 2};
}

}  // namespace

void keepNewResolutions() {
  DeviceConfig config{};
  if (getDeviceConfig(getOutputLogin(getMainOutput()), &config) != 0) return;
  const Outputs outputs = ruledOutputs();
  if (outputs.vga) setPrevResolutionOut3(code(config, 3));
  if (outputs.hdmi) setPrevResolutionOut2(code(config, 2));
}

int restorePrevResolutions() {
  DeviceConfig config = cachedDeviceConfig();
  const Outputs outputs = ruledOutputs();
  if (outputs.vga) code(config, 3) = static_cast<uint8_t>(getPrevResolutionOut3());
  if (outputs.hdmi) code(config, 2) = static_cast<uint8_t>(getPrevResolutionOut2());
  // The copy follows only what the device took.
  if (const int rc = setDeviceConfig(getOutputLogin(getMainOutput()), &config, 1)) return rc;
  storeCachedDeviceConfig(&config);
  return saveDeviceParams();
}

}  // namespace resolution_confirm
