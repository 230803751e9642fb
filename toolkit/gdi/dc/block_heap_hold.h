// Holds a block heap's lock across many allocations and frees on one
// thread: a region operation takes and gives back a node per rectangle,
// and locking each one costs more than the operation's own work.
#ifndef GDI_DC_BLOCK_HEAP_HOLD_H
#define GDI_DC_BLOCK_HEAP_HOLD_H

#include "gui/region.h"

namespace gui {

// While one lives, BlockDataAlloc and BlockDataFree on `heap` from this
// thread skip the lock. A hold made while another heap is held does
// nothing, so that no thread ever holds two heap locks at once; a hold
// of a null heap does nothing either.
class BlockHeapHold {
 public:
  explicit BlockHeapHold(BlockDataHeap* heap);
  ~BlockHeapHold();
  BlockHeapHold(const BlockHeapHold&) = delete;
  BlockHeapHold& operator=(const BlockHeapHold&) = delete;

 private:
  BlockDataHeap* taken_;
};

}  // namespace gui

#endif
