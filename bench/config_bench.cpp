// Loading a configuration file into an object, beside the bare work of
// reading the same file and finding its line ends. Both grow with the number
// of sections; the load must stay within a constant factor of the baseline
// at every size.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gui/config.h"
#include "gui/fixstr.h"

namespace {

std::string FileOfSections(int sections) {
  char pattern[] = "/tmp/config_bench_XXXXXX";
  int fd = ::mkstemp(pattern);
  std::FILE* out = ::fdopen(fd, "w");
  for (int s = 0; s < sections; ++s) std::fprintf(out, "[section%d]\nkey=%d\nother = text\n", s, s);
  std::fclose(out);
  return pattern;
}

void BM_LoadEtcFile(benchmark::State& state) {
  InitFixStr();
  std::string path = FileOfSections(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    EtcFile* etc = LoadEtcFile(path.c_str());
    benchmark::DoNotOptimize(etc);
    UnloadEtcFile(etc);
  }
  ::unlink(path.c_str());
  state.SetComplexityN(state.range(0));
}

void BM_BaselineReadAndSplitLines(benchmark::State& state) {
  std::string path = FileOfSections(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::FILE* in = std::fopen(path.c_str(), "r");
    std::vector<char> text(1 << 16);
    std::vector<size_t> ends;
    size_t base = 0;
    while (size_t got = std::fread(text.data(), 1, text.size(), in)) {
      for (size_t i = 0; i < got; ++i)
        if (text[i] == '\n') ends.push_back(base + i);
      base += got;
    }
    std::fclose(in);
    benchmark::DoNotOptimize(ends.data());
  }
  ::unlink(path.c_str());
  state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_LoadEtcFile)->RangeMultiplier(8)->Range(1 << 9, 1 << 18)->Complexity();
BENCHMARK(BM_BaselineReadAndSplitLines)->RangeMultiplier(8)->Range(1 << 9, 1 << 18)->Complexity();

}  // namespace

BENCHMARK_MAIN();
