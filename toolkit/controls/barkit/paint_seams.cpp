// Stand-ins for the shared control painters: each erase fills the client
// area (or the clip) with the window's background colour and answers 0.
#include "controls/barkit/paint_seams.h"

#include "gui/dc.h"
#include "gui/window_attr.h"
#include "gui/window.h"

namespace barkit::seam {

namespace {

int FillBackground(WindowHandle hwnd, HDC given, const Rect* clip) {
  if (GetWindowExStyle(hwnd) & WS_EX_TRANSPARENT) return 0;
  HDC hdc = given ? given : GetClientDC(hwnd);
  if (hdc == HDC_INVALID) return 0;
  Rect r{};
  GetClientRect(hwnd, &r);
  if (clip) ClipRectIntersect(hdc, clip);
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, GetWindowBkColor(hwnd));
  FillBox(hdc, r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (!given) ReleaseDC(hdc);
  return 0;
}

}  // namespace

int EraseTwoTone(WindowHandle hwnd, HDC hdc, const Rect* clip) { return FillBackground(hwnd, hdc, clip); }
int EraseTwoToneCaret(WindowHandle hwnd, HDC hdc, const Rect* clip) { return FillBackground(hwnd, hdc, clip); }
int EraseTrack(WindowHandle hwnd, HDC hdc, const Rect* clip) { return FillBackground(hwnd, hdc, clip); }
int EraseEditFrame(WindowHandle hwnd, HDC hdc, const Rect* clip) { return FillBackground(hwnd, hdc, clip); }

int DrawBoxCombine(HDC hdc, const Rect* rect, const Bitmap* bitmap) {
  if (!rect || !bitmap) return -1;
  FillBoxWithBitampCombineEx(hdc, rect->left, rect->top, rect->right - rect->left, 0, bitmap, TRUE, TRUE, FALSE);
  return 0;
}

int DrawEditFrame(HDC hdc, uint32_t, uint32_t, const Rect* rect, GalPixel fill) {
  if (!rect) return -1;
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, fill);
  FillBox(hdc, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
  return 0;
}

void Draw3DControlFrame(HDC hdc, WindowHandle, int x0, int y0, int x1, int y1, GalPixel fill) {
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, fill);
  FillBox(hdc, x0 + 1, y0 + 1, x1 - x0 - 1, y1 - y0 - 1);
}

}  // namespace barkit::seam
