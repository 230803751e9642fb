// Times a hit test against its table baseline over the same points in the
// same run and reports ns/hit and vs_table (baseline time / hit-test time).
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "gui/common.h"

template <typename Hit, typename Table>
void TimeHitAgainstTable(benchmark::State& state, const std::vector<Point>& pts, Hit hit, Table table) {
  using Clock = std::chrono::steady_clock;
  double hitNs = 0, tableNs = 0;
  long count = 0;
  for (auto _ : state) {
    auto t0 = Clock::now();
    for (const Point& p : pts) benchmark::DoNotOptimize(hit(p.x, p.y));
    auto t1 = Clock::now();
    for (const Point& p : pts) benchmark::DoNotOptimize(table(p.x, p.y));
    auto t2 = Clock::now();
    hitNs += std::chrono::duration<double, std::nano>(t1 - t0).count();
    tableNs += std::chrono::duration<double, std::nano>(t2 - t1).count();
    count += static_cast<long>(pts.size());
  }
  state.counters["ns/hit"] = hitNs / count;
  state.counters["vs_table"] = tableNs / hitNs;
}
