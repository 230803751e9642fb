// The working copy of the advanced disk page's storage data: the quotas of
// every channel, the channel masks of the disk groups and what changed.
#pragma once

#include <cstdint>

namespace disks {

constexpr int kQuotaSlots = 32, kDiskGroups = 16;

// The first 16 bytes of the device's quota record: the quota is the last
// 8 (MB).
struct ChanQuota {
  uint8_t kept[8];
  uint64_t quotaMb;
};
static_assert(sizeof(ChanQuota) == 16, "ChanQuota");

struct StorageState {
  uint32_t mode;      // the device's storage mode when loaded
  ChanQuota quotas[kQuotaSlots][2];  // slot = channel - 1; kind 0 record, 1 picture
  uint32_t quotaChanged[kQuotaSlots];
  uint64_t groupMask[kDiskGroups];
  uint64_t loadedMask[kDiskGroups];
  int channel;  // the channel box's value
  int group;    // the group box's value
  bool quotaWarn, groupReadOnly;
  bool groupControlsMade;
};

// Reads every present channel's quotas, the group masks and the mode.
void loadStorageState(StorageState& s);
// Whether channel `channel` (from 1) has a quota slot and is present.
bool hasQuotaSlot(int channel);

}  // namespace disks
