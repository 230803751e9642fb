// Rectangle helpers. Right and bottom are exclusive; every destination may
// alias a source, so results are built in locals first.
#include <algorithm>
#include <utility>

#include "gdi/dc/rect_inline.h"
#include "gui/region.h"

namespace {

// a and b share the extent [lo1, hi1) on one axis; along the other axis
// [a0, a1) and [b0, b1) must overlap or touch to merge.
bool MergeSpans(int32_t a0, int32_t a1, int32_t b0, int32_t b1, int32_t* lo, int32_t* hi) {
  if (a0 <= b0 && b0 <= a1) {
    *lo = a0;
  } else if (b0 < a0 && b1 >= a0) {
    *lo = b0;
  } else {
    return false;
  }
  *hi = std::max(a1, b1);
  return true;
}

}  // namespace

extern "C" {

BOOL IsRectEmpty(const Rect* rect) {
  return rect->left == rect->right || rect->top == rect->bottom;
}

BOOL EqualRect(const Rect* a, const Rect* b) {
  return a->left == b->left && a->top == b->top && a->right == b->right &&
         a->bottom == b->bottom;
}

void NormalizeRect(Rect* rect) {
  if (rect->left > rect->right) std::swap(rect->left, rect->right);
  if (rect->top > rect->bottom) std::swap(rect->top, rect->bottom);
}

BOOL IsCovered(const Rect* a, const Rect* b) {
  return a->left >= b->left && a->top >= b->top && a->right <= b->right &&
         a->bottom <= b->bottom;
}

BOOL IntersectRect(Rect* dst, const Rect* a, const Rect* b) { return gui::rect::Intersect(dst, *a, *b); }

BOOL DoesIntersect(const Rect* a, const Rect* b) {
  return std::max(a->left, b->left) <= std::min(a->right, b->right) &&
         std::max(a->top, b->top) <= std::min(a->bottom, b->bottom);
}

BOOL UnionRect(Rect* dst, const Rect* a, const Rect* b) {
  const Rect na = gui::rect::Normalized(*a);
  const Rect nb = gui::rect::Normalized(*b);
  Rect r;
  if (na.left == nb.left && na.right == nb.right) {
    r.left = na.left;
    r.right = na.right;
    if (!MergeSpans(na.top, na.bottom, nb.top, nb.bottom, &r.top, &r.bottom)) return FALSE;
  } else if (na.top == nb.top && na.bottom == nb.bottom) {
    r.top = na.top;
    r.bottom = na.bottom;
    if (!MergeSpans(na.left, na.right, nb.left, nb.right, &r.left, &r.right)) return FALSE;
  } else {
    return FALSE;
  }
  *dst = r;
  return TRUE;
}

void GetBoundRect(Rect* dst, const Rect* a, const Rect* b) { gui::rect::Bound(dst, *a, *b); }

int SubtractRect(Rect out[4], const Rect* a, const Rect* b) {
  const Rect ra = *a;
  const Rect rb = *b;
  if (!DoesIntersect(&ra, &rb)) {
    out[0] = ra;
    return 1;
  }
  int n = 0;
  int32_t top = ra.top;
  int32_t bottom = ra.bottom;
  if (rb.top > ra.top) {
    out[n++] = {ra.left, ra.top, ra.right, rb.top};
    top = rb.top;
  }
  if (rb.bottom < ra.bottom) {
    out[n++] = {ra.left, rb.bottom, ra.right, ra.bottom};
    bottom = rb.bottom;
  }
  if (rb.left > ra.left) out[n++] = {ra.left, top, rb.left, bottom};
  if (rb.right < ra.right) out[n++] = {rb.right, top, ra.right, bottom};
  return n;
}

}  // extern "C"
