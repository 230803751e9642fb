// Where the three-part skin fill puts its pieces.
#ifndef GDI_BITMAP_COMBINE_PLAN_H
#define GDI_BITMAP_COMBINE_PLAN_H

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
};

std::vector<CombinePiece> PlanCombineFill(const CombineRequest& r);

}  // namespace gui::dc

#endif
