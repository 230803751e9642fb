// Painting of the combine control: the framed caption of the combo
// variant, the caption box, frame and clear mark of the edit variant.
#include "controls/combine/combine_internal.h"
#include "core/element_color.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/gal.h"
#include "gui/text.h"

namespace combine {

namespace {

constexpr int kClearMarkBitmap = 7;

Size CaptionSize(HDC hdc, const CombineData& d) {
  Size size{};
  GetTextExtentEx(hdc, d.caption, -1, &size, getCurOutputHook());
  return size;
}

void PaintComboVariant(WindowHandle hwnd, const CombineData& d, HDC hdc, const Rect& client) {
  const Size size = CaptionSize(hdc, d);
  const int x = (client.right - size.cx) / 2, y = 4;
  SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, Color(WEC_FC_CONTROL_NORMAL));
  TextOutLen(hdc, x, y, d.caption, -1);
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, Color(WEC_FC_CONTROL_NORMAL));
  Rectangle(hdc, x - 1, y - 1, x + size.cx, y + size.cy);
  // The outer frame takes the core's light grey: the element colours name
  // no frame for this control.
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, SysPixelIndex[SYSPIXEL_LIGHTGREY]);
  Rectangle(hdc, 0, 0, client.right - 1, client.bottom - 1);
}

void PaintEditVariant(WindowHandle hwnd, const CombineData& d, HDC hdc, const Rect& client) {
  const bool lit = d.state & kHighlighted;
  const Size size = CaptionSize(hdc, d);
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, Color(lit ? WEC_BKC_CONTROL_SELECTED : WEC_BKC_CONTROL_NORMAL));
  FillBox(hdc, 0, 0, size.cx + 1, size.cy + 1);
  SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, Color(lit ? WEC_FC_CONTROL_SELECTED : WEC_FC_CONTROL_NORMAL));
  TextOutLen(hdc, 1, 1, d.caption, -1);
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, Color((d.state & kFocused) ? WEC_FRAME_CONTROL_HILITE : WEC_FRAME_MENUITEM_NORMAL));
  Rectangle(hdc, 0, 0, client.right - 1, client.bottom - 1);
  Rect mark{};
  if (ClearMarkRect(hwnd, d, &mark))
    FillBoxWithBitmap(hdc, mark.left, mark.top, mark.right - mark.left, mark.bottom - mark.top,
                      GetSystemBitmap(kClearMarkBitmap));
}

}  // namespace

bool ClearMarkRect(WindowHandle hwnd, const CombineData& d, Rect* out) {
  const Bitmap* mark = GetSystemBitmap(kClearMarkBitmap);  // of the current display
  if (!HasClearMark(hwnd) || !d.child || !mark) return false;
  Rect edit{};
  GetWindowRect(d.child, &edit);
  const int w = static_cast<int>(mark->bmWidth), h = static_cast<int>(mark->bmHeight);
  *out = Rect{edit.right - w - 2, edit.top + 2, edit.right - 2, edit.top + 2 + h};
  return true;
}

void Paint(WindowHandle hwnd, const CombineData& d, HDC hdc) {
  Rect client{};
  GetClientRect(hwnd, &client);
  if (EditVariant(hwnd))
    PaintEditVariant(hwnd, d, hdc, client);
  else
    PaintComboVariant(hwnd, d, hdc, client);
}

}  // namespace combine
