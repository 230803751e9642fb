// The pointer and the keys while a popup is open: hover, clicks, commands
// and keyboard navigation, all on the desktop thread.
#include <linux/input-event-codes.h>

#include "core/menu/menu_style.h"
#include "core/menu/tracking.h"
#include "core/message/msg_queue.h"
#include "gui/message.h"
#include "gui/region.h"
#include "gui/window_attr.h"

namespace menu {
namespace {

bool Inside(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// The open popup under a point, innermost first.
TrackingRecord* PopupAt(int x, int y) {
  TrackingRecord* found = nullptr;
  for (TrackingRecord* t = FirstPopup(); t; t = t->child)
    if (Inside(t->head.rect, x, y)) found = t;
  return found;
}

bool FromBar(const TrackingRecord* first) { return first && first->bar && first->barIndex >= 0; }

// Index of the bar item under a screen point, -1 when none.
int BarItemAt(const TrackingRecord* first, int x, int y) {
  const WindowHandle owner = first->bar->owner;
  int left = 0, top = 0;
  WindowToScreen(owner, &left, &top);
  return MenuBarHitTest(owner, x - left, y - top);
}

void EndAll(LParam how) { SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEMENU, 0, how); }

// Ends tracking and tells the owner which item was chosen.
void Choose(const ItemRecord* item) {
  const TrackingRecord* first = FirstPopup();
  const WindowHandle owner = first->head.owner;
  const int message = (first->flags & TPM_SYSCMD) ? MSG_SYSCOMMAND : MSG_COMMAND;
  const WParam id = static_cast<WParam>(item->id);
  // The owner reads the closing and the choice together, before it paints
  // what the popups uncovered: what the command opens over that area then
  // shows in the same frame, without a frame of the uncovered state first.
  DeferredQueueWakes together;
  EndAll(1);
  SendNotifyMessage(owner, message, id, 0);
}

bool Choosable(const ItemRecord* item) {
  return item && !Separator(item) && !Disabled(item) && item->header.kind != kPopup && !item->sub;
}

void SwitchBar(bool forward) {
  const TrackingRecord* first = FirstPopup();
  const WindowHandle owner = first->bar->owner;
  const int count = GetMenuItemCount(HandleOf(first->bar)), at = first->barIndex;
  if (count < 1) return;
  const int next = forward ? (at + 1 >= count ? 0 : at + 1) : (at <= 0 ? count - 1 : at - 1);
  if (next == at) return;
  EndAll(0);
  TrackMenuBar(owner, next);
}

void CloseBelow(TrackingRecord* t) {
  while (t->child) CloseInnermost();
}

void PointerLeftPopups(int x, int y) {
  TrackingRecord* inner = InnermostPopup();
  if (inner->selected) {
    DrawPopupMenuItem(inner, inner->selected, false);
    inner->selected = nullptr;
    inner->rehighlight = true;
  }
  TrackingRecord* first = FirstPopup();
  if (!FromBar(first)) return;
  const int item = BarItemAt(first, x, y);
  if (item < 0 || item == first->barIndex) return;
  const WindowHandle owner = first->bar->owner;
  EndAll(0);
  TrackMenuBar(owner, item);
}

LResult KeyDown(int scan) {
  TrackingRecord* t = InnermostPopup();
  ItemRecord* s = t->selected;
  switch (scan) {
    case KEY_ESC:
      CloseInnermost();
      break;
    case KEY_ENTER:
      if (!s || Separator(s) || Disabled(s) || s->header.kind == kPopup) break;
      if (s->sub)
        OpenSubPopup(t, s);
      else
        Choose(s);
      break;
    case KEY_UP: MoveSelectionUp(t, s); break;
    case KEY_DOWN: MoveSelectionDown(t, s); break;
    case KEY_LEFT:
      if (s && Disabled(s)) break;
      if (t->parent)
        CloseInnermost();
      else if (s && FromBar(t))
        SwitchBar(false);
      break;
    case KEY_RIGHT:
      if (s && s->sub)
        OpenSubPopup(t, s);
      else if (s && FromBar(FirstPopup()))
        SwitchBar(true);
      break;
    default: break;
  }
  return 1;
}

}  // namespace

void HoverPopup(TrackingRecord* t, int x, int y) {
  ItemRecord* under = PopupItemFromPoint(t, x, y);
  // Staying on the item whose sub-popup is open keeps it open.
  if (under && under == t->selected && t->child && t->child->popup == under->sub) return;
  CloseBelow(t);
  bool done = false;
  if (HoverScrollBox(t, x, y, &under, &done) && done) return;
  if (!under) return;
  if (under != t->selected || t->rehighlight) {
    if (t->selected && t->selected != under) DrawPopupMenuItem(t, t->selected, false);
    if (under->header.kind != kPopup) DrawPopupMenuItem(t, under, true);
    t->selected = under;
    t->rehighlight = false;
  }
  if (under->sub) OpenSubPopup(t, under);
}

LResult TrackKey(int msg, WParam wParam, LParam) {
  const int scan = static_cast<int>(wParam);
  if (msg == MSG_KEYUP) {
    if (scan == KEY_LEFTALT || scan == KEY_RIGHTALT) EndAll(1);
    return 1;
  }
  return KeyDown(scan);
}

LResult TrackMouse(int msg, WParam, LParam lParam) {
  const int x = static_cast<int16_t>(lParam & 0xFFFF), y = static_cast<int16_t>((lParam >> 16) & 0xFFFF);
  TrackingRecord* over = PopupAt(x, y);
  switch (msg) {
    case MSG_LBUTTONDOWN: case MSG_RBUTTONDOWN: {
      const TrackingRecord* first = FirstPopup();
      if (over || (FromBar(first) && BarItemAt(first, x, y) == first->barIndex)) return 1;
      EndAll(1);
      return 0;
    }
    case MSG_LBUTTONUP: case MSG_RBUTTONUP: {
      if (!over) return 0;
      ItemRecord* item = PopupItemFromPoint(over, x, y);
      if (msg == MSG_RBUTTONUP || !Choosable(item)) return 1;
      Choose(item);
      return 0;
    }
    case MSG_LBUTTONDBLCLK: case MSG_RBUTTONDBLCLK:
      return 1;
    case MSG_MOUSEMOVE:
      if (over) {
        HoverPopup(over, x, y);
        return 1;
      }
      PointerLeftPopups(x, y);
      return 0;
    case MSG_MOUSEWHEELDOWN: return KeyDown(KEY_DOWN);
    case MSG_MOUSEWHEELUP: return KeyDown(KEY_UP);
    default: return 0;
  }
}

}  // namespace menu
