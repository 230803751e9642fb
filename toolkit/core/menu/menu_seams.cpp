#include "core/menu/menu_seams.h"

#include "core/element/image_seams.h"
#include "core/menu/menu_style.h"
#include "gui/dc.h"
#include "gui/element.h"

extern "C" {

void Draw3DThickFrameEx(HDC hdc, WindowHandle, int left, int top, int right, int bottom, uint32_t flags,
                        GalPixel fill) {
  constexpr int kLight = 81, kDark = 82;  // wec_3dbox_light, wec_3dbox_dark
  if (right - left < 4 || bottom - top < 4) return;
  if (flags & 0x10) menu::FillRect(hdc, fill, left + 2, top + 2, right - left - 4, bottom - top - 4);
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, WinElementColors[kLight]);
  Rectangle(hdc, left, top, right - 1, bottom - 1);
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, WinElementColors[kDark]);
  Rectangle(hdc, left + 1, top + 1, right - 2, bottom - 2);
}

int DrawBoxWithBitmapCombine(HDC hdc, const Rect* rect, const Bitmap* bitmap) {
  if (!rect || !bitmap) return -1;
  FillBoxWithBitampCombineEx(hdc, rect->left, rect->top, rect->right - rect->left, static_cast<int>(bitmap->bmHeight),
                             bitmap, TRUE, TRUE, FALSE);
  return 0;
}

}  // extern "C"
