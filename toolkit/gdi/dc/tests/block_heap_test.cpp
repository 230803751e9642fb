#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "gui/region.h"

namespace {

uint32_t TagOf(const void* block) { return static_cast<const uint32_t*>(block)[-1]; }

struct Payload {
  void* link;
  double value;
  char bytes[13];
};

class BlockHeapTest : public ::testing::Test {
 protected:
  void SetUp() override { InitBlockDataHeap(&heap_, sizeof(Payload), kBlocks); }
  void TearDown() override { DestroyBlockDataHeap(&heap_); }

  static constexpr size_t kBlocks = 128;
  BlockDataHeap heap_;
};

TEST_F(BlockHeapTest, PoolIsMadeOnFirstAllocationAndBlocksAreAlignedAndZeroed) {
  EXPECT_EQ(heap_.heap, nullptr);
  EXPECT_GE(heap_.bd_size, sizeof(Payload) + sizeof(uint32_t));
  void* block = BlockDataAlloc(&heap_);
  ASSERT_NE(block, nullptr);
  EXPECT_NE(heap_.heap, nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % alignof(Payload), 0u);
  EXPECT_EQ(TagOf(block), BDH_TAG_USED);
  const std::vector<char> zeros(sizeof(Payload), 0);
  EXPECT_EQ(std::memcmp(block, zeros.data(), sizeof(Payload)), 0);
  // The whole payload is the caller's; neighbours keep their tags.
  std::memset(block, 0xAB, sizeof(Payload));
  void* next = BlockDataAlloc(&heap_);
  EXPECT_EQ(TagOf(next), BDH_TAG_USED);
  BlockDataFree(&heap_, block);
  BlockDataFree(&heap_, next);
}

TEST_F(BlockHeapTest, ExhaustedPoolFallsBackToTheHeap) {
  std::vector<void*> pool;
  for (size_t i = 0; i < kBlocks; ++i) pool.push_back(BlockDataAlloc(&heap_));
  EXPECT_EQ(heap_.free_hint, kBlocks);
  void* spill = BlockDataAlloc(&heap_);
  ASSERT_NE(spill, nullptr);
  EXPECT_EQ(TagOf(spill), BDH_TAG_HEAP);
  std::memset(spill, 0x5A, sizeof(Payload));
  BlockDataFree(&heap_, spill);
  EXPECT_EQ(heap_.free_hint, kBlocks) << "a heap block does not move the hint";

  // Freed pool blocks are reused lowest first.
  BlockDataFree(&heap_, pool[40]);
  BlockDataFree(&heap_, pool[7]);
  EXPECT_EQ(TagOf(pool[7]), BDH_TAG_FREE);
  EXPECT_EQ(heap_.free_hint, 7u);
  EXPECT_EQ(BlockDataAlloc(&heap_), pool[7]);
  EXPECT_EQ(BlockDataAlloc(&heap_), pool[40]);
  void* again = BlockDataAlloc(&heap_);
  EXPECT_EQ(TagOf(again), BDH_TAG_HEAP) << "the pool is full again";
  BlockDataFree(&heap_, again);
  for (void* b : pool) BlockDataFree(&heap_, b);
}

TEST_F(BlockHeapTest, SecondFreeAndForeignPointersAreIgnored) {
  void* a = BlockDataAlloc(&heap_);
  void* b = BlockDataAlloc(&heap_);
  BlockDataFree(&heap_, a);
  BlockDataAlloc(&heap_);  // takes a's block again
  BlockDataFree(&heap_, b);
  BlockDataFree(&heap_, b);  // already free: nothing happens
  EXPECT_EQ(heap_.free_hint, 1u);
  EXPECT_EQ(BlockDataAlloc(&heap_), b);
  BlockDataFree(&heap_, nullptr);

  // A pool block of another heap is not taken into this one.
  BlockDataHeap other;
  InitBlockDataHeap(&other, sizeof(Payload), 4);
  void* foreign = BlockDataAlloc(&other);
  BlockDataFree(&heap_, foreign);
  EXPECT_EQ(TagOf(foreign), BDH_TAG_USED);
  BlockDataFree(&other, foreign);
  DestroyBlockDataHeap(&other);
  BlockDataFree(&heap_, a);
  BlockDataFree(&heap_, b);
}

}  // namespace
