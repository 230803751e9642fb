// Dragging the side menu by its grip (the left third of its background):
// one drag state for the bars of both outputs, since one mouse drags one
// bar at a time.
#include "app/app_registry.h"
#include "app/left_menu.h"
#include "app/popup_drag.h"
#include "gui/cursor.h"
#include "gui/layout.h"
#include "gui/nonclient.h"
#include "gui/window_attr.h"

namespace {

constexpr int kMoveCursor = 4;

struct SideMenuDrag {
  Point origin;
  Rect startRect;
  Rect prepared;
  int moved;
  int armed;
};
SideMenuDrag g_drag{};

Point pointOf(LParam lParam) {
  return Point{static_cast<int16_t>(lParam & 0xFFFF), static_cast<int16_t>((lParam >> 16) & 0xFFFF)};
}

bool inGrip(LParam lParam) {
  Bitmap bg{};
  if (!GetWinBitmap("leftmenu", "leftclick_bg_bmp", &bg)) return false;
  const Point p = pointOf(lParam);
  return p.x >= 0 && p.y >= 0 && p.x < static_cast<int>(bg.bmWidth) / 3 && p.y < static_cast<int>(bg.bmHeight);
}

void moveCursor() { SetCursor(GetSystemCursor(kMoveCursor)); }

}  // namespace

extern "C" {

void setLeftMenuDragArmed(int value) {
  g_drag.armed = value;
  if (!value) g_drag.moved = 0;
}

int getLeftMenuDragArmed(void) { return g_drag.armed; }

void sideMenuMouseDown(WindowHandle hwnd, LParam lParam) {
  if (!inGrip(lParam)) return;
  SetCapture(hwnd);
  SetScrollDragFlag(1);
  g_drag.armed = 1;
  moveCursor();
  getDragOrigin(hwnd, &g_drag.startRect, &g_drag.origin, lParam);
}

void sideMenuMouseMove(WindowHandle hwnd, LParam lParam) {
  if (inGrip(lParam)) moveCursor();
  if (!GetScrollDragFlag() && !g_drag.armed) {
    g_drag.moved = 0;
    return;
  }
  clampDragRect(hwnd, &g_drag.prepared, g_drag.origin, lParam);
  if (GetScrollDragFlag()) {
    const Point p = pointOf(lParam);
    g_drag.moved = p.x != g_drag.origin.x || p.y != g_drag.origin.y;
    return;
  }
  moveDragWindow(getCurOutput(), hwnd, &g_drag.prepared, &g_drag.startRect, &g_drag.origin, lParam);
  g_drag.armed = 0;
  g_drag.moved = 0;
}

void sideMenuMouseUp(WindowHandle hwnd, LParam lParam) {
  if (g_drag.armed)
    endDragWindow(getCurOutput(), hwnd, &g_drag.prepared, &g_drag.startRect, &g_drag.origin, lParam);
  ReleaseCapture();
  SetScrollDragFlag(0);
  g_drag.armed = 0;
  g_drag.moved = 0;
  SetCursor(GetSystemCursor(0));
}

void sideMenuDragDone(WindowHandle hwnd, WParam wParam) {
  if (wParam >= 2 || !g_drag.armed || !GetScrollDragFlag() || !g_drag.moved) return;
  applyDragRect(getCurOutput(), hwnd, &g_drag.prepared, &g_drag.origin);
  g_drag.moved = 0;
}

}  // extern "C"
