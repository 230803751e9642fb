// How an output is split into live-view windows, which window lies under a
// point and where the side menu stands beside a window.
#include <algorithm>

#include "app/app_registry.h"
#include "app/playback.h"
#include "app/device_backend.h"
#include "app/liveview.h"
#include "app/login_rights.h"
#include "app/pages_calls.h"
#include "app/core/services/per_output.h"
#include "gui/app_hooks.h"
#include "gui/layout.h"
#include "gui/window_attr.h"

namespace {

Rect R(int l, int t, int r, int b) { return Rect{l, t, r, b}; }

bool knownSplit(int split) {
  return split == 1 || split == 4 || split == 6 || split == 8 || split == 9 || split == 16;
}

// Windows of a split in the order the device numbers them.
bool splitRect(const LiveScreen& s, int split, int i, Rect* out) {
  const int W = s.width, H = s.height, cw = s.cellW, ch = s.cellH;
  if (i < 0 || i >= (knownSplit(split) ? split : 1)) return false;
  switch (split) {
    case 4: {
      const int c = i % 2, r = i / 2;
      *out = R(c * W / 2, r * H / 2, (c + 1) * W / 2, (r + 1) * H / 2);
      return true;
    }
    case 16: {
      const int c = i % 4, r = i / 4;
      *out = R(c * W / 4, r * H / 4, (c + 1) * W / 4, (r + 1) * H / 4);
      return true;
    }
    case 9: {
      const int c = i % 3, r = i / 3;
      *out = R(c * cw, r * ch, c == 2 ? W : (c + 1) * cw, (r + 1) * ch);
      return true;
    }
    case 6: {
      static const int kCells[6][4] = {{0, 0, 2, 2}, {2, 0, -1, 1}, {2, 1, -1, 2},
                                       {0, 2, 1, 3}, {1, 2, 2, 3}, {2, 2, -1, 3}};
      const int* c = kCells[i];
      *out = R(c[0] * cw, c[1] * ch, c[2] < 0 ? W : c[2] * cw, c[3] * ch);
      return true;
    }
    case 8:
      if (i == 0) *out = R(0, 0, 3 * W / 4, 3 * H / 4);
      else if (i <= 3) *out = R(3 * W / 4, (i - 1) * H / 4, W, i * H / 4);
      else *out = R((i - 4) * W / 4, 3 * H / 4, (i - 3) * W / 4, H);
      return true;
    default:
      *out = R(0, 0, W - 2, H);
      return true;
  }
}

// Whether a window of the split stands on the bottom row.
bool onBottomRow(int split, int i) {
  switch (split) {
    case 4: return i >= 2;
    case 6: return i >= 3;
    case 8: return i >= 4;
    case 9: return i >= 6;
    case 16: return i >= 12;
    default: return false;
  }
}

// The last window in the device's order whose rectangle, borders included,
// holds the point; -1 when none does.
int drawnWindowAt(const LiveScreen& s, int split, int x, int y) {
  int hit = -1;
  Rect r{};
  for (int i = 0; splitRect(s, split, i, &r); ++i)
    if (x >= r.left && x <= r.right && y >= r.top && y <= r.bottom) hit = i;
  return hit;
}

int gridCell(int v, int cell, int n) {
  if (cell <= 0) return 0;
  return std::clamp(v / cell, 0, n - 1);
}


}  // namespace

