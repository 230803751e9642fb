/* Polygon scan conversion into horizontal spans (x1 to x2 inclusive). */
#ifndef GUI_POLYGON_H
#define GUI_POLYGON_H

#include "gui/common.h"
#include "gui/fixed_math.h"

GUI_EXTERN_C_BEGIN

/* True when every horizontal line meets the polygon in one run at most;
 * polygons of 4 or more points must repeat their first point at the end. */
BOOL PolygonIsMonotoneVertical(const Point* points, int count);
/* False only when the row buffer cannot be allocated. The bottom row is
 * not reported. */
BOOL MonotoneVerticalPolygonGenerator(void* context, const Point* points, int count,
                                      SpanCallback cb);
/* Any polygon, through an edge table; false only when it cannot be allocated. */
BOOL PolygonGenerator(void* context, const Point* points, int count, SpanCallback cb);

GUI_EXTERN_C_END

#endif
