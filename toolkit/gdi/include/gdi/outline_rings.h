// Nested rectangle outlines drawn as one: a window's border is a run of
// rings, each one pixel inside the last, in bands of one colour.
#ifndef GDI_OUTLINE_RINGS_H
#define GDI_OUTLINE_RINGS_H

#include <cstdint>

#include "gui/common.h"

namespace gui::dc {

struct OutlineBand {
  int64_t rings;  // below 0 counts as none
  GalPixel pixel;
};

// Ring i of the outline (x0, y0)-(x1, y1), corners included, is the outline
// moved i pixels in on every side, drawn as Rectangle draws it; the bands'
// rings follow one another outward in, each band in its colour, later rings
// over earlier ones. Only the rings that can show in the DC's clip are
// walked, whatever the counts.
void DrawOutlineRings(HDC hdc, int x0, int y0, int x1, int y1, const OutlineBand* bands, int bandCount);

}  // namespace gui::dc

#endif
