// 16.16 arc tangent, square root and hypotenuse from lookup tables.
#include <cerrno>
#include <cmath>
#include <cstdint>

#include "gdi/dc/fixed_tables.h"

namespace {

constexpr fixed kQuarterTurn = 0x400000;
constexpr fixed kHalfTurn = 0x800000;

int BitLength(uint32_t v) {
  int bits = 0;
  for (; v != 0; v >>= 1) ++bits;
  return bits;
}

int RoundDownToEven(int v) { return v & ~1; }

fixed WithSignOf(fixed magnitude, fixed sign) { return sign < 0 ? -magnitude : magnitude; }

}  // namespace

extern "C" {

fixed fixatan(fixed x) {
  int lo = x >= 0 ? 0 : 128;
  int hi = x >= 0 ? 127 : 255;
  int mid = 0;
  do {
    mid = (lo + hi) >> 1;
    if (x > _tan_tbl[mid]) {
      lo = mid + 1;
    } else if (x < _tan_tbl[mid]) {
      hi = mid - 1;
    } else {
      break;
    }
  } while (lo <= hi);
  return x >= 0 ? mid * 0x8000 : (mid - 256) * 0x8000;
}

fixed fixatan2(fixed y, fixed x) {
  if (x == 0) {
    if (y == 0) {
      errno = EDOM;
      return 0;
    }
    return WithSignOf(kQuarterTurn, y);
  }
  errno = 0;
  const double r = static_cast<double>(y) / x;
  if (r < -32767.0 || r > 32767.0) return WithSignOf(kQuarterTurn, y);
  const fixed a = fixatan(static_cast<fixed>(std::round(r * 65536.0)));
  if (x >= 0) return a;
  return y >= 0 ? a + kHalfTurn : a - kHalfTurn;
}

fixed fixsqrt(fixed x) {
  if (x < 0) {
    errno = EDOM;
    return 0;
  }
  if (x == 0) return 0;
  const int e = RoundDownToEven(BitLength(static_cast<uint32_t>(x) >> 6));
  const uint32_t root = static_cast<uint32_t>(gui::kSqrtTable[x >> e]) << (e / 2);
  return static_cast<fixed>(root >> 4);
}

fixed fixhypot(fixed x, fixed y) {
  const uint64_t s = static_cast<uint64_t>(static_cast<int64_t>(x) * x) +
                     static_cast<uint64_t>(static_cast<int64_t>(y) * y);
  // The table's bias would turn a zero length into 45/65536.
  if (s == 0) return 0;
  const auto high = static_cast<uint32_t>(s >> 32);
  if (high > 0x3FFFFFFF) {
    errno = ERANGE;
    return 0x7FFFFFFF;
  }
  if (high != 0) {
    const int e = RoundDownToEven(34 - __builtin_clz(high));
    return static_cast<fixed>(static_cast<uint32_t>(gui::kSqrtTable[(s >> e) >> 24]) << (e / 2));
  }
  const auto low = static_cast<uint32_t>(s);
  const int e = RoundDownToEven(BitLength(low >> 22));
  const uint32_t root = static_cast<uint32_t>(gui::kSqrtTable[(low >> 16) >> e]) << (e / 2);
  return static_cast<fixed>(root >> 4);
}

}  // extern "C"
