// The list box's keys, characters and mouse.
#include <algorithm>

#include "controls/listbox/control_measures.h"
#include "controls/listbox/listbox_internal.h"
#include "gui/dialog.h"
#include "gui/input.h"
#include "gui/keyboard.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/paint.h"
#include "gui/window_attr.h"

namespace listbox {

namespace {

bool Multiple(WindowHandle hwnd) { return GetWindowStyle(hwnd) & LBS_MULTIPLESEL; }

bool Disabled(const Data& d, int index) {
  const Item* it = ItemAt(d, index);
  return it && (it->flags & kDisabled);
}

// The next item in a direction, wrapping; up and down pass over disabled
// items until they come back to where they started.
int Step(const Data& d, int from, int direction, bool skipDisabled) {
  int index = from < 0 ? (direction > 0 ? -1 : 0) : from;
  for (int tries = 0; tries < d.count; ++tries) {
    index = (index + direction + d.count) % d.count;
    if (!skipDisabled || !Disabled(d, index)) return index;
  }
  return from;
}

int KeyTarget(const Data& d, int scan) {
  const int cur = d.current;
  switch (scan) {
    case KEY_HOME: return 0;
    case KEY_END: return d.count - 1;
    case KEY_UP: return Step(d, cur, -1, true);
    case KEY_DOWN: return Step(d, cur, 1, true);
    case KEY_LEFT: return Step(d, cur, -1, false);
    case KEY_RIGHT: return Step(d, cur, 1, false);
    case KEY_PAGEUP: return std::max(0, cur - d.visible);
    case KEY_PAGEDOWN: return std::min(d.count - 1, std::max(cur, 0) + d.visible);
    default: return -2;
  }
}

// Selects one item in a single-selection list; true when that changed
// which item is selected.
bool SelectOnly(WindowHandle hwnd, Data& d, int index) {
  if (Multiple(hwnd)) return false;
  bool changed = false;
  int i = 0;
  for (Item* p = d.head; p; p = p->next, ++i) {
    const uint32_t flags = i == index ? p->flags | kSelected : p->flags & ~kSelected;
    changed |= flags != p->flags;
    p->flags = flags;
  }
  return changed;
}

void KeepVisible(WindowHandle hwnd, Data& d, int index) {
  if (index < d.top)
    ScrollTo(hwnd, d, index);
  else if (index >= d.top + d.visible)
    ScrollTo(hwnd, d, index - d.visible + 1);
}

void MoveTo(WindowHandle hwnd, Data& d, int target) {
  const int old = d.current;
  if (target == old || target < 0) return;
  KeepVisible(hwnd, d, target);
  const bool changed = SelectOnly(hwnd, d, target);
  d.current = target;
  if (changed) Notify(hwnd, LBN_SELCHANGE);
  RepaintItem(hwnd, d, old);
  RepaintItem(hwnd, d, target);
}

int SelectedOf(WindowHandle hwnd, const Data& d) { return Multiple(hwnd) ? -1 : SelectedIndex(d); }

void Hover(WindowHandle hwnd, Data& d, int index) {
  // Hovering follows the pointer only where one item is selected at a
  // time; toggling on every move would flicker a multiple selection.
  if (index < 0 || Multiple(hwnd)) return;
  const int old = SelectedIndex(d);
  if (old == index) return;
  SelectOnly(hwnd, d, index);
  RepaintItem(hwnd, d, old);
  RepaintItem(hwnd, d, index);
}

void Press(WindowHandle hwnd, Data& d, int index, int x) {
  Item* it = ItemAt(d, index);
  if (!it || (it->flags & kDisabled)) return;
  const int oldSelected = SelectedOf(hwnd, d), old = d.current;
  bool changed;
  if (Multiple(hwnd)) {
    it->flags ^= kSelected;
    changed = true;
  } else {
    changed = SelectOnly(hwnd, d, index);
  }
  const uint32_t style = GetWindowStyle(hwnd);
  const bool checkZone = (style & LBS_CHECKBOX) && x >= 1 && x <= kCheckZoneRight;
  if (checkZone) {
    Notify(hwnd, LBN_CLICKCHECKMARK);
    if (style & LBS_AUTOCHECK) ToggleCheck(hwnd, d, *it, index);
  }
  if (!checkZone) Notify(hwnd, LBN_CLICKED);
  if (changed) Notify(hwnd, LBN_SELCHANGE);
  RepaintItem(hwnd, d, oldSelected >= 0 ? oldSelected : old);
  RepaintItem(hwnd, d, index);
  d.current = index;
  FitBars(hwnd, d);
}

// The list takes every key but Tab (its dialog code has no Tab bit), so its
// page hands Tab on to it: Tab walks to the page's next tab stop (Shift,
// the one before) as the page would, and a list never ends the walk.
LResult PassTab(WindowHandle hwnd, LParam state) {
  const bool back = (state & (KS_LEFTSHIFT | KS_RIGHTSHIFT)) != 0;
  const WindowHandle next = GetNextDlgTabItem(GetParent(hwnd), hwnd, back);
  if (next && next != hwnd) SetFocusChild(next);
  return 0;
}

}  // namespace

void ToggleCheck(WindowHandle hwnd, Data& d, Item& it, int index) {
  const bool wasSet = it.flags & kCheckMask;
  it.flags = (it.flags & ~kCheckMask) | (wasSet ? 0 : kChecked);
  if (wasSet) Notify(hwnd, LBN_CLICKCHECKMARK_OFF);
  RepaintItem(hwnd, d, index);
}

int HitIndex(WindowHandle hwnd, const Data& d, int x, int y) {
  if (y < 0 || x < 0 || d.itemHeight <= 0) return -1;
  int index;
  if (GetWindowStyle(hwnd) & LBS_GRID) {
    // A client narrower than the columns (or than nothing) still has cells.
    const int column = x / std::max(1, d.visibleWidth / kGridColumns + 1);
    if (column >= kGridColumns) return -1;
    index = (d.top + y / d.itemHeight) * kGridColumns + column;
  } else {
    index = d.top + y / d.itemHeight;
  }
  return index < d.count ? index : -1;
}

LResult OnKey(WindowHandle hwnd, Data& d, int scan, LParam state) {
  if (scan == KEY_TAB) return PassTab(hwnd, state);
  if (d.count == 0) return 0;
  if (scan == KEY_ENTER) {
    Notify(hwnd, LBN_ENTER);
    return 0;
  }
  MoveTo(hwnd, d, KeyTarget(d, scan));
  return 0;
}

LResult OnChar(WindowHandle hwnd, Data& d, unsigned ch) {
  if (ch == 0 || ch > 0xFF || d.count == 0) return 0;
  if (ch == ' ') {
    Item* it = ItemAt(d, d.current);
    if (!it) return 0;
    if (Multiple(hwnd)) {
      it->flags ^= kSelected;
      RepaintItem(hwnd, d, d.current);
    }
    const uint32_t style = GetWindowStyle(hwnd);
    if (style & LBS_CHECKBOX) {
      Notify(hwnd, LBN_CLICKCHECKMARK);
      if (style & LBS_AUTOCHECK) ToggleCheck(hwnd, d, *it, d.current);
    }
    return 0;
  }
  const char wanted[2] = {static_cast<char>(ch), '\0'};
  int found = FindText(d, d.current + 1, wanted);
  if (found < 0) found = FindText(d, 0, wanted);
  if (found < 0) return 0;
  const bool changed = SelectOnly(hwnd, d, found);
  d.current = found;
  d.top = std::max(0, std::min(found, d.count - d.visible));
  FitBars(hwnd, d);
  InvalidateRect(hwnd, nullptr, TRUE);
  if (changed) Notify(hwnd, LBN_SELCHANGE);
  return 0;
}

LResult OnMouse(WindowHandle hwnd, Data& d, int msg, int x, int y) {
  const bool grid = GetWindowStyle(hwnd) & LBS_GRID;
  switch (msg) {
    case MSG_LBUTTONDOWN: Press(hwnd, d, HitIndex(hwnd, d, x, y), x); break;
    case MSG_LBUTTONDBLCLK:  // the second press of a quick pair picks its row (or ticks its box) too
      Press(hwnd, d, HitIndex(hwnd, d, x, y), x);
      Notify(hwnd, LBN_DBLCLK);
      break;
    case MSG_MOUSEMOVE: Hover(hwnd, d, HitIndex(hwnd, d, x, y)); break;
    case MSG_MOUSEWHEELDOWN:
      if (!grid) OnScroll(hwnd, d, MSG_VSCROLL, SB_LINEDOWN, 0);
      break;
    case MSG_MOUSEWHEELUP:
      if (!grid) OnScroll(hwnd, d, MSG_VSCROLL, SB_LINEUP, 0);
      break;
    default: break;
  }
  return 0;
}

}  // namespace listbox
