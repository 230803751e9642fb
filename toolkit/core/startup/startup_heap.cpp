// The main heap, made ready for start-up in one step.
//
// Start-up fills several megabytes of fresh heap (the configuration, the
// layouts, the pictures), and the first touch of every page traps into the
// kernel; on a virtual machine each such trap costs tens of microseconds.
// The heap is grown once by enough for the start-up, and the kernel is asked
// to back it with huge pages, so that a handful of faults do the work of
// thousands. Where huge pages are off, the advice is ignored and nothing
// else changes.
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

#include "gui/startup.h"

namespace {

constexpr size_t kHugePage = size_t{2} << 20;
// What start-up fills, with room: the heap keeps this much free at its top.
constexpr size_t kStartupHeap = size_t{16} << 20;
// Tables and pictures up to this size come from the heap rather than from
// mappings of their own, which would each start untouched again.
constexpr size_t kOwnMappingFrom = size_t{8} << 20;
// A gap this small could be served from freed blocks rather than the top.
constexpr size_t kLeastGap = size_t{64} << 10;
// The allocator's word in front of every block.
constexpr size_t kBlockHead = sizeof(size_t);

// Holds the heap's top up to a huge-page boundary; never touched, so it
// costs address space only. Volatile: an allocation never read could be
// left out by the compiler.
void* volatile g_alignment = nullptr;

uintptr_t RoundUp(uintptr_t at, size_t to) { return (at + to - 1) / to * to; }

// Takes the block of the whole size from the heap's top; the heap grows by
// it now. Its start is moved to a huge-page boundary where the allocator
// allows: the stretch before the boundary stays in small pages.
void* TakeStartupBlock() {
  void* block = std::malloc(kStartupHeap);
  if (!block) return nullptr;
  const auto at = reinterpret_cast<uintptr_t>(block);
  size_t gap = RoundUp(at, kHugePage) - at;
  if (gap == 0) return block;
  if (gap < kLeastGap) gap += kHugePage;
  // Freed, the block goes back to the top; a block of the gap's size then
  // takes the top's start, and the next one begins at the boundary.
  std::free(block);
  g_alignment = std::malloc(gap - kBlockHead);
  return std::malloc(kStartupHeap);
}

}  // namespace

extern "C" void PrepareStartupHeap(void) {
  if (mallopt(M_MMAP_THRESHOLD, static_cast<int>(2 * kStartupHeap)) != 1) return;
  if (void* block = TakeStartupBlock()) {
    // The advice must come before any page of the block is touched: a 2 MB
    // stretch that already holds a small page stays in small pages.
    const auto at = reinterpret_cast<uintptr_t>(block);
    const uintptr_t first = RoundUp(at, kHugePage);
    const uintptr_t last = (at + kStartupHeap) / kHugePage * kHugePage;
    if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    // Freed, the block returns to the heap's top, which keeps that much.
    mallopt(M_TOP_PAD, static_cast<int>(kStartupHeap));
    std::free(block);
  }
  mallopt(M_MMAP_THRESHOLD, static_cast<int>(kOwnMappingFrom));
}
