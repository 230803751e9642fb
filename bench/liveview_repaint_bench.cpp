// A full repaint of the live-view window in split 16 with the selected
// window framed (video background over the whole screen, then the frame),
// through its own window procedure, beside a full-screen fill of a memory
// DC in the same run. Counters:
//   repaint_us, fill_us   median time of each
//   goal_budget_repaint   6 x fill / repaint (1 = a repaint costs six fills:
//                         the erase and the paint each lay the background
//                         bitmap over the screen, then it reaches the screen);
//                         a budget, not the same work done another way
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "app/app_callbacks.h"
#include "app/app_registry.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/liveview.h"
#include "app/program.h"
#include "bench_recorder.h"
#include "bench_timing.h"
#include "gui/dc.h"
#include "gui/paint.h"
#include "gui/startup.h"
#include "gui/window.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;

void BM_LiveViewRepaintSplit16VsFill(benchmark::State& state) {
  if (!benchapp::StartRecorderToolkit()) {
    state.SkipWithError("the toolkit did not start");
    return;
  }
  showLiveSplit(3, 16, 1);
  // A new live view lands on the other output than the current one.
  setCurOutput(1);
  MainWinCreate create{};
  create.dwStyle = WS_VISIBLE;
  create.dwExStyle = WS_EX_PREVIEW;
  create.spCaption = "";
  create.MainWindowProc = previewMainWinProc;
  create.rx = kWidth;
  create.by = kHeight;
  WindowHandle live = CreateMainWindow(&create);
  setCurOutput(3);
  if (live == GUI_INVALID_HANDLE) {
    state.SkipWithError("no live view");
    TerminateGUI(0);
    return;
  }
  setPreviewSelWin(3, 5);
  setLiveViewPopup(3, 1);
  HDC mem = CreateCompatibleDCEx(HDC_SCREEN, kWidth, kHeight);
  auto repaint = [&] {
    InvalidateRect(live, nullptr, TRUE);
    UpdateWindow(live, TRUE);
  };
  auto fill = [&] {
    SetDCAttr(mem, DC_ATTR_BRUSH_COLOR, 0x202020);
    FillBox(mem, 0, 0, kWidth, kHeight);
  };
  std::vector<benchtime::Timing> t;
  for (auto _ : state) t = benchtime::Interleaved(3, repaint, fill);
  state.counters["repaint_us"] = t[0].Median() / 1e3;
  state.counters["fill_us"] = t[1].Median() / 1e3;
  benchtime::ReportGoal(state, "budget_repaint", 6 * t[1].Median() / t[0].Median(), 1.0);
  benchtime::ReportSpread(state, t);
  DeleteMemDC(mem);
  setLiveViewPopup(3, 0);
  DestroyMainWindow(live);
  MainWindowThreadCleanup(live);
  TerminateGUI(0);
}
BENCHMARK(BM_LiveViewRepaintSplit16VsFill)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
