// Mouse calibration: four affine transforms, each fitted to three of five
// reference points, averaged. Coefficients are fixed point with 10 fraction
// bits; intermediates are 64-bit so that screen-sized inputs cannot
// overflow.
#include <cstdint>
#include <limits>
#include <mutex>
#include <optional>

#include "core/input/ial.h"

namespace {

struct Matrix {
  int32_t a, b, c, d, e, f;
};

struct Sums {
  int64_t a = 0, b = 0, c = 0, d = 0, e = 0, f = 0;
};

// Installed from any thread, applied on the event and cursor threads.
std::mutex g_lock;
std::optional<Sums> g_sums;

bool Fits(int64_t v) {
  return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
}

// Solves one row of the transform (destination coordinate e) for the three
// source points; false when a coefficient leaves 32 bits.
bool SolveRow(int64_t e1, int64_t e2, int64_t dx1, int64_t dx2, int64_t dy1, int64_t dy2, int64_t det,
              int64_t d0, const Point& s0, int32_t* p, int32_t* q, int32_t* r) {
  const int64_t first = (e1 * dy2 - e2 * dy1) * 1024 / det;
  const int64_t second = (e1 * dx2 - e2 * dx1) * 1024 / (-det);
  const int64_t third = d0 * 1024 - first * s0.x - second * s0.y;
  if (!Fits(first) || !Fits(second) || !Fits(third)) return false;
  *p = static_cast<int32_t>(first);
  *q = static_cast<int32_t>(second);
  *r = static_cast<int32_t>(third);
  return true;
}

std::optional<Matrix> Fit(const Point& s0, const Point& s1, const Point& s2, const Point& d0, const Point& d1,
                          const Point& d2) {
  const int64_t dx1 = int64_t{s0.x} - s1.x, dx2 = int64_t{s1.x} - s2.x;
  const int64_t dy1 = int64_t{s0.y} - s1.y, dy2 = int64_t{s1.y} - s2.y;
  const int64_t ex1 = int64_t{d0.x} - d1.x, ex2 = int64_t{d1.x} - d2.x;
  const int64_t ey1 = int64_t{d0.y} - d1.y, ey2 = int64_t{d1.y} - d2.y;
  const int64_t det = dy2 * dx1 - dx2 * dy1;
  if (det == 0) return std::nullopt;
  Matrix m{};
  if (!SolveRow(ex1, ex2, dx1, dx2, dy1, dy2, det, d0.x, s0, &m.a, &m.b, &m.c) ||
      !SolveRow(ey1, ey2, dx1, dx2, dy1, dy2, det, d0.y, s0, &m.d, &m.e, &m.f))
    return std::nullopt;
  return m;
}

int32_t Clamp(int64_t v) {
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(v);
}

}  // namespace

void CalibrateMousePosition(int* x, int* y) {
  std::lock_guard<std::mutex> guard(g_lock);
  if (!g_sums) return;
  const Sums& s = *g_sums;
  const int64_t px = *x, py = *y;
  // The shift divides by 4 for the average and by 1024 for the fraction.
  *x = Clamp((s.a * px + s.b * py + s.c) >> 12);
  *y = Clamp((s.d * px + s.e * py + s.f) >> 12);
}

void ResetMouseCalibration() {
  std::lock_guard<std::mutex> guard(g_lock);
  g_sums.reset();
}

extern "C" BOOL SetMouseCalibrationParameters(const Point* src, const Point* dst) {
  if (!src || !dst) return FALSE;
  static constexpr int kTriples[4][3] = {{0, 1, 4}, {1, 2, 4}, {2, 3, 4}, {0, 3, 4}};
  Sums sums;
  for (const auto& t : kTriples) {
    std::optional<Matrix> m = Fit(src[t[0]], src[t[1]], src[t[2]], dst[t[0]], dst[t[1]], dst[t[2]]);
    if (!m) return FALSE;
    sums.a += m->a, sums.b += m->b, sums.c += m->c;
    sums.d += m->d, sums.e += m->e, sums.f += m->f;
  }
  std::lock_guard<std::mutex> guard(g_lock);
  g_sums = sums;
  return TRUE;
}
