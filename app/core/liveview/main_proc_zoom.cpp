// The digital zooms: the live view's (state 10, from the side menu) and
// playback's (state 9), whose rectangle is dragged inside the overview in the
// bottom-right corner and handed to the device in picture coordinates.
#include <algorithm>

#include "app/app_registry.h"
#include "app/core/liveview/main_proc.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/liveview.h"
#include "app/msgbox.h"
#include "app/playback.h"
#include "gui/app_hooks.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window_attr.h"

namespace {

constexpr int kPictureWidth = 704;
constexpr int kSelectCursor = 19;

using liveproc::normalised;

Rect overviewOf(int W, int H) { return Rect{3 * W / 4 - 8, 3 * H / 4 - 2, W, H}; }

// Inside the overview's picture: its frame takes 8 pixels left, 2 on top.
bool inOverview(int output, Point p) {
  Rect ov{};
  getZoomOverviewRect(output, &ov);
  return p.x >= ov.left + 8 && p.x < ov.right && p.y >= ov.top + 2 && p.y < ov.bottom;
}

// One side raised to its minimum (moved back to end at `limit`), the other
// following the screen's proportions.
void fitSide(int& low, int& high, int minimum, int limit) {
  if (high - low >= minimum) return;
  high = low + minimum;
  if (high > limit) {
    high = limit;
    low = limit - minimum;
  }
}

void shiftInto(int& low, int& high, int lowest, int highest) {
  if (high > highest) {
    low -= high - highest;
    high = highest;
  }
  if (low < lowest) {
    high += lowest - low;
    low = lowest;
  }
}

int zoomChannelOf(int output) {
  return getOutputState(output) == OUTSTATE_ZOOM ? getLiveZoomChannel() : getZoomChannel(output);
}

// A drag in the overview: down starts it, moves inside follow, up ends it.
void zoomDrag(WindowHandle hwnd, int output, int message, Point p) {
  Rect zoom{};
  int dragging = 0;
  getLiveZoomRect(&zoom, &dragging);
  const bool inside = inOverview(output, p);
  if (message == MSG_LBUTTONDOWN) {
    if (inside && hasDigitalZoom()) {
      const Rect start{p.x, p.y, p.x, p.y};
      setLiveZoomRect(&start, 1);
    }
    return;
  }
  if (!dragging) return;
  if (inside) {
    zoom.right = p.x;
    zoom.bottom = p.y;
  }
  if (message == MSG_MOUSEMOVE) {
    setLiveZoomRect(&zoom, 1);
    getPreviewDrag()->repaintPending = 1;
    return;
  }
  if (message != MSG_LBUTTONUP) return;
  const int W = getScreenWidth(output), H = getScreenHeight(output);
  Rect fitted{}, picture{};
  fitLiveZoomRect(&zoom, W, H, &fitted);
  setLiveZoomRect(&fitted, 0);
  liveproc::repaintZoomOverview(hwnd);
  liveZoomToPicture(&fitted, W, H, getVideoPictureHeight(), &picture);
  startLiveZoom(output, zoomChannelOf(output), &picture);
}

void pickPlaybackZoom(WindowHandle hwnd, int output, Point p) {
  const int count = std::max(getPlaybackWinCount(output), 1);
  const int window = count == 1 ? 1 : getPlaybackWinAtPoint(output, p.x, p.y);
  if (window < 1 || window > count) {
    liveproc::showSystemCursor(0);
    showMsgBox(hwnd, "playback", "zoomin_err_order", MSGBOX_INFO);
    liveproc::showSystemCursor(kSelectCursor);
    return;
  }
  startDigitalZoom(output, hwnd, window);
}

}  // namespace

extern "C" {

void fitLiveZoomRect(const Rect* dragged, int W, int H, Rect* out) {
  if (!dragged || !out || W <= 0 || H <= 0) return;
  Rect r = normalised(*dragged);
  if (r.right - r.left <= r.bottom - r.top) {
    fitSide(r.top, r.bottom, H / 16, H);
    r.right = r.left + (r.bottom - r.top) * W / H;
  } else {
    fitSide(r.left, r.right, W / 16, W);
    r.bottom = r.top + (r.right - r.left) * H / W;
  }
  // Back on the screen, then into the overview, keeping the size.
  shiftInto(r.left, r.right, 3 * W / 4, W);
  shiftInto(r.top, r.bottom, 3 * H / 4, H);
  *out = r;
}

void liveZoomToPicture(const Rect* zoom, int W, int H, int pictureH, Rect* out) {
  const int qw = W / 4, qh = H / 4;
  if (!zoom || !out || qw <= 0 || qh <= 0) return;
  const int x = (zoom->left - 3 * W / 4) * kPictureWidth / qw;
  const int y = (zoom->top - 3 * H / 4) * pictureH / qh;
  const int w = (zoom->right - zoom->left) * kPictureWidth / qw;
  const int h = (zoom->bottom - zoom->top) * pictureH / qh;
  *out = Rect{x, y, x + w, y + h};
}

int startDigitalZoom(int output, WindowHandle hwnd, int channel) {
  const int W = getScreenWidth(output), H = getScreenHeight(output);
  setZoomChannel(output, channel);
  const Rect overview = overviewOf(W, H);
  setZoomOverviewRect(output, &overview);
  const int answer = startLiveZoom(output, channel, &overview);
  setZoomSelecting(output, 0);
  if (answer == 0) {
    const Rect zoom{3 * W / 4, 3 * H / 4, 7 * W / 8, 7 * H / 8};
    setLiveZoomRect(&zoom, 0);
    if (IsValidHandle(hwnd)) InvalidateRect(hwnd, &overview, TRUE);
    return 0;
  }
  // Refused: no zoom runs, so nothing draws its rectangle.
  setZoomChannel(output, 0);
  liveproc::showSystemCursor(0);
  showMsgBox(hwnd, "playback", "zoomin_err_fail", MSGBOX_ERROR);
  showPlaybackWindow(output, 1);
  setPlaybackVideoArea(output, 0);
  return -1;
}

}  // extern "C"

namespace liveproc {

void repaintZoomOverview(WindowHandle hwnd) {
  Rect overview{};
  getZoomOverviewRect(getCurOutput(), &overview);
  if (IsValidHandle(hwnd)) InvalidateRect(hwnd, &overview, TRUE);
}

bool zoomMouse(WindowHandle hwnd, int message, Point p) {
  const int output = getCurOutput();
  const int state = getOutputState(output);
  if (state == OUTSTATE_PLAYBACK && isZoomSelecting(output)) {
    if (message == MSG_LBUTTONDOWN) pickPlaybackZoom(hwnd, output, p);
    return true;
  }
  if (state != OUTSTATE_ZOOM && !(state == OUTSTATE_PLAYBACK && getZoomChannel(output) > 0)) return false;
  zoomDrag(hwnd, output, message, p);
  return true;
}

void endLiveZoom(WindowHandle hwnd) {
  const int output = getCurOutput();
  repaintZoomOverview(hwnd);
  setOutputState(output, OUTSTATE_LIVEVIEW);
  stopLiveZoom(output, getLiveZoomChannel());
  setLiveViewActive(output, 1);
  ClosePrevScrShow();
  showSystemCursor(0);
}

}  // namespace liveproc
