// What the running recorder costs when nobody uses it, and while the mouse
// moves over it, beside minimal SDL2 programs doing the same (needs an X
// server; `make bench` starts one). Each round starts the programs in turn,
// waits out their start-up, then measures one after the other; the median
// round of each counts, and the spread of the rounds is reported.
//
// Idle: the recorder showing its live view against a minimal SDL2 window
// that presented once, both untouched. CPU below a floor of 1 ms per second
// counts as the floor, and fewer than 1 context switch per second as 1, so
// that an all but idle baseline gives a finite ratio. Goals (1 or more meets
// them):
//   goal_idle_cpu      = 1.5 x SDL2 CPU / recorder CPU
//   goal_idle_wakeups  = 1.5 x SDL2 context switches / recorder's
// Mouse moves over the window at 100, 200 and 500 Hz: the recorder's live
// view against an SDL2 program that redraws a square at the pointer and
// presents on each motion. The switches per move are reported beside the
// rates. Goals (at 200 Hz; the other rates report the same ratios):
//   goal_motion_cpu       = 1.5 x SDL2 CPU / recorder CPU
//   goal_motion_switches  = 1.5 x SDL2 context switches / recorder's
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "bench/bench_exec_window.h"
#include "bench/bench_process_load.h"
#include "bench/bench_program_folder.h"
#include "bench/bench_timing.h"

namespace {

constexpr double kCpuFloorNs = 1e6;  // per second
constexpr double kSwitchFloor = 1;

struct Rounds {
  benchtime::Timing cpuNs, switches;
  void Add(const benchload::Load& l) {
    cpuNs.Add(std::max(l.cpuNs, kCpuFloorNs));
    switches.Add(std::max(l.switches, kSwitchFloor));
  }
};

bool HaveDisplay(benchmark::State& state) {
  const char* display = std::getenv("DISPLAY");
  if (display && *display) return true;
  state.SkipWithError("needs an X server (make bench starts one)");
  return false;
}

// Starts a program, lets it settle, and measures it with `drive`; false
// when its window did not come.
template <typename Drive>
bool MeasureOne(const std::string& path, Rounds* rounds, Drive drive) {
  benchload::Program program({path});
  if (!program.ok()) return false;
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // start-up and its first drawing
  rounds->Add(benchload::LoadPerSecond(program, [&] { drive(program); }));
  return true;
}

template <typename Drive>
void Compare(benchmark::State& state, const char* baseline, const char* goal, Drive drive) {
  if (!HaveDisplay(state)) return;
  if (!benchfolder::EnterProgramFolder()) {
    state.SkipWithError("cannot move to the program's folder");
    return;
  }
  const std::string recorder = benchexec::BesideMe("recorder_gui");
  const std::string other = benchexec::BesideMe(baseline);
  Rounds program, sdl;
  for (auto _ : state) {
    if (!MeasureOne(recorder, &program, drive) || !MeasureOne(other, &sdl, drive)) {
      state.SkipWithError("a window did not appear");
      return;
    }
  }
  const double programCpu = program.cpuNs.Median(), sdlCpu = sdl.cpuNs.Median();
  const double programSwitches = program.switches.Median(), sdlSwitches = sdl.switches.Median();
  state.counters["recorder_cpu_pct"] = programCpu / 1e7;
  state.counters["sdl_cpu_pct"] = sdlCpu / 1e7;
  state.counters["recorder_switches_per_s"] = programSwitches;
  state.counters["sdl_switches_per_s"] = sdlSwitches;
  // Without a goal the same ratios are reported as plain figures.
  if (goal) {
    const std::string name = goal;
    benchtime::ReportGoal(state, name + "_cpu", 1.5 * sdlCpu / programCpu, 1.0);
    benchtime::ReportGoal(state, name + (name == "idle" ? "_wakeups" : "_switches"),
                          1.5 * sdlSwitches / programSwitches, 1.0);
  } else {
    state.counters["ratio_cpu"] = 1.5 * sdlCpu / programCpu;
    state.counters["ratio_switches"] = 1.5 * sdlSwitches / programSwitches;
  }
  benchtime::ReportSpread(state, {program.cpuNs, sdl.cpuNs, program.switches, sdl.switches});
}

void BM_IdleRecorderVsMinimalSdlWindow(benchmark::State& state) {
  Compare(state, "minimal_sdl_window", "idle",
          [](benchload::Program&) { std::this_thread::sleep_for(std::chrono::seconds(3)); });
}
BENCHMARK(BM_IdleRecorderVsMinimalSdlWindow)->Iterations(3)->Unit(benchmark::kMillisecond);

// The rate the motion goals are set for.
constexpr int kMotionGoalHz = 200;

void BM_MouseMovesOverRecorderVsSdlRedraw(benchmark::State& state) {
  const int hz = static_cast<int>(state.range(0));
  Compare(state, "motion_sdl_window", hz == kMotionGoalHz ? "motion" : nullptr,
          [hz](benchload::Program& p) { p.MovePointer(hz, 2.0, 400, 300); });
  state.counters["recorder_switches_per_move"] = state.counters["recorder_switches_per_s"] / hz;
  state.counters["sdl_switches_per_move"] = state.counters["sdl_switches_per_s"] / hz;
}
BENCHMARK(BM_MouseMovesOverRecorderVsSdlRedraw)->Arg(100)->Arg(200)->Arg(500)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
