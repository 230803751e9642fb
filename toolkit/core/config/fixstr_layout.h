// Geometry of the fixed-string heap's block, shared with its tests.
#pragma once

#include <cstddef>

namespace fixstr {

constexpr int kZoneCount = 10;
constexpr size_t kZoneSize = 16384;
constexpr size_t kBlockSize = kZoneCount * kZoneSize;  // 0x28000
constexpr int kLargestSlot = 2048;                      // zone 0
constexpr int kBitmapBytes = (1 << kZoneCount) - 1;     // 1023

constexpr size_t ZoneSlotSize(int zone) { return size_t{1} << (11 - zone); }
constexpr int ZoneSlotCount(int zone) { return static_cast<int>(kZoneSize / ZoneSlotSize(zone)); }
constexpr int ZoneBitmapBytes(int zone) { return 1 << zone; }
constexpr int ZoneBitmapOffset(int zone) { return (1 << zone) - 1; }
constexpr size_t ZoneStart(int zone) { return static_cast<size_t>(zone) * kZoneSize; }

static_assert(kBlockSize == 0x28000, "block of 163840 bytes");
static_assert(ZoneSlotCount(0) == 8 && ZoneSlotCount(9) == 4096, "slot counts");
static_assert(ZoneBitmapBytes(9) * 8 == ZoneSlotCount(9), "one bit per slot");

// Test probes: the zone a pointer lies in (-1 outside the block) and whether
// its slot's bit says free.
int ZoneOf(const char* p);
bool SlotIsFree(const char* p);

}  // namespace fixstr
