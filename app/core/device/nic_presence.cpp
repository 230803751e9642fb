// Which network interfaces the device reports present to the interface
// lists. A single-interface device lists none (its pages show no interface
// rows); with more, every interface below the count is present.
#include "app/device_ability.h"
#include "app/device_caps.h"

extern "C" int isNicPresent(int index) {
  if (!hasMultiNic()) return 0;
  return index >= 0 && index < getNicNum() ? 1 : 0;
}
