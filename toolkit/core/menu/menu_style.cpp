#include "core/menu/menu_style.h"

#include <cstring>

#include "gui/bitmap.h"
#include "gui/image.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/display.h"
#include "gui/element.h"
#include "gui/text.h"

namespace menu {

int Metric(enum Metric index) { return WinMainMetrics[index]; }

bool OnMainOutput() { return getCurOutputHook() == getMainOutputHook(); }
bool OnAuxOutput() { return getCurOutputHook() == getAuxOutputHook() && !OnMainOutput(); }

bool HalvedOutput() { return !IsLowResDisplay(getMainOutputHook()) && IsLowResDisplay(getCurOutputHook()); }

LogFont* MenuFont() { return g_SysLogFont[OnMainOutput() ? 4 : 6]; }

int MenuFontHeight() {
  if (OnMainOutput()) return GetSysFontHeight(4);
  return OnAuxOutput() ? GetSysFontHeight(6) : 0;
}

int Font4Height() { return GetSysFontHeight(4); }

int TextLength(const void* text) { return text ? static_cast<int>(std::strlen(static_cast<const char*>(text))) : 0; }

void FillRect(HDC hdc, GalPixel pixel, int x, int y, int w, int h) {
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, pixel);
  FillBox(hdc, x, y, w, h);
}

void HLine(HDC hdc, GalPixel pixel, int x0, int x1, int y) {
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, pixel);
  MoveTo(hdc, x0, y);
  LineTo(hdc, x1, y);
  SetPixel(hdc, x0, y, pixel);
}

void VLine(HDC hdc, GalPixel pixel, int x, int y0, int y1) {
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, pixel);
  MoveTo(hdc, x, y0);
  LineTo(hdc, x, y1);
  SetPixel(hdc, x, y0, pixel);
}

}  // namespace menu
