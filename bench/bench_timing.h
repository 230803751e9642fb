// Timing shared by the benchmarks that compare the toolkit with a baseline
// in the same run: each variant is measured in turn over several rounds, so
// all see the same machine load; the median round counts and the spread of
// the rounds is reported beside it. A goal is reported as two counters,
// `goal_<name>` (the measured ratio, higher is better) and `min_<name>` (the
// ratio to reach); `make bench` collects them into one table.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <functional>
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

// The rounds of one variant.
struct Timing {
  std::vector<double> rounds;
  void Add(double ns) { rounds.push_back(ns); }
  // The middle round (the mean of the middle two for an even count); 0
  // before the first.
  double Median() const {
    if (rounds.empty()) return 0;
    std::vector<double> v = rounds;
    const size_t mid = v.size() / 2;
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(mid), v.end());
    if (v.size() % 2) return v[mid];
    return (v[mid] + *std::max_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(mid))) / 2;
  }
  // The range of the rounds over their median (0.1 = 10 %).
  double Spread() const {
    const double median = Median();
    if (median <= 0) return 0;
    const auto [low, high] = std::minmax_element(rounds.begin(), rounds.end());
    return (*high - *low) / median;
  }
};

// Measures the variants in turn for `rounds` rounds of at least `minNs`
// each; every other round runs them in the reverse order, so no variant
// always follows the same one (whose cache state and load it would inherit).
template <typename... Ops>
std::vector<Timing> InterleavedFor(int rounds, double minNs, Ops... ops) {
  std::vector<Timing> t(sizeof...(Ops));
  const std::function<double()> measure[] = {[&ops, minNs] { return NsPerOp(ops, minNs); }...};
  constexpr size_t n = sizeof...(Ops);
  for (int round = 0; round < rounds; ++round)
    for (size_t i = 0; i < n; ++i) {
      const size_t which = round % 2 ? n - 1 - i : i;
      t[which].Add(measure[which]());
    }
  return t;
}

template <typename... Ops>
std::vector<Timing> Interleaved(int rounds, Ops... ops) {
  return InterleavedFor(rounds, 2e7, ops...);
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
