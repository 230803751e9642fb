// The scan converters limited to a band of rows: only rows firstRow ..
// lastRow (inclusive) are computed and reported, so a polygon reaching far
// outside the band costs what its part inside costs. The exported
// generators are these over all rows.
#ifndef GDI_DC_POLYGON_ROWS_H
#define GDI_DC_POLYGON_ROWS_H

#include "gui/polygon.h"

namespace gui::dc {

bool MonotonePolygonRows(void* context, const Point* points, int count, SpanCallback cb, int firstRow,
                         int lastRow);
bool PolygonRows(void* context, const Point* points, int count, SpanCallback cb, int firstRow, int lastRow);

}  // namespace gui::dc

#endif
