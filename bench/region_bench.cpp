// Region algebra on regions of many rectangles, beside two baselines over
// the same data in the same run: copying the rectangles with memcpy and a
// brute-force union of the same area as one byte per pixel. And the
// desktop's clip regions of 50 overlapping windows recomputed all at once,
// beside painting the same windows into a map of which window owns each
// pixel.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "bench/bench_timing.h"
#include "core/desktop/clip_info.h"
#include "core/desktop/zorder.h"
#include "core/window/window_record.h"
#include "gui/region.h"
#include "gui/window.h"

namespace {

constexpr int kCell = 8;

// A checkerboard of side x side cells, shifted by `shift` pixels.
void Checkerboard(ClipRgn* region, int side, int shift) {
  for (int row = 0; row < side; ++row) {
    for (int col = row % 2; col < side; col += 2) {
      const Rect r = {col * kCell + shift, row * kCell + shift, (col + 1) * kCell + shift,
                      (row + 1) * kCell + shift};
      AddClipRect(region, &r);
    }
  }
}

struct Operands {
  explicit Operands(int side) {
    InitBlockDataHeap(&heap, sizeof(ClipRect), static_cast<size_t>(side * side * 4));
    InitClipRgn(&a, &heap);
    InitClipRgn(&b, &heap);
    InitClipRgn(&out, &heap);
    Checkerboard(&a, side, 0);
    Checkerboard(&b, side, kCell / 2);
  }
  ~Operands() {
    EmptyClipRgn(&a);
    EmptyClipRgn(&b);
    EmptyClipRgn(&out);
    DestroyBlockDataHeap(&heap);
  }
  size_t Nodes() const {
    size_t n = 0;
    for (const ClipRect* r = a.head; r != nullptr; r = r->next) ++n;
    for (const ClipRect* r = b.head; r != nullptr; r = r->next) ++n;
    return n;
  }
  BlockDataHeap heap;
  ClipRgn a, b, out;
};

template <BOOL (*Op)(ClipRgn*, const ClipRgn*, const ClipRgn*)>
void BM_RegionOp(benchmark::State& state) {
  Operands ops(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Op(&ops.out, &ops.a, &ops.b);
    benchmark::DoNotOptimize(ops.out.head);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(ops.Nodes()));
}

void BM_BaselineMemcpyRects(benchmark::State& state) {
  Operands ops(static_cast<int>(state.range(0)));
  std::vector<Rect> src;
  for (const ClipRect* r = ops.a.head; r != nullptr; r = r->next) src.push_back(r->rc);
  for (const ClipRect* r = ops.b.head; r != nullptr; r = r->next) src.push_back(r->rc);
  std::vector<Rect> dst(src.size());
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), src.size() * sizeof(Rect));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(src.size()));
}

void BM_BaselineBitmapUnion(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  Operands ops(side);
  const int extent = side * kCell + kCell;
  std::vector<unsigned char> bitmap(static_cast<size_t>(extent) * extent);
  for (auto _ : state) {
    std::memset(bitmap.data(), 0, bitmap.size());
    for (const ClipRgn* region : {&ops.a, &ops.b}) {
      for (const ClipRect* r = region->head; r != nullptr; r = r->next) {
        for (int y = r->rc.top; y < r->rc.bottom; ++y) {
          std::memset(&bitmap[static_cast<size_t>(y) * extent + r->rc.left], 1,
                      static_cast<size_t>(r->rc.right - r->rc.left));
        }
      }
    }
    benchmark::DoNotOptimize(bitmap.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(ops.Nodes()));
}

// 50 main windows of 300 x 200 cascaded over a 1024 x 768 screen, each
// overlapping several others.
struct Desktop50 {
  static constexpr int kWindows = 50;
  Desktop50() {
    ResetZOrderLists(0);
    for (int i = 0; i < kWindows; ++i) {
      auto win = std::make_unique<MainWinRecord>();
      const int x = (i * 37) % 724, y = (i * 23) % 568;
      win->window = win->client = Rect{x, y, x + 300, y + 200};
      win->style = WS_VISIBLE;
      win->mainWindow = win.get();
      clips.push_back(std::make_unique<GlobalClipInfo>());
      win->clipInfo = clips.back().get();
      auto node = std::make_unique<ZOrderNode>();
      node->hwnd = HandleOf(win.get());
      win->zorderNode = node.get();
      PushNode(MainDisplayList(), node.get());
      windows.push_back(std::move(win));
      nodes.push_back(std::move(node));
    }
  }
  ~Desktop50() { ResetZOrderLists(0); }
  std::vector<std::unique_ptr<GlobalClipInfo>> clips;
  std::vector<std::unique_ptr<MainWinRecord>> windows;
  std::vector<std::unique_ptr<ZOrderNode>> nodes;
};

void BM_DesktopClipRegions50Windows(benchmark::State& state) {
  Desktop50 desktop;
  std::vector<uint8_t> owner(size_t{1024} * 768);
  auto regions = [] { RebuildAllClips(); };
  auto ownerMap = [&] {
    std::memset(owner.data(), 0xFF, owner.size());
    // Bottom window first, so each window paints over the ones below it.
    for (int i = 0; i < Desktop50::kWindows; ++i) {
      const Rect& r = desktop.windows[static_cast<size_t>(i)]->window;
      for (int y = r.top; y < r.bottom; ++y)
        std::memset(&owner[static_cast<size_t>(y) * 1024 + r.left], i, static_cast<size_t>(r.right - r.left));
    }
    benchmark::ClobberMemory();
  };
  auto t = benchtime::Interleaved(5, regions, ownerMap);
  for (auto _ : state) regions();
  state.counters["us/rebuild"] = t[0].Median() / 1e3;
  state.counters["vs_owner_map"] = t[1].Median() / t[0].Median();
  benchtime::ReportSpread(state, t);
}

BENCHMARK_TEMPLATE(BM_RegionOp, UnionRegion)->Arg(8)->Arg(32);
BENCHMARK_TEMPLATE(BM_RegionOp, ClipRgnIntersect)->Arg(8)->Arg(32);
BENCHMARK_TEMPLATE(BM_RegionOp, SubtractRegion)->Arg(8)->Arg(32);
BENCHMARK(BM_BaselineMemcpyRects)->Arg(8)->Arg(32);
BENCHMARK(BM_BaselineBitmapUnion)->Arg(8)->Arg(32);
BENCHMARK(BM_DesktopClipRegions50Windows);

}  // namespace

BENCHMARK_MAIN();
