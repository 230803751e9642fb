// Circle, ellipse and arc generators: the shapes as spans or points handed
// to a call-back, so drawing and region building share one algorithm.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "gui/fixed_math.h"

namespace {

// Radians per 1/64 degree.
constexpr double kArcUnitToRadians = 0.000272707695624114;

void MirroredSpan(void* context, SpanCallback cb, int cx, int halfWidth, int cy, int dy) {
  cb(context, cx - halfWidth, cx + halfWidth, cy + dy);
  if (dy != 0) cb(context, cx - halfWidth, cx + halfWidth, cy - dy);
}

// One octant of a circle of radius `major` traced with the 26.6 rotation
// recurrence; the minor axis is scaled by minor / major. Reports spans in
// the orientation given by `wide`.
void TraceEllipse(void* context, int cx, int cy, int major, int minor, bool wide,
                  SpanCallback cb) {
  int u = major * 64;
  int v = 0;
  int prevTx = 65535, prevTy = 65535, prevA = 65535, prevB = 65535;
  for (;;) {
    const int ty = (v + 32) >> 6;
    const int tx = (u + 32) >> 6;
    const int a = ty * minor / major;
    const int b = tx * minor / major;
    if (wide) {
      if ((ty != prevTy || b != prevB) && ty < prevTx) MirroredSpan(context, cb, cx, ty, cy, b);
      if ((tx != prevTx || a != prevA) && tx > ty) MirroredSpan(context, cb, cx, tx, cy, a);
    } else {
      if ((a != prevA || tx != prevTx) && ty < tx) MirroredSpan(context, cb, cx, a, cy, tx);
      if ((b != prevB || ty != prevTy) && ty < prevTx) MirroredSpan(context, cb, cx, b, cy, ty);
    }
    prevTx = tx;
    prevTy = ty;
    prevA = a;
    prevB = b;
    v += u / major;
    u -= v / major;
    if (ty >= tx) break;
  }
}

int RoundHalfAway(double v) { return static_cast<int>(std::lround(v)); }

int QuadrantOf(int x, int y) {
  if (x >= 0 && y <= 0) return 0;
  if (x < 0 && y < 0) return 1;
  if (x < 0) return 2;
  return 3;
}

int64_t CircleError(int64_t x, int64_t y, int64_t r) { return std::llabs(x * x + y * y - r * r); }

}  // namespace

extern "C" {

void CircleGenerator(void* context, int cx, int cy, int r, SpanCallback cb) {
  int x = 0, y = r;
  int d = 1 - r, dE = 3, dSE = 5 - 2 * r;
  while (x <= y) {
    MirroredSpan(context, cb, cx, x, cy, y);
    if (x != y) MirroredSpan(context, cb, cx, y, cy, x);
    if (d >= 0) {
      d += dSE;
      dSE += 4;
      dE += 2;
      --y;
    } else {
      d += dE;
      dE += 2;
      dSE += 2;
    }
    ++x;
  }
}

void EllipseGenerator(void* context, int cx, int cy, int rx, int ry, SpanCallback cb) {
  if (rx < 1) rx = 1;
  if (ry < 1) ry = 1;
  if (rx > ry) {
    TraceEllipse(context, cx, cy, rx, ry, true, cb);
  } else {
    TraceEllipse(context, cx, cy, ry, rx, false, cb);
  }
}

void CircleArcGenerator(void* context, int cx, int cy, int r, int start, int sweep,
                        PointCallback cb) {
  if (r < 1) {
    cb(context, cx, cy);
    return;
  }
  const int64_t from = sweep < 0 ? static_cast<int64_t>(start) + sweep : start;
  const int64_t to = sweep < 0 ? start : static_cast<int64_t>(start) + sweep;
  const double a0 = static_cast<double>(from) * kArcUnitToRadians;
  const double a1 = static_cast<double>(to) * kArcUnitToRadians;
  const int xs = RoundHalfAway(r * std::cos(a0)), ys = RoundHalfAway(-r * std::sin(a0));
  const int xe = RoundHalfAway(r * std::cos(a1)), ye = RoundHalfAway(-r * std::sin(a1));

  const int q = QuadrantOf(xs, ys);
  int qe = QuadrantOf(xe, ye);
  if (q > qe) qe += 4;
  int stepY = ((q + 1) & 2) ? 1 : -1;
  int stepX = (q & 2) ? 1 : -1;
  // An arc that ends in its start quadrant behind the start, or a whole
  // turn, goes round the circle first instead of stopping at once.
  const bool endBehind = static_cast<int64_t>(xe - xs) * stepX < 0 ||
                         static_cast<int64_t>(ye - ys) * stepY < 0;
  if (qe == q && (endBehind || std::llabs(static_cast<int64_t>(sweep)) >= 360 * 64)) qe += 4;

  int x = xs, y = ys, quadrant = q;
  // Enough steps for the whole walk; guards against endless loops on
  // radii whose squares do not fit the error terms.
  const int64_t maxSteps = 16 * (std::llabs(static_cast<int64_t>(r)) + 2);
  for (int64_t steps = 0; steps < maxSteps; ++steps) {
    const bool even = (quadrant & 1) == 0;
    if (even ? x == 0 : y == 0) {
      if (quadrant == qe) break;
      ++quadrant;
      if (even) {
        stepY = -stepY;
      } else {
        stepX = -stepX;
      }
    }
    if (quadrant == qe && static_cast<int64_t>(x - xe) * stepX >= 0 &&
        static_cast<int64_t>(y - ye) * stepY >= 0) {
      break;
    }
    cb(context, cx + x, cy + y);
    const int64_t errX = CircleError(x + stepX, y, r);
    const int64_t errY = CircleError(x, y + stepY, r);
    const int64_t errXY = CircleError(x + stepX, y + stepY, r);
    const bool onlyX = errX <= errY && errX <= errXY;
    const bool onlyY = !onlyX && errY < errX && errY < errXY;
    if (!onlyY) x += stepX;
    if (!onlyX) y += stepY;
  }
  if (!(x == xs && y == ys && qe != q)) cb(context, cx + x, cy + y);
}

}  // extern "C"
