// A region cut by one rectangle: the rectangle taken out, or all but the
// rectangle. The window stack cuts one window after another out of a
// many-banded region and takes a window's share of it; the band sweep would
// build every node anew each time. Here only the nodes the rectangle meets
// change, and the result is the sweep's, node for node.
#include <algorithm>
#include <climits>

#include "gdi/dc/block_heap_hold.h"
#include "gdi/dc/clip_region_internal.h"
#include "gdi/dc/gdi_heap.h"

namespace gui::region {
namespace {

// Whether a node of the band [band, end) meets the columns [left, right).
bool MeetsColumns(const ClipRect* band, const ClipRect* end, int left, int right) {
  for (const ClipRect* n = band; n != end && n->rc.left < right; n = n->next)
    if (n->rc.right > left) return true;
  return false;
}

// A new node before `at` (at the tail when `at` is null).
ClipRect* InsertBefore(ClipRgn* region, ClipRect* at, const Rect& rc) {
  auto* node = static_cast<ClipRect*>(BlockDataAlloc(region->heap));
  if (node == nullptr) return nullptr;
  node->rc = rc;
  node->next = at;
  node->prev = at != nullptr ? at->prev : region->tail;
  if (node->prev != nullptr)
    node->prev->next = node;
  else
    region->head = node;
  if (at != nullptr)
    at->prev = node;
  else
    region->tail = node;
  return node;
}

// The columns of the band [first, last] again, from top to bottom, before `at`.
bool CopyBand(ClipRgn* region, const ClipRect* first, const ClipRect* last, ClipRect* at, int top, int bottom) {
  for (const ClipRect* n = first;; n = n->next) {
    if (InsertBefore(region, at, Rect{n->rc.left, top, n->rc.right, bottom}) == nullptr) return false;
    if (n == last) return true;
  }
}

// The columns [left, right) taken out of the band [first, last].
bool CutColumns(ClipRgn* region, ClipRect* first, ClipRect* last, int left, int right) {
  const ClipRect* stop = last->next;
  for (ClipRect* n = first; n != stop;) {
    ClipRect* next = n->next;
    Rect& rc = n->rc;
    if (rc.right <= left || rc.left >= right) {
      // untouched
    } else if (rc.left >= left && rc.right <= right) {
      FreeNode(region, n);
    } else if (rc.left < left && rc.right > right) {
      if (InsertBefore(region, next, Rect{right, rc.top, rc.right, rc.bottom}) == nullptr) return false;
      rc.right = left;
    } else if (rc.left < left) {
      rc.right = left;
    } else {
      rc.left = right;
    }
    n = next;
  }
  return true;
}

// Merges touching bands of equal columns from `band` on, while bands start
// above `until`: below it nothing was changed, and the region was merged
// (INT_MAX: to the end).
void CoalesceFrom(ClipRgn* region, ClipRect* band, int until) {
  while (band != nullptr && band->rc.top < until) {
    ClipRect* next = BandEnd(band);
    if (next == nullptr) return;
    ClipRect* nextEnd = BandEnd(next);
    if (band->rc.bottom != next->rc.top || !SameColumns(band, next, next, nextEnd)) {
      band = next;
      continue;
    }
    MergeBandDown(region, band, next, nextEnd);
  }
}

bool Cut(ClipRgn* region, const Rect& cut) {
  ClipRect* above = nullptr;  // the last band wholly above the cut
  ClipRect* band = region->head;
  while (band != nullptr && band->rc.bottom <= cut.top) {
    above = band;
    band = BandEnd(band);
  }
  while (band != nullptr && band->rc.top < cut.bottom) {
    ClipRect* end = BandEnd(band);
    if (!MeetsColumns(band, end, cut.left, cut.right)) {
      band = end;
      continue;
    }
    ClipRect* last = end != nullptr ? end->prev : region->tail;
    const int top = band->rc.top, bottom = band->rc.bottom;
    const int midTop = std::max(top, cut.top), midBottom = std::min(bottom, cut.bottom);
    if (top < midTop && !CopyBand(region, band, last, band, top, midTop)) return false;
    if (midBottom < bottom && !CopyBand(region, band, last, end, midBottom, bottom)) return false;
    ClipRect* after = last->next;
    for (ClipRect* n = band; n != after; n = n->next) {
      n->rc.top = midTop;
      n->rc.bottom = midBottom;
    }
    if (!CutColumns(region, band, last, cut.left, cut.right)) return false;
    band = after;
  }
  CoalesceFrom(region, above != nullptr ? above : region->head, cut.bottom);
  return true;
}

// The nodes of `src` within `r`, cut to it, appended to `dst` (empty).
bool CopyWithin(ClipRgn* dst, const ClipRgn* src, const Rect& r) {
  for (const ClipRect* n = src->head; n != nullptr && n->rc.top < r.bottom; n = n->next) {
    const Rect cut{std::max(n->rc.left, r.left), std::max(n->rc.top, r.top), std::min(n->rc.right, r.right),
                   std::min(n->rc.bottom, r.bottom)};
    if (HasNoArea(&cut)) continue;
    if (!AppendRect(dst, cut.left, cut.top, cut.right, cut.bottom)) return false;
  }
  return true;
}

// The region's nodes cut to `r`, those outside it given back.
void KeepWithin(ClipRgn* region, const Rect& r) {
  for (ClipRect* n = region->head; n != nullptr;) {
    ClipRect* next = n->next;
    Rect& rc = n->rc;
    rc = Rect{std::max(rc.left, r.left), std::max(rc.top, r.top), std::min(rc.right, r.right),
              std::min(rc.bottom, r.bottom)};
    if (HasNoArea(&rc)) FreeNode(region, n);
    n = next;
  }
}

}  // namespace

bool IntersectWithRect(ClipRgn* dst, const ClipRgn* src, const Rect& r) {
  const Rect within = r;  // r may be a node of dst, which is emptied first
  BlockHeapHold hold(dst->heap);
  bool ok = true;
  if (dst == src) {
    KeepWithin(dst, within);
  } else {
    EmptyClipRgn(dst);
    ok = CopyWithin(dst, src, within);
  }
  // Cut columns may make neighbouring bands alike.
  if (ok) CoalesceFrom(dst, dst->head, INT_MAX);
  if (!ok) EmptyClipRgn(dst);
  SetClipRgnBound(dst);
  return ok;
}

bool CutRectInPlace(ClipRgn* region, const Rect& cut) {
  BlockHeapHold hold(region->heap);
  const bool ok = Cut(region, cut);
  // As the sweep does: a cut that ran out of memory leaves nothing.
  if (!ok) EmptyClipRgn(region);
  SetClipRgnBound(region);
  return ok;
}

}  // namespace gui::region
