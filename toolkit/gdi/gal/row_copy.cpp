// Row copies. Copies larger than the caches are written with streaming
// stores, so the destination (usually the frame buffer) is not read first;
// short rows are copied inline, saving a library call per row.
#include "gdi/gal/row_copy.h"

#include <unistd.h>

#include <cstring>

#include <atomic>

#include "gdi/gal_internal.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define GAL_WIDE_COPIES 1
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

#if defined(GAL_WIDE_COPIES)
std::atomic<bool> g_narrowOnly{false};

__attribute__((target("avx2"))) inline __m256i load32(const uint8_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
__attribute__((target("avx2"))) inline void store32(uint8_t* p, __m256i v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }

// As blockRow, in 32-byte blocks, for rows of 32 bytes or more: up to 128
// bytes are two or four blocks that may overlap, longer rows go four blocks
// at a time and end with a block at the row's end.
__attribute__((target("avx2"))) void wideRows(uint8_t* dst, ptrdiff_t dstPitch, const uint8_t* src,
                                               ptrdiff_t srcPitch, size_t rowBytes, int32_t rows) {
  if (rowBytes <= 64) {
    for (int32_t row = 0; row < rows; ++row, src += srcPitch, dst += dstPitch) {
      const __m256i first = load32(src), last = load32(src + rowBytes - 32);
      store32(dst, first);
      store32(dst + rowBytes - 32, last);
    }
  } else if (rowBytes <= 128) {  // four blocks, the last two ending at the row's end
    for (int32_t row = 0; row < rows; ++row, src += srcPitch, dst += dstPitch) {
      const __m256i a = load32(src), b = load32(src + 32), c = load32(src + rowBytes - 64),
                    d = load32(src + rowBytes - 32);
      store32(dst, a);
      store32(dst + 32, b);
      store32(dst + rowBytes - 64, c);
      store32(dst + rowBytes - 32, d);
    }
  } else {
    for (int32_t row = 0; row < rows; ++row, src += srcPitch, dst += dstPitch) {
      size_t o = 0;
      for (; o + 128 <= rowBytes; o += 128) {
        const __m256i a = load32(src + o), b = load32(src + o + 32), c = load32(src + o + 64),
                      d = load32(src + o + 96);
        store32(dst + o, a);
        store32(dst + o + 32, b);
        store32(dst + o + 64, c);
        store32(dst + o + 96, d);
      }
      for (; o + 32 <= rowBytes; o += 32) store32(dst + o, load32(src + o));
      if (o < rowBytes) store32(dst + rowBytes - 32, load32(src + rowBytes - 32));
    }
  }
  _mm256_zeroupper();
}
#endif

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

bool wideStores() {
#if defined(GAL_WIDE_COPIES)
  static const bool has = __builtin_cpu_supports("avx2");
  return has && !g_narrowOnly.load(std::memory_order_relaxed);
#else
  return false;
#endif
}

void narrowStoresOnlyForTest(bool on) {
#if defined(GAL_WIDE_COPIES)
  g_narrowOnly = on;
#else
  (void)on;
#endif
}

void copyRows(uint8_t* dst, ptrdiff_t dstPitch, const uint8_t* src, ptrdiff_t srcPitch,
              size_t rowBytes, int32_t rows) {
#if defined(GAL_WIDE_COPIES)
  if (rowBytes >= 32 && rowBytes < kShortRowBytes && wideStores()) {
    wideRows(dst, dstPitch, src, srcPitch, rowBytes, rows);
    return;
  }
#endif
#if defined(__SSE2__)
  if (rowBytes >= 16 && rowBytes <= 32) {  // two blocks a row that may overlap
    for (int32_t row = 0; row < rows; ++row, src += srcPitch, dst += dstPitch) {
      const __m128i first = load(src), last = load(src + rowBytes - 16);
      PlainStore::store(dst, first);
      PlainStore::store(dst + rowBytes - 16, last);
    }
    return;
  }
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
