// The clipped single-pixel path shared by the pixel API, the dotted lines
// and the shape generators' point call-backs.
#ifndef GDI_DC_PIXEL_API_H
#define GDI_DC_PIXEL_API_H

#include "gdi/dc_record.h"

namespace gui::dc {

// Draws the DC's current pixel value at (x, y), screen coordinates, when the
// point lies in the effective clip region; takes the drawing bracket itself.
void DrawClippedPixel(DC* dc, int x, int y);

}  // namespace gui::dc

#endif
