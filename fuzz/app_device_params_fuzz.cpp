// The device's parameter file as start-up reads it: whatever the bytes, the
// parser refuses or accepts without a crash, and what it accepted saves to an
// image that parses again to the same settings.
#include <cstdint>
#include <string>
#include <vector>

#include "app/core/device/sim_state.h"
#include "app/device_test_seam.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  device_seam::resetKeptRecords();
  std::string why;
  if (!devsim::parseSettings(data, size, &why)) {
    if (why.empty()) __builtin_trap();
    return 0;
  }
  std::vector<uint8_t> saved = devsim::serializeSettings();
  device_seam::resetKeptRecords();
  if (!devsim::parseSettings(saved.data(), saved.size(), &why)) __builtin_trap();
  if (devsim::serializeSettings() != saved) __builtin_trap();
  return 0;
}
