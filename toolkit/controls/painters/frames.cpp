// The exported frame painters: 3D thick and thin frames, the engraved
// border and text, the 3D control frame and the flat frame with cut
// corners. Every line is a pen path: the point a path starts from is not
// drawn, the points it runs to are.
#include <initializer_list>
#include <utility>

#include "controls/painters/painter_util.h"
#include "controls/painters/blitters.h"
#include "core/element_color.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/text.h"
#include "gui/window_attr.h"

namespace painters {

void Path(HDC hdc, GalPixel pen, std::initializer_list<Point> points) {
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, pen);
  auto it = points.begin();
  MoveTo(hdc, it->x, it->y);
  for (++it; it != points.end(); ++it) LineTo(hdc, it->x, it->y);
}

void Outline(HDC hdc, GalPixel pen, int l, int t, int r, int b) {
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, pen);
  Rectangle(hdc, l, t, r, b);
}

void Fill(HDC hdc, GalPixel brush, int x, int y, int w, int h) {
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, brush);
  FillBox(hdc, x, y, w, h);
}

}  // namespace painters

namespace {

using painters::Fill;
using painters::Outline;
using painters::Path;

GalPixel Of(WindowHandle hwnd, int index) { return GetWindowElementColorEx(hwnd, index); }

void Order(int& a, int& b) {
  if (a > b) std::swap(a, b);
}

}  // namespace

extern "C" {

void Draw3DThickFrameEx(HDC hdc, WindowHandle, int l, int t, int r, int b, uint32_t flags, GalPixel fill) {
  if (flags & FRAME_LOOK_MASK) {
    Path(hdc, Color(WEC_3DBOX_DARK), {{l, b}, {l, t}, {r, t}});
    Path(hdc, Color(WEC_3DBOX_NORMAL), {{l + 1, b - 1}, {l + 1, t + 1}, {r - 1, t + 1}});
    Path(hdc, Color(WEC_3DBOX_NORMAL), {{l + 1, b - 1}, {r - 1, b - 1}, {r - 1, t + 1}});
    Path(hdc, Color(WEC_3DBOX_LIGHT), {{l, b}, {r, b}, {r, t}});
    if (flags & FRAME_FILL) Fill(hdc, fill, l + 2, t + 2, r - l - 3, b - t - 3);
    return;
  }
  Outline(hdc, Color(WEC_3DBOX_NORMAL), l, t, r - 1, b - 1);
  Outline(hdc, Color(WEC_3DBOX_DARK), l, t, r - 2, b - 2);
  Path(hdc, Color(WEC_3DBOX_REVERSE), {{l, b - 1}, {r - 1, b - 1}, {r - 1, t}});
  Path(hdc, Color(WEC_3DBOX_LIGHT), {{l + 1, b - 2}, {l + 1, t + 1}, {r - 2, t + 1}});
  if (flags & FRAME_FILL) Fill(hdc, fill, l + 2, t + 2, r - l - 4, b - t - 4);
}

void Draw3DThinFrameEx(HDC hdc, WindowHandle hwnd, int l, int t, int r, int b, uint32_t flags, GalPixel fill) {
  const GalPixel light = Of(hwnd, WEC_3DBOX_LIGHT), dark = Of(hwnd, WEC_3DBOX_DARK);
  const bool pressed = flags & FRAME_LOOK_MASK;
  Path(hdc, pressed ? light : dark, {{l, b}, {r, b}, {r, t}});
  Path(hdc, pressed ? dark : light, {{l, b}, {l, t}, {r, t}});
  if (flags & FRAME_FILL) Fill(hdc, fill, l + 1, t + 1, r - l - 2, b - t - 2);
}

void Draw3DBorderEx(HDC hdc, WindowHandle hwnd, int l, int t, int r, int b) {
  Outline(hdc, Of(hwnd, WEC_3DBOX_LIGHT), l + 1, t + 1, r - 1, b - 1);
  Outline(hdc, Of(hwnd, WEC_3DBOX_DARK), l, t, r - 2, b - 2);
}

int DisabledTextOutEx(HDC hdc, WindowHandle hwnd, int x, int y, const char* text) {
  SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  SetDCAttr(hdc, DC_ATTR_BK_COLOR, GetWindowBkColor(hwnd));
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, Of(hwnd, WEC_3DBOX_LIGHT));
  TextOutLen(hdc, x + 1, y + 1, text, -1);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, Of(hwnd, WEC_3DBOX_DARK));
  return TextOutLen(hdc, x, y, text, -1);
}

void Draw3DControlFrameEx(HDC hdc, WindowHandle hwnd, int x0, int y0, int x1, int y1, uint32_t flags,
                          GalPixel fill) {
  Order(x0, x1);
  Order(y0, y1);
  const int l = x0, t = y0, r = x1, b = y1;
  if (flags & FRAME_FILL) Fill(hdc, fill, l + 1, t + 1, r - l - 1, b - t - 1);
  if ((flags & FRAME_LOOK_MASK) == 1) {
    Path(hdc, Of(hwnd, WEC_3DBOX_REVERSE), {{l, b}, {l, t}, {r, t}});
    Path(hdc, Of(hwnd, WEC_3DBOX_LIGHT), {{l, b}, {r, b}, {r, t}});
    Path(hdc, Of(hwnd, WEC_3DBOX_DARK), {{l + 1, b - 1}, {l + 1, t + 1}, {r - 1, t + 1}});
    Path(hdc, Of(hwnd, WEC_3DBOX_NORMAL), {{l + 1, b - 1}, {r - 1, b - 1}, {r - 1, t + 1}});
    return;
  }
  Path(hdc, Of(hwnd, WEC_3DBOX_LIGHT), {{l, b}, {l, t}, {r, t}});
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, Of(hwnd, WEC_3DBOX_REVERSE));
  LineTo(hdc, r, b);
  LineTo(hdc, l, b);
  Path(hdc, Of(hwnd, WEC_3DBOX_DARK), {{l + 1, b - 1}, {r - 1, b - 1}, {r - 1, t + 1}});
}

void DrawFlatControlFrameEx(HDC hdc, WindowHandle hwnd, int x0, int y0, int x1, int y1, int corner,
                            uint32_t flags, GalPixel fill) {
  Order(x0, x1);
  Order(y0, y1);
  int l = x0, t = y0, r = x1, b = y1;
  if (flags & FRAME_FILL) Fill(hdc, fill, l, t, r - l + 1, b - t + 1);
  const GalPixel pen = Of(hwnd, WEC_FRAME_BORDER);
  if (corner < 1) {
    Outline(hdc, pen, l, t, r, b);
    return;
  }
  if ((flags & FRAME_LOOK_MASK) == 0) {
    --r;
    --b;
  }
  const int c = corner;
  Path(hdc, pen,
       {{l + c, t}, {r - c, t}, {r, t + c}, {r, b - c}, {r - c, b}, {l + c, b}, {l, b - c}, {l, t + c}, {l + c, t}});
}

}  // extern "C"
