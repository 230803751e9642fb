// Horizontal and vertical spans drawn against a DC's banded effective
// region, the band lookup they share and the exact line clipper.
#ifndef GDI_DC_CLIPPED_SPANS_H
#define GDI_DC_CLIPPED_SPANS_H

#include "gdi/dc_record.h"

namespace gui::dc {

// The first node of the band holding row y (or of the next band when y
// falls between bands), or null; kept in the DC's clip-band cache, which
// every drawing operation clears before it starts.
ClipRect* FindClipBand(DC* dc, int y);

// Cuts the span of width *w from (*x, y) to the rectangle; false when
// nothing of it is inside.
bool ClipHSpan(const Rect* rect, int* x, int y, int* w);

// Cuts the segment to the rectangle (right and bottom exclusive) keeping
// the clipped ends on the integer line; false when nothing is inside.
bool LineClipper(const Rect* rect, int* x0, int* y0, int* x1, int* y1);

// Screen coordinates, through the DC's operations, raster operation and
// step, within the output rectangle. The horizontal span covers both end
// columns, the vertical one rows min..max-1; both draw nothing for equal
// ends.
void DrawClippedHLine(DC* dc, int x1, int x2, int y);
void DrawClippedVLine(DC* dc, int y1, int y2, int x);
// Columns x1..x2 inclusive, one pixel when they are equal.
void DrawClippedRun(DC* dc, int x1, int x2, int y);
// Every row of a rectangle already cut to the clip and the output
// rectangle, through the DC's span operation (step 1).
void FillSpanRows(DC* dc, const Rect& cut);
// Every pixel of the output rectangle the clip lets through (step 1), a
// clip rectangle at a time: a plain copy as one surface fill, another
// raster operation row by row through the pixel operations.
void FillClippedOutput(DC* dc);

// The Bresenham line from (x1, y1), itself not drawn, to (x2, y2).
using LinePointCallback = void (*)(void* context, int x, int y);
void LineGenerator(DC* dc, int x1, int y1, int x2, int y2, LinePointCallback unused);

// Resets the per-operation state of the pen functions.
void PreparePen(DC* dc, GalPixel pixel, int step);

}  // namespace gui::dc

#endif
