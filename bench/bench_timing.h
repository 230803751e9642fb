// Timing of a layer operation beside its baselines in the same run: each
// variant measured in turn over at least 20 ms of calls, three rounds, best
// of each, so the shares compare runs under the same machine load.
#ifndef BENCH_BENCH_TIMING_H
#define BENCH_BENCH_TIMING_H

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace bench {

template <typename Op>
double NsPerOp(Op op) {
  using Clock = std::chrono::steady_clock;
  long reps = 1;
  for (;;) {
    auto start = Clock::now();
    for (long i = 0; i < reps; ++i) op();
    double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
    if (ns > 2e7) return ns / reps;
    reps *= 2;
  }
}

struct Timings {
  double layer = 1e300, baseline = 1e300, sdl = 1e300;
};

template <typename Layer, typename Baseline, typename Sdl>
Timings Measure(Layer layer, Baseline baseline, Sdl sdl) {
  Timings t;
  for (int round = 0; round < 3; ++round) {
    t.baseline = std::min(t.baseline, NsPerOp(baseline));
    t.sdl = std::min(t.sdl, NsPerOp(sdl));
    t.layer = std::min(t.layer, NsPerOp(layer));
  }
  return t;
}

// MPix/s of the layer and of SDL2, and the two shares (baseline time over
// layer time: above 1 the layer is faster).
inline void Report(benchmark::State& state, double pixels, const Timings& t,
                   const char* baselineName) {
  state.counters["MPix/s"] = pixels / t.layer * 1e3;
  state.counters[baselineName] = t.baseline / t.layer;
  state.counters["vs_sdl"] = t.sdl / t.layer;
  state.counters["sdl_MPix/s"] = pixels / t.sdl * 1e3;
}

}  // namespace bench

#endif
