// The gradient face of push-like buttons, drawn line by line with its
// colour stepped in fixed point, against a baseline filling the same box in
// one colour through the same DC in the same run. Counters:
//   us/face     microseconds per 120 x 28 face
//   vs_fill     baseline time / gradient time (1 = as fast as one fill)
#include <benchmark/benchmark.h>

#include <chrono>

#include "controls/painters/blitters.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/gal.h"

namespace {

constexpr int kW = 120, kH = 28;

struct MemoryScreen {
  GalSurface* surface = GAL_CreateRGBSurface(0, 640, 480, 32, 0xFF0000, 0xFF00, 0xFF, 0);
  MemoryScreen() { InitGDI(surface); }
  ~MemoryScreen() {
    TerminateGDI();
    GAL_FreeSurface(surface);
  }
};

void BM_GradientFace(benchmark::State& state) {
  MemoryScreen screen;
  const GalPixel start = RGB2Pixel(HDC_SCREEN, 0x70, 0x60, 0x50), end = RGB2Pixel(HDC_SCREEN, 0x40, 0x38, 0x30);
  using Clock = std::chrono::steady_clock;
  double gradientNs = 0, fillNs = 0;
  long faces = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    for (int i = 0; i < 100; ++i) DrawGradientBox(HDC_SCREEN, end, start, 10, 10, 10 + kW, 10 + kH, TRUE, TRUE, 0);
    const auto t1 = Clock::now();
    SetDCAttr(HDC_SCREEN, DC_ATTR_BRUSH_COLOR, start);
    for (int i = 0; i < 100; ++i) FillBox(HDC_SCREEN, 10, 10, kW, kH);
    const auto t2 = Clock::now();
    gradientNs += std::chrono::duration<double, std::nano>(t1 - t0).count();
    fillNs += std::chrono::duration<double, std::nano>(t2 - t1).count();
    faces += 100;
    benchmark::ClobberMemory();
  }
  state.counters["us/face"] = gradientNs / faces / 1e3;
  state.counters["vs_fill"] = fillNs / gradientNs;
}
BENCHMARK(BM_GradientFace);

}  // namespace

BENCHMARK_MAIN();
