// The recorder's start-up to the first frame of its live view (device
// parameters, toolkit, layout, live-view window, first present), beside a
// full-screen fill of a memory DC of the same size, measured in turn in the
// same run. Without a display it runs on SDL's dummy driver.
//
// From exec: the recorder program started as a user starts it, to its
// first complete frame as the X server shows it (read back from the
// window through shared memory, not its map; each reading stamped once the
// server has answered it), beside a minimal SDL2 program whose window appears
// with its one present, measured the same way, in turn in the same
// run (needs an X server; `make bench` starts one), in 11 rounds. The first
// picture each window shows after its map is read: one that is not yet
// the complete frame (black, partly drawn) is counted. Goals (1 or more
// meets them):
//   goal_exec_first_frame        = 1.2 x minimal SDL2 time / recorder time
//   goal_exec_first_picture_whole = 1 when no start of the recorder showed
//                                   anything before its complete frame
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/app_registry.h"
#include "app/program.h"
#include "bench/bench_exec_window.h"
#include "bench/bench_program_folder.h"
#include "bench/bench_timing.h"
#include "gui/bitmap.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/gal.h"
#include "gui/host.h"
#include "gui/startup.h"
#include "gui/window_attr.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kExecGoal = 1.2;
constexpr int kExecRounds = 11;

// One run: nanoseconds from the call to the live view's first frame on the
// host window; the run then ends as a quit request ends it.
double StartupToFirstFrame() {
  std::atomic<double> firstFrameNs{0};
  const auto start = Clock::now();
  std::thread watcher([&] {
    int w = 0, h = 0;
    while (!HostGetWindowSize(0, &w, &h)) std::this_thread::yield();
    WindowHandle live = 0;
    while ((live = FirstPreviewWindow(getMainOutput())) == 0 || IsWindowVisible(live) != TRUE)
      std::this_thread::yield();
    HostFlush();
    firstFrameNs = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
    RequestQuit();
  });
  const int code = runRecorder();
  watcher.join();
  return code == 0 ? firstFrameNs.load() : 0;
}

HDC g_fillDc = 0;

void FillMemoryDc() {
  FillBox(g_fillDc, 0, 0, 1024, 768);
  benchmark::ClobberMemory();
}

void BM_StartupToFirstFrameVsMemoryDcFill(benchmark::State& state) {
  if (!benchfolder::EnterProgramFolder()) {
    state.SkipWithError("cannot move to the program's folder");
    return;
  }
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) setenv("SDL_VIDEODRIVER", "dummy", 1);
  benchtime::Timing startup, fill;
  for (auto _ : state) {
    const double ns = StartupToFirstFrame();
    if (ns <= 0) {
      state.SkipWithError("the recorder did not start");
      return;
    }
    startup.Add(ns);
    // The fill's screen: a surface of the live view's size, no window.
    GalSurface* screen = GAL_CreateRGBSurface(0, 1024, 768, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    InitGDI(screen);
    g_fillDc = CreateCompatibleDCEx(HDC_SCREEN, 1024, 768);
    SetDCAttr(g_fillDc, DC_ATTR_BRUSH_COLOR, 0x404040);
    fill.Add(benchtime::NsPerOp(FillMemoryDc, 5e6));
    DeleteMemDC(g_fillDc);
    TerminateGDI();
    GAL_FreeSurface(screen);
  }
  state.counters["startup_ms"] = startup.Median() / 1e6;
  state.counters["fill_us"] = fill.Median() / 1e3;
  state.counters["startup_per_fill"] = startup.Median() / fill.Median();
  benchtime::ReportSpread(state, {startup, fill});
}

BENCHMARK(BM_StartupToFirstFrameVsMemoryDcFill)->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_RecorderFromExecVsMinimalSdlWindow(benchmark::State& state) {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) {
    state.SkipWithError("needs an X server (make bench starts one)");
    return;
  }
  if (!benchfolder::EnterProgramFolder()) {
    state.SkipWithError("cannot move to the program's folder");
    return;
  }
  benchexec::SkipDesktopServicesLikeTheToolkit();
  const std::string recorder = benchexec::BesideMe("recorder_gui");
  const std::string minimalWindow = benchexec::BesideMe("minimal_sdl_window");
  benchtime::Timing program, minimal;
  int programPartial = 0, minimalPartial = 0;
  for (auto _ : state) {
    const benchexec::FirstFrame p = benchexec::ExecToFirstFrame({recorder});
    const benchexec::FirstFrame m = benchexec::ExecToFirstFrame({minimalWindow});
    if (p.ns <= 0 || m.ns <= 0) {
      state.SkipWithError("a window did not appear");
      return;
    }
    program.Add(p.ns);
    minimal.Add(m.ns);
    programPartial += p.firstWhole ? 0 : 1;
    minimalPartial += m.firstWhole ? 0 : 1;
  }
  state.counters["recorder_ms"] = program.Median() / 1e6;
  state.counters["recorder_spread"] = program.Spread();
  state.counters["minimal_sdl_ms"] = minimal.Median() / 1e6;
  state.counters["minimal_sdl_spread"] = minimal.Spread();
  state.counters["recorder_partial_first"] = programPartial;
  state.counters["minimal_sdl_partial_first"] = minimalPartial;
  benchtime::ReportGoal(state, "exec_first_frame", kExecGoal * minimal.Median() / program.Median(), 1.0);
  // Every start's first picture is its complete first frame.
  benchtime::ReportGoal(state, "exec_first_picture_whole", programPartial == 0 ? 1.0 : 0.0, 1.0);
  benchtime::ReportSpread(state, {program, minimal});
}

BENCHMARK(BM_RecorderFromExecVsMinimalSdlWindow)->Iterations(kExecRounds)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
