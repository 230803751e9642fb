// Text copied into a caller's buffer: the caller's size is taken whole, in
// size_t, so a size of 2^31 or more bounds the copy as any other does.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace barkit {

// At most size - 1 bytes of the text and always the terminator; the bytes
// copied. Nothing is written to a null buffer or one of size 0.
inline size_t CopyTerminated(char* out, size_t size, const char* text, size_t length) {
  if (!out || size == 0) return 0;
  const size_t n = std::min(length, size - 1);
  if (n) std::memcpy(out, text, n);
  out[n] = '\0';
  return n;
}

}  // namespace barkit
