// Dragging a track bar's thumb: each step sets the position and paints
// what it invalidated. The bar repaints only the old and new thumb; the
// baseline is the same bar asked to repaint itself whole on every change
// (style 0x8), measured in turn in the same run.
//   steps/s      position changes painted per second
//   vs_whole     whole-bar time / thumb-only time (goal: 1.5 or more)
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "bench/bench_program_folder.h"
#include "bench/bench_timing.h"
#include "gui/app_hooks.h"
#include "gui/startup.h"
#include "gui/trackbar.h"
#include "gui/window.h"

namespace {

using benchfolder::EnterProgramFolder;

LResult Plain(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  return DefaultWindowProc(hwnd, msg, wParam, lParam);
}

struct Drag {
  WindowHandle bar;
  int position = 0;
  void Step() {
    position = (position + 1) % 101;
    SendMessage(bar, TBM_SETPOS, static_cast<WParam>(position), 0);
    SendMessage(bar, MSG_PAINT, 0, 0);
  }
};

void BM_TrackBarDragThumbOnlyVsWholeBar(benchmark::State& state) {
  if (!EnterProgramFolder()) return state.SkipWithError("no program folder");
  SetAppCallbacks(nullptr);
  if (InitGUI(0, nullptr) != 0) return state.SkipWithError("the toolkit did not start");
  MainWinCreate create{};
  create.dwStyle = WS_VISIBLE;
  create.MainWindowProc = Plain;
  create.spCaption = "bench";
  create.rx = 640, create.by = 120;
  WindowHandle main = CreateMainWindow(&create);
  Drag thumb{CreateWindowEx("trackbar", "", WS_VISIBLE, 0, 1, 10, 10, 600, 30, main, 0)};
  Drag whole{CreateWindowEx("trackbar", "", WS_VISIBLE | TBS_FULLREPAINT, 0, 2, 10, 60, 600, 30, main, 0)};
  for (Drag* d : {&thumb, &whole}) SendMessage(d->bar, TBM_SETRANGE, 0, 100);
  auto t = benchtime::Interleaved(5, [&] { thumb.Step(); }, [&] { whole.Step(); });
  for (auto _ : state) thumb.Step();
  state.counters["steps/s"] = 1e9 / t[0].best;
  state.counters["vs_whole"] = t[1].best / t[0].best;
  benchtime::ReportGoal(state, "trackbar_drag", t[1].best / t[0].best, 1.5);
  benchtime::ReportSpread(state, t);
  DestroyMainWindow(main);
  MainWindowThreadCleanup(main);
  TerminateGUI(0);
}

BENCHMARK(BM_TrackBarDragThumbOnlyVsWholeBar)->Iterations(1000);

}  // namespace

BENCHMARK_MAIN();
