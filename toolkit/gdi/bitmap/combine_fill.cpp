// The three-part skin fill: head, repeated middle and tail thirds of a
// bitmap along a box, centred across it.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "gdi/bitmap/box_drawing.h"
#include "gdi/bitmap/combine_plan.h"
#include "gdi/dc/rect_inline.h"
#include "gui/bitmap.h"

namespace gui::dc {

namespace {

class Planner {
 public:
  explicit Planner(const CombineRequest& r) : r_(r) {
    const int k = r.cross < 1 ? r.bitmapCross : r.cross;
    if (r.bitmapCross < k) {
      offset_ = (k - r.bitmapCross) / 2;
    } else {
      crop_ = (r.bitmapCross - k) / 2;
    }
  }

  int crop() const { return crop_; }

  // The indices [first, last) of the `count` pieces of `length` from `at`
  // that meet the visible part.
  std::pair<int, int> visibleRun(int at, int count, int length) const {
    const int64_t base = int64_t{r_.start} + at;
    const int64_t from = std::max(r_.visibleFrom, base);
    const int64_t to = std::min(r_.visibleTo, base + int64_t{count} * length);
    if (from >= to) return {0, 0};
    return {static_cast<int>((from - base) / length), static_cast<int>((to - base + length - 1) / length)};
  }

  void centred(int at, int length, int from) {
    put({0, length, from, r_.crossStart + offset_, r_.bitmapCross - 2 * crop_, crop_, false}, at);
  }
  // The vertical fill with head and tail draws at the box's edge with the
  // bitmap's full cross size.
  void uncentred(int at, int length, int from) {
    put({0, length, from, r_.crossStart, r_.bitmapCross, 0, false}, at);
  }
  void wholeTile(int at) { put({0, r_.bitmapAlong, 0, r_.crossStart, r_.bitmapCross, 0, true}, at); }

  std::vector<CombinePiece> out;

 private:
  void put(CombinePiece piece, int at) {
    const int64_t along = int64_t{r_.start} + at;
    if (along >= r_.visibleTo || along + piece.length <= r_.visibleFrom || along > INT_MAX) return;
    piece.along = static_cast<int>(along);
    out.push_back(piece);
  }

  const CombineRequest& r_;
  int offset_ = 0, crop_ = 0;
};

void Tile(Planner& p, int length, int b) {
  const auto [first, last] = p.visibleRun(0, length / b, b);
  for (int i = first; i < last; ++i) {
    if (p.crop() == 0)
      p.wholeTile(i * b);
    else
      p.centred(i * b, b, 0);
  }
  if (length % b) p.centred(length / b * b, length % b, 0);
}

// Middle thirds from `at`: whole ones, then the remainder.
template <typename Put>
void Middles(const Planner& p, Put put, int at, int span, int t) {
  const int n = span / t;
  const auto [first, last] = p.visibleRun(at, n, t);
  for (int i = first; i < last; ++i) put(at + i * t, t, t);
  if (span % t) put(at + n * t, span % t, t);
}

}  // namespace

std::vector<CombinePiece> PlanCombineFill(const CombineRequest& r) {
  Planner p(r);
  const int b = r.bitmapAlong, l = r.length;
  if (b < 1 || r.bitmapCross < 1 || l < 1) return {};
  if (b % 3 != 0) {
    Tile(p, l, b);
    return std::move(p.out);
  }
  const int t = b / 3;
  auto centred = [&p](int at, int len, int from) { p.centred(at, len, from); };
  auto uncentred = [&p](int at, int len, int from) { p.uncentred(at, len, from); };
  if (l < 2 * t || (!r.head && !r.tail)) {
    Middles(p, centred, 0, l, t);
  } else if (r.head && r.tail) {
    auto put = [&](int at, int len, int from) {
      r.vertical ? uncentred(at, len, from) : centred(at, len, from);
    };
    put(0, t, 0);
    Middles(p, put, t, l - 2 * t, t);
    put(l - t, t, 2 * t);
  } else if (r.head) {
    centred(0, t, 0);
    Middles(p, centred, t, l - t, t);
  } else {
    Middles(p, centred, 0, l - t, t);
    centred(l - t, t, 2 * t);
  }
  return std::move(p.out);
}

}  // namespace gui::dc

