// Pop-ups dragged over the live view: the dead zone, the clamp to the
// output's screen and the repaint of what the move uncovers.
#include <cstdlib>

#include "app/app_registry.h"
#include "app/liveview.h"
#include "app/popup_drag.h"
#include "gui/cursor.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kDeadZone = 32;
constexpr int kMoveCursor = 4;

// Mouse points are signed 16-bit values: a drag beyond the left or top edge
// gives negative coordinates.
Point pointOf(LParam lParam) {
  return Point{static_cast<int16_t>(lParam & 0xFFFF), static_cast<int16_t>((lParam >> 16) & 0xFFFF)};
}

bool within(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// The live view repaints where the window stood, and the selected video
// window's frame when the window covered it wholly.
void repaintUncovered(int output, const Rect& old) {
  const WindowHandle live = getTopMainWindow();
  if (!IsValidHandle(live)) return;
  InvalidateRect(live, &old, TRUE);
  Rect video{};
  if (getPreviewVideoRect(getPreviewSelWin(output), &video, nullptr) == 0 && within(video, old))
    PrevInvalidateRect(live, &video, FALSE);
}

void moveTo(int output, WindowHandle hwnd, const Rect& target, int w, int h) {
  Rect old{};
  GetWindowRect(hwnd, &old);
  MoveWindow(hwnd, target.left, target.top, w, h, TRUE);
  repaintUncovered(output, old);
}

void screenSize(int* w, int* h) {
  Size size{};
  GetScreenExtentEx(getCurOutput(), &size);
  *w = size.cx;
  *h = size.cy;
}

}  // namespace

extern "C" {

void clampRectToScreen(Rect* r, int w, int h) {
  if (!r) return;
  auto shift = [r](int dx, int dy) {
    r->left += dx, r->right += dx;
    r->top += dy, r->bottom += dy;
  };
  if (r->bottom > h) shift(0, h - r->bottom);
  if (r->right > w) shift(w - r->right, 0);
  if (r->top < 0) shift(0, -r->top);
  if (r->left < 0) shift(-r->left, 0);
}

void getDragOriginClient(WindowHandle hwnd, Rect* startRect, Point* origin, LParam lParam) {
  if (origin) *origin = pointOf(lParam);
  if (startRect) GetWindowRect(hwnd, startRect);
}

void getDragOrigin(WindowHandle hwnd, Rect* startRect, Point* origin, LParam lParam) {
  Point p = pointOf(lParam);
  ClientToScreen(hwnd, &p.x, &p.y);
  if (origin) *origin = p;
  if (startRect) GetWindowRect(hwnd, startRect);
}

void clampDragRect(WindowHandle hwnd, Rect* rect, Point origin, LParam lParam) {
  if (!rect) return;
  const Point p = pointOf(lParam);
  GetWindowRect(hwnd, rect);
  const int dx = p.x - origin.x, dy = p.y - origin.y;
  rect->left += dx, rect->right += dx;
  rect->top += dy, rect->bottom += dy;
  int w = 0, h = 0;
  screenSize(&w, &h);
  clampRectToScreen(rect, w, h);
}

void moveDragWindow(int output, WindowHandle hwnd, Rect* prepared, const Rect* startRect, Point* origin,
                    LParam lParam) {
  if (!prepared || !startRect || !origin) return;
  const Point p = pointOf(lParam);
  if (std::abs(p.x - origin->x) > kDeadZone || std::abs(p.y - origin->y) > kDeadZone) {
    moveTo(output, hwnd, *prepared, startRect->right - startRect->left, startRect->bottom - startRect->top);
    *origin = p;
  }
  *prepared = Rect{};
}

void endDragWindow(int output, WindowHandle hwnd, Rect* prepared, const Rect* startRect, Point* origin,
                   LParam lParam) {
  if (!prepared || !startRect || !origin) return;
  *prepared = Rect{};
  Rect target{};
  clampDragRect(hwnd, &target, *origin, lParam);
  if (std::abs(target.left - startRect->left) <= kDeadZone && std::abs(target.top - startRect->top) <= kDeadZone)
    return;
  moveTo(output, hwnd, target, target.right - target.left, target.bottom - target.top);
  *origin = pointOf(lParam);
}

void applyDragRect(int output, WindowHandle hwnd, const Rect* prepared, Point* origin) {
  if (!prepared || !origin) return;
  moveTo(output, hwnd, *prepared, prepared->right - prepared->left, prepared->bottom - prepared->top);
  GetCursorPos(origin);
}

void popupDragBegin(PopupDrag* drag, WindowHandle hwnd, LParam lParam) {
  SetCapture(hwnd);
  drag->armed = 1;
  drag->moved = 0;
  SetCursor(GetSystemCursor(kMoveCursor));
  getDragOriginClient(hwnd, &drag->startRect, &drag->origin, lParam);
}

void popupDragMove(PopupDrag* drag, WindowHandle hwnd, LParam lParam) {
  if (!drag->armed) {
    drag->moved = 0;
    return;
  }
  clampDragRect(hwnd, &drag->prepared, drag->origin, lParam);
  const Point p = pointOf(lParam);
  drag->moved = std::abs(p.x - drag->origin.x) > kDeadZone || std::abs(p.y - drag->origin.y) > kDeadZone;
}

void popupDragApply(PopupDrag* drag, WindowHandle hwnd) {
  if (!drag->armed || !drag->moved) return;
  applyDragRect(getCurOutput(), hwnd, &drag->prepared, &drag->origin);
  GetWindowRect(hwnd, &drag->startRect);
  drag->moved = 0;
}

void popupDragEnd(PopupDrag* drag, WindowHandle hwnd, LParam lParam) {
  if (drag->armed) endDragWindow(getCurOutput(), hwnd, &drag->prepared, &drag->startRect, &drag->origin, lParam);
  ReleaseCapture();
  drag->armed = 0;
  drag->moved = 0;
  SetCursor(GetSystemCursor(0));
}

int popupDragHandle(PopupDrag* drag, WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  switch (message) {
    case MSG_NCLBUTTONDOWN:
      if (wParam != HT_CAPTION) return 0;
      popupDragBegin(drag, hwnd, lParam);
      return 1;
    case MSG_MOUSEMOVE:
      if (!drag->armed) return 0;
      popupDragMove(drag, hwnd, lParam);
      return 1;
    case MSG_BROADCAST_NOTICE:
      if (wParam > 1) return 0;
      popupDragApply(drag, hwnd);
      return 1;
    case MSG_LBUTTONUP:
    case MSG_NCLBUTTONUP:
      if (!drag->armed) return 0;
      popupDragEnd(drag, hwnd, lParam);
      return 1;
    default:
      return 0;
  }
}

}  // extern "C"
