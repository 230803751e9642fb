// Stepping and the mouse of the time spinner: the arrows step the field
// under the mouse (held, they repeat by the page step), the wheel steps it
// too, and a click on its text selects it.
#include "controls/spintime/spintime_internal.h"
#include "gui/combobox.h"
#include "gui/cursor.h"
#include "gui/message.h"
#include "gui/startup.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace spintime {
namespace {


bool Inside(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }
bool Enabled(WindowHandle hwnd) { return !(GetWindowStyle(hwnd) & WS_DISABLED); }

Field* Current(Data& d) {
  const int c = CurrentField();
  return c >= 1 && c <= d.count && c <= TS_MAX_FIELDS ? &d.fields[c - 1] : nullptr;
}

void Mark(WindowHandle hwnd, Field& f, uint16_t flags) {
  if ((f.flags & (kUpMarked | kDownMarked)) == flags) return;
  f.flags = static_cast<uint16_t>((f.flags & ~(kUpMarked | kDownMarked)) | flags);
  InvalidateRect(hwnd, &f.up, FALSE);
  InvalidateRect(hwnd, &f.down, FALSE);
}

void Move(WindowHandle hwnd, Data& d, int x, int y) {
  int current = 0;
  for (int i = 0; i < d.count && i < TS_MAX_FIELDS; ++i) {
    Field& f = d.fields[i];
    Mark(hwnd, f, Inside(f.up, x, y) ? kUpMarked : Inside(f.down, x, y) ? kDownMarked : 0);
    if (Inside(f.field, x, y)) current = i + 1;
  }
  SetCurrentField(current);
}

void Press(WindowHandle hwnd, Data& d, int x, int y) {
  ClearInputHelperState();
  Field* f = Current(d);
  if (!Enabled(hwnd) || !f) return;
  if (Inside(f->up, x, y) || Inside(f->down, x, y)) {
    const WParam down = Inside(f->down, x, y) ? 1 : 0;
    SendMessage(hwnd, TSM_LINESTEP, down, 0);
    SetAutoRepeatMessage(hwnd, TSM_PAGESTEP, down, 0);
    return;
  }
  if (x < f->up.left) {
    f->flags ^= kSelected;
    InvalidateRect(hwnd, &f->field, FALSE);
  }
}

}  // namespace

LResult Step(WindowHandle hwnd, Data& d, bool page, bool down) {
  Field* f = Current(d);
  if (!f) return 0;
  const int old = Value(*f), step = page ? f->pageStep : f->lineStep;
  int v = down ? old - step : old + step;
  if (GetWindowStyle(hwnd) & TSS_WRAP) {
    if (v > f->maximum) v = f->minimum;
    if (v < f->minimum) v = f->maximum;
  } else {
    v = v > f->maximum ? f->maximum : v < f->minimum ? f->minimum : v;
  }
  if (v == old) return 0;
  Print(*f, v);
  InvalidateRect(hwnd, &f->field, FALSE);
  const WindowHandle combo = GetParent(hwnd);
  if (combo != GUI_INVALID_HANDLE && (GetWindowStyle(combo) & CBS_NOTIFY)) NotifyParentEx(combo, CBN_SELCHANGE, 0);
  return 0;
}

void Mouse(WindowHandle hwnd, Data& d, int msg, int x, int y) {
  switch (msg) {
    case MSG_MOUSEMOVE: return Move(hwnd, d, x, y);
    case MSG_LBUTTONDOWN: return Press(hwnd, d, x, y);
    case MSG_LBUTTONUP: {
      const Field* f = Current(d);
      if (Enabled(hwnd) && f && Inside(f->field, x, y)) SetAutoRepeatMessage(0, 0, 0, 0);
      return;
    }
    case MSG_MOUSEWHEELDOWN:
    case MSG_MOUSEWHEELUP: {
      const Field* f = Current(d);
      if (!f || !Inside(f->field, x, y)) return;
      CloseInputHelpers();
      SendMessage(hwnd, TSM_LINESTEP, msg == MSG_MOUSEWHEELDOWN ? 1 : 0, 0);
      return;
    }
  }
}

void MouseLeave(WindowHandle hwnd, Data& d, bool entering) {
  if (!entering) {
    for (int i = 0; i < TS_MAX_FIELDS; ++i) Mark(hwnd, d.fields[i], 0);
    SetCurrentField(0);
    return;
  }
  if (!Enabled(hwnd)) return;
  Point p{};
  GetCursorPos(&p);
  ScreenToClient(hwnd, &p.x, &p.y);
  Move(hwnd, d, p.x, p.y);
}

}  // namespace spintime
