// Mouse and keys of the month calendar: arrows step the month or year,
// the grid picks a day (or a neighbouring month's day), keys move the day
// or step the focused part.
#include <atomic>

#include "controls/monthcalendar/monthcalendar_internal.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/keyboard.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace monthcalendar {
namespace {

constexpr uint32_t kInitialDialogCode = 19;

// One calendar is worked at a time; the code is one word.
std::atomic<uint32_t> g_dialogCode{kInitialDialogCode};

bool Inside(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

void Stepped(WindowHandle hwnd) {
  Notify(hwnd, MCN_DATECHANGE);
  InvalidateAll(hwnd);
}

void Arrow(WindowHandle hwnd, Data& d, int arrow) {
  if (!(GetWindowStyle(hwnd) & MCS_NONECELL)) d.focusPart = arrow < 2 ? MCF_MONTH : MCF_YEAR;
  d.pressedArrow = arrow;
  const int delta = arrow % 2 ? 1 : -1;
  const bool moved = arrow < 2 ? StepMonth(d, delta) : StepYear(d, delta);
  if (moved) Notify(hwnd, MCN_DATECHANGE);
  InvalidateAll(hwnd);
}

// A click on a day of the previous or next month moves there.
void NeighbourMonth(WindowHandle hwnd, Data& d, int index) {
  const int forward = index > d.monthDays;
  const int day = forward ? index - d.monthDays : index;
  if (!StepMonth(d, forward ? 1 : -1)) return;
  d.day = forward ? day : d.monthDays + day;
  if (d.day > d.monthDays) d.day = d.monthDays;
  if (d.day < 1) d.day = 1;
  Confirm(d);
  Notify(hwnd, MCN_DATECHANGE);
  Notify(hwnd, MCN_MONTHCLICK);
  InvalidateAll(hwnd);
}

void Grid(WindowHandle hwnd, Data& d, const Geometry& g, int x, int y) {
  if (g.cellW <= 0 || g.cellH <= 0 || x < g.margin || x >= g.margin + 7 * g.cellW || y >= g.gridTop + 6 * g.cellH)
    return;
  const int cell = ((y - g.gridTop) / g.cellH) * 7 + (x - g.margin) / g.cellW;
  const int index = cell - d.firstWeekday + 1;
  if (index >= 1 && index <= d.monthDays) {
    // Picking a day ends a "none" choice.
    if ((d.focusPart & 3) == MCF_NONE_PICKED) d.focusPart &= ~3u, InvalidateAll(hwnd);
    if (index == d.day) return Notify(hwnd, MCN_SAMEDAYCLICK);
    InvalidateDay(hwnd, d, d.day);
    d.day = index;
    Confirm(d);
    InvalidateDay(hwnd, d, d.day);
    Notify(hwnd, MCN_DATECHANGE);
    Notify(hwnd, MCN_DAYCLICK);
    return;
  }
  if (index > d.monthDays && (GetWindowStyle(hwnd) & MCS_NONECELL) && Inside(NoneCellRect(d, g), x, y)) {
    d.focusPart = (d.focusPart & ~3u) | MCF_NONE_PICKED;
    Notify(hwnd, MCN_DATECHANGE);
    InvalidateAll(hwnd);
    return;
  }
  NeighbourMonth(hwnd, d, index);
}

// Moves the selected day by delta days, across month ends but not past
// the year range.
void MoveDay(WindowHandle hwnd, Data& d, int delta) {
  int day = d.day + delta;
  if (day > d.monthDays) {
    const int over = day - d.monthDays;
    if (!StepMonth(d, 1)) return;
    day = over;
  } else if (day < 1) {
    if (!StepMonth(d, -1)) return;
    day = d.monthDays + day;
  }
  d.day = day;
  Confirm(d);
  Notify(hwnd, MCN_KEYMOVE);
  InvalidateAll(hwnd);
}

void Step(WindowHandle hwnd, Data& d, int sign, int dayDelta) {
  switch (d.focusPart & 3) {
    case MCF_MONTH:
      if (StepMonth(d, sign)) Stepped(hwnd);
      return;
    case MCF_YEAR:
      if (StepYear(d, sign)) Stepped(hwnd);
      return;
    default: MoveDay(hwnd, d, sign * dayDelta);
  }
}

}  // namespace

uint32_t DialogCode() { return g_dialogCode.load(); }

void Click(WindowHandle hwnd, Data& d, int x, int y, bool twice) {
  HDC hdc = GetClientDC(hwnd);
  const Geometry g = Measure(hwnd, d, hdc);
  if (hdc) ReleaseDC(hdc);
  if (twice && y >= g.gridTop) Notify(hwnd, MCN_DBLCLICK);
  for (int i = 0; i < g.arrowCount; ++i)
    if (Inside(g.arrows[i], x, y)) return Arrow(hwnd, d, i);
  if (y >= g.gridTop) Grid(hwnd, d, g, x, y);
}

void Release(WindowHandle hwnd, Data& d) {
  if (d.pressedArrow < 0) return;
  d.pressedArrow = -1;
  InvalidateAll(hwnd);
}

void Key(WindowHandle hwnd, Data& d, int scan) {
  switch (scan) {
    case KEY_ENTER: g_dialogCode.fetch_xor(DLGC_WANTALLKEYS); return;
    case PANEL_KEY_EDIT:
      if (GetWindowStyle(hwnd) & MCS_NONECELL) return;
      d.focusPart = (d.focusPart & ~3u) | ((d.focusPart & 3) + 1) % 3;
      InvalidateAll(hwnd);
      return;
    case KEY_UP: return Step(hwnd, d, -1, 7);
    case KEY_LEFT: return Step(hwnd, d, -1, 1);
    case KEY_RIGHT: return Step(hwnd, d, 1, 1);
    case KEY_DOWN: return Step(hwnd, d, 1, 7);
  }
}

}  // namespace monthcalendar
