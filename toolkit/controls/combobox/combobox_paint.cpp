// Painting of the arrows and the drop-down button by kind, and the focus
// frame.
#include "controls/combobox/combobox_internal.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/element.h"

namespace combobox {

namespace {

void Part(HDC hdc, const Rect& at, const Bitmap* bmp, int xo, int yo, int w, int h) {
  FillBoxWithBitmapPart(hdc, at.left, at.top, w, h, 0, 0, bmp, xo, yo);
}

void PaintSpin(WindowHandle hwnd, const ComboBoxData& d, HDC hdc) {
  const uint32_t style = GetWindowStyle(hwnd);
  if (Kind(hwnd) == CBS_SPINNUMBER && (style & WS_DISABLED) && !(style & CBS_TRANSPARENT)) return;
  const Skins skins = LoadSkins();
  if ((style & CBS_SPINARROW_LEFTRIGHT) && skins.leftRight) {
    const int half = static_cast<int>(skins.leftRight->bmWidth) / 2, h = static_cast<int>(skins.leftRight->bmHeight);
    Part(hdc, d.first, skins.leftRight, half, 0, half, h);
    Part(hdc, d.second, skins.leftRight, 0, 0, half, h);
    return;
  }
  if (!skins.spin) return;  // no skin, no arrows
  const int w = static_cast<int>(skins.spin->bmWidth), quarter = static_cast<int>(skins.spin->bmHeight) / 4;
  Part(hdc, d.first, skins.spin, 0, (d.state & kFirstMarked) ? 0 : quarter, w, quarter);
  Part(hdc, d.second, skins.spin, 0, (d.state & kSecondMarked) ? 2 * quarter : 3 * quarter, w, quarter);
}

void PaintDropButton(const ComboBoxData& d, HDC hdc) {
  const Bitmap* down = d.button;
  if (!down) return;
  const int w = static_cast<int>(down->bmWidth), half = static_cast<int>(down->bmHeight) / 2;
  const int y = d.first.top + (d.first.bottom - d.first.top - half) / 2;
  FillBoxWithBitmapPart(hdc, d.first.left, y, w, half, 0, 0, down, 0, (d.state & kPressed) ? half : 0);
}

}  // namespace

void Paint(WindowHandle hwnd, ComboBoxData& d, HDC hdc) {
  const uint32_t kind = Kind(hwnd);
  switch (kind) {
    case CBS_SPINNUMBER: case CBS_SPINLIST: PaintSpin(hwnd, d, hdc); break;
    case CBS_DROPDOWNLIST: PaintDropButton(d, hdc); break;
    case CBS_SIMPLE: case CBS_FIXEDLIST:
      if (d.button)
        FillBoxWithBitmap(hdc, d.first.left, d.first.top, static_cast<int>(d.button->bmWidth),
                          static_cast<int>(d.button->bmHeight), d.button);
      break;
    case CBS_DATE: case CBS_TIME:
      if (d.button && !(GetWindowStyle(hwnd) & WS_DISABLED)) {
        const int bh = static_cast<int>(d.button->bmHeight);
        FillBoxWithBitmap(hdc, d.first.left, d.first.top + (d.first.bottom - d.first.top - bh) / 2,
                          static_cast<int>(d.button->bmWidth), bh, d.button);
      }
      break;
    default: break;
  }
  const uint32_t style = GetWindowStyle(hwnd);
  if ((style & CBS_TRANSPARENT) || !(d.state & kFocused) || kind == CBS_SPINLIST) return;
  Rect r{};
  GetClientRect(hwnd, &r);
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, WinElementColors[WEC_FRAME_CONTROL_HILITE]);
  Rectangle(hdc, r.left, r.top, r.right - 1, r.bottom - 1);
}

LResult EraseBackground(WindowHandle hwnd, WParam wParam, LParam lParam) {
  const uint32_t style = GetWindowStyle(hwnd);
  if (style & CBS_TRANSPARENT) return 0;
  HDC hdc = static_cast<HDC>(wParam);
  const Rect* clip = reinterpret_cast<const Rect*>(lParam);
  return (style & CBS_CONTROLBKGND) ? EraseControlBkgnd(hwnd, hdc, clip) : EraseEditFrameBkgnd(hwnd, hdc, clip);
}

}  // namespace combobox
