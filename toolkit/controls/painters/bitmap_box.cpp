// Boxes drawn from three-part bitmaps: head, repeated middle, tail.
#include <algorithm>

#include "controls/painters/blitters.h"
#include "controls/painters/painter_util.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/region.h"

extern "C" {

void DrawBoxFromBitmap(HDC hdc, const Rect* rect, const Bitmap* bitmap, BOOL horizontal, BOOL clip) {
  if (!rect || !bitmap || !bitmap->bmBits) return;
  if (clip) ClipRectIntersect(hdc, rect);
  const int bw = static_cast<int>(bitmap->bmWidth), bh = static_cast<int>(bitmap->bmHeight);
  if (!horizontal) {
    const int p = bh / 3, x = (rect->left + rect->right - bw) >> 1;
    if (p < 1) return;
    FillBoxWithBitmapPart(hdc, x, rect->top, bw, p, bw, bh, bitmap, 0, 0);
    for (int y = rect->top + p; y < rect->bottom - p; y += p) FillBoxWithBitmapPart(hdc, x, y, bw, p, bw, bh, bitmap, 0, p);
    FillBoxWithBitmapPart(hdc, x, rect->bottom - p, bw, p, bw, bh, bitmap, 0, 2 * p);
    return;
  }
  const int p = bw / 3, y = (rect->top + rect->bottom - bh) >> 1;
  if (p < 1) return;
  FillBoxWithBitmapPart(hdc, rect->left, y, p, bh, bw, bh, bitmap, 0, 0);
  for (int x = rect->left + p; x < rect->right - p; x += p) FillBoxWithBitmapPart(hdc, x, y, p, bh, bw, bh, bitmap, p, 0);
  FillBoxWithBitmapPart(hdc, rect->right - p, y, p, bh, bw, bh, bitmap, 2 * p, 0);
}

int DrawBoxWithBitmapCombine(HDC hdc, const Rect* rect, const Bitmap* bitmap) {
  if (!rect || !bitmap) return -1;
  FillBoxWithBitampCombineEx(hdc, rect->left, rect->top, rect->right - rect->left,
                             static_cast<int>(bitmap->bmHeight), bitmap, TRUE, TRUE, FALSE);
  return 0;
}

}  // extern "C"

namespace painters {

// A horizontal box as high as its bitmap, whose width is a multiple of
// three, is head third, whole middle thirds from the box's left and a
// shorter last one, and tail third. The middles are drawn as a fill without
// head and tail started on a middle's boundary (so the same pieces), the
// head and tail as parts; any other box is drawn whole.
void DrawBoxWithBitmapCombineWithin(HDC hdc, const Rect& box, const Bitmap* bitmap, const Rect& limit) {
  if (!bitmap) return;
  const int bw = static_cast<int>(bitmap->bmWidth), bh = static_cast<int>(bitmap->bmHeight), t = bw / 3;
  const int64_t length = int64_t{box.right} - box.left;
  const Rect drawn{box.left, box.top, box.right, box.top + bh};
  if (!bitmap->bmBits || bw % 3 != 0 || t < 1 || bh < 1 || length < 2 * t || length > INT32_MAX / 2 ||
      (bitmap->bmType & BMP_TYPE_RLE)) {
    DrawBoxWithBitmapCombine(hdc, &box, bitmap);
    return;
  }
  Rect meeting{};
  if (!IntersectRect(&meeting, &drawn, &limit)) return;
  const int middleLeft = box.left + t, middleRight = box.right - t;
  if (meeting.left < middleLeft) FillBoxWithBitmapPart(hdc, box.left, box.top, t, bh, bw, bh, bitmap, 0, 0);
  if (meeting.right > middleRight) FillBoxWithBitmapPart(hdc, middleRight, box.top, t, bh, bw, bh, bitmap, 2 * t, 0);
  const int first = static_cast<int>(std::max<int64_t>(0, (int64_t{meeting.left} - middleLeft) / t) * t + middleLeft);
  const int last = std::min(middleRight, meeting.right);
  if (first >= last) return;
  // One or two pieces go straight to the screen; more are planned at once.
  if (last - first > 2 * t) {
    FillBoxWithBitampCombineEx(hdc, first, box.top, last - first, bh, bitmap, FALSE, FALSE, FALSE);
    return;
  }
  for (int x = first; x < last; x += t)
    FillBoxWithBitmapPart(hdc, x, box.top, std::min(t, middleRight - x), bh, bw, bh, bitmap, t, 0);
}

}  // namespace painters
