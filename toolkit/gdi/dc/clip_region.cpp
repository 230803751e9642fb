// Clip region life cycle, single-rectangle forms, copies, offsets and hit
// tests. The band algebra lives in clip_region_ops.cpp.
#include <algorithm>
#include <new>

#include "gdi/dc/block_heap_hold.h"
#include "gdi/dc/clip_region_internal.h"
#include "gdi/dc/gdi_heap.h"

namespace gui::region {

bool AppendRect(ClipRgn* region, int left, int top, int right, int bottom) {
  auto* node = static_cast<ClipRect*>(BlockDataAlloc(region->heap));
  if (node == nullptr) return false;
  node->rc = {left, top, right, bottom};
  node->next = nullptr;
  node->prev = region->tail;
  if (region->tail != nullptr) {
    region->tail->next = node;
  } else {
    region->head = node;
  }
  region->tail = node;
  return true;
}

void FreeNode(ClipRgn* region, ClipRect* node) {
  if (node->prev != nullptr) {
    node->prev->next = node->next;
  } else {
    region->head = node->next;
  }
  if (node->next != nullptr) {
    node->next->prev = node->prev;
  } else {
    region->tail = node->prev;
  }
  BlockDataFree(region->heap, node);
}

void SetClipRgnBound(ClipRgn* region) {
  if (region->head == nullptr) {
    region->rcBound = {0, 0, 0, 0};
    region->type = NULLREGION;
    return;
  }
  Rect bound = {region->head->rc.left, region->head->rc.top, region->head->rc.right,
                region->tail->rc.bottom};
  for (const ClipRect* n = region->head; n != nullptr; n = n->next) {
    bound.left = std::min(bound.left, n->rc.left);
    bound.right = std::max(bound.right, n->rc.right);
  }
  region->rcBound = bound;
  region->type = COMPLEXREGION;
}

void MoveRegion(ClipRgn* dst, ClipRgn* src) {
  EmptyClipRgn(dst);
  dst->type = src->type;
  dst->rcBound = src->rcBound;
  dst->head = src->head;
  dst->tail = src->tail;
  dst->heap = src->heap;
  src->head = src->tail = nullptr;
  src->type = NULLREGION;
  src->rcBound = {0, 0, 0, 0};
}

bool HasNoArea(const Rect* rect) { return rect->left >= rect->right || rect->top >= rect->bottom; }

RectRegion::RectRegion(const Rect& rect) {
  node_.rc = rect;
  node_.next = node_.prev = nullptr;
  region_.type = SIMPLEREGION;
  region_.rcBound = rect;
  region_.head = region_.tail = &node_;
  region_.heap = nullptr;
}

}  // namespace gui::region

using namespace gui::region;

extern "C" {

void InitClipRgn(ClipRgn* region, BlockDataHeap* heap) {
  region->type = NULLREGION;
  region->rcBound = {0, 0, 0, 0};
  region->head = region->tail = nullptr;
  region->heap = heap;
}

ClipRgn* CreateClipRgn(void) {
  auto* region = new (std::nothrow) ClipRgn;
  if (region != nullptr) InitClipRgn(region, gui::GdiClipRectHeap());
  return region;
}

void DestroyClipRgn(ClipRgn* region) {
  if (region == nullptr) return;
  EmptyClipRgn(region);
  delete region;
}

void EmptyClipRgn(ClipRgn* region) {
  gui::BlockHeapHold hold(region->heap);
  ClipRect* node = region->head;
  while (node != nullptr) {
    ClipRect* next = node->next;
    BlockDataFree(region->heap, node);
    node = next;
  }
  region->head = region->tail = nullptr;
  region->type = NULLREGION;
  region->rcBound = {0, 0, 0, 0};
}

BOOL IsEmptyClipRgn(const ClipRgn* region) { return region->head == nullptr; }

void GetClipRgnBoundRect(const ClipRgn* region, Rect* out) { *out = region->rcBound; }

BOOL SetClipRgn(ClipRgn* region, const Rect* rect) {
  if (HasNoArea(rect)) return FALSE;
  const Rect r = *rect;
  gui::BlockHeapHold hold(region->heap);
  EmptyClipRgn(region);
  if (!AppendRect(region, r.left, r.top, r.right, r.bottom)) return FALSE;
  region->type = SIMPLEREGION;
  region->rcBound = r;
  return TRUE;
}

BOOL ClipRgnCopy(ClipRgn* dst, const ClipRgn* src) {
  if (dst == src) return FALSE;
  gui::BlockHeapHold hold(dst->heap);
  EmptyClipRgn(dst);
  for (const ClipRect* n = src->head; n != nullptr; n = n->next) {
    if (!AppendRect(dst, n->rc.left, n->rc.top, n->rc.right, n->rc.bottom)) {
      EmptyClipRgn(dst);
      return FALSE;
    }
  }
  dst->type = src->type;
  dst->rcBound = src->rcBound;
  return TRUE;
}

void OffsetRegion(ClipRgn* region, int dx, int dy) {
  for (ClipRect* n = region->head; n != nullptr; n = n->next) {
    n->rc.left += dx;
    n->rc.right += dx;
    n->rc.top += dy;
    n->rc.bottom += dy;
  }
  if (region->head != nullptr) {
    region->rcBound.left += dx;
    region->rcBound.right += dx;
    region->rcBound.top += dy;
    region->rcBound.bottom += dy;
  }
}

BOOL PtInRegion(const ClipRgn* region, int x, int y) {
  if (region->head == nullptr || y >= region->tail->rc.bottom || y < region->head->rc.top) {
    return FALSE;
  }
  const ClipRect* n = region->head;
  while (n != nullptr && n->rc.bottom <= y) n = n->next;
  for (const int bandTop = n != nullptr ? n->rc.top : 0; n != nullptr && n->rc.top == bandTop;
       n = n->next) {
    if (n->rc.left <= x && x < n->rc.right && n->rc.top <= y) return TRUE;
  }
  return FALSE;
}

BOOL RectInRegion(const ClipRgn* region, const Rect* rect) {
  const Rect& b = region->rcBound;
  if (region->head == nullptr || b.right <= rect->left || b.left >= rect->right ||
      b.bottom <= rect->top || b.top >= rect->bottom) {
    return FALSE;
  }
  for (const ClipRect* n = region->head; n != nullptr; n = n->next) {
    if (n->rc.bottom <= rect->top) continue;
    if (n->rc.top >= rect->bottom) return FALSE;
    if (n->rc.right > rect->left && n->rc.left < rect->right) return TRUE;
  }
  return FALSE;
}

}  // extern "C"
