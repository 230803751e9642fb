// Rectangle outlines, focus rectangles and dotted lines.
#include <algorithm>
#include <cstdint>

#include "gdi/clipped_spans.h"
#include "gdi/dc/pixel_api.h"
#include "gdi/dc/pixel_ops.h"
#include "gdi/outline_rings.h"
#include "gui/dc.h"
#include "gui/display.h"

namespace gui::dc {
namespace {

// Single dots only show on shallow colour modes.
bool DrawsSingleDots() { return GetDeviceColorDepth() < 16; }

Rect ConvertedCorners(const DC* dc, int x0, int y0, int x1, int y1) {
  LogicalToDevice(dc, &x0, &y0);
  LogicalToDevice(dc, &x1, &y1);
  return Rect{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

// Ring i of an outline, corners included: the outline moved i pixels in
// on every side, its corners put in order again once the ring has passed
// the middle (as Rectangle orders the corners it is given).
struct Ring {
  int64_t left, top, right, bottom;
};

Ring RingAt(const Rect& outer, int64_t i) {
  const int64_t l = outer.left + i, r = outer.right - i, t = outer.top + i, b = outer.bottom - i;
  return Ring{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

// A coordinate outside [low, high) moved to just outside it: what shows of
// a ring within the bound stays the same, and the spans' sums cannot wrap.
int Near(int64_t v, int low, int high) { return static_cast<int>(std::clamp<int64_t>(v, int64_t{low} - 1, high)); }

// Top and bottom rows cover the corners, the sides the rows from top up to
// but not including bottom. A one-column outline keeps its bottom corner,
// as a one-row one keeps both ends; a single point is not drawn.
void DrawRing(DC* dc, const Ring& ring, const Rect& bound) {
  if (ring.left == ring.right && ring.top == ring.bottom) return;
  const int l = Near(ring.left, bound.left, bound.right), r = Near(ring.right, bound.left, bound.right);
  const int t = Near(ring.top, bound.top, bound.bottom), b = Near(ring.bottom, bound.top, bound.bottom);
  DrawClippedRun(dc, l, r, t);
  if (ring.top != ring.bottom) DrawClippedRun(dc, l, r, b);
  DrawClippedVLine(dc, t, b, l);
  if (ring.left != ring.right) DrawClippedVLine(dc, t, b, r);
}

struct Span {
  int64_t first, last;  // ring indices, both included
};

// At most one run of ring indices per edge, sorted and merged in place:
// this runs for every Rectangle, so it allocates nothing.
struct Spans {
  Span at[4];
  int count = 0;
  const Span* begin() const { return at; }
  const Span* end() const { return at + count; }
};

// The rings that may have a pixel in the bound, in order: every pixel of
// ring i lies on column left + i or right - i, or on row top + i or
// bottom - i, so each edge meets the bound for one run of indices no
// longer than the bound is wide or high.
Spans RingsMeeting(const Rect& outer, int64_t count, const Rect& bound) {
  const int64_t bl = bound.left, br = bound.right, bt = bound.top, bb = bound.bottom;
  const int64_t l = outer.left, r = outer.right, t = outer.top, b = outer.bottom;
  const Span runs[] = {{bl - l, br - 1 - l}, {r - br + 1, r - bl}, {bt - t, bb - 1 - t}, {b - bb + 1, b - bt}};
  Span found[4];
  int n = 0;
  for (Span s : runs) {  // insertion sort by first index as they come
    s.first = std::max<int64_t>(s.first, 0);
    s.last = std::min(s.last, count - 1);
    if (s.first > s.last) continue;
    int k = n++;
    for (; k > 0 && found[k - 1].first > s.first; --k) found[k] = found[k - 1];
    found[k] = s;
  }
  Spans merged;
  for (int k = 0; k < n; ++k) {
    Span* last = merged.count ? &merged.at[merged.count - 1] : nullptr;
    if (last && found[k].first <= last->last + 1)
      last->last = std::max(last->last, found[k].last);
    else
      merged.at[merged.count++] = found[k];
  }
  return merged;
}

// A box in 64 bits cut to the bound: a rectangle, or nothing.
Rect CutTo(int64_t left, int64_t top, int64_t right, int64_t bottom, const Rect& bound) {
  left = std::max<int64_t>(left, bound.left);
  top = std::max<int64_t>(top, bound.top);
  right = std::min<int64_t>(right, bound.right);
  bottom = std::min<int64_t>(bottom, bound.bottom);
  if (left >= right || top >= bottom) return Rect{};
  return Rect{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom)};
}

// The box of the rings from the first to the last, cut to the bound: a
// ring's width and height shrink to the middle and then grow again, so
// the two ends hold every ring between them.
Rect RingsBound(const Rect& outer, const Spans& spans, const Rect& bound) {
  const Ring a = RingAt(outer, spans.at[0].first), z = RingAt(outer, spans.at[spans.count - 1].last);
  return CutTo(std::min(a.left, z.left), std::min(a.top, z.top), std::max(a.right, z.right) + 1,
               std::max(a.bottom, z.bottom) + 1, bound);
}

// What lies inside the innermost ring, within the output; empty when the
// rings reach the middle.
Rect RingsHole(const Rect& outer, int64_t count, const Rect& output) {
  return CutTo(outer.left + count, outer.top + count, int64_t{outer.right} - count + 1,
               int64_t{outer.bottom} - count + 1, output);
}

int64_t RingsOf(const OutlineBand& band) { return std::clamp<int64_t>(band.rings, 0, INT32_MAX); }

// Every ring of the bands under one drawing: one lock, one cursor guard,
// one flush. The outline's corners are in order.
void DrawRings(DC* dc, const Rect& outer, const OutlineBand* bands, int bandCount, int step) {
  int64_t total = 0;
  for (int k = 0; k < bandCount; ++k) total += RingsOf(bands[k]);
  if (total == 0) return;
  const Rect bound = dc->effClip.rcBound;
  const Spans spans = RingsMeeting(outer, total, bound);
  if (spans.count == 0) return;
  dc->rcOutput = RingsBound(outer, spans, bound);
  if (IsRectEmpty(&dc->rcOutput)) return;
  dc->rcOutputHole = RingsHole(outer, total, dc->rcOutput);
  DrawingScope drawing(dc);
  if (!drawing) return;
  int band = -1;
  int64_t bandEnd = 0;
  for (const Span& s : spans) {
    for (int64_t i = s.first; i <= s.last; ++i) {
      if (i >= bandEnd) {
        while (i >= bandEnd) bandEnd += RingsOf(bands[++band]);
        PreparePen(dc, bands[band].pixel, step);
      }
      DrawRing(dc, RingAt(outer, i), bound);
    }
  }
}

// Sets a raster operation for one drawing and puts the old one back.
class RopOverride {
 public:
  RopOverride(DC* dc, int rop) : dc_(dc), saved_(dc->rop) { Set(rop); }
  ~RopOverride() { Set(saved_); }
  RopOverride(const RopOverride&) = delete;
  RopOverride& operator=(const RopOverride&) = delete;

 private:
  void Set(int rop) {
    dc_->rop = rop;
    SelectRopOps(dc_);
  }
  DC* dc_;
  int saved_;
};

}  // namespace

void DrawOutlineRings(HDC hdc, int x0, int y0, int x1, int y1, const OutlineBand* bands, int bandCount) {
  if (!bands || bandCount <= 0) return;
  LockedDC dc(hdc);
  if (!dc) return;
  DrawRings(dc.get(), ConvertedCorners(dc.get(), x0, y0, x1, y1), bands, bandCount, 1);
}

}  // namespace gui::dc

using namespace gui::dc;

extern "C" {

void Rectangle(HDC hdc, int x0, int y0, int x1, int y1) {
  LockedDC dc(hdc);
  if (!dc) return;
  const OutlineBand ring{1, dc->penColor};
  DrawRings(dc.get(), ConvertedCorners(dc.get(), x0, y0, x1, y1), &ring, 1, 1);
}

void FocusRect(HDC hdc, int x0, int y0, int x1, int y1) {
  LockedDC dc(hdc);
  if (!dc) return;
  const Rect r = ConvertedCorners(dc.get(), x0, y0, x1, y1);
  RopOverride xorPen(dc.get(), ROP_XOR);
  if (r.left == r.right && r.top == r.bottom) {
    if (!DrawsSingleDots()) return;
    PreparePen(dc.get(), dc->penColor, 1);
    DrawClippedPixel(dc.get(), r.left, r.top);
    return;
  }
  const OutlineBand ring{1, dc->penColor};
  DrawRings(dc.get(), r, &ring, 1, 2);
  dc->step = 1;
}

void DrawHVDotLine(HDC hdc, int x, int y, int length, BOOL horizontal) {
  if (length < 1) return;
  LockedDC dc(hdc);
  if (!dc) return;
  LogicalToDevice(dc.get(), &x, &y);
  if (length == 1) {
    if ((horizontal ? x : y) % 2 != 0 || !DrawsSingleDots()) return;
    PreparePen(dc.get(), dc->penColor, 1);
    DrawClippedPixel(dc.get(), x, y);
    return;
  }
  PreparePen(dc.get(), dc->penColor, 2);
  dc->rcOutput = horizontal ? Rect{x, y, x + length + 1, y + 2} : Rect{x, y, x + 2, y + length + 1};
  {
    DrawingScope drawing(dc.get());
    if (drawing) {
      if (horizontal) {
        DrawClippedHLine(dc.get(), x, x + length, y);
      } else {
        DrawClippedVLine(dc.get(), y, y + length, x);
      }
    }
  }
  dc->step = 1;  // later solid drawing must not inherit the dots
}

}  // extern "C"
