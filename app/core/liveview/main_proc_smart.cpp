// The smart search's area grid (state 13): a drag marks the cells it covers,
// or clears them when it starts on a marked cell; the edges and corners of
// the stored rectangle can be grabbed to resize it.
#include <algorithm>
#include <cstdlib>

#include "app/app_registry.h"
#include "app/core/liveview/main_proc.h"
#include "app/core/services/per_output.h"
#include "app/liveview.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window_attr.h"

namespace {

constexpr int kMinDrag = 32;
constexpr int kStoredRects = 8;

// Main-thread state of the drag in progress.
app::Word<int> g_grab(0);      // the edge or corner grabbed, 0 a new rectangle
app::Word<int> g_grabIndex(0); // the stored rectangle being resized
app::Word<int> g_clearing(0);  // the drag started on a marked cell
Rect g_lastShown{};

using liveproc::normalised;

int cursorFor(int grab) {
  static const int kCursors[9] = {0, 7, 7, 8, 8, 5, 6, 6, 5};
  return grab >= 0 && grab <= 8 ? kCursors[grab] : 0;
}

// The first stored rectangle with an edge or corner under the point.
int grabAt(Point p, int reach, int* index) {
  for (int i = 0; i < std::min(getSmartRectCount(), kStoredRects); ++i) {
    Rect stored{};
    if (!getSmartRect(i, &stored)) continue;
    const int grab = smartGrabAt(&stored, p.x, p.y, reach);
    if (grab != 0) {
      *index = i;
      return grab;
    }
  }
  return 0;
}

// The dragged rectangle after a move to p.
Rect follow(Rect r, int grab, Point p) {
  const bool right = grab == 1 || grab == 6 || grab == 8 || grab == 0;
  const bool left = grab == 2 || grab == 5 || grab == 7;
  const bool bottom = grab == 3 || grab == 7 || grab == 8 || grab == 0;
  const bool top = grab == 4 || grab == 5 || grab == 6;
  if (right) r.right = p.x;
  if (left) r.left = p.x;
  if (bottom) r.bottom = p.y;
  if (top) r.top = p.y;
  return r;
}

void beginDrag(int output, Point p, int reach) {
  int index = 0;
  const int grab = grabAt(p, reach, &index);
  Rect start{p.x, p.y, p.x, p.y};
  if (grab != 0) getSmartRect(index, &start);
  g_grab.set(grab);
  g_grabIndex.set(index);
  g_clearing.set(grab == 0 &&
                 isSmartCellMarked(p.x, p.y, getScreenWidth(output), getScreenHeight(output)) != 0);
  setSmartDragRect(&start, 1);
  g_lastShown = normalised(start);
}

void endDrag(WindowHandle hwnd, int output, Rect r) {
  r = normalised(r);
  setSmartDragRect(&r, 0);
  const int grab = g_grab.get();
  g_grab.set(0);
  if (r.right - r.left >= kMinDrag && r.bottom - r.top >= kMinDrag) {
    const int W = getScreenWidth(output), H = getScreenHeight(output);
    if (g_clearing.get()) clearSmartGrid(&r, W, H);
    else markSmartGrid(&r, W, H);
    setSmartRect(grab != 0 ? g_grabIndex.get() : 0, &r, 1);
  }
  if (IsValidHandle(hwnd)) InvalidateRect(hwnd, nullptr, TRUE);
}

}  // namespace

extern "C" int smartGrabAt(const Rect* rect, int x, int y, int reach) {
  if (!rect) return 0;
  const Rect r = normalised(*rect);
  const bool nearL = std::abs(x - r.left) <= reach, nearR = std::abs(x - r.right) <= reach;
  const bool nearT = std::abs(y - r.top) <= reach, nearB = std::abs(y - r.bottom) <= reach;
  if (nearT && nearL) return 5;
  if (nearT && nearR) return 6;
  if (nearB && nearL) return 7;
  if (nearB && nearR) return 8;
  const bool betweenX = x >= r.left && x <= r.right, betweenY = y >= r.top && y <= r.bottom;
  if (nearR && betweenY) return 1;
  if (nearL && betweenY) return 2;
  if (nearB && betweenX) return 3;
  if (nearT && betweenX) return 4;
  return 0;
}

namespace liveproc {

void smartMouse(WindowHandle hwnd, int message, Point p) {
  const int output = getCurOutput();
  const int reach = getOutputFontHeight(output) / 3;
  Rect drag{};
  int inProgress = 0;
  getSmartDragRect(&drag, &inProgress);
  switch (message) {
    case MSG_LBUTTONDOWN:
      beginDrag(output, p, reach);
      break;
    case MSG_MOUSEMOVE:
      if (inProgress) {
        const Rect moved = follow(drag, g_grab.get(), p);
        setSmartDragRect(&moved, 1);
        getPreviewDrag()->repaintPending = 1;
      } else {
        int index = 0;
        showSystemCursor(cursorFor(grabAt(p, reach, &index)));
      }
      break;
    case MSG_LBUTTONUP:
      if (inProgress) endDrag(hwnd, output, follow(drag, g_grab.get(), p));
      break;
    default:
      break;
  }
}

void repaintSmartDrag(WindowHandle hwnd) {
  Rect drag{};
  int inProgress = 0;
  getSmartDragRect(&drag, &inProgress);
  if (inProgress) repaintMoved(hwnd, drag, &g_lastShown);
}

}  // namespace liveproc
