// The band sweep over two banded regions and the per-band operations.
//
// Each step of the sweep appends at most one band (all its nodes share top
// and bottom) and then tries to merge it into the band before it, so the
// result is always in canonical banded form.
#include <algorithm>

#include "gdi/dc/block_heap_hold.h"
#include "gdi/dc/clip_region_internal.h"

namespace gui::region {
const ClipRect* BandEnd(const ClipRect* band) {
  const ClipRect* n = band;
  while (n != nullptr && n->rc.top == band->rc.top) n = n->next;
  return n;
}

bool SameColumns(const ClipRect* a, const ClipRect* aEnd, const ClipRect* b, const ClipRect* bEnd) {
  for (; a != aEnd && b != bEnd; a = a->next, b = b->next)
    if (a->rc.left != b->rc.left || a->rc.right != b->rc.right) return false;
  return a == aEnd && b == bEnd;
}

void MergeBandDown(ClipRgn* region, ClipRect* upper, ClipRect* lower, ClipRect* lowerEnd) {
  for (ClipRect* n = upper; n != lower; n = n->next) n->rc.bottom = lower->rc.bottom;
  while (lower != lowerEnd) {
    ClipRect* next = lower->next;
    FreeNode(region, lower);
    lower = next;
  }
}

namespace {

// Merges the band starting at current (the last one in the list) into the
// band starting at previous when both have the same columns and touch.
// Returns the start of the band the next step compares against.
ClipRect* CoalesceBands(ClipRgn* out, ClipRect* previous, ClipRect* current) {
  if (previous == nullptr || previous->rc.bottom != current->rc.top ||
      !SameColumns(previous, current, current, nullptr)) {
    return current;
  }
  MergeBandDown(out, previous, current, nullptr);
  return previous;
}

// Tracks where the band added by one sweep step starts, for coalescing.
class BandBuilder {
 public:
  explicit BandBuilder(ClipRgn* out) : out_(out) {}
  void BeginBand() { before_ = out_->tail; }
  void EndBand() {
    ClipRect* added = before_ != nullptr ? before_->next : out_->head;
    if (added != nullptr) previous_ = CoalesceBands(out_, previous_, added);
  }

