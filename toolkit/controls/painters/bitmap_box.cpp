// Boxes drawn from three-part bitmaps: head, repeated middle, tail.
#include "controls/painters/blitters.h"
#include "gui/control_paint.h"
#include "gui/dc.h"

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
