// Node-list helpers shared by the clip region files.
#ifndef GDI_DC_CLIP_REGION_INTERNAL_H
#define GDI_DC_CLIP_REGION_INTERNAL_H

#include "gui/region.h"

namespace gui::region {

// Appends (left, top, right, bottom) at the tail; false when no node can be had.
bool AppendRect(ClipRgn* region, int left, int top, int right, int bottom);
// Unlinks node and gives it back to the region's heap.
void FreeNode(ClipRgn* region, ClipRect* node);
// Recomputes the bound from the nodes and sets the type (2 with nodes, else 0).
void SetClipRgnBound(ClipRgn* region);
// Empties dst and hands it src's nodes, bound and type; src is left empty.
void MoveRegion(ClipRgn* dst, ClipRgn* src);
// Takes `cut` (with area) out of the region where it lies; false, the region
// left empty, when no node can be had.
bool CutRectInPlace(ClipRgn* region, const Rect& cut);
// dst = src within r (dst may be src); false, dst left empty, when no node
// can be had.
bool IntersectWithRect(ClipRgn* dst, const ClipRgn* src, const Rect& r);
// A rectangle with left >= right or top >= bottom cannot be a region node.
bool HasNoArea(const Rect* rect);

// The first node after the band that starts at `band` (all its nodes share
// top and bottom); null after the last band.
const ClipRect* BandEnd(const ClipRect* band);
inline ClipRect* BandEnd(ClipRect* band) {
  return const_cast<ClipRect*>(BandEnd(static_cast<const ClipRect*>(band)));
}
// Whether the bands [a, aEnd) and [b, bEnd) have the same columns.
bool SameColumns(const ClipRect* a, const ClipRect* aEnd, const ClipRect* b, const ClipRect* bEnd);
// The band [upper, lower) grown down to the bottom of [lower, lowerEnd),
// whose nodes are given back: the two touch and have the same columns.
void MergeBandDown(ClipRgn* region, ClipRect* upper, ClipRect* lower, ClipRect* lowerEnd);

// A one-rectangle region that lives on the stack; its node owns no heap
// block, so it may only be read (as a source operand).
class RectRegion {
 public:
  explicit RectRegion(const Rect& rect);
  const ClipRgn* get() const { return &region_; }

 private:
  ClipRect node_;
  ClipRgn region_;
};

// The band sweep behind intersection, subtraction and union.
using OverlapOp = bool (*)(ClipRgn* out, const ClipRect* a, const ClipRect* aEnd,
                           const ClipRect* b, const ClipRect* bEnd, int top, int bottom);
using NonOverlapOp = bool (*)(ClipRgn* out, const ClipRect* r, const ClipRect* rEnd, int top,
                              int bottom);
bool ClipRgnOp(ClipRgn* dst, const ClipRgn* a, const ClipRgn* b, OverlapOp overlap,
               NonOverlapOp onlyA, NonOverlapOp onlyB);

bool IntersectBands(ClipRgn* out, const ClipRect* a, const ClipRect* aEnd, const ClipRect* b,
                    const ClipRect* bEnd, int top, int bottom);
bool SubtractBands(ClipRgn* out, const ClipRect* a, const ClipRect* aEnd, const ClipRect* b,
                   const ClipRect* bEnd, int top, int bottom);
bool UnionBands(ClipRgn* out, const ClipRect* a, const ClipRect* aEnd, const ClipRect* b,
                const ClipRect* bEnd, int top, int bottom);
bool CopyBandPart(ClipRgn* out, const ClipRect* r, const ClipRect* rEnd, int top, int bottom);

}  // namespace gui::region

#endif
