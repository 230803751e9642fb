// Drawing through device contexts on a 1024x768 32-bit screen: single
// pixels, horizontal and vertical lines, rectangle outlines and polygon
// fills on the screen DC, each against a plain loop writing the same pixels
// measured in the same run; and the cost of one small drawing call through a
// window DC (clip lock, refresh check, display lock, cursor guard) with its
// update of the host window, beside the same call without the update.
// Counters:
//   MPix/s       megapixels per second through the DC
//   vs_plain     plain loop time / DC time (1 = as fast as the plain loop)
//   ns/call      nanoseconds per drawing call
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <mutex>

#include "bench/bench_timing.h"
#include "bench/bench_window_dc.h"
#include "gdi/dc_cursor.h"
#include "gdi/dc_record.h"
#include "gdi/dc_window.h"
#include "gdi/dc/gdi_heap.h"
#include "core/window/window_record.h"
#include "gui/dc.h"
#include "gui/gal.h"

namespace {

constexpr int kScreenW = 1024;
constexpr int kScreenH = 768;

// The screen DC on a memory surface (no host window: nothing to flush).
struct MemoryScreen {
  GalSurface* surface = GAL_CreateRGBSurface(0, kScreenW, kScreenH, 32, 0xFF0000, 0xFF00, 0xFF, 0);
  MemoryScreen() { InitGDI(surface); }
  ~MemoryScreen() {
    TerminateGDI();
    GAL_FreeSurface(surface);
  }
  uint32_t* Row(int y) const {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch);
  }
};

template <typename Draw, typename Plain>
void Compare(benchmark::State& state, double pixels, Draw draw, Plain plain) {
  const auto t = benchtime::Interleaved(3, draw, plain);
  const double dcNs = t[0].Median(), plainNs = t[1].Median();
  for (auto _ : state) {
    draw();
    benchmark::ClobberMemory();
  }
  state.counters["MPix/s"] = pixels / dcNs * 1e3;
  state.counters["vs_plain"] = plainNs / dcNs;
  state.counters["ns/call"] = dcNs;
}

void BM_SetPixel(benchmark::State& state) {
  MemoryScreen screen;
  int i = 0;
  Compare(
      state, 1,
      [&] {
        SetPixel(HDC_SCREEN, i & 511, (i >> 9) & 511, 0x123456);
        ++i;
      },
      [&] {
        screen.Row((i >> 9) & 511)[i & 511] = 0x123456;
        ++i;
        benchmark::ClobberMemory();
      });
}

void BM_HorizontalLine(benchmark::State& state) {
  MemoryScreen screen;
  Compare(
      state, 1000,
      [&] {
        MoveTo(HDC_SCREEN, 10, 100);
        LineTo(HDC_SCREEN, 1009, 100);
      },
      [&] {
        std::fill_n(screen.Row(100) + 10, 1000, 0u);
        benchmark::ClobberMemory();
      });
}

void BM_VerticalLine(benchmark::State& state) {
  MemoryScreen screen;
  Compare(
      state, 700,
      [&] {
        MoveTo(HDC_SCREEN, 300, 10);
        LineTo(HDC_SCREEN, 300, 710);
      },
      [&] {
        for (int y = 10; y < 710; ++y) screen.Row(y)[300] = 0;
        benchmark::ClobberMemory();
      });
}

void BM_Rectangle(benchmark::State& state) {
  MemoryScreen screen;
  Compare(
      state, 2 * 200 + 2 * 148,
      [&] { Rectangle(HDC_SCREEN, 100, 100, 299, 249); },
      [&] {
        std::fill_n(screen.Row(100) + 100, 200, 0u);
        std::fill_n(screen.Row(249) + 100, 200, 0u);
        for (int y = 101; y < 249; ++y) screen.Row(y)[100] = screen.Row(y)[299] = 0;
        benchmark::ClobberMemory();
      });
}

void BM_FillPolygon(benchmark::State& state) {
  MemoryScreen screen;
  const bool general = state.range(0) != 0;
  // A closed rectangle takes the monotone generator, an open one the edge table.
  const Point rect[] = {{100, 100}, {400, 100}, {400, 300}, {100, 300}, {100, 100}};
  const int count = general ? 4 : 5;
  Compare(
      state, 301.0 * 200,
      [&] { FillPolygon(HDC_SCREEN, rect, count); },
      [&] {
        for (int y = 100; y < 300; ++y) std::fill_n(screen.Row(y) + 100, 301, 0u);
        benchmark::ClobberMemory();
      });
  state.SetLabel(general ? "edge table" : "monotone");
}

// ---- one small call through a window DC ----

using benchdc::BenchClipInfo;
using benchdc::kNoFlush;
using benchdc::kOps;

// 8x8 rectangle outlines through a window DC on the host window's screen
// (a memory screen when no video starts), each call with its update of the
// host window, beside the same calls with the update left out, measured in
// turn in the same run. Goal: 2 million calls a second with the update.
void BM_WindowDC8x8OutlineWithScreenUpdate(benchmark::State& state) {
  const bool host = InitGAL() == 0 && GAL_SetVideoMode(kScreenW, kScreenH, 32, 0) != nullptr;
  GalSurface* memory = host ? nullptr : GAL_CreateRGBSurface(0, kScreenW, kScreenH, 32, 0xFF0000, 0xFF00, 0xFF, 0);
  GalSurface* screen = host ? GAL_GetVideoSurface() : memory;
  InitGDI(screen);
  BenchClipInfo clip;
  InitClipRgn(&clip.region, gui::GdiClipRectHeap());
  const Rect whole{0, 0, kScreenW, kScreenH};
  SetClipRgn(&clip.region, &whole);
  gui::dc::SetClipInfoOps(&kOps);
  MainWinRecord window;
  window.window = window.client = Rect{100, 100, 500, 400};
  window.style = WS_VISIBLE;
  window.mainWindow = &window;
  window.clipInfo = reinterpret_cast<GlobalClipInfo*>(&clip);

  const HDC hdc = GetClientDC(HandleOf(&window));
  auto draw = [&] { Rectangle(hdc, 10, 10, 17, 17); };
  auto drawOnly = [&] {
    gui::dc::SetCursorGuardOps(&kNoFlush);
    draw();
    gui::dc::SetCursorGuardOps(nullptr);
  };
  auto t = benchtime::Interleaved(5, draw, drawOnly);
  for (auto _ : state) draw();
  state.counters["ns/call"] = t[0].Median();
  state.counters["drawing_only_ns"] = t[1].Median();
  state.counters["Mcalls/s"] = 1e3 / t[0].Median();
  benchtime::ReportGoal(state, "2M_calls", 1e9 / t[0].Median() / 2e6, 1.0);
  benchtime::ReportSpread(state, t);
  state.SetLabel(host ? "host window" : "memory screen (no video)");

  ReleaseDC(hdc);
  gui::dc::SetClipInfoOps(nullptr);
  EmptyClipRgn(&clip.region);
  TerminateGDI();
  if (memory) GAL_FreeSurface(memory);
  if (host) GAL_VideoQuit();
}

}  // namespace

BENCHMARK(BM_SetPixel);
BENCHMARK(BM_HorizontalLine);
BENCHMARK(BM_VerticalLine);
BENCHMARK(BM_Rectangle);
BENCHMARK(BM_FillPolygon)->Arg(0)->Arg(1);
BENCHMARK(BM_WindowDC8x8OutlineWithScreenUpdate);

BENCHMARK_MAIN();
