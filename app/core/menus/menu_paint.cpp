#include "app/core/menus/menu_paint.h"
#include "app/page_colours.h"

#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/layout.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace menus {

void eraseMenu(WindowHandle hwnd, WParam wParam, LParam lParam, const std::function<void(HDC, int, int)>& draw) {
  HDC given = static_cast<HDC>(wParam);
  HDC hdc = given ? given : GetClientDC(hwnd);
  if (hdc == HDC_INVALID) return;
  if (lParam) {
    // The toolkit hands a main window its damaged area in screen coordinates.
    Rect area = *reinterpret_cast<const Rect*>(lParam);
    ScreenToClient(hwnd, &area.left, &area.top);
    ScreenToClient(hwnd, &area.right, &area.bottom);
    ClipRectIntersect(hdc, &area);
  }
  Rect client{};
  GetClientRect(hwnd, &client);
  draw(hdc, client.right - client.left, client.bottom - client.top);
  if (!given) ReleaseDC(hdc);
}

void drawTitleAndTipStrip(HDC hdc, int w, int h, const Bitmap* title, int stripHeight) {
  if (title) FillBoxWithBitampCombineEx(hdc, 0, 0, w, 0, title, TRUE, TRUE, FALSE);
  if (stripHeight > 0) fillColour(hdc, page_colours::kTipBand, 0, h - stripHeight, w, stripHeight);
}

int tipStripHeight() {
  CtrlResInfo* tip = nullptr;
  return GetCtrlResInfo("mainmenu", "tipinfo", &tip) && tip ? tip->h : 0;
}

}  // namespace menus
