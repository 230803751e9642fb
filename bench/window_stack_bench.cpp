// One main window created, painted and destroyed over 10, 100, 400 and
// 1,000 main windows already on the desktop (a stack of dialogs over
// dialogs, each overlapping the ones below), beside the same window over an
// empty desktop; each of the 21 rounds measures every size in turn, and the
// medians of the rounds count (on a loaded machine single rounds differ by
// their median and more: with 9 the goals moved by half from run to run).
// Every message the window and those below it get is read and dispatched,
// so the paints happen (the removal's repaint of the many windows it
// uncovers among them). Goals (1 or more meets them), for n = 100, 400 and
// 1,000:
//   goal_create_vs_empty_<n> = 1.5 x (time over an empty desktop) / (time
//   over n windows)
// A cost that grows with the windows below (rebuilding every window's
// visible region, say) fails them.
// Counters: us_<n> per window over n windows (us_0 over none) and
// spread_<n>, the range of its rounds over their median.
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

// The sizes from this one on have a goal.
constexpr int kFirstGoalSize = 100;

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

// Reads the thread's queue through its first main window: window 0 names
// no queue, and reading through it would read nothing.
void Pump(WindowHandle host) {
  Message msg{};
  while (PeekMessage(&msg, host, 0, 0, TRUE)) DispatchMessage(&msg);
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
  Pump(host);
  std::vector<WindowHandle> below;
  const int sizes[] = {0, 10, 100, 400, 1000};
  constexpr int kSizes = 5, kRounds = 21;
  auto one = [host] {
    WindowHandle w = MakeWindow(999);
    Pump(host);
    Destroy(w);
    Pump(host);
  };
  std::vector<benchtime::Timing> perWindow(kSizes);
  for (auto _ : state) {
    for (int round = 0; round < kRounds; ++round) {
      for (int s = 0; s < kSizes; ++s) {
        while (static_cast<int>(below.size()) < sizes[s])
          below.push_back(MakeWindow(static_cast<int>(below.size()) + 1));
        Pump(host);
        perWindow[s].Add(benchtime::NsPerOp(one, 5e7));
      }
      for (auto it = below.rbegin(); it != below.rend(); ++it) Destroy(*it);
      below.clear();
      Pump(host);
    }
  }
  for (int s = 0; s < kSizes; ++s) {
    const std::string n = std::to_string(sizes[s]);
    state.counters["us_" + n] = perWindow[s].Median() / 1e3;
    state.counters["spread_" + n] = perWindow[s].Spread();
    if (sizes[s] >= kFirstGoalSize)
      benchtime::ReportGoal(state, "create_vs_empty_" + n, 1.5 * perWindow[0].Median() / perWindow[s].Median(), 1.0);
  }
  benchtime::ReportSpread(state, perWindow);
  Destroy(host);
  TerminateGUI(0);
}

}  // namespace

BENCHMARK(BM_WindowOverGrowingStack)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
