// The device's parameter file as start-up reads it: whatever the bytes, the
// parser refuses or accepts without a crash, and what it accepted saves to an
// image that parses again to the same settings. Each input's checksum is
// made right first, so that the records' readers behind it are what is
// fuzzed (a random trailer would all but never match).
#include <cstdint>
#include <string>
#include <vector>

#include "app/core/device/sim_state.h"
#include "app/device_test_seam.h"

namespace {

constexpr size_t kTrailer = 4;

std::vector<uint8_t> withChecksum(const uint8_t* data, size_t size) {
  std::vector<uint8_t> image(data, data + size);
  if (image.size() < kTrailer) return image;
  const size_t body = image.size() - kTrailer;
  const auto crc = static_cast<uint32_t>(devsim::digest(image.data(), body));
  for (size_t i = 0; i < kTrailer; ++i) image[body + i] = static_cast<uint8_t>(crc >> (8 * i));
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  device_seam::resetKeptRecords();
  const std::vector<uint8_t> image = withChecksum(data, size);
  std::string why;
  if (!devsim::parseSettings(image.data(), image.size(), &why)) {
    if (why.empty()) __builtin_trap();
    return 0;
  }
  std::vector<uint8_t> saved = devsim::serializeSettings();
  device_seam::resetKeptRecords();
  if (!devsim::parseSettings(saved.data(), saved.size(), &why)) __builtin_trap();
  if (devsim::serializeSettings() != saved) __builtin_trap();
  return 0;
}
