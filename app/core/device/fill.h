// Small fill helpers shared by the backend's operations.
#ifndef APP_CORE_DEVICE_FILL_H
#define APP_CORE_DEVICE_FILL_H

#include <cstdint>
#include <cstring>

#include "gui/app_hooks.h"

namespace devsim {

// The password of the default users and of a password reset.
inline constexpr char kDefaultPassword[] = "73916";

// Clears a record the device does not keep; -1 for a null record.
template <typename T>
int zeroRecord(T* out) {
  if (!out) return -1;
  zeroFill(out, sizeof *out);
  return 0;
}

// Writes a 32-bit word at word index `n` of a record.
template <typename T>
void putWord(T* out, int n, uint32_t value) {
  static_assert(sizeof(T) >= 4, "record holds words");
  std::memcpy(reinterpret_cast<uint8_t*>(out) + 4 * n, &value, sizeof value);
}

// Channels the device has: the analog ones, then the IP channels present
// in the IP channel mask, numbered after them.
bool hasChannel(int channel);

// Valid output index of the live-view records.
inline bool validOutputIndex(int index) { return index >= 0 && index <= 7; }

}  // namespace devsim

#endif
