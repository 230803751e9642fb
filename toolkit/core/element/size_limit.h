// The largest size or place, either way, that a configuration or layout
// file may give a window part, a control or a key: beyond any screen, yet
// small enough that sums and scalings of such values stay far inside an int
// (a window 2^31 pixels wide would make every drawing of it scale and
// allocate without end).
#pragma once

#include <cstdint>

namespace element {

constexpr int64_t kConfigSizeLimit = 8192;

inline bool WithinSizeLimit(int64_t value) { return value >= -kConfigSizeLimit && value <= kConfigSizeLimit; }

}  // namespace element
