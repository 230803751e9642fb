// Loading configuration files beside the bare work of reading the same file
// whole and splitting it into lines, measured in turn in the same run:
// files of 1,000, 10,000 and 100,000 lines in sections of 16 keys, and the
// shipped main configuration file (its layouts are most of it).
//   - LoadEtcFile, the in-memory object that start-up loads;
//   - the layout loader's reader of the same file.
// Goals (1 or more meets each), at every size; a string copied per key or
// a read per line takes either past 10 times the baseline:
//   goal_etc_load = 8 x read-and-split / LoadEtcFile
//   goal_layout_read = 6 x read-and-split / the layout reader
// Counters: *_us per load of each.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bench/bench_program_folder.h"
#include "bench/bench_timing.h"
#include "core/layout/config_text.h"
#include "gui/config.h"
#include "gui/fixstr.h"
#include "gui/gui_etc.h"

namespace {

constexpr int kKeysPerSection = 16;

// A folder of its own, as the configuration folder is: loading a file also
// looks beside it for what a killed writer left.
std::string BenchFolder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/config_bench_XXXXXX";
    const char* made = ::mkdtemp(pattern);
    return std::string(made ? made : "/tmp");
  }();
  return folder;
}

// Layout-like lines: control names with a kind, captions and geometry.
std::string FileOfLines(int lines) {
  const std::string path = BenchFolder() + "/lines" + std::to_string(lines) + ".cfg";
  std::FILE* out = std::fopen(path.c_str(), "w");
  for (int n = 0, section = 0; n < lines; ++section) {
    std::fprintf(out, "[window%d]\n", section);
    ++n;
    for (int k = 0; k < kKeysPerSection && n < lines; ++k, ++n)
      std::fprintf(out, k % 4 == 0 ? "ctrl%d=button\n" : "ctrl%d_x = %d\n", k, section * 7 + k);
  }
  std::fclose(out);
  return path;
}

// The baseline: the file read whole with one read, and a view of each line.
void ReadAndSplit(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  ::fstat(fd, &info);
  std::unique_ptr<char[]> text(new char[static_cast<size_t>(info.st_size)]);
  const ssize_t got = ::read(fd, text.get(), static_cast<size_t>(info.st_size));
  ::close(fd);
  std::vector<std::string_view> lines;
  const char* p = text.get();
  const char* end = p + (got > 0 ? got : 0);
  while (p < end) {
    const char* eol = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
    if (!eol) eol = end;
    lines.emplace_back(p, static_cast<size_t>(eol - p));
    p = eol + 1;
  }
  benchmark::DoNotOptimize(lines.data());
  benchmark::ClobberMemory();
}

void LoadAndUnload(const std::string& path) {
  EtcFile* etc = LoadEtcFile(path.c_str());
  benchmark::DoNotOptimize(etc);
  UnloadEtcFile(etc);
}

void LayoutRead(const std::string& path) {
  auto text = layout::ConfigText::Read(path);
  benchmark::DoNotOptimize(text.get());
}

void Compare(benchmark::State& state, const std::string& path) {
  auto t = benchtime::Interleaved(
      7, [&] { ReadAndSplit(path); }, [&] { LoadAndUnload(path); }, [&] { LayoutRead(path); });
  for (auto _ : state) LoadAndUnload(path);
  state.counters["read_split_us"] = t[0].Median() / 1e3;
  state.counters["etc_load_us"] = t[1].Median() / 1e3;
  state.counters["layout_read_us"] = t[2].Median() / 1e3;
  benchtime::ReportGoal(state, "etc_load", 8 * t[0].Median() / t[1].Median(), 1.0);
  benchtime::ReportGoal(state, "layout_read", 6 * t[0].Median() / t[2].Median(), 1.0);
  benchtime::ReportSpread(state, t);
}

void BM_ConfigLoadVsReadAndSplit(benchmark::State& state) {
  InitFixStr();
  const std::string path = FileOfLines(static_cast<int>(state.range(0)));
  Compare(state, path);
  ::unlink(path.c_str());
}

void BM_ShippedConfigLoadVsReadAndSplit(benchmark::State& state) {
  InitFixStr();
  if (!benchfolder::EnterProgramFolder()) {
    state.SkipWithError("cannot move to the program's folder");
    return;
  }
  Compare(state, GUI_ETC_DIR GUI_ETC_MAIN_FILE);
}

BENCHMARK(BM_ConfigLoadVsReadAndSplit)->Arg(1000)->Arg(10000)->Arg(100000)->Iterations(3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShippedConfigLoadVsReadAndSplit)->Iterations(3)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
