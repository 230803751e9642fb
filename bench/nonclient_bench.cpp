// The non-client hit test, asked on every mouse move over a frame, against
// a baseline that finds the same part in a table of precomputed rectangles
// in the same run. Counters:
//   ns/hit     nanoseconds per hit test
//   vs_table   baseline time / hit-test time (1 = as fast as the table)
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/bench_hit_pair.h"
#include "core/element/system_res.h"
#include "core/nonclient/hit_test.h"
#include "gui/element.h"
#include "gui/nonclient.h"
#include "gui/window.h"

namespace {

struct Part {
  Rect rect;
  int code;
};

std::vector<Point> Points() {
  std::vector<Point> pts;
  for (int y = 95; y < 310; y += 7)
    for (int x = 95; x < 410; x += 11) pts.push_back(Point{x, y});
  return pts;
}

int TableHit(const std::vector<Part>& parts, int x, int y) {
  for (const Part& p : parts)
    if (x >= p.rect.left && x < p.rect.right && y >= p.rect.top && y < p.rect.bottom) return p.code;
  return HT_BORDER;
}

void BM_NonClientHitTest(benchmark::State& state) {
  WinMainMetrics[WEM_BORDER] = 3;
  WinMainMetrics[WEM_CXVSCROLL] = WinMainMetrics[WEM_CYHSCROLL] = 16;
  WinMainMetrics[WEM_SB_WIDTH] = WinMainMetrics[WEM_SB_HEIGHT] = 20;
  WinMainMetrics[WEM_SB_INTERX] = 2;
  static uint32_t skinPixels[30 * 24];
  Bitmap skin{};
  skin.bmBytesPerPixel = 4;
  skin.bmWidth = 30;
  skin.bmHeight = 24;
  skin.bmPitch = 120;
  skin.bmBits = reinterpret_cast<uint8_t*>(skinPixels);
  PutStockBitmapForTest("caption", false, skin);
  WindowRecord win;
  win.style = WS_CAPTION | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_MAXIMIZEBOX;
  win.window = Rect{100, 100, 400, 300};
  win.client = Rect{103, 103, 381, 281};
  const std::vector<Point> pts = Points();
  const std::vector<Part> parts = {{{381, 103, 397, 281}, HT_VSCROLL}, {{103, 281, 381, 297}, HT_HSCROLL},
                                   {{375, 106, 395, 126}, HT_CLOSEBUTTON}, {{351, 106, 371, 126}, HT_MAXBUTTON},
                                   {{103, 103, 397, 103}, HT_CAPTION}};
  TimeHitAgainstTable(
      state, pts, [&](int x, int y) { return NonClientHitTest(&win, x, y); }, [&](int x, int y) { return TableHit(parts, x, y); });
  PutStockBitmapForTest("caption", false, Bitmap{});
}
BENCHMARK(BM_NonClientHitTest);

}  // namespace

BENCHMARK_MAIN();
