// Row copies. Copies larger than the caches are written with streaming
// stores, so the destination (usually the frame buffer) is not read first;
// short rows are copied inline, saving a library call per row.
#include "gdi/gal/row_copy.h"

#include <unistd.h>

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr size_t kShortRowBytes = 256;

void libraryRows(uint8_t* dst, ptrdiff_t dstPitch, const uint8_t* src, ptrdiff_t srcPitch,
                 size_t rowBytes, int32_t rows) {
  for (int32_t row = 0; row < rows; ++row, src += srcPitch, dst += dstPitch)
    std::memcpy(dst, src, rowBytes);
}

#if defined(__SSE2__)
struct StreamingStore {
  static void store(uint8_t* p, __m128i v) { _mm_stream_si128(reinterpret_cast<__m128i*>(p), v); }
};
struct PlainStore {
  static void store(uint8_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
};

__m128i load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

// Whole 16-byte blocks, four at a time; what is left is one more block
// ending at the row's end, overlapping the one before (rows of 16 bytes or
// more), or copied inline.
template <typename Store>
void blockRow(uint8_t* dst, const uint8_t* src, size_t bytes) {
  if (bytes < 16) {
    gal::copyTail(dst, src, bytes);
    return;
  }
  uint8_t* const dstEnd = dst + bytes;
  const uint8_t* const srcEnd = src + bytes;
  if (bytes <= 32) {
    const __m128i first = load(src), last = load(srcEnd - 16);
    Store::store(dst, first);
    PlainStore::store(dstEnd - 16, last);
    return;
  }
  for (; bytes >= 64; bytes -= 64, dst += 64, src += 64) {
    __m128i a = load(src), b = load(src + 16), c = load(src + 32), d = load(src + 48);
    Store::store(dst, a);
    Store::store(dst + 16, b);
    Store::store(dst + 32, c);
    Store::store(dst + 48, d);
  }
  for (; bytes >= 16; bytes -= 16, dst += 16, src += 16) Store::store(dst, load(src));
  if (bytes) PlainStore::store(dstEnd - 16, load(srcEnd - 16));
}

// Streaming stores need 16-byte aligned destinations: the head goes first.
void streamRow(uint8_t* dst, const uint8_t* src, size_t bytes) {
  size_t head = (16 - (reinterpret_cast<uintptr_t>(dst) & 15)) & 15;
  gal::copyTail(dst, src, head);
  blockRow<StreamingStore>(dst + head, src + head, bytes - head);
}
#endif

}  // namespace

namespace gal {

size_t streamingBytes() {
  static const size_t bytes = [] {
    long size = 0;
#if defined(_SC_LEVEL3_CACHE_SIZE)
    size = sysconf(_SC_LEVEL3_CACHE_SIZE);
    if (size <= 0) size = sysconf(_SC_LEVEL2_CACHE_SIZE);
#endif
    return size > 0 ? static_cast<size_t>(size) : size_t{8} << 20;
  }();
  return bytes;
}

void copyRows(uint8_t* dst, ptrdiff_t dstPitch, const uint8_t* src, ptrdiff_t srcPitch,
              size_t rowBytes, int32_t rows) {
#if defined(__SSE2__)
  if (rowBytes < kShortRowBytes) {
    for (int32_t row = 0; row < rows; ++row, src += srcPitch, dst += dstPitch)
      blockRow<PlainStore>(dst, src, rowBytes);
    return;
  }
  if (rowBytes * static_cast<size_t>(rows) > streamingBytes()) {
    for (int32_t row = 0; row < rows; ++row, src += srcPitch, dst += dstPitch)
      streamRow(dst, src, rowBytes);
    _mm_sfence();
    return;
  }
#endif
  libraryRows(dst, dstPitch, src, srcPitch, rowBytes, rows);
}

}  // namespace gal
