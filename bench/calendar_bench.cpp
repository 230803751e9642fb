// Painting a month calendar (bars, 42 day cells with their numbers, marks
// and the focus cell) beside a baseline that only lays the same day-cell
// skin over the same 42 cells, in the same run. Counters:
//   vs_cells   baseline time / calendar time (1 = as fast as the bare cells)
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "bench_timing.h"
#include "controls/monthcalendar/monthcalendar_internal.h"
#include "core/window/tests/main_window_creation.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/startup.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

// The toolkit runs from the folder of the program, beside its resources.
void StartToolkit() {
  ::setenv("SDL_VIDEODRIVER", "dummy", 0);
  char exe[PATH_MAX] = {};
  const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  std::string dir = n > 0 ? std::string(exe, static_cast<size_t>(n)) : std::string("./x");
  if (chdir(dir.substr(0, dir.rfind('/')).c_str()) != 0) return;
  InitGUI(0, nullptr);
}

void BM_CalendarPaint(benchmark::State& state) {
  StartToolkit();
  MainWinCreate create = MainWindowCreation(Rect{0, 0, 400, 300}, DefaultMainWinProc, "bench");
  WindowHandle host = CreateMainWindow(&create);
  WindowHandle cal = CreateWindowEx("monthcalendar", "", WS_VISIBLE, 0, 1, 0, 0, 280, 200, host, 0);
  if (host == GUI_INVALID_HANDLE || cal == GUI_INVALID_HANDLE) {
    state.SkipWithError("no calendar");
    return;
  }
  for (int d = 1; d <= 28; d += 3) SendMessage(cal, MCM_SETDATEKIND, 3u << 16 | static_cast<unsigned>(d), d % 3 + 1);
  const monthcalendar::Data& data = *monthcalendar::Record(cal);
  HDC hdc = GetClientDC(cal);
  const monthcalendar::Geometry g = monthcalendar::Measure(cal, data, hdc);
  auto paint = [&] { monthcalendar::Paint(cal, hdc, data); };
  auto cells = [&] {
    for (int i = 0; i < 42; ++i) {
      const Rect r = monthcalendar::CellRect(g, i);
      FillBoxWithBitmap(hdc, r.left, r.top, g.cellW, g.cellH, data.skins.day);
    }
  };
  std::vector<benchtime::Timing> t;
  for (auto _ : state) t = benchtime::Interleaved(3, paint, cells);
  ReleaseDC(hdc);
  state.counters["ns/paint"] = t[0].Median();
  state.counters["vs_cells"] = t[1].Median() / t[0].Median();
  benchtime::ReportSpread(state, t);
  DestroyMainWindow(host);
  MainWindowThreadCleanup(host);
  TerminateGUI(0);
}
BENCHMARK(BM_CalendarPaint)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
