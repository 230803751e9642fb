// Steering the PTZ camera with the mouse while its panel is open (state 2):
// in positioning mode a dragged rectangle of at least 8 x 8 pixels goes to
// the camera; in the normal mode a release stops the movement.
#include "app/app_messages.h"
#include "app/app_registry.h"
#include "app/camera.h"
#include "app/core/liveview/main_proc.h"
#include "app/device_backend.h"
#include "app/liveview.h"
#include "gui/cursor.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window_attr.h"

namespace liveproc {
namespace {

constexpr int kMinPtzDrag = 8;
constexpr int kPositionCursor = 19;

Rect g_lastShown{};

Rect dragRect(const PreviewDrag* drag) { return Rect{drag->start.x, drag->start.y, drag->end.x, drag->end.y}; }

void positionDrag(WindowHandle hwnd, int message, Point p) {
  PreviewDrag* drag = getPreviewDrag();
  if (message == MSG_LBUTTONDOWN) {
    drag->start = drag->end = p;
    drag->active = 1;
    g_lastShown = Rect{p.x, p.y, p.x, p.y};
    return;
  }
  if (!drag->active) return;
  drag->end = p;
  if (message == MSG_MOUSEMOVE) {
    drag->repaintPending = 1;
    return;
  }
  if (message != MSG_LBUTTONUP) return;
  drag->active = 0;
  const Rect r = normalised(dragRect(drag));
  // The rectangle has done its work once sent: the repaint clears it.
  drag->end = drag->start;
  repaintMoved(hwnd, r, &g_lastShown);
  if (r.right - r.left < kMinPtzDrag || r.bottom - r.top < kMinPtzDrag) return;
  ptzPositionRect(getPreviewSelChan(getCurOutput()), &r);
  showSystemCursor(kPositionCursor);
}

}  // namespace

void ptzMouse(WindowHandle hwnd, int message, Point p) {
  if (getPtzMouseMode() == 1) {
    positionDrag(hwnd, message, p);
    return;
  }
  if (getPtzMouseMode() == 0 && message == MSG_LBUTTONUP) ptzMoveByDirection();
}

void ptzRightUp(WindowHandle hwnd) {
  const WindowHandle panel = getPtzPlayWindow();
  if (getPtzMouseMode() == 0) {
    if (IsValidHandle(panel) && !IsWindowVisible(panel)) SendMessage(panel, MSG_PTZSHOW, 0, 0);
    return;
  }
  if (IsValidHandle(hwnd)) InvalidateRect(hwnd, nullptr, TRUE);
  ClosePrevScrShow();
  setPtzMouseMode(0);
  if (IsValidHandle(panel)) SendMessage(panel, MSG_PTZSHOW, 0, 0);
  SetDefaultCursor(GetSystemCursor(0));
}

void repaintPtzDrag(WindowHandle hwnd) {
  const PreviewDrag* drag = getPreviewDrag();
  if (getPtzMouseMode() == 1 && drag->active) repaintMoved(hwnd, dragRect(drag), &g_lastShown);
}

}  // namespace liveproc
