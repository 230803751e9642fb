// Shared by the benchmarks that draw through window DCs: the best-of-three
// timing of one call, and a window's visible region kept by the benchmark
// itself (no desktop), with the cursor guard's flush left out on request.
#pragma once

#include <algorithm>
#include <chrono>
#include <mutex>

#include "gdi/dc/dc_cursor.h"
#include "gdi/dc/dc_window.h"
#include "gui/region.h"

namespace benchdc {

// Nanoseconds per call of `op`, best of three rounds of at least 20 ms.
template <typename Op>
double NsPerOp(Op op) {
  using Clock = std::chrono::steady_clock;
  double best = 1e300;
  for (int round = 0; round < 3; ++round) {
    for (long reps = 1;; reps *= 2) {
      const auto start = Clock::now();
      for (long i = 0; i < reps; ++i) op();
      const double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
      if (ns > 2e7) {
        best = std::min(best, ns / reps);
        break;
      }
    }
  }
  return best;
}

struct BenchClipInfo {
  std::mutex lock;
  ClipRgn region{};
  uint32_t age = 1;
};

inline BenchClipInfo* Info(const GlobalClipInfo* i) {
  return reinterpret_cast<BenchClipInfo*>(const_cast<GlobalClipInfo*>(i));
}

inline const gui::dc::ClipInfoOps kOps = {
    [](GlobalClipInfo* i) { Info(i)->lock.lock(); },
    [](GlobalClipInfo* i) { Info(i)->lock.unlock(); },
    [](const GlobalClipInfo* i) { return Info(i)->age; },
    [](const GlobalClipInfo* i) -> const ClipRgn* { return &Info(i)->region; },
};

inline void NoFlushGuard(int, DC*) {}
inline bool NoCursorPixel(int, int, GalPixel*) { return false; }
inline const gui::dc::CursorGuardOps kNoFlush = {NoFlushGuard, NoCursorPixel};

}  // namespace benchdc
