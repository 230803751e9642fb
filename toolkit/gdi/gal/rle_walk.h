// Walking the segments of a run-length code with every read bounded.
#ifndef GDI_GAL_RLE_WALK_H
#define GDI_GAL_RLE_WALK_H

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "gdi/gal/rle_code.h"

namespace gal::rle {

struct Reader {
  const uint8_t* p;
  const uint8_t* end;
  const uint8_t* begin;

  explicit Reader(const Code& c, size_t from = 0)
      : p(c.bytes + (from < c.size ? from : c.size)), end(c.bytes + c.size), begin(c.bytes) {}
  // A skip and a run count, read together.
  bool segment(int width, uint32_t* skip, uint32_t* n) {
    if (end - p < 2 * width) return false;
    if (width == 2) {
      *skip = static_cast<uint32_t>(p[0] | p[1] << 8);
      *n = static_cast<uint32_t>(p[2] | p[3] << 8);
    } else {
      *skip = p[0];
      *n = p[1];
    }
    p += 2 * width;
    return true;
  }
  const uint8_t* take(size_t n) {
    if (static_cast<size_t>(end - p) < n) return nullptr;
    const uint8_t* at = p;
    p += n;
    return at;
  }
  // Skips to the next multiple of 4 from the start of the code.
  void align4() {
    size_t at = static_cast<size_t>(p - begin);
    size_t pad = (4 - (at & 3)) & 3;
    p = static_cast<size_t>(end - p) < pad ? end : p + pad;
  }
};

// The bytes of one segment's counts as one number: two 8-bit counts
// (CountBytes 2) or two 16-bit ones (4).
template <size_t CountBytes>
inline uint32_t readCounts(const uint8_t* p) {
  if constexpr (CountBytes == 4) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
  } else {
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
  }
}

enum class Walk { kRowDone, kEnd, kDamaged };

// One row (or one part of a row) of segments; `run(offset, n, pixels)` for
// every run. A (0, 0) segment at the start ends the code when `endAllowed`,
// anywhere else it is damage, as is a row running past `width`.
template <typename Run>
Walk walkRow(Reader& r, int width, int countWidth, int pixelBytes, bool endAllowed, Run run) {
  uint32_t offset = 0, w = static_cast<uint32_t>(width);
  bool first = true;
  while (offset < w || first) {
    uint32_t skip, n;
    if (!r.segment(countWidth, &skip, &n)) return Walk::kDamaged;
    if (skip == 0 && n == 0) return first && endAllowed ? Walk::kEnd : Walk::kDamaged;
    first = false;
    offset += skip;
    if (offset + n > w) return Walk::kDamaged;
    const uint8_t* pixels = r.take(static_cast<size_t>(n) * pixelBytes);
    if (!pixels) return Walk::kDamaged;
    if (n) run(offset, n, pixels);
    offset += n;
  }
  return Walk::kRowDone;
}

}  // namespace gal::rle

#endif
