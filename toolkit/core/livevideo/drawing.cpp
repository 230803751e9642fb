// Drawing additions exported beside the window API: a two-pixel frame, the
// outline of a band between two points, and a control's skin bitmaps.
#include <cstdio>
#include <cstdlib>

#include "gui/image.h"
#include "core/control_support.h"
#include "core/window/window_record.h"
#include "gui/dc.h"
#include "gui/livevideo.h"

extern "C" {

void Rectangle2(HDC hdc, int left, int top, int right, int bottom) {
  const uint32_t brush = SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, GetDCAttr(hdc, DC_ATTR_PEN_COLOR));
  const int w = right - left, h = bottom - top;
  FillBox(hdc, left, top, 2, h);
  FillBox(hdc, left, top, w, 2);
  FillBox(hdc, right - 2, top, 2, h);
  FillBox(hdc, left, bottom - 2, w, 2);
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, brush);
}

void DrawBandOutline(HDC hdc, int x1, int y1, int x2, int y2) {
  if (x1 == x2 && y1 == y2) return;
  const bool steep = std::abs(y2 - y1) >= std::abs(x2 - x1);
  const int dx = steep ? 10 : 0, dy = steep ? 0 : 10;
  MoveTo(hdc, x1, y1);
  LineTo(hdc, x2, y2);
  MoveTo(hdc, x1 + dx, y1 + dy);
  LineTo(hdc, x2 + dx, y2 + dy);
  MoveTo(hdc, x1, y1);
  LineTo(hdc, x1 + dx, y1 + dy);
  MoveTo(hdc, x2, y2);
  LineTo(hdc, x2 + dx, y2 + dy);
}

void SetCtrlBitmaps(WindowHandle control, const Bitmap* foreground, const Bitmap* background, int slot) {
  WindowRecord* win = ValidWindow(control);
  if (!win || slot < 1 || slot > 3) return;
  if (foreground && background &&
      (background->bmWidth < foreground->bmWidth || background->bmHeight < foreground->bmHeight)) {
    std::fprintf(stderr, "Error: Background bitmap cannot smaller than forceground bitmap!\n");
    return;
  }
  if (slot == 1 && !foreground) {
    std::fprintf(stderr, "Error: Normal forceground bitmap cannot be NULL!\n");
    return;
  }
  win->skins[slot - 1][0] = foreground;
  win->skins[slot - 1][1] = background;
}

}  // extern "C"

const Bitmap* GetCtrlBitmap(WindowHandle hwnd, int slot, int layer) {
  const WindowRecord* win = ValidWindow(hwnd);
  if (!win || slot < 1 || slot > 3 || layer < 0 || layer > 1) return nullptr;
  return win->skins[slot - 1][layer];
}
