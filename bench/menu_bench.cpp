// The popup hit test, asked on every mouse move over an open popup, on a
// three-column popup of 30 items, against a baseline that finds the same
// record in a table of precomputed bands in the same run. Counters:
//   ns/hit     nanoseconds per hit test
//   vs_table   baseline time / hit-test time (1 = as fast as the table)
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "core/menu/menu_style.h"
#include "core/menu/popup_bands.h"
#include "core/menu/tracking.h"
#include "gui/element.h"
#include "gui/menu.h"

namespace {

struct Band {
  Rect rect;
  const menu::ItemRecord* record;
};

const menu::ItemRecord* TableHit(const std::vector<Band>& bands, int x, int y) {
  for (const Band& b : bands)
    if (x >= b.rect.left && x < b.rect.right && y >= b.rect.top && y < b.rect.bottom) return b.record;
  return nullptr;
}

void BM_PopupHitTest(benchmark::State& state) {
  InitMenu();
  WinMainMetrics[menu::kTopMargin] = 4;
  MenuItemInfo info{};
  info.typeData = const_cast<char*>("Head");
  MenuHandle popup = CreatePopupMenu(&info);
  for (int i = 0; i < 30; ++i) InsertMenuItem(popup, -1, TRUE, &info);
  menu::ItemRecord* head = menu::ItemOf(popup);
  head->measure = 30;
  head->type |= MFT_THREECOLUMNS;
  for (menu::ItemRecord* it = head->sub; it; it = it->next) {
    it->measure = 24;
    it->type |= MFT_THREECOLUMNS;
  }
  menu::TrackingRecord* t = menu::NewTracking(head, 0, 0, 0, 0);
  t->frame = t->head.rect = Rect{100, 100, 700, 400};
  t->rows = 10;
  std::vector<Band> bands;
  const int w = 600;
  menu::WalkBands(t, [&](const menu::ItemRecord* r, int c, int y) {
    const int column = menu::ColumnOf(r, c, t->rows);
    bands.push_back({Rect{100 + column * w / 3, y, 100 + (column + 1) * w / 3 - 4, y + r->measure}, r});
    return true;
  });
  std::vector<Point> pts;
  for (int y = 95; y < 410; y += 7)
    for (int x = 95; x < 710; x += 13) pts.push_back(Point{x, y});
  using Clock = std::chrono::steady_clock;
  double hitNs = 0, tableNs = 0;
  long count = 0;
  for (auto _ : state) {
    auto t0 = Clock::now();
    for (const Point& p : pts) benchmark::DoNotOptimize(menu::PopupItemFromPoint(t, p.x, p.y));
    auto t1 = Clock::now();
    for (const Point& p : pts) benchmark::DoNotOptimize(TableHit(bands, p.x, p.y));
    auto t2 = Clock::now();
    hitNs += std::chrono::duration<double, std::nano>(t1 - t0).count();
    tableNs += std::chrono::duration<double, std::nano>(t2 - t1).count();
    count += static_cast<long>(pts.size());
  }
  state.counters["ns/hit"] = hitNs / count;
  state.counters["vs_table"] = tableNs / hitNs;
  menu::FreeTracking(t);
  DestroyMenu(popup);
  TerminateMenu();
}
BENCHMARK(BM_PopupHitTest);

}  // namespace

BENCHMARK_MAIN();
