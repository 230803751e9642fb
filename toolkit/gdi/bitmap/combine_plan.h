// Where the three-part skin fill puts its pieces.
#ifndef GDI_BITMAP_COMBINE_PLAN_H
#define GDI_BITMAP_COMBINE_PLAN_H

#include <cstdint>
#include <vector>

namespace gui::dc {

// One piece, in fill coordinates: `along` runs in the fill direction,
// `cross` across it. A whole tile is drawn at the bitmap's own size.
struct CombinePiece {
  int along, length, alongFrom;
  int cross, crossSize, crossFrom;
  bool wholeTile;
  bool operator==(const CombinePiece& o) const {
    return along == o.along && length == o.length && alongFrom == o.alongFrom &&
           cross == o.cross && crossSize == o.crossSize && crossFrom == o.crossFrom &&
           wholeTile == o.wholeTile;
  }
};

struct CombineRequest {
  int start, length;       // along the fill
  int crossStart, cross;   // box across the fill (cross below 1: the bitmap's)
  int bitmapAlong, bitmapCross;
  bool head, tail, vertical;
  // The part along the fill that can show (the DC's clip): pieces wholly
  // outside it are not planned, so a fill of any length costs what its
  // visible part costs.
  int64_t visibleFrom = INT64_MIN, visibleTo = INT64_MAX;
};

std::vector<CombinePiece> PlanCombineFill(const CombineRequest& r);

}  // namespace gui::dc

#endif
