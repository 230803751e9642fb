// The kinds of kept records, read from their one list: the name each is
// saved under and the size of its record.
#include <cstddef>
#include <cstdint>

#include "app/core/device/kept.h"

namespace devsim {
namespace {

struct KindInfo {
  const char* name;
  size_t size;
};

// In the order of the enum, since both read the one list.
constexpr KindInfo kKinds[] = {
#define DEVICE_KIND_INFO(kind, name, size) {name, size},
    DEVICE_KINDS(DEVICE_KIND_INFO)
#undef DEVICE_KIND_INFO
};

const KindInfo* info(Kind kind) {
  const size_t at = static_cast<size_t>(kind);
  return at < sizeof kKinds / sizeof kKinds[0] ? &kKinds[at] : nullptr;
}

}  // namespace

const char* kindName(Kind kind) {
  const KindInfo* k = info(kind);
  return k ? k->name : nullptr;
}

bool isSavedKind(Kind kind) {
  const KindInfo* k = info(kind);
  return k && k->size != kRunState;
}

size_t savedSize(Kind kind, int index) {
  // Index 0 of the IP channels holds the mask of the channels present.
  if (kind == Kind::IpChannel && index == kIpChannelMaskIndex) return sizeof(uint64_t);
  const KindInfo* k = info(kind);
  return k ? k->size : kRunState;
}

}  // namespace devsim