 private:
  ClipRgn* out_;
  ClipRect* before_ = nullptr;
  ClipRect* previous_ = nullptr;
};

bool HandOnly(BandBuilder* builder, ClipRgn* out, NonOverlapOp op, const ClipRect* band,
              const ClipRect* bandEnd, int top, int bottom) {
  if (op == nullptr || top >= bottom) return true;
  builder->BeginBand();
  if (!op(out, band, bandEnd, top, bottom)) return false;
  builder->EndBand();
  return true;
}

bool Sweep(ClipRgn* out, const ClipRgn* a, const ClipRgn* b, OverlapOp overlap,
           NonOverlapOp onlyA, NonOverlapOp onlyB) {
  BandBuilder builder(out);
  const ClipRect* ra = a->head;
  const ClipRect* rb = b->head;
  int ybot = std::min(a->rcBound.top, b->rcBound.top);
  while (ra != nullptr && rb != nullptr) {
    const ClipRect* raEnd = BandEnd(ra);
    const ClipRect* rbEnd = BandEnd(rb);
    int ytop;
    if (ra->rc.top < rb->rc.top) {
      if (!HandOnly(&builder, out, onlyA, ra, raEnd, std::max(ra->rc.top, ybot),
                    std::min(ra->rc.bottom, rb->rc.top))) {
        return false;
      }
      ytop = rb->rc.top;
    } else if (rb->rc.top < ra->rc.top) {
      if (!HandOnly(&builder, out, onlyB, rb, rbEnd, std::max(rb->rc.top, ybot),
                    std::min(rb->rc.bottom, ra->rc.top))) {
        return false;
      }
      ytop = ra->rc.top;
    } else {
      ytop = ra->rc.top;
    }
    ybot = std::min(ra->rc.bottom, rb->rc.bottom);
    if (ybot > ytop) {
      builder.BeginBand();
      if (!overlap(out, ra, raEnd, rb, rbEnd, ytop, ybot)) return false;
      builder.EndBand();
    }
    if (ra->rc.bottom == ybot) ra = raEnd;
    if (rb->rc.bottom == ybot) rb = rbEnd;
  }
  const ClipRect* rest = ra != nullptr ? ra : rb;
  NonOverlapOp restOp = ra != nullptr ? onlyA : onlyB;
  while (rest != nullptr) {
    const ClipRect* restEnd = BandEnd(rest);
    if (!HandOnly(&builder, out, restOp, rest, restEnd, std::max(rest->rc.top, ybot),
                  rest->rc.bottom)) {
      return false;
    }
    rest = restEnd;
  }
  return true;
}

}  // namespace

bool ClipRgnOp(ClipRgn* dst, const ClipRgn* a, const ClipRgn* b, OverlapOp overlap,
               NonOverlapOp onlyA, NonOverlapOp onlyB) {
  // Always build aside: dst may be a or b, and a failed sweep must leave
  // dst empty rather than half built.
  BlockHeapHold hold(dst->heap);
  ClipRgn out;
  InitClipRgn(&out, dst->heap);
  const bool ok = Sweep(&out, a, b, overlap, onlyA, onlyB);
  if (!ok) {
    EmptyClipRgn(&out);
    EmptyClipRgn(dst);
    return false;
  }
  SetClipRgnBound(&out);
  MoveRegion(dst, &out);
  return true;
}

bool IntersectBands(ClipRgn* out, const ClipRect* a, const ClipRect* aEnd, const ClipRect* b,
                    const ClipRect* bEnd, int top, int bottom) {
  while (a != aEnd && b != bEnd) {
    const int left = std::max(a->rc.left, b->rc.left);
    const int right = std::min(a->rc.right, b->rc.right);
    if (left < right && !AppendRect(out, left, top, right, bottom)) return false;
    if (a->rc.right < b->rc.right) {
      a = a->next;
    } else if (b->rc.right < a->rc.right) {
      b = b->next;
    } else {
      a = a->next;
      b = b->next;
    }
  }
  return true;
}

bool SubtractBands(ClipRgn* out, const ClipRect* a, const ClipRect* aEnd, const ClipRect* b,
                   const ClipRect* bEnd, int top, int bottom) {
  int x = a->rc.left;
  auto nextA = [&] {
    a = a->next;
    if (a != aEnd) x = a->rc.left;
  };
  while (a != aEnd && b != bEnd) {
    if (b->rc.right <= x) {
      b = b->next;  // wholly left of what is still to be kept
    } else if (b->rc.left <= x) {
      x = b->rc.right;  // covers the start of the current piece
      if (x >= a->rc.right) {
        nextA();
      } else {
        b = b->next;
      }
    } else if (b->rc.left < a->rc.right) {
      if (!AppendRect(out, x, top, b->rc.left, bottom)) return false;
      x = b->rc.right;
      if (x >= a->rc.right) {
        nextA();
      } else {
        b = b->next;
      }
    } else {
      if (a->rc.right > x && !AppendRect(out, x, top, a->rc.right, bottom)) return false;
      nextA();
    }
  }
  while (a != aEnd) {
    if (!AppendRect(out, x, top, a->rc.right, bottom)) return false;
    nextA();
  }
  return true;
}

bool UnionBands(ClipRgn* out, const ClipRect* a, const ClipRect* aEnd, const ClipRect* b,
                const ClipRect* bEnd, int top, int bottom) {
  auto add = [&](const ClipRect* r) {
    ClipRect* last = out->tail;
    if (last != nullptr && last->rc.top == top && last->rc.bottom == bottom &&
        last->rc.right >= r->rc.left) {
      last->rc.right = std::max(last->rc.right, r->rc.right);
      return true;
    }
    return AppendRect(out, r->rc.left, top, r->rc.right, bottom);
  };
  while (a != aEnd || b != bEnd) {
    const bool takeB = a == aEnd || (b != bEnd && b->rc.left <= a->rc.left);
    const ClipRect*& from = takeB ? b : a;
    if (!add(from)) return false;
    from = from->next;
  }
  return true;
}

bool CopyBandPart(ClipRgn* out, const ClipRect* r, const ClipRect* rEnd, int top, int bottom) {
  for (; r != rEnd; r = r->next) {
    if (!AppendRect(out, r->rc.left, top, r->rc.right, bottom)) return false;
  }
  return true;
}

}  // namespace gui::region
