// Sizes and bit rates with their digits grouped by three.
#include <cstdio>
#include <cstring>

#include "app/device_ability.h"
#include "app/formatting.h"
#include "app/value_texts.h"

namespace {

constexpr int kMaxGroups = 100;

bool badBuffer(const char* buf, int size) { return !buf || size < 1; }

// "1,234,567KB": the leading group plain, every further group three digits.
void writeGrouped(char* buf, int size, unsigned long long number, const char* unit) {
  long long groups[kMaxGroups];
  int n = 0;
  do {
    groups[n++] = static_cast<long long>(number % 1000);
    number /= 1000;
  } while (number > 0 && n < kMaxGroups);
  char text[8 * kMaxGroups];
  int used = std::snprintf(text, sizeof text, "%lld", groups[n - 1]);
  for (int i = n - 2; i >= 0; --i)
    used += std::snprintf(text + used, sizeof text - static_cast<size_t>(used), ",%03lld", groups[i]);
  std::snprintf(buf, static_cast<size_t>(size), "%s%s", text, unit);
}

struct Scaled {
  unsigned long long number;
  const char* unit;
};

Scaled capacityScale(unsigned long long value) {
  const unsigned long long kib = value >> 10;
  if (kib <= 100000ull) return {kib, "KB"};
  if (kib <= 100000000ull) return {value >> 20, "MB"};
  return {value >> 30, "GB"};
}

Scaled bitrateScale(unsigned long long value) {
  if (value >= (1ull << 30)) return {value >> 30, "Gbps"};
  if (value >= 10ull * (1ull << 20)) return {value >> 20, "Mbps"};
  if (value >= 1024ull) return {value >> 10, "Kbps"};
  return {value, "bps"};
}

// The device's standard bit rates by their list keys, in kbps.
const ValueKeyRow kBitrateRows[] = {
    {"32", 2},    {"48", 3},    {"64", 4},    {"80", 5},    {"96", 6},    {"128", 7},
    {"160", 8},   {"192", 9},   {"224", 10},  {"256", 11},  {"320", 12},  {"384", 13},
    {"448", 14},  {"512", 15},  {"640", 16},  {"768", 17},  {"896", 18},  {"1024", 19},
    {"1280", 20}, {"1536", 21}, {"1792", 22}, {"2048", 23}, {"3072", 24}, {"4096", 25},
    {"8192", 26}, {"16384", 27},
};
static_assert(sizeof kBitrateRows / sizeof kBitrateRows[0] == 26, "one row per standard rate");

}  // namespace

extern "C" {

// Byte and bit counts are unsigned quantities carried in 64-bit words.
void formatCapacity(char* buf, int size, int64_t value) {
  if (badBuffer(buf, size)) return;
  if (value == 0) {
    std::snprintf(buf, static_cast<size_t>(size), "0MB");
    return;
  }
  const Scaled s = capacityScale(static_cast<unsigned long long>(value));
  writeGrouped(buf, size, s.number, s.unit);
}

void formatCapacityUnit(char* buf, int size, int64_t value, const char* unit) {
  if (badBuffer(buf, size) || !unit) return;
  const auto v = static_cast<unsigned long long>(value);
  int shift = -1;
  if (std::strcmp(unit, "KB") == 0) shift = 10;
  if (std::strcmp(unit, "MB") == 0) shift = 20;
  if (std::strcmp(unit, "GB") == 0) shift = 30;
  if (shift < 0) {
    buf[0] = '\0';
    return;
  }
  if (value == 0) {
    std::snprintf(buf, static_cast<size_t>(size), "0KB");
    return;
  }
  writeGrouped(buf, size, v >> shift, unit);
}

void formatBitrate(char* buf, int size, int64_t value) {
  if (badBuffer(buf, size)) return;
  // A negative count (the device's -1 for "none") is no rate.
  const Scaled s = bitrateScale(value < 0 ? 0 : static_cast<unsigned long long>(value));
  writeGrouped(buf, size, s.number, s.unit);
}

int formatBitrateText(int value, char* text, int size) {
  if (badBuffer(text, size)) return -1;
  // A code that no row knows is a failure, whatever text it leaves.
  if (value >= 0) return formatValueName(kBitrateRows, 26, value, text, size) == 0 ? 0 : -1;
  std::snprintf(text, static_cast<size_t>(size), "%d", (value >> 10) & 0x1FFFF);
  return 1;
}

void formatDiskSize(const char* unit, char* buf, int size) {
  if (badBuffer(buf, size)) return;
  buf[0] = '\0';
  if (!unit) return;
  const int figure = getDiskCapacityGb();
  if (std::strcmp(unit, "GB") == 0)
    std::snprintf(buf, static_cast<size_t>(size), "%d%s", figure, "GB");
  else if (std::strcmp(unit, "TB") == 0)
    std::snprintf(buf, static_cast<size_t>(size), "%d.%d%s", figure / 1024, (figure % 1024) * 10 / 1024, "TB");
}

int diskNoFromId(uint64_t id) {
  const auto low = static_cast<int>(id & 0xFFFF);
  const auto high = static_cast<int>((id >> 16) & 0xFFFF);
  return high + 2 * low + 1;
}

uint64_t bytesToMask(const uint8_t bytes[6]) {
  uint64_t mask = 0;
  if (!bytes) return 0;
  for (int i = 0; i < 6; ++i) mask |= static_cast<uint64_t>(bytes[i]) << (8 * i);
  return mask;
}

}  // extern "C"
