// The popup hit test, asked on every mouse move over an open popup, on a
// three-column popup of 30 items, against a baseline that finds the same
// record in a table of precomputed bands in the same run. Counters:
//   ns/hit     nanoseconds per hit test
//   vs_table   baseline time / hit-test time (1 = as fast as the table)
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_hit_pair.h"
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
  TimeHitAgainstTable(
      state, pts, [&](int x, int y) { return menu::PopupItemFromPoint(t, x, y); }, [&](int x, int y) { return TableHit(bands, x, y); });
  menu::FreeTracking(t);
  DestroyMenu(popup);
  TerminateMenu();
}
BENCHMARK(BM_PopupHitTest);

}  // namespace

BENCHMARK_MAIN();
