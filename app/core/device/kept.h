// Kept records of the settings pages: a get answers the kept record or the
// defaults, a set keeps the record only when its checks pass.
#ifndef APP_CORE_DEVICE_KEPT_H
#define APP_CORE_DEVICE_KEPT_H

#include "app/core/device/fill.h"
#include "app/core/device/sim_state.h"
#include "app/device_backend.h"
#include "gui/app_hooks.h"

namespace devsim {

// The text of an IPv6 address that address records refer to by index.
struct V6Text {
  char text[NET_ADDRESS_TEXT_SIZE];
};

// The device clock as set: its distance from the PC clock and its zone.
struct Clock {
  int64_t offsetSeconds;  // set time minus PC time, both read as UTC
  int16_t zoneHours;
  int16_t zoneMinutes;
};

// The IP channel records sit at their channel numbers; index 0 holds the
// mask of the channels present.
inline constexpr int kIpChannelMaskIndex = 0;

// A refusal answers the check's code and leaves the kept record as it was.
template <typename T, typename C>
int keepChecked(Kind kind, int index, const T* in, C check) {
  if (!in) return -1;
  const int code = check(*in);
  if (code == 0) keepValue(kind, index, *in);
  return code;
}

// A fixed-size text field holds no terminator when it is full.
inline size_t fieldLength(const char* field, size_t size) {
  size_t n = 0;
  while (n < size && field[n]) ++n;
  return n;
}

}  // namespace devsim

#endif
