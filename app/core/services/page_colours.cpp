#include "app/page_colours.h"

#include "gui/dc.h"
#include "gui/bitmap.h"

GalPixel pagePixel(HDC hdc, PageColour colour) { return RGB2Pixel(hdc, colour.r, colour.g, colour.b); }

void fillColour(HDC hdc, PageColour colour, int x, int y, int w, int h) {
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, static_cast<uint32_t>(pagePixel(hdc, colour)));
  FillBox(hdc, x, y, w, h);
}

void selectPenColour(HDC hdc, PageColour colour) {
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, static_cast<uint32_t>(pagePixel(hdc, colour)));
}
