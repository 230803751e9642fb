// Move/resize tracking: the window's frame is drawn as an XOR outline on
// the screen and follows the pointer; every visible region stays locked
// meanwhile so that no window draws under the outline.
#include <algorithm>
#include <atomic>

#include "core/cursor/system_cursor.h"
#include "core/desktop/clip_info.h"
#include "core/desktop/desktop.h"
#include "core/desktop/desktop_proc.h"
#include "core/desktop/desktop_state.h"
#include "core/livevideo/display_switch.h"
#include "core/window/window_damage.h"
#include "gdi/dc_record.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/message.h"

namespace {

// Whether tracking runs, for threads other than the desktop's.
std::atomic<bool> g_trackingSeen{false};

// The move/resize frame is xor-ed with element colour 63; before the colours
// are loaded (0, which would leave the frame invisible) with white.
GalPixel TrackingFrameColor() {
  const GalPixel pixel = WinElementColors[WEC_FRAME_WIN_HILITE];
  return pixel ? pixel : RGB2Pixel(HDC_SCREEN, 0xFF, 0xFF, 0xFF);
}

int CursorOf(int location) {
  switch (location) {
    case HT_CAPTION: return 4;
    case HT_BORDER_TOP: case HT_BORDER_BOTTOM: return 8;
    case HT_BORDER_LEFT: case HT_BORDER_RIGHT: return 7;
    case HT_CORNER_TL: case HT_CORNER_BR: return 5;
    case HT_CORNER_TR: case HT_CORNER_BL: return 6;
    default: return 0;
  }
}

template <typename Fn>
void ForEachTrackedList(Fn fn) {
  ForEachInList(TopmostList(), fn);
  if (ZOrderList* current = CurrentDisplayList()) ForEachInList(*current, fn);
}

// Each region once, even when a control shares its main window's.
void LockAllClips(std::vector<GlobalClipInfo*>* locked) {
  ForEachTrackedList([locked](WindowRecord* win) {
    GlobalClipInfo* info = win->clipInfo;
    if (!info || std::find(locked->begin(), locked->end(), info) != locked->end()) return true;
    info->lock.lock();
    locked->push_back(info);
    return true;
  });
}

void UnlockClips(std::vector<GlobalClipInfo*>* locked) {
  for (GlobalClipInfo* info : *locked) info->lock.unlock();
  locked->clear();
}

// Drawn twice, the outline restores the screen. A screen DC of its own:
// the shared one's pen and raster operation belong to the other threads.
void DrawFrame(const Rect& r) {
  gui::dc::OwnScreenDC frame;
  if (!frame) return;
  SetDCAttr(frame.handle(), DC_ATTR_PEN_COLOR, TrackingFrameColor());
  FocusRect(frame.handle(), r.left, r.top, r.right - 1, r.bottom - 1);
}

void MoveEdges(Rect* r, int location, int dx, int dy) {
  bool left =
      location == HT_CAPTION || location == HT_BORDER_LEFT || location == HT_CORNER_TL || location == HT_CORNER_BL;
  bool right =
      location == HT_CAPTION || location == HT_BORDER_RIGHT || location == HT_CORNER_TR || location == HT_CORNER_BR;
  bool top = location == HT_CAPTION || location == HT_BORDER_TOP || location == HT_CORNER_TL || location == HT_CORNER_TR;
  bool bottom =
      location == HT_CAPTION || location == HT_BORDER_BOTTOM || location == HT_CORNER_BL || location == HT_CORNER_BR;
  if (left) r->left += dx;
  if (right) r->right += dx;
  if (top) r->top += dy;
  if (bottom) r->bottom += dy;
}

void ReleaseTracking(TrackingState& t) {
  UnlockClips(&t.locked);
  ShowSystemCursor(0);
}

void FinishTracking(bool tellWindow) {
  TrackingState& t = Desk().tracking;
  DrawFrame(t.rect);
  if (!t.frameLeftOnScreen) {
    if (tellWindow && ValidWindow(t.window)) {
      WParam topLeft = (static_cast<WParam>(t.rect.top & 0xFFFF) << 16) | (t.rect.left & 0xFFFF);
      LParam bottomRight = (static_cast<LParam>(t.rect.bottom & 0xFFFF) << 16) | (t.rect.right & 0xFFFF);
      SendNotifyMessage(t.window, MSG_TRACKEDMOVE, topLeft, bottomRight);
    }
    ReleaseTracking(t);
  }
  t = TrackingState{};
  g_trackingSeen = false;
}

}  // namespace

bool TrackingRuns() { return Desk().tracking.window != 0; }

bool TrackingMayRun() { return g_trackingSeen.load(std::memory_order_acquire); }

LResult StartTracking(WindowHandle hwnd, const DragInfo* drag) {
  WindowRecord* win = ValidWindow(hwnd);
  if (!win || !drag || !IsVisibleRecord(win) || TrackingRuns()) return -1;
  TrackingState& t = Desk().tracking;
  t.window = hwnd;
  g_trackingSeen = true;
  t.rect = ScreenRectOf(win);
  t.location = drag->location;
  t.lastX = drag->x;
  t.lastY = drag->y;
  LockAllClips(&t.locked);
  DrawFrame(t.rect);
  ShowSystemCursor(CursorOf(t.location));
  return 0;
}

LResult CancelTracking(WindowHandle hwnd) {
  TrackingState& t = Desk().tracking;
  WindowRecord* win = ValidWindow(hwnd);
  if (!TrackingRuns() || t.window != hwnd || t.frameLeftOnScreen || !win || !IsVisibleRecord(win)) return -1;
  ReleaseTracking(t);
  t.frameLeftOnScreen = true;
  return 0;
}

bool TrackingTakesInput(int msg, LParam lParam) {
  if (!TrackingRuns()) return false;
  TrackingState& t = Desk().tracking;
  if (msg == MSG_MOUSEMOVE && !t.frameLeftOnScreen) {
    int x = static_cast<int16_t>(lParam & 0xFFFF), y = static_cast<int16_t>((lParam >> 16) & 0xFFFF);
    DrawFrame(t.rect);
    MoveEdges(&t.rect, t.location, x - t.lastX, y - t.lastY);
    t.lastX = x;
    t.lastY = y;
    DrawFrame(t.rect);
    return true;
  }
  FinishTracking(true);
  return true;
}

void EndTrackingForRequest() {
  if (TrackingRuns()) FinishTracking(true);
}
