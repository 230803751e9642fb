// Clipping of a segment to a rectangle with the clipped ends put on the
// integer (Bresenham) line of the segment as given.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "gdi/clipped_spans.h"

namespace gui::dc {
namespace {

int64_t FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

enum : int { kLeft = 1, kRight = 2, kTop = 4, kBottom = 8 };

int OutCode(const Rect& r, int x, int y) {
  int code = 0;
  if (x < r.left) {
    code |= kLeft;
  } else if (x >= r.right) {
    code |= kRight;
  }
  if (y < r.top) {
    code |= kTop;
  } else if (y >= r.bottom) {
    code |= kBottom;
  }
  return code;
}

// The minor coordinate where the line (origin o, deltas major dM and minor
// dm along the edge's axis) meets the edge at major offset t; `nearEdge`
// is the left or top edge.
int64_t MinorAt(int64_t o, int64_t dM, int64_t dm, int64_t t, bool mostlyAlong, bool nearEdge) {
  if (mostlyAlong) return o + FloorDiv(dM + 2 * t * dm, 2 * dM);
  const bool sameSign = (dM > 0) == (dm > 0);
  if (sameSign)
    return nearEdge ? o + CeilDiv((2 * t - 1) * dm, 2 * dM)
                    : o + CeilDiv((2 * t + 1) * dm, 2 * dM) - 1;
  return nearEdge ? o + FloorDiv((2 * t - 1) * dm, 2 * dM)
                  : o + FloorDiv((2 * t + 1) * dm, 2 * dM) + 1;
}

// One axis-parallel segment: a lies on [lo, hi) of the other axis, b0..b1
// along it, clamped to [bLo, bHi).
bool ClipStraight(int a, int lo, int hi, int* b0, int* b1, int bLo, int bHi) {
  if (a < lo || a >= hi) return false;
  const int bMin = std::min(*b0, *b1), bMax = std::max(*b0, *b1);
  if (bMax < bLo || bMin >= bHi) return false;
  if (bMin >= bLo && bMax < bHi) return true;
  *b0 = std::max(bMin, bLo);
  *b1 = std::min(bMax, bHi - 1);
  return true;
}

}  // namespace

bool LineClipper(const Rect* rect, int* x0, int* y0, int* x1, int* y1) {
  const Rect& r = *rect;
  if (*x0 == *x1 && *y0 == *y1)
    return *x0 >= r.left && *x0 < r.right && *y0 >= r.top && *y0 < r.bottom;
  if (*x0 == *x1) return ClipStraight(*x0, r.left, r.right, y0, y1, r.top, r.bottom);
  if (*y0 == *y1) return ClipStraight(*y0, r.top, r.bottom, x0, x1, r.left, r.right);

  const int64_t ox = *x0, oy = *y0;
  const int64_t dx = static_cast<int64_t>(*x1) - ox, dy = static_cast<int64_t>(*y1) - oy;
  int64_t px[2] = {ox, *x1}, py[2] = {oy, *y1};
  int code[2] = {OutCode(r, *x0, *y0), OutCode(r, *x1, *y1)};
  for (int rounds = 0; rounds < 8; ++rounds) {
    if ((code[0] | code[1]) == 0) {
      *x0 = static_cast<int>(px[0]);
      *y0 = static_cast<int>(py[0]);
      *x1 = static_cast<int>(px[1]);
      *y1 = static_cast<int>(py[1]);
      return true;
    }
    if (code[0] & code[1]) return false;
    const int i = code[0] != 0 ? 0 : 1;
    const int bit = code[i] & -code[i];
    if (bit == kLeft || bit == kRight) {
      px[i] = bit == kLeft ? r.left : r.right - 1;
      py[i] = MinorAt(oy, dx, dy, px[i] - ox, std::llabs(dx) > std::llabs(dy), bit == kLeft);
    } else {
      py[i] = bit == kTop ? r.top : r.bottom - 1;
      px[i] = MinorAt(ox, dy, dx, py[i] - oy, std::llabs(dx) <= std::llabs(dy), bit == kTop);
    }
    code[i] = OutCode(r, static_cast<int>(px[i]), static_cast<int>(py[i]));
  }
  return false;
}

}  // namespace gui::dc
