// The three-part skin fill: head, repeated middle and tail thirds of a
// bitmap along a box, centred across it.
#include "gdi/bitmap/box_drawing.h"
#include "gdi/bitmap/combine_plan.h"
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

extern "C" BOOL FillBoxWithBitampCombineEx(HDC hdc, int x, int y, int w, int h, const Bitmap* bitmap,
                                           BOOL head, BOOL tail, BOOL vertical) {
  using gui::dc::CombinePiece;
  if (vertical ? h < 1 : w < 1) return FALSE;
  if (!bitmap || !bitmap->bmWidth || !bitmap->bmHeight) return FALSE;
  const int bw = static_cast<int>(bitmap->bmWidth), bh = static_cast<int>(bitmap->bmHeight);
  gui::dc::CombineRequest r = vertical
      ? gui::dc::CombineRequest{y, h, x, w, bh, bw, head != 0, tail != 0, true}
      : gui::dc::CombineRequest{x, w, y, h, bw, bh, head != 0, tail != 0, false};
  for (const CombinePiece& piece : gui::dc::PlanCombineFill(r)) {
    const int px = vertical ? piece.cross : piece.along, py = vertical ? piece.along : piece.cross;
    if (piece.wholeTile) {
      FillBoxWithBitmap(hdc, px, py, 0, 0, bitmap);
      continue;
    }
    const int pw = vertical ? piece.crossSize : piece.length;
    const int ph = vertical ? piece.length : piece.crossSize;
    const int xo = vertical ? piece.crossFrom : piece.alongFrom;
    const int yo = vertical ? piece.alongFrom : piece.crossFrom;
    FillBoxWithBitmapPart(hdc, px, py, pw, ph, bw, bh, bitmap, xo, yo);
  }
  return TRUE;
}
