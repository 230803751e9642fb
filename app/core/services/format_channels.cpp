// Channel names ("A3", "D1") and channel-mask texts ("A1~A3 A5 D1 ").
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/device_ability.h"
#include "app/formatting.h"

namespace {

constexpr int kAnalogSlots = 16;

// Appends the runs of set bits [first, last) of the mask, numbered from 1
// at `first`.
int appendRuns(uint64_t mask, int first, int last, char letter, char* buf, int used) {
  int bit = first;
  while (bit < last && used < CHAN_MASK_TEXT_SIZE - 1) {
    if (!((mask >> bit) & 1u)) {
      ++bit;
      continue;
    }
    int end = bit;
    while (end + 1 < last && ((mask >> (end + 1)) & 1u)) ++end;
    const int a = bit - first + 1, b = end - first + 1;
    const size_t room = CHAN_MASK_TEXT_SIZE - static_cast<size_t>(used);
    if (end > bit)
      used += std::snprintf(buf + used, room, "%c%d~%c%d ", letter, a, letter, b);
    else
      used += std::snprintf(buf + used, room, "%c%d ", letter, a);
    bit = end + 1;
  }
  return used;
}

int analogCount() {
  const int n = getAnalogChanNum();
  return n < 0 ? 0 : (n > 64 ? 64 : n);
}

}  // namespace

extern "C" {

int formatChanName(int channel, char* buf) {
  if (!buf) return -1;
  if (channel < 1) return -2;
  if (channel <= kAnalogSlots)
    std::snprintf(buf, CHAN_NAME_SIZE, "A%d", channel);
  else
    std::snprintf(buf, CHAN_NAME_SIZE, "D%d", channel - getAnalogChanNum());
  return 0;
}

int parseChanName(const char* text) {
  if (!text) return -1;
  if (const char* a = std::strchr(text, 'A')) return std::atoi(a + 1);
  if (const char* d = std::strchr(text, 'D')) return std::atoi(d + 1) + getAnalogChanNum();
  return -1;
}

int formatChanMaskText(uint32_t low, uint32_t high, char* buf) {
  if (!buf) return -1;
  buf[0] = '\0';
  const uint64_t mask = (static_cast<uint64_t>(high) << 32) | low;
  const int analog = analogCount();
  int used = appendRuns(mask, 0, analog, 'A', buf, 0);
  appendRuns(mask, analog, 64, 'D', buf, used);
  return 0;
}

}  // extern "C"
