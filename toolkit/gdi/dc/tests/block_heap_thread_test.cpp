#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <thread>
#include <vector>

#include "gdi/dc/tests/region_model.h"
#include "gui/region.h"

namespace {

struct Cell {
  uint64_t owner;
  uint64_t serial;
};

// Several threads allocate and free from one small heap, so pool blocks and
// general-heap blocks both change hands; each block must stay its owner's.
TEST(BlockHeapThreadTest, ConcurrentAllocAndFreeKeepBlocksPrivate) {
  constexpr int kThreads = 6;
  constexpr int kRounds = 3000;
  constexpr size_t kHeld = 12;
  BlockDataHeap heap;
  InitBlockDataHeap(&heap, sizeof(Cell), 32);
  std::atomic<int> corrupted{0};
  std::atomic<int> failed{0};

  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      std::vector<Cell*> held;
      for (int round = 0; round < kRounds; ++round) {
        auto* cell = static_cast<Cell*>(BlockDataAlloc(&heap));
        if (cell == nullptr) {
          ++failed;
          continue;
        }
        if (cell->owner != 0) ++corrupted;  // blocks come back zeroed or freed clean
        cell->owner = static_cast<uint64_t>(t) + 1;
        cell->serial = static_cast<uint64_t>(round);
        held.push_back(cell);
        if (held.size() > kHeld || round % 7 == 0) {
          const size_t victim = static_cast<size_t>(round) % held.size();
          Cell* out = held[victim];
          if (out->owner != static_cast<uint64_t>(t) + 1) ++corrupted;
          out->owner = 0;
          BlockDataFree(&heap, out);
          held.erase(held.begin() + static_cast<long>(victim));
        }
      }
      for (Cell* cell : held) {
        if (cell->owner != static_cast<uint64_t>(t) + 1) ++corrupted;
        cell->owner = 0;
        BlockDataFree(&heap, cell);
      }
    });
  }
  for (std::thread& th : threads) th.join();

  EXPECT_EQ(corrupted.load(), 0);
  EXPECT_EQ(failed.load(), 0);
  EXPECT_EQ(heap.free_hint, 0u) << "every pool block came back";
  // No block lost: the whole pool is handed out again, in order, before the
  // general heap is asked.
  std::vector<void*> again;
  for (int i = 0; i < 32; ++i) again.push_back(BlockDataAlloc(&heap));
  for (int i = 0; i < 32; ++i) EXPECT_EQ(again[i], heap.heap + i * heap.bd_size + alignof(std::max_align_t)) << i;
  void* spill = BlockDataAlloc(&heap);
  EXPECT_EQ(reinterpret_cast<uint32_t*>(spill)[-1], BDH_TAG_HEAP);
  BlockDataFree(&heap, spill);
  for (void* block : again) BlockDataFree(&heap, block);
  DestroyBlockDataHeap(&heap);
}

// Region operations hold the heap's lock across all the nodes they take
// and give back, while other threads take and give back single blocks from
// the same heap: every region still equals its pixel model, no block is
// lost and none is handed to two owners.
TEST(BlockHeapThreadTest, RegionOperationsShareTheirHeapWithSingleBlockUsers) {
  constexpr int kRegionThreads = 3, kBlockThreads = 3, kRounds = 400;
  BlockDataHeap heap;
  InitBlockDataHeap(&heap, sizeof(ClipRect), 24);
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kRegionThreads; ++t) {
    threads.emplace_back([&, t] {
      ClipRgn region, other;
      InitClipRgn(&region, &heap);
      InitClipRgn(&other, &heap);
      region_test::PixelSet model;
      for (int round = 0; round < kRounds; ++round) {
        const int k = round * 7 + t * 13;
        const Rect r{k % 23, k % 17, k % 23 + 3 + k % 5, k % 17 + 2 + k % 7};
        const region_test::PixelSet pixels = region_test::PixelsOf(r);
        SetClipRgn(&other, &r);
        if (round % 3 == 2) {
          SubtractRegion(&region, &region, &other);
          for (const auto& p : pixels) model.erase(p);
        } else {
          UnionRegion(&region, &region, &other);
          model.insert(pixels.begin(), pixels.end());
        }
        if (!region_test::IsBanded(region) || region_test::PixelsOf(region) != model) ++wrong;
      }
      EmptyClipRgn(&region);
      EmptyClipRgn(&other);
    });
  }
  for (int t = 0; t < kBlockThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < kRounds * 4; ++round) {
        auto* cell = static_cast<Cell*>(BlockDataAlloc(&heap));
        if (cell == nullptr) {  // blocks come back with a region's leftovers: only ownership is checked
          ++wrong;
          continue;
        }
        cell->owner = static_cast<uint64_t>(t) + 1;
        std::this_thread::yield();
        if (cell->owner != static_cast<uint64_t>(t) + 1) ++wrong;
        cell->owner = 0;
        BlockDataFree(&heap, cell);
      }
    });
  }
  for (std::thread& th : threads) th.join();
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_EQ(heap.free_hint, 0u) << "every pool block came back";
  DestroyBlockDataHeap(&heap);
}

}  // namespace
