// Fixed-string heap: one block of ten zones, zone z holding slots of
// 2^(11 - z) bytes, each zone with a free-slot bitmap (set bit = free,
// bit 7 of a byte = lowest slot). Anything that does not fit a slot comes
// from the general heap; FreeFixStr tells the two apart by address.
#include "gui/fixstr.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>

#include "core/config/fixstr_layout.h"

namespace {

using namespace fixstr;

struct FixStrHeap {
  std::unique_ptr<char[]> block;
  unsigned char bitmap[kBitmapBytes];
  // Per zone, the lowest bitmap byte that may still hold a free bit: the
  // search starts there, so a full zone costs nothing to pass over.
  int firstMaybeFree[kZoneCount] = {};
  std::mutex lock;
};

// The heap lives from InitFixStr to TermFixStr; guarded by its own mutex
// only for the bitmaps, the pointer itself changes only at start-up and
// shut-down.
std::unique_ptr<FixStrHeap> g_heap;

// Handed to every caller at once, on any thread: nothing writes to it, not
// even its terminator, which it already holds.
char g_emptyString[1] = {0};

char* HeapFallback(int len) { return static_cast<char*>(std::malloc(static_cast<size_t>(len) + 1)); }

int SignificantBits(int len) {
  int bits = 0;
  for (unsigned v = static_cast<unsigned>(len); v != 0; v >>= 1) ++bits;
  return bits;
}

char* TakeFreeSlot(FixStrHeap& heap, int zone) {
  std::lock_guard<std::mutex> guard(heap.lock);
  unsigned char* bits = heap.bitmap + ZoneBitmapOffset(zone);
  int& first = heap.firstMaybeFree[zone];
  for (int byte = first; byte < ZoneBitmapBytes(zone); first = ++byte) {
    if (bits[byte] == 0) continue;
    for (int bit = 7; bit >= 0; --bit) {
      if (bits[byte] & (1u << bit)) {
        bits[byte] = static_cast<unsigned char>(bits[byte] & ~(1u << bit));
        int slot = byte * 8 + (7 - bit);
        return heap.block.get() + ZoneStart(zone) + static_cast<size_t>(slot) * ZoneSlotSize(zone);
      }
    }
  }
  return nullptr;
}

bool InsideBlock(const FixStrHeap& heap, const char* p) {
  const char* begin = heap.block.get();
  return p >= begin && p < begin + kBlockSize;
}

void ReturnSlot(FixStrHeap& heap, const char* p) {
  size_t offset = static_cast<size_t>(p - heap.block.get());
  int zone = static_cast<int>(offset / kZoneSize);
  size_t inZone = offset % kZoneSize;
  // A pointer into the middle of a slot is not one we handed out.
  if (inZone % ZoneSlotSize(zone) != 0) return;
  size_t slot = inZone / ZoneSlotSize(zone);
  std::lock_guard<std::mutex> guard(heap.lock);
  unsigned char& bits = heap.bitmap[ZoneBitmapOffset(zone) + slot / 8];
  bits = static_cast<unsigned char>(bits | (1u << (7 - slot % 8)));
  int byte = static_cast<int>(slot / 8);
  if (byte < heap.firstMaybeFree[zone]) heap.firstMaybeFree[zone] = byte;
}

}  // namespace

namespace fixstr {

bool SlotIsFree(const char* p) {
  if (!g_heap || !InsideBlock(*g_heap, p)) return false;
  size_t offset = static_cast<size_t>(p - g_heap->block.get());
  int zone = static_cast<int>(offset / kZoneSize);
  size_t slot = (offset % kZoneSize) / ZoneSlotSize(zone);
  std::lock_guard<std::mutex> guard(g_heap->lock);
  return (g_heap->bitmap[ZoneBitmapOffset(zone) + slot / 8] >> (7 - slot % 8)) & 1u;
}

int ZoneOf(const char* p) {
  if (!g_heap || !InsideBlock(*g_heap, p)) return -1;
  return static_cast<int>((p - g_heap->block.get()) / kZoneSize);
}

}  // namespace fixstr

extern "C" BOOL InitFixStr(void) {
  if (g_heap) return TRUE;
  auto heap = std::unique_ptr<FixStrHeap>(new (std::nothrow) FixStrHeap);
  if (!heap) return FALSE;
  heap->block.reset(new (std::nothrow) char[kBlockSize]);
  if (!heap->block) return FALSE;
  std::memset(heap->bitmap, 0xFF, sizeof heap->bitmap);
  g_heap = std::move(heap);
  return TRUE;
}

extern "C" void TermFixStr(void) { g_heap.reset(); }

extern "C" char* FixStrAlloc(int len) {
  if (len < 0) return nullptr;
  if (len == 0) return g_emptyString;
  if (len >= kLargestSlot || !g_heap) return HeapFallback(len);
  int bits = SignificantBits(len);
  if (bits < 2) bits = 2;
  char* slot = TakeFreeSlot(*g_heap, kZoneCount + 1 - bits);
  return slot ? slot : HeapFallback(len);
}

extern "C" void FreeFixStr(char* str) {
  if (str == nullptr || str == g_emptyString) return;
  if (g_heap && InsideBlock(*g_heap, str)) {
    ReturnSlot(*g_heap, str);
    return;
  }
  std::free(str);
}

extern "C" char* FixStrDup(const char* str) {
  if (str == nullptr) return nullptr;
  size_t len = std::strlen(str);
  if (len > static_cast<size_t>(INT32_MAX) - 1) return nullptr;
  char* copy = FixStrAlloc(static_cast<int>(len));
  if (copy == nullptr || len == 0) return copy;
  std::memcpy(copy, str, len + 1);
  return copy;
}
