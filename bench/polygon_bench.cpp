// Filling a polygon of two thousand million rows, beside a small polygon
// covering the same visible pixels (counter "pixels"): the fill walks only
// the rows inside the clip, so the two should cost about the same. Both
// generators (closed: monotone, open: edge table).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "gui/dc.h"
#include "gui/gal.h"

namespace {

constexpr int kScreenW = 1024;
constexpr int kScreenH = 768;

double CountLit(const GalSurface* surface) {
  double lit = 0;
  for (int y = 0; y < kScreenH; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < kScreenW; ++x) lit += row[x] != 0;
  }
  return lit;
}

// Arg 0: 1 for the open (edge-table) form; arg 1: 1 for the huge polygon.
void BM_PolygonVisiblePart(benchmark::State& state) {
  std::unique_ptr<GalSurface, void (*)(GalSurface*)> screen(
      GAL_CreateRGBSurface(0, kScreenW, kScreenH, 32, 0xFF0000, 0xFF00, 0xFF, 0), GAL_FreeSurface);
  InitGDI(screen.get());
  const bool open = state.range(0) != 0;
  const bool huge = state.range(1) != 0;
  // The huge polygon runs a thousand million rows above and below the
  // screen; on screen it is the small one, the band from x = -50 to 450.
  const Point tall[] = {{-50, -1000000000}, {450, -1000000000}, {450, 1000000000}, {-50, 1000000000},
                        {-50, -1000000000}};
  const Point band[] = {{-50, 0}, {450, 0}, {450, kScreenH}, {-50, kScreenH}, {-50, 0}};
  const Point* points = huge ? tall : band;
  const int count = open ? 4 : 5;
  SetDCAttr(HDC_SCREEN, DC_ATTR_BRUSH_COLOR, 0xFFFFFF);
  for (auto _ : state) {
    FillPolygon(HDC_SCREEN, points, count);
    benchmark::ClobberMemory();
  }
  state.counters["pixels"] = CountLit(screen.get());
  TerminateGDI();
  state.SetLabel(std::string(huge ? "huge" : "small baseline") + (open ? ", edge table" : ", monotone"));
}

}  // namespace

BENCHMARK(BM_PolygonVisiblePart)->Args({0, 0})->Args({0, 1})->Args({1, 0})->Args({1, 1});

BENCHMARK_MAIN();
