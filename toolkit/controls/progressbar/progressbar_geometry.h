// Where a progress bar's blocks go: the unit per block, the block count and
// the pixel extent of the filled part along the bar.
#pragma once

#include <cstdint>

namespace controls::progress {

struct Blocks {
  int unit, count, filled;  // filled blocks: (position - minimum) / unit
  int length, remainder;    // per block, and how many blocks get one more pixel
};

// A range as wide as INT_MIN..INT_MAX is measured in 64 bits; divided by
// the unit of 5 its counts fit an int again.
inline Blocks Measure(int minimum, int maximum, int position, int barLength) {
  Blocks b{};
  const int64_t range = static_cast<int64_t>(maximum) - minimum;
  b.unit = range < 6 ? 1 : 5;
  b.count = static_cast<int>(range / b.unit);
  b.filled = static_cast<int>((static_cast<int64_t>(position) - minimum) / b.unit);
  if (b.count > 0) {
    b.length = barLength / b.count;
    b.remainder = barLength % b.count;
  }
  return b;
}

// Pixels from the bar's start to the end of filled block k (0..count).
inline int BlockEnd(const Blocks& b, int k) { return k * b.length + (k < b.remainder ? k : b.remainder); }

}  // namespace controls::progress
