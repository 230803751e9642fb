// Region algebra: intersection, subtraction, union, symmetric difference
// and their one-rectangle forms, all through the band sweep.
#include "gdi/dc/clip_region_internal.h"

using namespace gui::region;

namespace {

bool BoundsOverlap(const Rect& a, const Rect& b) {
  return a.right > b.left && a.left < b.right && a.bottom > b.top && a.top < b.bottom;
}

// dst becomes a copy of src unless it already is src.
bool CopyUnlessSame(ClipRgn* dst, const ClipRgn* src) {
  return dst == src || ClipRgnCopy(dst, src);
}

bool SingleNodeCovers(const ClipRgn* single, const ClipRgn* other) {
  return single->head != nullptr && single->head == single->tail &&
         IsCovered(&other->rcBound, &single->rcBound);
}

}  // namespace

extern "C" {

BOOL ClipRgnIntersect(ClipRgn* dst, const ClipRgn* a, const ClipRgn* b) {
  if (a->head == nullptr || b->head == nullptr || !BoundsOverlap(a->rcBound, b->rcBound)) {
    EmptyClipRgn(dst);
    return FALSE;
  }
  if (b->head == b->tail) return IntersectWithRect(dst, a, b->head->rc);
  if (a->head == a->tail) return IntersectWithRect(dst, b, a->head->rc);
  return ClipRgnOp(dst, a, b, IntersectBands, nullptr, nullptr);
}

BOOL SubtractRegion(ClipRgn* dst, const ClipRgn* a, const ClipRgn* b) {
  if (a->head == nullptr || b->head == nullptr || !BoundsOverlap(a->rcBound, b->rcBound)) {
    return CopyUnlessSame(dst, a);
  }
  return ClipRgnOp(dst, a, b, SubtractBands, CopyBandPart, nullptr);
}

BOOL UnionRegion(ClipRgn* dst, const ClipRgn* a, const ClipRgn* b) {
  if (a == b || a->head == nullptr) return CopyUnlessSame(dst, b);
  if (b->head == nullptr) return CopyUnlessSame(dst, a);
  if (SingleNodeCovers(a, b)) return CopyUnlessSame(dst, a);
  if (SingleNodeCovers(b, a)) return CopyUnlessSame(dst, b);
  return ClipRgnOp(dst, a, b, UnionBands, CopyBandPart, CopyBandPart);
}

BOOL XorRegion(ClipRgn* dst, const ClipRgn* a, const ClipRgn* b) {
  ClipRgn onlyA;
  ClipRgn onlyB;
  InitClipRgn(&onlyA, a->heap);
  InitClipRgn(&onlyB, b->heap);
  const bool ok = SubtractRegion(&onlyA, a, b) && SubtractRegion(&onlyB, b, a) &&
                  UnionRegion(dst, &onlyA, &onlyB);
  EmptyClipRgn(&onlyA);
  EmptyClipRgn(&onlyB);
  if (!ok) EmptyClipRgn(dst);
  return ok;
}

BOOL AddClipRect(ClipRgn* region, const Rect* rect) {
  if (HasNoArea(rect)) return FALSE;
  const RectRegion single(*rect);
  return UnionRegion(region, region, single.get());
}

BOOL IntersectClipRect(ClipRgn* region, const Rect* rect) {
  if (HasNoArea(rect) || region->head == nullptr || !BoundsOverlap(region->rcBound, *rect)) {
    // Nothing is left, which is a success of this form.
    EmptyClipRgn(region);
    return TRUE;
  }
  return IntersectWithRect(region, region, *rect);
}

BOOL SubtractClipRect(ClipRgn* region, const Rect* rect) {
  if (HasNoArea(rect) || !DoesIntersect(rect, &region->rcBound)) return FALSE;
  return CutRectInPlace(region, *rect);
}

}  // extern "C"
