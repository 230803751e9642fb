// The skinned edit frame: two-pixel edges and rounded corner pieces cut
// from a bitmap of four quadrants.
#include "controls/painters/painter_util.h"
#include "controls/painters/blitters.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/message.h"

extern "C" {

const Bitmap* GetEditBitmap(BOOL enabled, BOOL background) {
  if (background) return GetStockBitmap(enabled ? "edit_bk" : "edit_bk_dis", 0, 0);
  return GetStockBitmap(enabled ? "editcorner" : "editcorner_dis", 0, 0);
}

int DrawEditFrame(HDC hdc, uint32_t style, uint32_t corners, const Rect* rect, BOOL fill, BOOL rightEdge,
                  GalPixel fillColor) {
  const Bitmap* corner = GetEditBitmap((style & WS_DISABLED) == 0, FALSE);
  if (!rect || !corner || !corner->bmBits) return -1;
  const int l = rect->left, t = rect->top, r = rect->right, b = rect->bottom;
  if (fill) painters::Fill(hdc, fillColor, l, t, r - l, b - t);
  const GalPixel edge = WinElementColors[WEC_FRAME_CONTROL_DISABLED];
  const bool topRound = corners & (EDIT_CORNER_TOPLEFT | EDIT_CORNER_TOPRIGHT);
  const bool bottomRound = corners & (EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_BOTTOMRIGHT);
  painters::Fill(hdc, edge, l, t, 2, b - t);
  painters::Fill(hdc, edge, l, t, r - l, topRound ? 2 : 1);
  if (rightEdge) painters::Fill(hdc, edge, r - 2, t, 2, b - t);
  if (bottomRound)
    painters::Fill(hdc, edge, l, b - 2, r - l, 2);
  else
    painters::Fill(hdc, edge, l, b - 1, r - l, 1);
  const int w = static_cast<int>(corner->bmWidth), h = static_cast<int>(corner->bmHeight);
  const int hw = w / 2, hh = h / 2;
  if (corners & EDIT_CORNER_BOTTOMLEFT) FillBoxWithBitmapPart(hdc, l, b - hh, hw, hh, w, h, corner, 0, hh);
  if (corners & EDIT_CORNER_TOPLEFT) FillBoxWithBitmapPart(hdc, l, t, hw, hh, w, h, corner, 0, 0);
  if (corners & EDIT_CORNER_BOTTOMRIGHT) FillBoxWithBitmapPart(hdc, r - hw, b - hh, hw, hh, w, h, corner, hw, hh);
  if (corners & EDIT_CORNER_TOPRIGHT) FillBoxWithBitmapPart(hdc, r - hw, t, hw, hh, w, h, corner, hw, 0);
  return 0;
}

}  // extern "C"
