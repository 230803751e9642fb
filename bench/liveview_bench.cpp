// Painting the smart-search grid with every cell marked (the most the live
// view draws over its video), beside a baseline that draws the same 396
// outlines from a prepared list: the grid's own bookkeeping should cost
// little next to the drawing.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "app/liveview.h"
#include "gui/dc.h"
#include "gui/gal.h"

namespace {

constexpr int kScreenW = 1024;
constexpr int kScreenH = 768;

using Surface = std::unique_ptr<GalSurface, void (*)(GalSurface*)>;

Surface Screen() {
  Surface screen(GAL_CreateRGBSurface(0, kScreenW, kScreenH, 32, 0xFF0000, 0xFF00, 0xFF, 0), GAL_FreeSurface);
  InitGDI(screen.get());
  return screen;
}

void BM_SmartGrid(benchmark::State& state) {
  Surface screen = Screen();
  const Rect all{0, 0, kScreenW, kScreenH};
  markSmartGrid(&all, kScreenW, kScreenH);
  for (auto _ : state) {
    drawSmartGrid(HDC_SCREEN, kScreenW, kScreenH);
    benchmark::ClobberMemory();
  }
  TerminateGDI();
}

void BM_SmartGridBaseline(benchmark::State& state) {
  Surface screen = Screen();
  const int rows = getSmartGridRows(), cw = kScreenW / SMART_GRID_COLS, ch = kScreenH / rows;
  std::vector<Rect> cells;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < SMART_GRID_COLS; ++c) cells.push_back(Rect{c * cw, r * ch, (c + 1) * cw, (r + 1) * ch});
  SetDCAttr(HDC_SCREEN, DC_ATTR_PEN_COLOR, 0xFF0000);
  for (auto _ : state) {
    for (const Rect& cell : cells) Rectangle(HDC_SCREEN, cell.left, cell.top, cell.right - 1, cell.bottom - 1);
    benchmark::ClobberMemory();
  }
  TerminateGDI();
  state.SetLabel("baseline");
}

}  // namespace

BENCHMARK(BM_SmartGrid);
BENCHMARK(BM_SmartGridBaseline);

BENCHMARK_MAIN();
