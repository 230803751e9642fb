// Timing shared by the benchmarks that compare the toolkit with a baseline
// in the same run: each variant is measured in turn over several rounds, so
// all see the same machine load; the best round counts and the spread of
// the rounds is reported beside it. A goal is reported as two counters,
// `goal_<name>` (the measured ratio, higher is better) and `min_<name>` (the
// ratio to reach); `make bench` collects them into one table.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace benchtime {

// Nanoseconds per call of `op` over at least `minNs` of calls.
template <typename Op>
double NsPerOp(Op op, double minNs = 2e7) {
  using Clock = std::chrono::steady_clock;
  for (long reps = 1;; reps *= 2) {
    const auto start = Clock::now();
    for (long i = 0; i < reps; ++i) op();
    const double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
    if (ns > minNs) return ns / static_cast<double>(reps);
  }
}

struct Timing {
  double best = 1e300, worst = 0;
  void Add(double ns) {
    best = std::min(best, ns);
    worst = std::max(worst, ns);
  }
  // How far the slowest round was from the best one (0.1 = 10 %).
  double Spread() const { return best > 0 && best < 1e300 ? (worst - best) / best : 0; }
};

// Measures the variants in turn for `rounds` rounds.
template <typename... Ops>
std::vector<Timing> Interleaved(int rounds, Ops... ops) {
  std::vector<Timing> t(sizeof...(Ops));
  for (int round = 0; round < rounds; ++round) {
    size_t i = 0;
    (t[i++].Add(NsPerOp(ops)), ...);
  }
  return t;
}

inline void ReportGoal(benchmark::State& state, const std::string& name, double ratio, double minimum) {
  state.counters["goal_" + name] = ratio;
  state.counters["min_" + name] = minimum;
}

inline void ReportSpread(benchmark::State& state, const std::vector<Timing>& t) {
  double spread = 0;
  for (const Timing& one : t) spread = std::max(spread, one.Spread());
  state.counters["spread"] = spread;
}

}  // namespace benchtime
