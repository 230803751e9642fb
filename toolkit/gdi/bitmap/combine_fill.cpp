// The three-part skin fill: head, repeated middle and tail thirds of a
// bitmap along a box, centred across it.
#include <algorithm>
#include <climits>
#include <cstdint>

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

  void centred(int at, int length, int from) {
    out.push_back({r_.start + at, length, from, r_.crossStart + offset_,
                   r_.bitmapCross - 2 * crop_, crop_, false});
  }
  // The vertical fill with head and tail draws at the box's edge with the
  // bitmap's full cross size.
  void uncentred(int at, int length, int from) {
    out.push_back({r_.start + at, length, from, r_.crossStart, r_.bitmapCross, 0, false});
  }
  void wholeTile(int at) {
    out.push_back({r_.start + at, r_.bitmapAlong, 0, r_.crossStart, r_.bitmapCross, 0, true});
  }

  std::vector<CombinePiece> out;

 private:
  const CombineRequest& r_;
  int offset_ = 0, crop_ = 0;
};

void Tile(Planner& p, int length, int b) {
  for (int i = 0; i < length / b; ++i) {
    if (p.crop() == 0)
      p.wholeTile(i * b);
    else
      p.centred(i * b, b, 0);
  }
  if (length % b) p.centred(length / b * b, length % b, 0);
}

// Middle thirds from `at`, `count` whole ones then the remainder.
template <typename Put>
void Middles(Put put, int at, int span, int t) {
  const int n = span / t;
  for (int i = 0; i < n; ++i) put(at + i * t, t, t);
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
    Middles(centred, 0, l, t);
  } else if (r.head && r.tail) {
    auto put = [&](int at, int len, int from) {
      r.vertical ? uncentred(at, len, from) : centred(at, len, from);
    };
    put(0, t, 0);
    Middles(put, t, l - 2 * t, t);
    put(l - t, t, 2 * t);
  } else if (r.head) {
    centred(0, t, 0);
    Middles(centred, t, l - t, t);
  } else {
    Middles(centred, 0, l - t, t);
    centred(l - t, t, 2 * t);
  }
  return std::move(p.out);
}

}  // namespace gui::dc

namespace {

using gui::dc::CombinePiece;

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
  std::vector<PlacedPiece> pieces;
  for (const CombinePiece& piece : gui::dc::PlanCombineFill(r)) pieces.push_back(Place(piece, vertical != 0, bw, bh));
  if (pieces.empty() || !bitmap->bmBits) return TRUE;
  if (bitmap->bmType & BMP_TYPE_RLE)
    DrawEach(hdc, pieces, bw, bh, bitmap);
  else
    DrawTogether(hdc, pieces, bw, bh, bitmap);
  return TRUE;
}
