// Scrolling a window's pixels (desktop request 253) on a 1024x768 32-bit
// memory screen: a 400x300 client area moved by one row and by 40 rows,
// against a plain loop moving the same rows with memmove in the same run.
// Counters:
//   MPix/s    megapixels moved per second
//   vs_plain  plain loop time / scroll time (1 = as fast as the plain loop)
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench/bench_timing.h"
#include "bench/bench_window_dc.h"
#include "core/desktop/window_stack.h"
#include "core/window/window_record.h"
#include "gdi/dc/gdi_heap.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/gal.h"

namespace {

constexpr int kScreenW = 1024, kScreenH = 768;
const Rect kClient{100, 100, 500, 400};

using benchdc::BenchClipInfo;
using benchdc::kNoFlush;
using benchdc::kOps;
using benchtime::NsPerOp;

void BM_ScrollWindow(benchmark::State& state) {
  const int dy = static_cast<int>(state.range(0));
  GalSurface* screen = GAL_CreateRGBSurface(0, kScreenW, kScreenH, 32, 0xFF0000, 0xFF00, 0xFF, 0);
  InitGDI(screen);
  BenchClipInfo clip;
  InitClipRgn(&clip.region, gui::GdiClipRectHeap());
  SetClipRgn(&clip.region, &kClient);
  gui::dc::SetClipInfoOps(&kOps);
  gui::dc::SetCursorGuardOps(&kNoFlush);
  MainWinRecord window;
  window.dataType = kWindowValid;
  window.windowType = kWindowMain;
  window.window = window.client = kClient;
  window.style = WS_VISIBLE;
  window.mainWindow = &window;
  window.clipInfo = reinterpret_cast<GlobalClipInfo*>(&clip);
  InitClipRgn(&window.invalid.region, gui::GdiClipRectHeap());

  const ScrollWindowInfo info{0, dy, Rect{}};
  const double scrollNs = NsPerOp([&] {
    ScrollStackedWindow(&window, &info);
    EmptyClipRgn(&window.invalid.region);
  });
  const int width = kClient.right - kClient.left, rows = kClient.bottom - kClient.top - dy;
  const double plainNs = NsPerOp([&] {
    for (int y = kClient.bottom - 1; y >= kClient.top + dy; --y)
      std::memmove(static_cast<uint8_t*>(screen->pixels) + y * screen->pitch + kClient.left * 4,
                   static_cast<uint8_t*>(screen->pixels) + (y - dy) * screen->pitch + kClient.left * 4,
                   static_cast<size_t>(width) * 4);
    benchmark::ClobberMemory();
  });
  for (auto _ : state) {
    ScrollStackedWindow(&window, &info);
    EmptyClipRgn(&window.invalid.region);
  }
  state.counters["MPix/s"] = static_cast<double>(width) * rows / scrollNs * 1e3;
  state.counters["vs_plain"] = plainNs / scrollNs;

  EmptyClipRgn(&window.invalid.region);
  gui::dc::SetCursorGuardOps(nullptr);
  gui::dc::SetClipInfoOps(nullptr);
  EmptyClipRgn(&clip.region);
  TerminateGDI();
  GAL_FreeSurface(screen);
}

}  // namespace

BENCHMARK(BM_ScrollWindow)->Arg(1)->Arg(40);

BENCHMARK_MAIN();
