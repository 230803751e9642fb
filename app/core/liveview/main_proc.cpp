// The live-view window's procedure: routes each message to its handler by
// the current output's state, then to the default main-window procedure.
#include "app/core/liveview/main_proc.h"

#include <algorithm>

#include "app/app_messages.h"
#include "app/app_registry.h"
#include "app/camera.h"
#include "app/liveview.h"
#include "app/liveview_menu.h"
#include "app/login_rights.h"
#include "app/numkeys.h"
#include "app/playback.h"
#include "app/program.h"
#include "gui/app_hooks.h"
#include "gui/button.h"
#include "gui/cursor.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace liveproc {

void showSystemCursor(int index) { SetCursor(GetSystemCursor(index)); }

void repaintOutputWindow(WindowHandle hwnd, int index) {
  Rect video{};
  if (IsValidHandle(hwnd) && getPreviewVideoRect(index, &video, nullptr) == 0) InvalidateRect(hwnd, &video, TRUE);
}

void confirmLogin(int output) { refreshLoginState(output, getLoginId(output)); }

Rect normalised(const Rect& r) {
  return Rect{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
              std::max(r.top, r.bottom)};
}

void repaintMoved(WindowHandle hwnd, const Rect& now, Rect* last) {
  const Rect n = normalised(now);
  // One pixel more: outlines draw on their right and bottom edges too.
  const Rect both{std::min(n.left, last->left), std::min(n.top, last->top), std::max(n.right, last->right) + 1,
                  std::max(n.bottom, last->bottom) + 1};
  *last = n;
  if (IsValidHandle(hwnd)) InvalidateRect(hwnd, &both, TRUE);
}

namespace {

bool playbackZoomRuns(int output) { return getOutputState(output) == OUTSTATE_PLAYBACK && getZoomChannel(output) > 0; }

void onMouse(WindowHandle hwnd, int message, LParam lParam) {
  const int output = getCurOutput();
  const Point p = pointOf(lParam);
  switch (getOutputState(output)) {
    case OUTSTATE_LIVEVIEW:
      if (message == MSG_LBUTTONUP) liveLeftUp(hwnd, p);
      break;
    case OUTSTATE_PTZ:
      ptzMouse(hwnd, message, p);
      break;
    case OUTSTATE_PLAYBACK:
    case OUTSTATE_ZOOM:
      zoomMouse(hwnd, message, p);
      break;
    case OUTSTATE_SMARTSEARCH:
      smartMouse(hwnd, message, p);
      break;
    default:
      break;
  }
}

void paint(WindowHandle hwnd) {
  HDC hdc = BeginPaint(hwnd);
  paintLiveView(hwnd, hdc);
  EndPaint(hwnd, hdc);
}

}  // namespace

void onRepaintPass(WindowHandle hwnd, WParam wParam) {
  if (wParam > 1) return;
  const int output = getCurOutput();
  switch (getOutputState(output)) {
    case OUTSTATE_ZOOM:
      repaintZoomOverview(hwnd);
      break;
    case OUTSTATE_PLAYBACK:
      if (playbackZoomRuns(output)) repaintZoomOverview(hwnd);
      break;
    case OUTSTATE_SMARTSEARCH:
      repaintSmartDrag(hwnd);
      break;
    case OUTSTATE_PTZ:
      repaintPtzDrag(hwnd);
      break;
    default:
      break;
  }
  getPreviewDrag()->repaintPending = 0;
}

}  // namespace liveproc

using namespace liveproc;

extern "C" LResult previewMainWinProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  switch (message) {
    case MSG_LBUTTONDOWN:
    case MSG_LBUTTONUP:
    case MSG_RBUTTONUP:
      if (message == MSG_RBUTTONUP) onRightUp(hwnd, pointOf(lParam));
      else onMouse(hwnd, message, lParam);
      break;
    case MSG_LBUTTONDBLCLK:
      onDoubleClick(hwnd, wParam, lParam);
      break;
    case MSG_MOUSEMOVE:
      onMouse(hwnd, message, lParam);
      return 0;
    case MSG_MOUSEWHEELUP:
      onWheel(hwnd);
      break;
    case MSG_KEYDOWN:
      onKeyDown(hwnd, static_cast<int>(wParam));
      break;
    case MSG_POWERKEY:
      onPowerKey(hwnd);
      return 0;
    case MSG_CREATE:
      onCreate(hwnd);
      break;
    case MSG_CLOSE:
      freePtzPatrolTables();
      DestroyMainWindow(hwnd);
      PostQuitMessage(hwnd);
      return 0;
    case MSG_ERASEBKGND:
      eraseLiveView(hwnd, static_cast<HDC>(wParam), reinterpret_cast<const Rect*>(lParam));
      return 0;
    case MSG_PAINT:
      paint(hwnd);
      break;
    case MSG_COMMAND: {
      const int id = static_cast<int>(wParam & 0xFFFF), code = static_cast<int>((wParam >> 16) & 0xFFFF);
      // The add button also reports taking the focus on its press: only its click adds.
      if (id == kAddChanButton) {
        if (code == BN_CLICKED) onAddChannelCommand(hwnd);
      } else {
        onLiveViewMenuCommand(hwnd, getCurOutput(), id);
      }
      break;
    }
    case MSG_BROADCAST_NOTICE:
      if (getPreviewDrag()->repaintPending) onRepaintPass(hwnd, wParam);
      break;
    case MSG_TIMER:
      if (static_cast<int>(wParam) == NUMKEY_TIMER_ID) onNumKeyTimer(hwnd);
      break;
    case MSG_IDLE:
      onIdle(hwnd, static_cast<int>(wParam));
      break;
    case MSG_STARTWIZARD:
      onStartWizard(hwnd);
      break;
    case MSG_SMARTRESET:
      resetSmartSearch(hwnd);
      return 0;
    case MSG_DISKCHECK:
      onDiskCheck(hwnd);
      break;
    default:
      break;
  }
  return DefaultMainWinProc(hwnd, message, wParam, lParam);
}
