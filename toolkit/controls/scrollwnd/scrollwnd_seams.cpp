// Stand-ins until the page procedures and background painters land: the
// container passes what it does not handle to the default control
// procedure, and erasing fills the background colour.
#include "controls/scrollwnd/scrollwnd_seams.h"

#include "gui/bitmap.h"
#include "gui/dc.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace scrollwnd {

LResult ContainerDialogDefault(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  return DefaultControlProc(hwnd, message, wParam, lParam);
}

void EraseBackground(WindowHandle hwnd, HDC hdc, const Rect* clip) {
  Rect rc{};
  GetClientRect(hwnd, &rc);
  const bool own = hdc == 0 || hdc == HDC_INVALID;
  if (own) hdc = GetClientDC(hwnd);
  (void)clip;  // the whole client area: cheap, and no coordinate question
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR, GetWindowBkColor(hwnd));
  FillBox(hdc, 0, 0, rc.right - rc.left, rc.bottom - rc.top);
  if (own) ReleaseDC(hdc);
}

}  // namespace scrollwnd
