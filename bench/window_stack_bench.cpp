// One main window created, painted and destroyed over 10, 100 and 1,000
// main windows already on the desktop (a stack of dialogs over dialogs,
// each overlapping the ones below), beside the same window over an empty
// desktop, measured in turn in the same run. Goal (1 or more meets it):
//   goal_create_growth = 1.5 x (time over 100 windows) / (time over 1,000)
// A cost that grows with the windows below (rebuilding every window's
// visible region, say) fails it.
// Counters: us_<n> per window over n windows; us_0 over none.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_program_folder.h"
#include "bench/bench_timing.h"
#include "gui/app_hooks.h"
#include "gui/message.h"
#include "gui/startup.h"
#include "gui/window.h"

namespace {

LResult Plain(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

WindowHandle MakeWindow(int i) {
  MainWinCreate create{};
  create.dwStyle = WS_VISIBLE | WS_CAPTION | WS_BORDER;
  create.spCaption = "dialog";
  create.MainWindowProc = Plain;
  // Cascaded over a 600x400 area: every window overlaps many below it.
  create.lx = 40 + (i * 7) % 300;
  create.ty = 30 + (i * 5) % 200;
  create.rx = create.lx + 400;
  create.by = create.ty + 300;
  return CreateMainWindow(&create);
}

void Pump() {
  Message msg{};
  while (PeekMessage(&msg, 0, 0, 0, TRUE)) DispatchMessage(&msg);
}

void Destroy(WindowHandle hwnd) {
  DestroyMainWindow(hwnd);
  MainWindowThreadCleanup(hwnd);
}

void BM_WindowOverGrowingStack(benchmark::State& state) {
  if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 0);
  benchfolder::EnterProgramFolder();
  SetAppCallbacks(nullptr);
  if (InitGUI(0, nullptr) != 0) {
    state.SkipWithError("the toolkit did not start");
    return;
  }
  // The thread's first window hosts the others; it stays below them all.
  WindowHandle host = MakeWindow(0);
  Pump();
  std::vector<WindowHandle> below;
  const int sizes[] = {10, 100, 1000};
  double perWindow[3] = {};
  auto one = [] {
    WindowHandle w = MakeWindow(999);
    Pump();
    Destroy(w);
    Pump();
  };
  double empty = 1e300;
  for (auto _ : state) {
    for (int s = 0; s < 3; ++s) {
      while (static_cast<int>(below.size()) < sizes[s]) below.push_back(MakeWindow(static_cast<int>(below.size()) + 1));
      Pump();
      perWindow[s] = benchtime::NsPerOp(one, 5e7);
    }
    for (auto it = below.rbegin(); it != below.rend(); ++it) Destroy(*it);
    below.clear();
    Pump();
    empty = benchtime::NsPerOp(one, 5e7);
  }
  state.counters["us_0"] = empty / 1e3;
  for (int s = 0; s < 3; ++s) state.counters["us_" + std::to_string(sizes[s])] = perWindow[s] / 1e3;
  benchtime::ReportGoal(state, "create_growth", 1.5 * perWindow[1] / perWindow[2], 1.0);
  Destroy(host);
  TerminateGUI(0);
}

}  // namespace

BENCHMARK(BM_WindowOverGrowingStack)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
