// Region algebra on regions of many rectangles, beside two baselines over
// the same data in the same run: copying the rectangles with memcpy and a
// brute-force union of the same area as one byte per pixel.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "gui/region.h"

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

BENCHMARK_TEMPLATE(BM_RegionOp, UnionRegion)->Arg(8)->Arg(32);
BENCHMARK_TEMPLATE(BM_RegionOp, ClipRgnIntersect)->Arg(8)->Arg(32);
BENCHMARK_TEMPLATE(BM_RegionOp, SubtractRegion)->Arg(8)->Arg(32);
BENCHMARK(BM_BaselineMemcpyRects)->Arg(8)->Arg(32);
BENCHMARK(BM_BaselineBitmapUnion)->Arg(8)->Arg(32);

}  // namespace

BENCHMARK_MAIN();
