// Gradient boxes with optionally rounded ends, and the two-colour bar.
#include <cstdint>

#include "controls/painters/painter_util.h"
#include "controls/painters/blitters.h"
#include "gui/control_paint.h"
#include "gui/dc.h"

namespace {

// (end - start) * 65536 / steps, halves away from zero.
int32_t RoundedStep(int start, int end, int steps) {
  const int64_t num = static_cast<int64_t>(end - start) * 65536 * 2;
  const int64_t den = static_cast<int64_t>(steps) * 2;
  return static_cast<int32_t>(num >= 0 ? (num + steps) / den : (num - steps) / den);
}

// Rounding away from zero can carry the last step just past the end.
uint8_t Channel(int32_t fixed) {
  const int32_t v = fixed >> 16;
  return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

struct Span {
  int from, to;  // inclusive
};

// The span of line i of n across [lo, hi): the outer lines lose the
// rounding, the second lines one pixel less of it.
Span SpanOf(int i, int n, int lo, int hi, int r1, int r2) {
  if (i == 0 || i == n - 1) return {lo + r1, hi - r2 - 1};
  if (i == 1 || i == n - 2) return {r1 ? lo + r1 - 1 : lo, r2 ? hi - r2 : hi - 1};
  return {lo, hi - 1};
}

}  // namespace

extern "C" {

void GradientSteps(HDC hdc, GalPixel start, GalPixel end, int steps, int32_t increments[3]) {
  uint8_t s[3], e[3];
  Pixel2RGB(hdc, start, &s[0], &s[1], &s[2]);
  Pixel2RGB(hdc, end, &e[0], &e[1], &e[2]);
  // A box one line high has no steps; dividing by zero would crash.
  if (steps < 1) steps = 1;
  for (int i = 0; i < 3; ++i) increments[i] = RoundedStep(s[i], e[i], steps);
}

void DrawGradientBox(HDC hdc, GalPixel start, GalPixel end, int l, int t, int r, int b, BOOL roundStart,
                     BOOL roundEnd, int direction) {
  const bool rows = direction == 0;
  const int n = rows ? b - t : r - l;
  if (n < 1 || r <= l || b <= t) return;
  const int r1 = roundStart ? 2 : 0, r2 = roundEnd ? 2 : 0;
  int32_t inc[3];
  GradientSteps(hdc, start, end, n - 1, inc);
  uint8_t c[3];
  Pixel2RGB(hdc, start, &c[0], &c[1], &c[2]);
  int32_t acc[3] = {c[0] * 65536, c[1] * 65536, c[2] * 65536};
  for (int i = 0; i < n; ++i) {
    GalPixel pixel = RGB2Pixel(hdc, Channel(acc[0]), Channel(acc[1]), Channel(acc[2]));
    if (rows) {
      const Span s = SpanOf(i, n, l, r, r1, r2);
      painters::Fill(hdc, pixel, s.from, b - 1 - i, s.to - s.from + 1, 1);
    } else {
      const Span s = SpanOf(i, n, t, b, r1, r2);
      painters::Fill(hdc, pixel, l + i, s.from, 1, s.to - s.from + 1);
    }
    for (int k = 0; k < 3; ++k) acc[k] += inc[k];
  }
}

void DrawTwoColorBar(HDC hdc, GalPixel first, GalPixel second, int l, int t, int r, int b, int value, int maximum,
                     BOOL horizontal) {
  // A maximum of 0 or a negative value has no split; painting anyway would
  // divide by zero or spill outside the box.
  if (maximum <= 0 || value < 0 || value > maximum) return;
  if (!horizontal) {
    const int split = static_cast<int>(static_cast<int64_t>(b - t) * value / maximum);
    painters::Fill(hdc, first, l, t, r - l, split);
    painters::Fill(hdc, second, l, t + split, r - l, b - t - split);
    return;
  }
  const int split = static_cast<int>(static_cast<int64_t>(r - l) * value / maximum);
  painters::Fill(hdc, first, l, t, split, b - t);
  painters::Fill(hdc, second, l + split, t, r - l - split, b - t);
}

}  // extern "C"
