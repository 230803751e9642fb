#include "gdi/dc/gdi_heap.h"

namespace gui {

BlockDataHeap* GdiClipRectHeap() {
  static BlockDataHeap* const heap = [] {
    static BlockDataHeap storage;
    InitBlockDataHeap(&storage, sizeof(ClipRect), kGdiClipRectBlocks);
    return &storage;
  }();
  return heap;
}

}  // namespace gui
