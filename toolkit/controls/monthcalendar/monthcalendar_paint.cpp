// Geometry and painting of the month calendar: year bar with its arrows,
// weekday bar, six rows of day cells and the optional "none" cell.
#include <cstdio>
#include <cstring>

#include "controls/monthcalendar/monthcalendar_internal.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/display.h"
#include "gui/font.h"
#include "gui/layout.h"
#include "gui/paint.h"
#include "gui/text.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace monthcalendar {
namespace {

constexpr const char* kMonthKeys[12] = {"Jan", "Feb", "Mar", "Apr", "May", "June",
                                        "July", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* kWeekdayKeys[7] = {"Sunday", "Monday", "Tuesday", "Wednesday",
                                         "Thursday", "Friday", "Saturday"};
constexpr int kArrowBox = 8, kArrowGap = 2;
constexpr uint32_t kCentredLine = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

const char* Caption(const char* window, const char* key) {
  CtrlResInfo* info = nullptr;
  if (!GetCtrlResInfo(window, key, &info) || !info || !info->caption) return "";
  return info->caption;
}

int TextWidth(HDC hdc, const char* text) {
  Size size{};
  GetTextExtentEx(hdc, text, -1, &size, getCurOutputHook());
  return size.cx;
}

Rect Centred(int centreX, int top, int bottom, int width) {
  return Rect{centreX - width / 2, top, centreX - width / 2 + width, bottom};
}

Rect ArrowBox(const Rect& text, bool forward, int yearH) {
  const int top = (yearH - kArrowBox) / 2;
  const int left = forward ? text.right + kArrowGap : text.left - kArrowGap - kArrowBox;
  return Rect{left, top, left + kArrowBox, top + kArrowBox};
}

void YearText(const Data& d, char* out, size_t size) { std::snprintf(out, size, "%d", d.year); }

void SelectControlFont(HDC hdc) {
  LogFont* font = g_SysLogFont[IsAuxDisplay(getCurOutputHook()) ? 6 : 3];
  if (font) SelectFont(hdc, font);
}

// A triangle of four vertical strokes, 7, 5, 3 and 1 pixels long, its tip
// pointing back (left) or forward (right).
void Triangle(HDC hdc, const Rect& box, bool forward, GalPixel pen) {
  SetDCAttr(hdc, DC_ATTR_PEN_COLOR, pen);
  const int mid = box.top + kArrowBox / 2;
  for (int k = 0; k < 4; ++k) {
    const int half = forward ? 3 - k : k;
    const int x = box.left + 2 + k;
    MoveTo(hdc, x, mid - half);
    LineTo(hdc, x, mid + half);
  }
}

void DrawText(HDC hdc, const char* text, Rect r, GalPixel color) {
  SetDCAttr(hdc, DC_ATTR_TEXT_COLOR, color);
  DrawTextEx2(hdc, text, -1, &r, 0, kCentredLine, nullptr);
}

void PaintYearBar(HDC hdc, const Data& d, const Geometry& g) {
  if (g.yearH <= 0) return;
  FillBoxWithBitmap(hdc, g.margin, 0, 7 * g.cellW, g.yearH, d.skins.year);
  DrawText(hdc, Caption("commons", kMonthKeys[d.month - 1]), g.monthText, d.colors->pixel[8]);
  if (MultiYear(d)) {
    char year[16];
    YearText(d, year, sizeof year);
    DrawText(hdc, year, g.yearText, d.colors->pixel[8]);
  }
  for (int i = 0; i < g.arrowCount; ++i)
    Triangle(hdc, g.arrows[i], i % 2 == 1, d.colors->pixel[d.pressedArrow == i ? 3 : 2]);
}

void PaintWeekBar(HDC hdc, const Data& d, const Geometry& g) {
  FillBoxWithBitmap(hdc, g.margin, g.yearH, 7 * g.cellW, g.weekH, d.skins.week);
  SetDCAttr(hdc, DC_ATTR_BK_COLOR, d.colors->pixel[4]);
  for (int i = 0; i < 7; ++i) {
    const Rect r{g.margin + i * g.cellW, g.yearH, g.margin + (i + 1) * g.cellW, g.yearH + g.weekH};
    DrawText(hdc, Caption("commons", kWeekdayKeys[i]), r, d.colors->pixel[5]);
  }
}

void PaintDay(HDC hdc, const Data& d, const Rect& r, int day) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  GalPixel color = d.colors->pixel[8];
  const int kind = d.kinds[d.month - 1][day - 1];
  if (kind >= MCK_ALARM && kind <= MCK_RECORD) {
    FillBoxWithBitmap(hdc, r.left, r.top, w, h, d.skins.mark[kind - 1]);
    color = d.colors->pixel[1];
  }
  if (day == d.confDay && d.month == d.confMonth && d.year == d.confYear) {
    FillBoxWithBitmap(hdc, r.left, r.top, w, h, d.skins.focus);
    color = d.colors->pixel[8];
  }
  if (d.dayColorMask & (1u << day)) color = d.dayColors[day];
  char text[8];
  std::snprintf(text, sizeof text, day >= 10 ? "%d" : " %d", day);
  DrawText(hdc, text, r, color);
}

}  // namespace

