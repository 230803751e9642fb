// The mouse in the live view: selecting a window and opening the side menu
// over it, the add-channel button of an empty window, the double click that
// switches between one channel and the split, and the right button.
#include <algorithm>

#include "app/app_registry.h"
#include "app/camera.h"
#include "app/core/liveview/main_proc.h"
#include "app/core/services/per_output.h"
#include "app/device_backend.h"
#include "app/left_menu.h"
#include "app/liveview.h"
#include "app/liveview_menu.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/playback.h"
#include "gui/app_hooks.h"
#include "gui/livevideo.h"
#include "gui/menu.h"
#include "gui/paint.h"
#include "gui/window_attr.h"

namespace liveproc {
namespace {

constexpr int kMaxIpSlots = 64;

// Set by a double click on a channel: the next release switches the view.
app::Word<int> g_openOnRelease(0);

int splitOf(int output) {
  int split = 1;
  getLiveSplitOf(output, &split, nullptr);
  return split;
}

// From a split to the channel alone, from the single view back to the split.
void toggleSingleView(WindowHandle hwnd, int output, int channel) {
  const int split = splitOf(output);
  if (split == 1)
    showPreviousSplit(output);
  else if (split == 4 || split == 6 || split == 8 || split == 9 || split == 16)
    showLiveChannel(output, channel);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void openSideMenu(WindowHandle hwnd, int output, int channel, int window) {
  setPreviewSelChan(output, channel);
  setPreviewSelWin(output, window);
  setLiveViewPopup(output, 1);
  showLiveViewPopup(hwnd, 1);
}

void moveAddChanButton(WindowHandle hwnd, int output, int window) {
  if (getOutputState(output) == OUTSTATE_RETURNED || splitOf(output) <= 0) return;
  const WindowHandle button = getAddChanButton();
  const bool shown = IsValidHandle(button) && IsWindowVisible(button);
  if (shown && window == getPreviewHitWin()) return;
  if (IsValidHandle(button)) ShowWindow(button, SW_HIDE);
  repaintOutputWindow(hwnd, getPreviewHitWin());
  ClosePrevScrShow();
  setPreviewHitWin(window);
  Rect video{}, own{};
  if (IsValidHandle(button) && getPreviewVideoRect(window, &video, nullptr) == 0 && GetWindowRect(button, &own)) {
    const int bw = own.right - own.left, bh = own.bottom - own.top;
    MoveWindow(button, video.left + (video.right - video.left - bw) / 2, video.top + (video.bottom - video.top - bh) / 2,
               bw, bh, FALSE);
    ShowWindow(button, SW_SHOWNORMAL);
  }
  repaintOutputWindow(hwnd, window);
}

// The empty window under the point gets the add-channel button; false when
// the point lies beyond the device's channel slots.
bool emptyWindowAt(WindowHandle hwnd, int output, Point p, bool closeMenu) {
  const int window = getPreviewWinAtPoint(output, p.x, p.y);
  if (window < 0) return false;
  if (closeMenu) closeLiveViewPopup(hwnd);
  moveAddChanButton(hwnd, output, window);
  return true;
}

// The first IP slot (from 1) the device's mask leaves free, -1 when none.
int freeIpSlot() {
  uint64_t mask = 0;
  const int count = std::min(getIpChannelNum(&mask), kMaxIpSlots);
  for (int i = 0; i < count; ++i)
    if (((mask >> i) & 1u) == 0) return i + 1;
  return -1;
}

}  // namespace

void hideAddChanButton(WindowHandle hwnd) {
  const WindowHandle button = getAddChanButton();
  if (!IsValidHandle(button) || !IsWindowVisible(button)) return;
  ShowWindow(button, SW_HIDE);
  repaintOutputWindow(hwnd, getPreviewHitWin());
}

void dropSideMenu(WindowHandle hwnd) {
  if (!getLiveViewPopup(getCurOutput())) return;
  closeLiveViewPopup(hwnd);
  ReleaseCapture();
  setLeftMenuDragArmed(0);
  showSystemCursor(0);
}

void liveLeftUp(WindowHandle hwnd, Point p) {
  const int output = getCurOutput();
  const int channel = getPreviewChanAtPoint(output, p.x, p.y);
  if (g_openOnRelease.get()) {
    g_openOnRelease.set(0);
    if (channel == -2) return;
    if (getLiveViewPopup(output)) closeLiveViewPopup(hwnd);
    confirmLogin(output);
    toggleSingleView(hwnd, output, channel);
    return;
  }
  const bool menuOpen = getLiveViewPopup(output) != 0;
  if (channel > 0) {
    const int window = getPreviewWinAtPoint(output, p.x, p.y);
    if (menuOpen && window == getPreviewSelWin(output)) return;
    if (menuOpen) closeLiveViewPopup(hwnd);
    openSideMenu(hwnd, output, channel, window);
  } else if (channel == -2) {
    emptyWindowAt(hwnd, output, p, menuOpen);
  }
}

void onDoubleClick(WindowHandle hwnd, WParam wParam, LParam lParam) {
  const int output = getCurOutput();
  const Point p = pointOf(lParam);
  switch (getOutputState(output)) {
    case OUTSTATE_LIVEVIEW:
      if (getPreviewChanAtPoint(output, p.x, p.y) > 0) g_openOnRelease.set(1);
      if (getLiveViewPopup(output)) setOutputState(output, OUTSTATE_LIVEVIEW);
      break;
    case OUTSTATE_PLAYBACK:
      if (getPlaybackType(output) == 1) restoreInstantPlaybackWindow(output);
      else toggleSingleViewAt(output, hwnd, wParam, lParam);
      break;
    default:
      break;
  }
}

void onRightUp(WindowHandle hwnd, Point p) {
  const int output = getCurOutput();
  switch (getOutputState(output)) {
    case OUTSTATE_LIVEVIEW: {
      dropSideMenu(hwnd);
      confirmLogin(output);
      hideAddChanButton(hwnd);
      const MenuHandle menu = buildLiveViewMenu(output);
      setPreviewMenuChan(output, getPreviewChanAtPoint(output, p.x, p.y));
      if (menu) TrackPopupMenu(menu, 0, p.x, p.y, hwnd);
      break;
    }
    case OUTSTATE_ZOOM:
      endLiveZoom(hwnd);
      break;
    case OUTSTATE_PTZ:
      ptzRightUp(hwnd);
      break;
    case OUTSTATE_PLAYBACK:
      setZoomSelecting(output, 0);
      break;
    default:
      break;
  }
}

// The recorder's video layer takes the wheel over the live view (state 0,
// no pop-up) and over the PTZ panel's channel (state 2, mouse mode 0). The
// simulated device has no video layer and offers no operation to hand the
// step to, so here the wheel only hides the add-channel button.
void onWheel(WindowHandle hwnd) {
  const int output = getCurOutput();
  // The device's own live view and PTZ take the wheel; nothing to draw here.
  if (getOutputState(output) == OUTSTATE_LIVEVIEW && !getLiveViewPopup(output)) hideAddChanButton(hwnd);
}

void onAddChannelCommand(WindowHandle hwnd) {
  const int slot = freeIpSlot();
  if (slot < 0) {
    showIpcAddError(hwnd, -3);
    return;
  }
  const int output = getCurOutput();
  // A cancelled login adds nothing.
  if (!ensureLogin(hwnd)) {
    confirmLogin(output);
    return;
  }
  if (checkUserRight(RIGHT_LOCAL_CAMERA, -1)) {
    setAddIpcChannel(slot);
    showAddIpcDialog(hwnd);
  } else {
    showNoPermission(hwnd);
  }
  confirmLogin(output);
}

}  // namespace liveproc
