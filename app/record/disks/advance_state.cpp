// Loading the advanced disk page's working copy from the device.
#include <cstring>

#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/record/disks/advance_state.h"

namespace disks {

bool hasQuotaSlot(int channel) {
  if (channel < 1 || channel > kQuotaSlots) return false;
  const int analog = getAnalogChanNum();
  if (channel <= analog) return true;
  uint64_t ipMask = 0;
  getIpChannelNum(&ipMask);
  const int ip = channel - analog;
  return ip >= 1 && ip <= 64 && ((ipMask >> (ip - 1)) & 1u) != 0;
}

void loadStorageState(StorageState& s) {
  std::memset(&s, 0, sizeof s);
  for (int channel = 1; channel <= kQuotaSlots; ++channel) {
    if (!hasQuotaSlot(channel)) continue;
    for (int kind = 0; kind < 2; ++kind) {
      // The device fills 40 bytes; the slot keeps the first 16.
      DiskQuotaInfo record{};
      getDiskQuotaInfo(channel, kind, &record);
      std::memcpy(&s.quotas[channel - 1][kind], &record, sizeof(ChanQuota));
    }
  }
  for (int g = 0; g < kDiskGroups; ++g) {
    uint64_t mask = 0;
    getDiskGroupMask(g + 1, &mask);
    s.groupMask[g] = s.loadedMask[g] = mask;
  }
  uint8_t mode[4] = {};
  getStorageMode(mode);
  s.mode = mode[0];
  s.quotaWarn = true;
}

}  // namespace disks
