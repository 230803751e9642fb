// Filling a sorted list box: 200 texts inserted one by one into the pooled
// item chain (fixed-string copies, sorted position, the pool then the
// heap), beside a baseline doing the same inserts into a vector of strings
// at the place a binary search finds (before equal texts; the bench's texts
// are all different) in the same run. Counters:
//   ns/fill        nanoseconds per fill of 200 items
//   goal_vs_vector baseline time / chain time (1 = as fast as the vector)
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "controls/listbox/listbox_internal.h"
#include "gui/fixstr.h"

namespace {

std::vector<std::string> Texts() {
  std::vector<std::string> texts;
  for (int i = 0; i < 200; ++i) {
    char text[32];
    std::snprintf(text, sizeof text, "Channel %03d", (i * 73) % 200);
    texts.push_back(text);
  }
  return texts;
}

void FillChain(const std::vector<std::string>& texts) {
  listbox::Data* d = listbox::NewData();
  for (const std::string& t : texts) {
    listbox::Item* it = listbox::TakeItem(*d);
    it->text = listbox::CopyText(t.c_str());
    listbox::Link(*d, it, -1, true);
  }
  benchmark::DoNotOptimize(d->head);
  listbox::FreeData(d);
}

void FillVector(const std::vector<std::string>& texts) {
  std::vector<std::string> items;
  for (const std::string& t : texts) {
    auto at = std::lower_bound(items.begin(), items.end(), t, [](const std::string& a, const std::string& b) {
      return std::strncmp(a.c_str(), b.c_str(), 64) < 0;
    });
    items.insert(at, t);
  }
  benchmark::DoNotOptimize(items.data());
}

void BM_SortedListBoxFill(benchmark::State& state) {
  InitFixStr();
  const std::vector<std::string> texts = Texts();
  std::vector<benchtime::Timing> t;
  for (auto _ : state)
    t = benchtime::Interleaved(3, [&] { FillChain(texts); }, [&] { FillVector(texts); });
  state.counters["ns/fill"] = t[0].Median();
  benchtime::ReportGoal(state, "vs_vector", t[1].Median() / t[0].Median(), 0.5);
  benchtime::ReportSpread(state, t);
  TermFixStr();
}

BENCHMARK(BM_SortedListBoxFill)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