namespace {

using gui::dc::CombinePiece;

// The logical span along the fill that the DC's clip can show, taken back
// through the DC's origin and mapping and widened by what the mapping's
// rounding may move; false when the DC shows nothing along it.
bool VisibleSpan(HDC hdc, bool vertical, int64_t* from, int64_t* to) {
  gui::dc::LockedDC dc(hdc);
  if (!dc) return false;
  const Rect& bound = dc->effClip.rcBound;
  int64_t lo = vertical ? bound.top : bound.left, hi = vertical ? bound.bottom : bound.right;
  if (lo >= hi) return false;
  if (dc->dcType != kScreenDC) {
    const int64_t corner = vertical ? dc->devRect.top : dc->devRect.left;
    lo -= corner, hi -= corner;
  }
  if (dc->mapMode != 0) {
    const int64_t view = vertical ? dc->viewExtent.y : dc->viewExtent.x;
    const int64_t window = vertical ? dc->windowExtent.y : dc->windowExtent.x;
    // A zero extent maps every coordinate onto one line: nothing has a size.
    if (view == 0 || window == 0) return false;
    const int64_t viewOrigin = vertical ? dc->viewOrigin.y : dc->viewOrigin.x;
    const int64_t windowOrigin = vertical ? dc->windowOrigin.y : dc->windowOrigin.x;
    auto back = [&](int64_t d) { return (d - viewOrigin) * window / view + windowOrigin; };
    const int64_t a = back(lo), b = back(hi), slack = std::abs(window / view) + 1;
    lo = std::min(a, b) - slack, hi = std::max(a, b) + slack;
  }
  *from = lo - 1, *to = hi + 1;
  return true;
}

// One piece in logical coordinates.
struct PlacedPiece {
  int x, y, w, h, xo, yo;
  bool wholeTile;
};

// A size below 1 stands for the bitmap's, as in the public fills.
PlacedPiece Place(const CombinePiece& piece, bool vertical, int bw, int bh) {
  if (piece.wholeTile) {
    return {vertical ? piece.cross : piece.along, vertical ? piece.along : piece.cross, bw, bh, 0, 0, true};
  }
  const int w = vertical ? piece.crossSize : piece.length, h = vertical ? piece.length : piece.crossSize;
  return {vertical ? piece.cross : piece.along,
          vertical ? piece.along : piece.cross,
          w < 1 ? bw : w,
          h < 1 ? bh : h,
          vertical ? piece.crossFrom : piece.alongFrom,
          vertical ? piece.alongFrom : piece.crossFrom,
          false};
}

// Each piece through the public fills, one drawing each.
void DrawEach(HDC hdc, const std::vector<PlacedPiece>& pieces, int bw, int bh, const Bitmap* bitmap) {
  for (const PlacedPiece& p : pieces) {
    if (p.wholeTile)
      FillBoxWithBitmap(hdc, p.x, p.y, 0, 0, bitmap);
    else
      FillBoxWithBitmapPart(hdc, p.x, p.y, p.w, p.h, bw, bh, bitmap, p.xo, p.yo);
  }
}

// Where a DC without a mapping mode moves logical coordinates: by its
// device rectangle's corner (not at all on the screen DC). Boxes within
// `kNear` of the origin move without reaching the far-coordinate limits,
// so a piece can be tested against the output rectangle before working
// out its device box.
constexpr int64_t kNear = int64_t{1} << 28;

struct Shift {
  bool plain = false;
  int64_t dx = 0, dy = 0;
};

Shift PlainShift(const DC* dc, int64_t left, int64_t top, int64_t right, int64_t bottom) {
  Shift s;
  if (dc->mapMode != 0) return s;
  if (dc->dcType != kScreenDC) s.dx = dc->devRect.left, s.dy = dc->devRect.top;
  auto near = [](int64_t v) { return v > -kNear && v < kNear; };
  s.plain = near(left) && near(top) && near(right) && near(bottom) && near(s.dx) && near(s.dy);
  return s;
}

bool Misses(const Shift& s, const PlacedPiece& p, const Rect& limit) {
  return s.plain && (p.x + s.dx >= limit.right || p.x + p.w + s.dx <= limit.left || p.y + s.dy >= limit.bottom ||
                     p.y + p.h + s.dy <= limit.top);
}

// All pieces in one drawing over the box around them: the DC is locked and
// its drawing opened once, not once a piece; each piece draws through the
// output rectangle its own drawing would have had.
void DrawTogether(HDC hdc, const std::vector<PlacedPiece>& pieces, int bw, int bh, const Bitmap* bitmap) {
  int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
  for (const PlacedPiece& p : pieces) {
    left = std::min<int64_t>(left, p.x);
    top = std::min<int64_t>(top, p.y);
    right = std::max<int64_t>(right, int64_t{p.x} + p.w);
    bottom = std::max<int64_t>(bottom, int64_t{p.y} + p.h);
  }
  if (right - left > INT_MAX || bottom - top > INT_MAX || right - left < 1 || bottom - top < 1)
    return DrawEach(hdc, pieces, bw, bh, bitmap);
  gui::dc::BoxDrawing drawing(hdc, bitmap, static_cast<int>(left), static_cast<int>(top),
                              static_cast<int>(right - left), static_cast<int>(bottom - top));
  if (!drawing.drawing()) return;
  DC* dc = drawing.dc();
  const Rect limit = dc->rcOutput;
  const Shift shift = PlainShift(dc, left, top, right, bottom);
  for (const PlacedPiece& p : pieces) {
    if (Misses(shift, p, limit)) continue;
    const Rect box = gui::dc::DeviceBox(dc, p.x, p.y, p.w, p.h);
    if (!gui::rect::Intersect(&dc->rcOutput, box, limit)) continue;
    if (p.wholeTile)
      gui::dc::DrawBitmapBox(dc, box, bitmap);
    else if (gui::dc::BitmapPartFits(box, bw, bh, p.xo, p.yo))
      gui::dc::DrawBitmapPart(dc, box, bw, bh, bitmap, p.xo, p.yo);
  }
  dc->rcOutput = limit;
}

}  // namespace

