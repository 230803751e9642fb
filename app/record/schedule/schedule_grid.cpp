// The week grid of a schedule tab: geometry from the layout, the bars of
// the selected channel, painting, and the drag that paints or erases hours.
#include <algorithm>
#include <cstdio>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/page_colours.h"
#include "app/record/schedule/schedule_page.h"
#include "gui/bitmap.h"
#include "gui/button.h"
#include "gui/cursor.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/gal.h"
#include "gui/paint.h"
#include "gui/text.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace schedule {
namespace {

constexpr int kSwatch = 20;
constexpr int kPenFrameColor = SYSPIXEL_YELLOW, kLineColor = SYSPIXEL_BLACK, kBandColor = SYSPIXEL_RED;
// The layout bits drawRoundFrame scales by.
constexpr uint32_t kGridFrameStyle =
    WS_EX_PLACE_X | WS_EX_PLACE_W | EDIT_CORNER_TOPLEFT | EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT;
constexpr int kLegendTypes[kLegendItems] = {0, 1, 2, 3, 4, kEraser};
constexpr uint32_t kEraserColor = 0x252525u;
constexpr uint32_t kTextCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

const CtrlResInfo* rec(const char* key) { return pageframe::record(kSection, key); }

bool inside(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

Rect unite(const Rect& a, const Rect& b) {
  return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

void setCursorOf(int index) { SetCursor(GetSystemCursor(index)); }

Rect legendArea(const TabState& tab) {
  Rect r = tab.legend[0];
  for (const Rect& l : tab.legend) r = unite(r, l);
  return enlarged(r, 2);
}

void brush(HDC hdc, uint32_t rgb) {
  SetDCAttr(hdc, DC_ATTR_BRUSH_COLOR,
            static_cast<uint32_t>(RGB2Pixel(hdc, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF)));
}
void pen(HDC hdc, int sysPixel) { SetDCAttr(hdc, DC_ATTR_PEN_COLOR, static_cast<uint32_t>(SysPixelIndex[sysPixel])); }
void line(HDC hdc, int x0, int y0, int x1, int y1) {
  MoveTo(hdc, x0, y0);
  LineTo(hdc, x1, y1);
}
// A one-pixel outline of a rectangle whose right and bottom are exclusive.
void frame(HDC hdc, const Rect& r, int sysPixel) {
  pen(hdc, sysPixel);
  Rectangle(hdc, r.left, r.top, r.right - 1, r.bottom - 1);
}

void paintLegend(const TabState& tab, HDC hdc) {
  for (int i = 0; i < kLegendItems; ++i) {
    const Rect& l = tab.legend[i];
    brush(hdc, kLegendTypes[i] == kEraser ? kEraserColor : getRecTypeColor(kLegendTypes[i]));
    FillBox(hdc, l.left, l.top, kSwatch, kSwatch);
    if (tab.pen == kLegendTypes[i]) frame(hdc, Rect{l.left, l.top, l.left + kSwatch, l.top + kSwatch}, kPenFrameColor);
  }
}

void paintBars(const TabState& tab, HDC hdc) {
  const int quarter = tab.grid.rowHeight / 4;
  for (int d = 0; d < (kHolidayRow ? kDays : SCHED_DAYS); ++d)
    for (const Bar& b : tab.bars[d]) {
      if (b.type < 0) continue;
      brush(hdc, getRecTypeColor(b.type));
      const int x = (b.r.left + 1) & ~1, top = b.r.top + quarter;
      FillBox(hdc, x, top, (b.r.right - b.r.left) & ~1, (b.r.bottom - quarter) - top);
    }
}

void paintLines(const TabState& tab, HDC hdc) {
  const Grid& g = tab.grid;
  const Rect& R = tab.schedRect;
  const int left = g.area.left, top = g.area.top;
  pen(hdc, kLineColor);
  for (int i = 0; i <= kHours; ++i) {
    const int x = left + i * g.hourWidth;
    line(hdc, x, top, x, top + 8 * g.rowHeight - 2);
    line(hdc, x, top - 10, x, top);
  }
  for (int r = 0; r < 8; ++r) line(hdc, R.left + 2, top + r * g.rowHeight, R.right - 2, top + r * g.rowHeight);
  SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, static_cast<uint32_t>(SysPixelIndex[page_colours::kText]));
  char text[12];
  for (int h = 0; h <= kHours; h += 2) {
    std::snprintf(text, sizeof text, "%d", h);
    TextOutLen(hdc, left + h * g.hourWidth - 8, top - 30, text, -1);
  }
  const int rows = kHolidayRow ? kDays : SCHED_DAYS;
  for (int r = 0; r < rows; ++r) {
    std::snprintf(text, sizeof text, "%d", r + 1);
    Rect box{left + kHours * g.hourWidth, top + r * g.rowHeight, R.right, top + (r + 1) * g.rowHeight};
    DrawTextEx2(hdc, text, -1, &box, 0, kTextCentred, nullptr);
  }
}

void paintDrag(const TabState& tab, HDC hdc) {
  if (tab.pen >= 0) frame(hdc, tab.grid.area, kPenFrameColor);
  if (!tab.dragging) return;
  const Rect r = normalised(tab.drag);
  const int w = r.right - r.left, h = r.bottom - r.top;
  pen(hdc, kBandColor);
  if (w >= 1 && h >= 1)
    Rectangle(hdc, r.left, r.top, r.right, r.bottom);
  else if (w > 0 || h > 0)
    line(hdc, r.left, r.top, r.right, r.bottom);
}

}  // namespace

void keepEnable(TabState& tab) {
  const auto state = SendDlgItemMessage(tab.page, enableId(*tab.keys), BM_GETCHECK, 0, 0);
  if (state == 0 || state == 1) setSelectedEnable(tab, static_cast<uint32_t>(state));
  *changedFlag(tab) = 1;
}

Rect enlarged(const Rect& r, int by) { return Rect{r.left - by, r.top - by, r.right + by, r.bottom + by}; }

void invalidateGrid(TabState& tab) {
  const Rect r = enlarged(tab.grid.area, 2);
  InvalidateRect(tab.page, &r, FALSE);
}

void computeScheduleGrid(TabState& tab) {
  const int output = getCurOutput();
  tab.pen = kPenNone;
  tab.dragging = tab.moved = false;
  tab.drag = tab.band = Rect{};
  for (auto& day : tab.bars)
    for (Bar& b : day) b = Bar{-1, Rect{}};
  const CtrlResInfo* R = rec("rect_schedule");
  const CtrlResInfo* mon = rec("rect_mon");
  tab.schedRect = R ? Rect{R->x, R->y, R->x + R->w, R->y + R->h} : Rect{};
  const int D = mon ? mon->w : 0;
  int hourWidth = R ? (R->w - D) / 25 : 0, left = R ? R->x + D : 0;
  const int rowHeight = R ? R->h / 9 : 0, top = R ? R->y + rowHeight : 0;
  ScaleHorzToScreen(&left, &hourWidth, output);
  const int rows = kHolidayRow ? kDays : SCHED_DAYS;
  tab.grid = Grid{Rect{left, top, left + hourWidth * kHours, top + rowHeight * rows}, hourWidth, rowHeight};
  const CtrlResInfo* first = rec(tab.keys->legend[0]);
  int lx = first ? first->x : 0, lw = first ? first->w : 0;
  ScaleHorzToScreen(&lx, &lw, output);
  for (int i = 0; i < kLegendItems; ++i) {
    const CtrlResInfo* item = rec(tab.keys->legend[i]);
    const int y = item ? item->y + (item->h - kSwatch) / 2 : 0;
    tab.legend[i] = Rect{lx, y, lx + lw, y + kSwatch};
  }
}

void rebuildScheduleBars(TabState& tab) {
  setChecked(tab.page, enableId(*tab.keys), selectedEnable(tab) != 0);
  const Week week = selectedWeek(tab);
  const Grid& g = tab.grid;
  const int64_t width = static_cast<int64_t>(g.hourWidth) * kHours;
  for (int d = 0; d < kDays; ++d) {
    const Day& day = week.days[d];
    const int top = g.area.top + d * g.rowHeight;
    for (int k = 0; k < kSegments; ++k) {
      Bar& bar = tab.bars[d][k];
      bar = Bar{-1, Rect{}};
      if (day.allDay != 0) {
        if (k == 0) bar = Bar{day.allDayType, Rect{g.area.left, top, g.area.right, top + g.rowHeight}};
        continue;
      }
      const int s = startMinute(day.seg[k].time), e = endMinute(day.seg[k].time);
      if (s >= e) continue;
      const int left = g.area.left + static_cast<int>(s * width / kDayMinutes);
      bar = Bar{day.seg[k].type,
                Rect{left, top, left + static_cast<int>((e - s) * width / kDayMinutes), top + g.rowHeight}};
    }
  }
}

// The grid and the swatches repaint their own background: an erase of the
// page would reach over the controls beside them.
static void clearDirty(const TabState& tab, HDC hdc) {
  const Rect g = enlarged(tab.grid.area, 2);
  fillColour(hdc, page_colours::kPageBackground, g.left, g.top, g.right - g.left, g.bottom - g.top);
  for (const Rect& l : tab.legend) fillColour(hdc, page_colours::kPageBackground, l.left, l.top, kSwatch, kSwatch);
}

void paintGrid(TabState& tab, HDC hdc) {
  clearDirty(tab, hdc);
  paintLegend(tab, hdc);
  Rect R = tab.schedRect;
  drawRoundFrame(hdc, kGridFrameStyle, &R);
  paintBars(tab, hdc);
  paintLines(tab, hdc);
  paintDrag(tab, hdc);
}

void dropPen(TabState& tab) {
  tab.dragging = false;
  tab.drag = tab.band = Rect{};
  if (tab.pen == kPenNone) return;
  tab.pen = kPenNone;
  setCursorOf(kArrowCursor);
  const Rect legend = legendArea(tab);
  InvalidateRect(tab.page, &legend, FALSE);
  invalidateGrid(tab);
  SetWindowText(GetDlgItem(tab.page, noteId(*tab.keys)), "");
}

bool onMouseDown(TabState& tab, int x, int y) {
  if (tab.pen >= 0 && inside(tab.grid.area, x, y)) {
    tab.anchor = Point{x, y};
    tab.drag = tab.band = Rect{x, y, x, y};
    tab.dragging = true;
    setCursorOf(kPenCursor);
    return true;
  }
  for (int i = 0; i < kLegendItems; ++i) {
    if (!inside(tab.legend[i], x, y)) continue;
    if (tab.pen == kLegendTypes[i]) return true;
    const int before = tab.pen;
    tab.pen = kLegendTypes[i];
    setCursorOf(kPenCursor);
    const Rect legend = legendArea(tab);
    InvalidateRect(tab.page, &legend, FALSE);
    if (before == kPenNone) invalidateGrid(tab);
    const CtrlResInfo* note = rec(tab.keys->note);
    SetWindowText(GetDlgItem(tab.page, noteId(*tab.keys)), note && note->caption ? note->caption : "");
    return true;
  }
  dropPen(tab);
  return false;
}

void onMouseMove(TabState& tab, int x, int y) {
  if (tab.pen >= 0 && inside(tab.grid.area, x, y)) {
    setCursorOf(kPenCursor);
    if (!tab.dragging) return;
    tab.drag = Rect{tab.anchor.x, tab.anchor.y, x, y};
    tab.moved = true;
    const Rect now = normalised(tab.drag);
    const Rect dirty = enlarged(unite(tab.band, now), 2);
    InvalidateRect(tab.page, &dirty, FALSE);
    tab.band = now;
    return;
  }
  if (inside(tab.grid.area, x, y)) return;
  bool overLegend = false;
  for (const Rect& l : tab.legend) overLegend = overLegend || inside(l, x, y);
  setCursorOf(overLegend ? kPenCursor : kArrowCursor);
}

void onNotice(TabState& tab, WParam wParam) {
  if (wParam >= 2 || !tab.moved) return;
  if (tab.dragging) {
    const Rect dirty = enlarged(tab.band, 2);
    InvalidateRect(tab.page, &dirty, FALSE);
  }
  tab.moved = false;
}

bool onMouseUp(TabState& tab) {
  if (!tab.dragging) return false;
  tab.dragging = false;
  Week week = selectedWeek(tab);
  const int rc = tab.pen == kEraser ? eraseScheduleDrag(&week, tab.drag, tab.grid)
                                    : applyScheduleDrag(&week, tab.drag, tab.grid, tab.pen);
  if (rc == 0) {
    sortDraggedDays(&week, tab.drag, tab.grid);
    storeSelectedWeek(tab, week);
    // The rebuild shows the record's enable: a change of the box not yet
    // kept would be lost.
    keepEnable(tab);
    rebuildScheduleBars(tab);
  }
  tab.drag = tab.band = Rect{};
  invalidateGrid(tab);
  enableApply(tab.page, 0, 0);
  return true;
}

}  // namespace schedule
