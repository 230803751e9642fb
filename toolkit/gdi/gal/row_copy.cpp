// Row copies. Copies larger than the caches are written with streaming
// stores, so the destination (usually the frame buffer) is not read first;
// short rows are copied inline, saving a library call per row.
#include "gdi/gal/row_copy.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr size_t kShortRowBytes = 256;
constexpr size_t kStreamingBytes = 256 * 1024;

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

// Whole 16-byte blocks, four at a time; the 0..15 bytes left by memcpy.
template <typename Store>
void blockRow(uint8_t* dst, const uint8_t* src, size_t bytes) {
  for (; bytes >= 64; bytes -= 64, dst += 64, src += 64) {
    __m128i a = load(src), b = load(src + 16), c = load(src + 32), d = load(src + 48);
    Store::store(dst, a);
    Store::store(dst + 16, b);
    Store::store(dst + 32, c);
    Store::store(dst + 48, d);
  }
  for (; bytes >= 16; bytes -= 16, dst += 16, src += 16) Store::store(dst, load(src));
  std::memcpy(dst, src, bytes);
}

// Streaming stores need 16-byte aligned destinations: the head goes first.
void streamRow(uint8_t* dst, const uint8_t* src, size_t bytes) {
  size_t head = (16 - (reinterpret_cast<uintptr_t>(dst) & 15)) & 15;
  std::memcpy(dst, src, head);
  blockRow<StreamingStore>(dst + head, src + head, bytes - head);
}
#endif

}  // namespace

namespace gal {

void copyRows(uint8_t* dst, ptrdiff_t dstPitch, const uint8_t* src, ptrdiff_t srcPitch,
              size_t rowBytes, int32_t rows) {
#if defined(__SSE2__)
  if (rowBytes < kShortRowBytes) {
    for (int32_t row = 0; row < rows; ++row, src += srcPitch, dst += dstPitch)
      blockRow<PlainStore>(dst, src, rowBytes);
    return;
  }
  if (rowBytes * static_cast<size_t>(rows) >= kStreamingBytes) {
    for (int32_t row = 0; row < rows; ++row, src += srcPitch, dst += dstPitch)
      streamRow(dst, src, rowBytes);
    _mm_sfence();
    return;
  }
#endif
  libraryRows(dst, dstPitch, src, srcPitch, rowBytes, rows);
}

}  // namespace gal
