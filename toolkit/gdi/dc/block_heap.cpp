// Fixed-size block pool with a general-heap fall-back.
//
// Each block starts with a header whose last 32-bit word is the tag; the
// caller's pointer is the address just behind it. The header is padded to
// kHeaderSize so that every block is aligned for any object type.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "gdi/dc/block_heap_hold.h"
#include "gui/region.h"

namespace {

constexpr size_t kHeaderSize = alignof(std::max_align_t);

size_t RoundUp(size_t n, size_t to) { return (n + to - 1) / to * to; }

// The heap whose lock this thread holds through a BlockHeapHold, if any.
thread_local const BlockDataHeap* t_held = nullptr;

class HeapLock {
 public:
  explicit HeapLock(BlockDataHeap* heap) : mutex_(t_held == heap ? nullptr : &heap->lock) {
    if (mutex_) pthread_mutex_lock(mutex_);
  }
  ~HeapLock() {
    if (mutex_) pthread_mutex_unlock(mutex_);
  }
  HeapLock(const HeapLock&) = delete;
  HeapLock& operator=(const HeapLock&) = delete;

 private:
  pthread_mutex_t* mutex_;
};

uint32_t* TagOf(unsigned char* block) {
  return reinterpret_cast<uint32_t*>(block + kHeaderSize - sizeof(uint32_t));
}

void* PayloadOf(unsigned char* block) { return block + kHeaderSize; }

unsigned char* BlockOf(void* payload) { return static_cast<unsigned char*>(payload) - kHeaderSize; }

bool MakePool(BlockDataHeap* heap) {
  heap->heap = static_cast<unsigned char*>(std::calloc(heap->heap_size, heap->bd_size));
  heap->free_hint = 0;
  return heap->heap != nullptr || heap->heap_size == 0;
}

void* TakePoolBlock(BlockDataHeap* heap) {
  for (size_t i = heap->free_hint; i < heap->heap_size; ++i) {
    unsigned char* block = heap->heap + i * heap->bd_size;
    if (*TagOf(block) == BDH_TAG_FREE) {
      *TagOf(block) = BDH_TAG_USED;
      heap->free_hint = i + 1;
      return PayloadOf(block);
    }
  }
  return nullptr;
}

void* TakeHeapBlock(BlockDataHeap* heap) {
  auto* block = static_cast<unsigned char*>(std::calloc(1, heap->bd_size));
  if (block == nullptr) return nullptr;
  *TagOf(block) = BDH_TAG_HEAP;
  return PayloadOf(block);
}

bool InPool(const BlockDataHeap* heap, const unsigned char* block) {
  if (heap->heap == nullptr) return false;
  const auto begin = reinterpret_cast<uintptr_t>(heap->heap);
  const auto at = reinterpret_cast<uintptr_t>(block);
  return at >= begin && at < begin + heap->heap_size * heap->bd_size &&
         (at - begin) % heap->bd_size == 0;
}

}  // namespace

namespace gui {

BlockHeapHold::BlockHeapHold(BlockDataHeap* heap) : taken_(heap && !t_held ? heap : nullptr) {
  if (!taken_) return;
  pthread_mutex_lock(&taken_->lock);
  t_held = taken_;
}

BlockHeapHold::~BlockHeapHold() {
  if (!taken_) return;
  t_held = nullptr;
  pthread_mutex_unlock(&taken_->lock);
}

}  // namespace gui

extern "C" {

void InitBlockDataHeap(BlockDataHeap* heap, size_t bd_size, size_t heap_size) {
  pthread_mutex_init(&heap->lock, nullptr);
  heap->bd_size = kHeaderSize + RoundUp(bd_size == 0 ? 1 : bd_size, kHeaderSize);
  heap->heap_size = heap_size;
  heap->free_hint = 0;
  heap->heap = nullptr;
}

void* BlockDataAlloc(BlockDataHeap* heap) {
  HeapLock guard(heap);
  if (heap->heap == nullptr && !MakePool(heap)) return nullptr;
  if (void* block = TakePoolBlock(heap)) return block;
  return TakeHeapBlock(heap);
}

void BlockDataFree(BlockDataHeap* heap, void* data) {
  if (data == nullptr) return;
  HeapLock guard(heap);
  unsigned char* block = BlockOf(data);
  uint32_t* tag = TagOf(block);
  if (*tag == BDH_TAG_HEAP) {
    std::free(block);
  } else if (*tag == BDH_TAG_USED && InPool(heap, block)) {
    *tag = BDH_TAG_FREE;
    const size_t index = static_cast<size_t>(block - heap->heap) / heap->bd_size;
    if (index < heap->free_hint) heap->free_hint = index;
  }
}

void DestroyBlockDataHeap(BlockDataHeap* heap) {
  pthread_mutex_destroy(&heap->lock);
  std::free(heap->heap);
  heap->heap = nullptr;
  heap->free_hint = 0;
}

}  // extern "C"