Geometry Measure(WindowHandle hwnd, const Data& d, HDC hdc) {
  Rect client{};
  GetClientRect(hwnd, &client);
  const int width = client.right - client.left, height = client.bottom - client.top;
  Geometry g;
  g.cellW = width / 7;
  g.margin = (width - 7 * g.cellW) / 2;
  if (!(GetWindowStyle(hwnd) & MCS_NOYEARBAR))
    g.yearH = d.skins.year ? static_cast<int>(d.skins.year->bmHeight) : height / 8 - 1;
  g.weekH = static_cast<int>(d.skins.week->bmHeight);
  g.gridTop = g.yearH + g.weekH;
  g.cellH = (height - g.gridTop) / 6;
  if (g.yearH <= 0) return g;
  const int barW = 7 * g.cellW;
  const int monthW = TextWidth(hdc, Caption("commons", kMonthKeys[d.month - 1]));
  if (MultiYear(d)) {
    char year[16];
    YearText(d, year, sizeof year);
    g.monthText = Centred(g.margin + barW / 4, 0, g.yearH, monthW);
    g.yearText = Centred(g.margin + barW * 3 / 4, 0, g.yearH, TextWidth(hdc, year));
  } else {
    g.monthText = Centred(g.margin + barW / 2, 0, g.yearH, monthW);
  }
  g.arrows[0] = ArrowBox(g.monthText, false, g.yearH);
  g.arrows[1] = ArrowBox(g.monthText, true, g.yearH);
  g.arrowCount = 2;
  if (MultiYear(d)) {
    g.arrows[2] = ArrowBox(g.yearText, false, g.yearH);
    g.arrows[3] = ArrowBox(g.yearText, true, g.yearH);
    g.arrowCount = 4;
  }
  return g;
}

Rect CellRect(const Geometry& g, int index) {
  const int x = g.margin + (index % 7) * g.cellW, y = g.gridTop + (index / 7) * g.cellH;
  return Rect{x, y, x + g.cellW, y + g.cellH};
}

int NoneCellIndex(const Data& d) {
  const int index = d.firstWeekday + d.monthDays;
  return index % 7 + d.noneWidth > 7 ? (index / 7 + 1) * 7 : index;
}

Rect NoneCellRect(const Data& d, const Geometry& g) {
  Rect r = CellRect(g, NoneCellIndex(d));
  r.right = r.left + d.noneWidth * g.cellW;
  return r;
}

void Paint(WindowHandle hwnd, HDC hdc, const Data& d) {
  SelectControlFont(hdc);
  SetDCAttr(hdc, DC_ATTR_BK_MODE, BM_TRANSPARENT);
  const Geometry g = Measure(hwnd, d, hdc);
  PaintYearBar(hdc, d, g);
  PaintWeekBar(hdc, d, g);
  for (int i = 0; i < 42; ++i) {
    const Rect r = CellRect(g, i);
    FillBoxWithBitmap(hdc, r.left, r.top, g.cellW, g.cellH, d.skins.day);
    const int day = i - d.firstWeekday + 1;
    if (day >= 1 && day <= d.monthDays) PaintDay(hdc, d, r, day);
  }
  if (GetWindowStyle(hwnd) & MCS_NONECELL)
    DrawText(hdc, Caption("preview", "mc_none_static"), NoneCellRect(d, g), d.colors->pixel[5]);
}

void InvalidateDay(WindowHandle hwnd, const Data& d, int day) {
  if (day < 1 || day > d.monthDays) return;
  HDC hdc = GetClientDC(hwnd);
  if (!hdc) return InvalidateAll(hwnd);
  SelectControlFont(hdc);
  const Geometry g = Measure(hwnd, d, hdc);
  ReleaseDC(hdc);
  const Rect r = CellRect(g, d.firstWeekday + day - 1);
  InvalidateRect(hwnd, &r, FALSE);
}

void InvalidateAll(WindowHandle hwnd) { InvalidateRect(hwnd, nullptr, TRUE); }

}  // namespace monthcalendar