extern "C" BOOL FillBoxWithBitampCombineEx(HDC hdc, int x, int y, int w, int h, const Bitmap* bitmap,
                                           BOOL head, BOOL tail, BOOL vertical) {
  if (vertical ? h < 1 : w < 1) return FALSE;
  if (!bitmap || !bitmap->bmWidth || !bitmap->bmHeight) return FALSE;
  const int bw = static_cast<int>(bitmap->bmWidth), bh = static_cast<int>(bitmap->bmHeight);
  gui::dc::CombineRequest r = vertical
      ? gui::dc::CombineRequest{y, h, x, w, bh, bw, head != 0, tail != 0, true}
      : gui::dc::CombineRequest{x, w, y, h, bw, bh, head != 0, tail != 0, false};
  if (!VisibleSpan(hdc, vertical != 0, &r.visibleFrom, &r.visibleTo)) return TRUE;
  std::vector<PlacedPiece> pieces;
  for (const CombinePiece& piece : gui::dc::PlanCombineFill(r)) pieces.push_back(Place(piece, vertical != 0, bw, bh));
  if (pieces.empty() || !bitmap->bmBits) return TRUE;
  if (bitmap->bmType & BMP_TYPE_RLE)
    DrawEach(hdc, pieces, bw, bh, bitmap);
  else
    DrawTogether(hdc, pieces, bw, bh, bitmap);
  return TRUE;
}
