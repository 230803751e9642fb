// The live-view window's hooks: each message goes to its handler by the
// current output's state, then mostly to the default window procedure.
#include "app/core/liveview/main_proc.h"

#include <algorithm>

#include "app/app_messages.h"
#include "app/app_registry.h"
#include "app/camera.h"
#include "app/dialog_hooks.h"
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

namespace {

using namespace liveproc;

// The add button also reports taking the focus on its press: only its click
// adds. Every command goes on to the default too.
bool onCommand(WindowHandle hwnd, WParam wParam, LParam) {
  const int id = app::idOf(wParam);
  if (id != kAddChanButton)
    onLiveViewMenuCommand(hwnd, getCurOutput(), id);
  else if (app::codeOf(wParam) == BN_CLICKED)
    onAddChannelCommand(hwnd);
  return false;
}

void onErase(WindowHandle hwnd, WParam wParam, LParam lParam) {
  eraseLiveView(hwnd, static_cast<HDC>(wParam), reinterpret_cast<const Rect*>(lParam));
}

void onClose(WindowHandle hwnd) {
  freePtzPatrolTables();
  DestroyMainWindow(hwnd);
  PostQuitMessage(hwnd);
}

// What the window acts on beyond its commands, by the output's state: the
// pointer's moves, the power key and a reset of the smart search are its
// own; everything else goes on to the default too.
bool onMessage(WindowHandle hwnd, int message, WParam wParam, LParam lParam, LResult*) {
  switch (message) {
    case MSG_LBUTTONDOWN:
    case MSG_LBUTTONUP: onMouse(hwnd, message, lParam); return false;
    case MSG_RBUTTONUP: onRightUp(hwnd, pointOf(lParam)); return false;
    case MSG_LBUTTONDBLCLK: onDoubleClick(hwnd, wParam, lParam); return false;
    case MSG_MOUSEMOVE: onMouse(hwnd, message, lParam); return true;
    case MSG_MOUSEWHEELUP: onWheel(hwnd); return false;
    case MSG_KEYDOWN: onKeyDown(hwnd, static_cast<int>(wParam)); return false;
    case MSG_POWERKEY: onPowerKey(hwnd); return true;
    case MSG_CREATE: onCreate(hwnd); return false;
    case MSG_PAINT: paint(hwnd); return false;
    case MSG_BROADCAST_NOTICE:
      if (getPreviewDrag()->repaintPending) onRepaintPass(hwnd, wParam);
      return false;
    case MSG_TIMER:
      if (static_cast<int>(wParam) == NUMKEY_TIMER_ID) onNumKeyTimer(hwnd);
      return false;
    case MSG_IDLE: onIdle(hwnd, static_cast<int>(wParam)); return false;
    case MSG_STARTWIZARD: onStartWizard(hwnd); return false;
    case MSG_SMARTRESET: resetSmartSearch(hwnd); return true;
    case MSG_DISKCHECK: onDiskCheck(hwnd); return false;
    default: return false;
  }
}

const app::DialogHooks kHooks{nullptr, onCommand, onErase, onClose, nullptr, onMessage};

}  // namespace

extern "C" LResult previewMainWinProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  return app::runWindow(kHooks, hwnd, message, wParam, lParam);
}
