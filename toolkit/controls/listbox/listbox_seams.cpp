// Stand-ins for the shared gradient and two-colour painters until they are
// in the toolkit: a vertical blend, and the first colour over value/maximum
// of the height.
#include "controls/listbox/listbox_internal.h"
#include "gui/dc.h"
#include "gui/bitmap.h"

namespace listbox {

namespace {

GalPixel Mix(HDC hdc, GalPixel a, GalPixel b, int step, int steps) {
  uint8_t ar = 0, ag = 0, ab = 0, br = 0, bg = 0, bb = 0;
  Pixel2RGB(hdc, a, &ar, &ag, &ab);
  Pixel2RGB(hdc, b, &br, &bg, &bb);
  auto at = [&](int x, int y) { return static_cast<uint8_t>(x + (y - x) * step / (steps > 0 ? steps : 1)); };
  return RGB2Pixel(hdc, at(ar, br), at(ag, bg), at(ab, bb));
}

}  // namespace

void GradientFill(HDC hdc, GalPixel start, GalPixel end, int l, int t, int r, int b) {
  for (int y = t; y < b; ++y) {
    SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, Mix(hdc, start, end, y - t, b - t - 1));
    FillBox(hdc, l, y, r - l, 1);
  }
}

void TwoColorFill(HDC hdc, GalPixel first, GalPixel second, int l, int t, int r, int b, int value, int maximum) {
  const int split = maximum > 0 ? (b - t) * value / maximum : 0;
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, first);
  FillBox(hdc, l, t, r - l, split);
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, second);
  FillBox(hdc, l, t + split, r - l, b - t - split);
}

}  // namespace listbox
