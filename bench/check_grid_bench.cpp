// The bad-sector check's grid on one poll: the check moves on by 5 % of a
// 64 x 64 grid and the grid repaints what changed (the newly checked cells
// and its lines), beside a fill of the same rectangle, measured in turn in
// the same run.
//   poll_us       median time of one poll's repaint
//   fill_us       median time of the fill
//   goal_budget_grid_poll  4 x fill_us / poll_us (1 or more: a poll costs
//                   at most four fills of the grid's rectangle). A budget,
//                   not the same work done another way.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "app/record/disks/check_grid.h"
#include "bench/bench_program_folder.h"
#include "bench/bench_timing.h"
#include "gui/app_hooks.h"
#include "gui/bitmap.h"
#include "gui/dc.h"
#include "gui/startup.h"

namespace {

using benchfolder::EnterProgramFolder;

constexpr int kCells = 64, kW = 448, kH = 320;
constexpr uint64_t kSectors = uint64_t{1000} * 2048;  // a 1000 MB disk
constexpr uint64_t kBlock = kSectors * 512 / (kCells * kCells);

// A check that moves on by 5 % per poll and starts again at the end.
struct Poll {
  disks::CheckGrid grid;
  HDC dc;
  uint64_t checked = 0;
  void Step() {
    if (checked >= kSectors) {
      grid.reset(kCells);
      checked = 0;
    }
    checked += kSectors / 20;
    grid.mark(0, checked, kBlock, disks::Cell::kChecked);
    grid.paint(dc, Rect{0, 0, kW, kH});
  }
};

void BM_CheckGridPollVsFill(benchmark::State& state) {
  if (!EnterProgramFolder()) return state.SkipWithError("no program folder");
  SetAppCallbacks(nullptr);
  if (InitGUI(0, nullptr) != 0) return state.SkipWithError("the toolkit did not start");
  HDC mem = CreateCompatibleDCEx(HDC_SCREEN, kW, kH);
  Poll poll{{}, mem};
  poll.grid.reset(kCells);
  poll.grid.paint(mem, Rect{0, 0, kW, kH});
  auto fill = [&] {
    SetDCAttr(mem, DC_ATTR_BRUSH_COLOR, 0x323232);
    FillBox(mem, 0, 0, kW, kH);
  };
  const auto t = benchtime::Interleaved(5, [&] { poll.Step(); }, fill);
  for (auto _ : state) poll.Step();
  state.counters["poll_us"] = t[0].Median() / 1e3;
  state.counters["fill_us"] = t[1].Median() / 1e3;
  benchtime::ReportGoal(state, "budget_grid_poll", 4 * t[1].Median() / t[0].Median(), 1.0);
  benchtime::ReportSpread(state, t);
  DeleteMemDC(mem);
  TerminateGUI(0);
}
BENCHMARK(BM_CheckGridPollVsFill)->Iterations(100);

}  // namespace

BENCHMARK_MAIN();
