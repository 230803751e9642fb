// Copying rows of pixel bytes between two buffers of given pitches.
#ifndef GDI_GAL_ROW_COPY_H
#define GDI_GAL_ROW_COPY_H

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace gal {

// Copies and fills larger than the last-level cache are written with
// streaming stores: the destination would not stay in the cache anyway, so
// it is not read in first. Smaller ones stay in the cache for the reader.
size_t streamingBytes();

// Where the processor has 32-byte stores, rows in the cache are filled and
// copied with them: a store a cycle moves twice the bytes, which is what a
// good memset or memcpy does too. Chosen once at run time, as the build
// targets every x86-64; false elsewhere.
bool wideStores();

// 0..15 bytes, inline instead of a library call: two moves that may
// overlap (source and destination do not).
inline void copyTail(uint8_t* dst, const uint8_t* src, size_t bytes) {
  auto two = [&](auto word) {
    std::memcpy(&word, src, sizeof word);
    decltype(word) last;
    std::memcpy(&last, src + bytes - sizeof word, sizeof word);
    std::memcpy(dst, &word, sizeof word);
    std::memcpy(dst + bytes - sizeof word, &last, sizeof word);
  };
  if (bytes >= 8)
    two(uint64_t{});
  else if (bytes >= 4)
    two(uint32_t{});
  else if (bytes >= 2)
    two(uint16_t{});
  else if (bytes == 1)
    *dst = *src;
}

// Non-overlapping rows; picks inline, library or streaming copies by size.
void copyRows(uint8_t* dst, ptrdiff_t dstPitch, const uint8_t* src, ptrdiff_t srcPitch,
              size_t rowBytes, int32_t rows);

}  // namespace gal

#endif