extern "C" {

void liveWindowRect(const LiveScreen* screen, int split, int index, Rect* out) {
  if (!screen || !out) return;
  if (!splitRect(*screen, split, index, out)) splitRect(*screen, split, 0, out);
}

void liveMenuRect(const LiveScreen* screen, int split, int index, const Rect* video, int mw, int mh,
                  Rect* out) {
  if (!screen || !video || !out) return;
  const int vw = video->right - video->left;
  int x = vw >= mw ? video->left + (vw - mw) / 2 : video->left - (mw - vw) / 2;
  int top = video->bottom;
  if (split == 1 || !knownSplit(split))
    top = screen->height - 2 * mh;
  else if (onBottomRow(split, index))
    top = video->top - mh;
  if (x < 0) x = 0;
  if (x + mw > screen->width) x = screen->width - mw;
  *out = R(x, top, x + mw, top + mh);
}

int liveWindowAtPoint(const LiveScreen* screen, int split, int x, int y) {
  if (!screen) return 0;
  const int W = screen->width, H = screen->height;
  switch (split) {
    case 4:
      // Points on the middle lines belong to the left and upper windows.
      return (y <= H / 2 ? 0 : 2) + (x <= W / 2 ? 0 : 1);
    case 9:
    case 6:
      // These splits are drawn on the device's cells, not on thirds of the
      // screen: the hit follows what is drawn, and below it lies no window.
      return drawnWindowAt(*screen, split, x, y);
    case 16:
      return 4 * gridCell(y, H / 4, 4) + gridCell(x, W / 4, 4);
    case 8: {
      const int c = gridCell(x, W / 4, 4), r = gridCell(y, H / 4, 4);
      if (r < 3) return c < 3 ? 0 : 1 + r;
      return 4 + c;
    }
    default:
      return 0;
  }
}

void getLiveScreen(int output, LiveScreen* out) {
  if (!out) return;
  out->width = getScreenWidth(output);
  out->height = getScreenHeight(output);
  int w = 0, h = 0;
  if (getChannelStreamSize(&w, &h, 1, 0, output) == 0 && w > 0 && h > 0) {
    out->cellW = w;
    out->cellH = h;
  } else if (output == 2 || output == 3) {
    out->cellW = 264;
    out->cellH = 200;
  } else {
    out->cellW = 232;
    out->cellH = 192;
  }
}

void getLiveSplitOf(int output, int* split, int* first) {
  int count = 1, firstWindow = 1;
  if (getLiveSplit(output, &count, &firstWindow) != 0 || count < 1) count = 1, firstWindow = 1;
  if (firstWindow < 1) firstWindow = 1;
  if (split) *split = count;
  if (first) *first = firstWindow;
}

int getPreviewVideoRect(int index, Rect* video, Rect* menu) {
  if (!video && !menu) return -1;
  const int output = getCurOutput();
  LiveScreen screen{};
  getLiveScreen(output, &screen);
  int split = 1;
  getLiveSplitOf(output, &split, nullptr);
  Rect v{};
  if (!splitRect(screen, split, index, &v)) {
    index = 0;
    splitRect(screen, split, 0, &v);
  }
  if (video) *video = v;
  if (menu) {
    int mw = 1, mh = 1;
    Rect bar{};
    const WindowHandle side = getLeftMenuWnd(output);
    CtrlResInfo* record = nullptr;
    if (IsValidHandle(side) && GetWindowRect(side, &bar)) {
      mw = bar.right - bar.left;
      mh = bar.bottom - bar.top;
    } else if (GetCtrlResInfo("leftmenu", "leftmenu_rect", &record)) {
      mw = record->w;
      mh = record->h;
    }
    liveMenuRect(&screen, split, index, &v, mw, mh, menu);
  }
  return 0;
}

int getPreviewWinAtPoint(int output, int x, int y) {
  LiveScreen screen{};
  getLiveScreen(output, &screen);
  int split = 1, first = 1;
  getLiveSplitOf(output, &split, &first);
  const int window = liveWindowAtPoint(&screen, split, x, y);
  if (window < 0) return -1;
  if (split == 6 || split == 9) {
    const int page = (first - 1) / split;
    if (window + split * page + 1 > getMaxChanSlotNum()) return -2;
  }
  return window;
}

int getPreviewChanAtPoint(int output, int x, int y) {
  if (getOutputState(output) == OUTSTATE_PLAYBACK && getPlaybackType(output) != 1) return -1;
  int window = getPreviewWinAtPoint(output, x, y);
  if (window < 0) return window;
  int split = 1, first = 1;
  getLiveSplitOf(output, &split, &first);
  PreviewConfig config{};
  if (getPreviewConfig(getOutputLogin(output), output, &config) != 0) return -2;
  const int kind = getLayoutKind(split);
  const int entry = window + split * ((first - 1) / split);
  if (kind < 0 || kind >= PREVIEW_ORDER_MODES || entry < 0 || entry >= PREVIEW_ORDER_SLOTS) return -2;
  const uint8_t channel = config.order[kind][entry];
  return channel == PREVIEW_EMPTY_WINDOW ? -2 : channel + 1;
}

}  // extern "C"
