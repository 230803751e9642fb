// Mouse tracking on scroll bars: arrows and page parts notify their action
// and repeat it while the button is held; the thumb is dragged and its new
// position told when it is let go. One tracking record per orientation,
// guarded by a mutex, as only one pointer exists.
#include <atomic>
#include <mutex>

#include "core/desktop/zorder.h"
#include "core/nonclient/frame.h"
#include "core/nonclient/hit_test.h"
#include "core/window/default_proc_internal.h"
#include "core/window/nonclient_mouse.h"
#include "core/window/window_messages.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/window.h"

namespace {

std::atomic<int> g_dragFlag{0};

struct Tracking {
  WindowHandle window = 0;
  int action = 0;
  int pressed = kPartNone;
  int current = kPartNone;
  int thumbAtPress = 0;
  int pointerAtPress = 0;
  int lastPos = 0;
};

std::mutex g_lock;
Tracking g_track[2];  // 0 horizontal, 1 vertical

int ActionOf(int part, bool vertical) {
  switch (part) {
    case kPartUpArrow: return SB_LINEUP;
    case kPartDownArrow: return SB_LINEDOWN;
    case kPartPageUp: return SB_PAGEUP;
    case kPartPageDown: return SB_PAGEDOWN;
    case kPartLeftArrow: return SB_LINELEFT;
    case kPartRightArrow: return SB_LINERIGHT;
    case kPartPageLeft: return SB_PAGELEFT;
    case kPartPageRight: return SB_PAGERIGHT;
    default: return 0;
  }
}

bool IsBack(int part) {
  return part == kPartUpArrow || part == kPartPageUp || part == kPartLeftArrow || part == kPartPageLeft;
}
bool IsArrow(int part) { return part == kPartUpArrow || part == kPartDownArrow || part == kPartLeftArrow || part == kPartRightArrow; }

// A press that cannot move the position any further does nothing.
bool AtLimit(const ScrollBarInfo& bar, int part, bool vertical) {
  if (IsBack(part)) return bar.curPos <= bar.minPos;
  if (IsArrow(part)) return bar.curPos + bar.pageStep - (vertical ? 1 : 0) >= bar.maxPos;
  return vertical ? bar.curPos >= bar.maxPos : bar.curPos == bar.maxPos;
}

int DragPosition(const WindowRecord* win, const ScrollBarInfo& bar, const Tracking& t, int pointer, bool vertical) {
  const int track = TrackLength(win, vertical);
  if (track == 0) return bar.curPos;  // nothing to drag along
  long long span = static_cast<long long>(bar.maxPos) - bar.minPos + 1;
  long long pos = span * (pointer - t.pointerAtPress + t.thumbAtPress) / track + bar.minPos;
  if (pos < bar.minPos) pos = bar.minPos;
  if (pos > bar.maxPos) pos = bar.maxPos;
  return static_cast<int>(pos);
}

void Notify(WindowRecord* win, bool vertical, int action, LParam lParam) {
  SendNotifyMessage(HandleOf(win), vertical ? MSG_VSCROLL : MSG_HSCROLL, static_cast<WParam>(action), lParam);
}

enum class Outcome { kPass, kConsumed };

Outcome Press(WindowRecord* win, bool vertical, Tracking& t, int part, int pointer) {
  ScrollBarInfo& bar = *BarOf(win, vertical);
  if (part != kPartThumb && AtLimit(bar, part, vertical)) return Outcome::kConsumed;
  t = Tracking{HandleOf(win), 0, part, part, bar.thumbStart, pointer, bar.curPos};
  g_dragFlag = 1;
  if (part == kPartThumb) {
    t.action = SB_THUMBTRACK;
    return Outcome::kConsumed;
  }
  t.action = ActionOf(part, vertical);
  Notify(win, vertical, t.action, pointer);
  SetAutoRepeatMessage(HandleOf(win), vertical ? MSG_VSCROLL : MSG_HSCROLL, static_cast<WParam>(t.action), pointer);
  return Outcome::kConsumed;
}

void EndTracking(Tracking& t) {
  t = Tracking{};
  ClearCaptionPress();
}

Outcome Move(WindowRecord* win, bool vertical, Tracking& t, int part, int pointer) {
  if (t.action == SB_THUMBTRACK && t.pressed == kPartThumb) {
    int pos = DragPosition(win, *BarOf(win, vertical), t, pointer, vertical);
    if (pos != t.lastPos) {
      t.lastPos = pos;
      if (!g_dragFlag) {
        Notify(win, vertical, SB_ENDSCROLL, 0);
        SetAutoRepeatMessage(0, 0, 0, 0);
        EndTracking(t);
        return Outcome::kConsumed;
      }
    }
  }
  t.current = part;
  return Outcome::kConsumed;
}

Outcome Release(WindowRecord* win, bool vertical, Tracking& t, int pointer) {
  if (t.action == SB_THUMBTRACK && t.pressed == kPartThumb) {
    int pos = DragPosition(win, *BarOf(win, vertical), t, pointer, vertical);
    if (pointer != t.pointerAtPress) Notify(win, vertical, SB_THUMBPOSITION, pos);
  } else if (t.pressed != kPartNone) {
    Notify(win, vertical, SB_ENDSCROLL, 0);
    SetAutoRepeatMessage(0, 0, 0, 0);
  }
  g_dragFlag = 0;
  EndTracking(t);
  return Outcome::kConsumed;
}

Outcome TrackBar(WindowRecord* win, bool vertical, int msg, int x, int y, int screenX, int screenY) {
  std::lock_guard<std::mutex> hold(g_lock);
  Tracking& t = g_track[vertical ? 1 : 0];
  const bool ours = t.window == HandleOf(win) && t.pressed != kPartNone;
  const int part = BarVisible(win, vertical) ? ScrollPartAt(win, vertical, x, y) : kPartNone;
  if (part == kPartNone && !ours) return Outcome::kPass;
  const int pointer = vertical ? screenY : screenX;
  switch (msg) {
    case MSG_NCLBUTTONDOWN:
    case MSG_NCLBUTTONDBLCLK:  // a quick second press of an arrow steps again
      return Press(win, vertical, t, part, pointer);
    case MSG_NCMOUSEMOVE: return ours ? Move(win, vertical, t, part, pointer) : Outcome::kConsumed;
    case MSG_NCLBUTTONUP: return ours ? Release(win, vertical, t, pointer) : Outcome::kConsumed;
    default: return Outcome::kConsumed;
  }
}

}  // namespace

bool ScrollBarsTakeMouse(WindowRecord* win, int msg, int, LParam lParam) {
  bool bars[2];  // horizontal, vertical: read under the lock the desktop shows and hides windows under
  {
    StackReadLock hold;
    bars[0] = HasBar(win, false);
    bars[1] = HasBar(win, true);
  }
  if (!bars[0] && !bars[1]) return false;
  const int sx = PointX(lParam), sy = PointY(lParam);
  const Point origin = RecordOrigin(win);
  for (bool vertical : {false, true}) {
    if (!bars[vertical ? 1 : 0]) continue;
    if (TrackBar(win, vertical, msg, sx - origin.x, sy - origin.y, sx, sy) == Outcome::kConsumed) return true;
  }
  return false;
}

// A window that goes ends any tracking on it.
void ForgetScrollTrackingOf(WindowHandle hwnd) {
  std::lock_guard<std::mutex> hold(g_lock);
  for (Tracking& t : g_track)
    if (t.window && WindowBelongsTo(t.window, hwnd)) t = Tracking{};
}

extern "C" {
int GetScrollDragFlag(void) { return g_dragFlag; }
void SetScrollDragFlag(int flag) { g_dragFlag = flag; }
}
