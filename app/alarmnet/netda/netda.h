// The network detection window: the traffic chart's geometry, the rows of
// the statistics list, and the network settings dialog of its detect page.
#pragma once

#include <cstdint>

#include "app/device_records.h"
#include "gui/common.h"

namespace netda {

constexpr int kSamples = 61;

// The chart's rectangle (right and bottom exclusive of nothing: the edges
// are drawn on).
struct ChartRect {
  int left, top, right, bottom;
};

// The x of sample k (0 the newest, at the right edge) and the y of value v
// against the axis maximum; both held inside the rectangle, a value beyond
// the maximum on the top edge.
int sampleX(const ChartRect& r, int k);
int sampleY(const ChartRect& r, uint64_t v, uint64_t max);

// A statistics value in bytes per second from a word in KiB units rounded
// to whole MiB: up, or down.
uint64_t roundedUp(uint32_t word);
uint64_t roundedDown(uint32_t word);

// One row of the statistics list.
struct StatRow {
  const char* key;
  uint64_t value;
};
// The rows shown for a usage record, in order, into `out` (room for 7);
// their number. `ipCount` the device's IP channel count, `kind` its
// bandwidth kind (1 total, 2 receive and send, 3 both).
int statRows(const NetTestResult& usage, int ipCount, int kind, StatRow* out);

}  // namespace netda
