// The "monthcalendar" control: its record, its messages and its class.
#include <algorithm>
#include <new>

#include "controls/monthcalendar/monthcalendar_class.h"
#include "controls/monthcalendar/monthcalendar_internal.h"
#include "controls/registry/control_registry.h"
#include "gui/app_hooks.h"
#include "gui/control_class.h"
#include "gui/dialog.h"
#include "gui/gal.h"
#include "gui/paint.h"
#include "gui/dc.h"
#include "gui/element.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace monthcalendar {
namespace {

int LowX(LParam l) { return static_cast<int16_t>(l & 0xFFFF); }
int HighY(LParam l) { return static_cast<int16_t>((l >> 16) & 0xFFFF); }

LResult Default(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  WindowProc proc = __gui_def_proc[2] ? __gui_def_proc[2] : DefaultControlProc;
  return proc(hwnd, msg, wParam, lParam);
}

GalPixel Rgb(uint8_t r, uint8_t g, uint8_t b) { return RGB2Pixel(HDC_SCREEN, r, g, b); }

MonthCalColors DefaultColors() {
  const GalPixel hilite = WinElementColors[WEC_FC_CONTROL_HILITE];
  return MonthCalColors{{Rgb(214, 211, 206), SysPixelIndex[SYSPIXEL_BLACK], hilite, SysPixelIndex[SYSPIXEL_WHITE],
                         Rgb(46, 46, 46), hilite, SysPixelIndex[SYSPIXEL_WHITE], Rgb(84, 84, 84), hilite,
                         WinElementColors[WEC_FC_CONTROL_NORMAL], hilite}};
}

bool LoadSkins(uint32_t style, Skins& s) {
  const bool light = style & MCS_LIGHTSKIN;
  s.year = GetStockBitmap(light ? "calendar_year" : "calendar_bk_year", -1, -1);
  s.week = GetStockBitmap(light ? "calendar_week" : "calendar_bk_week", -1, -1);
  s.day = GetStockBitmap(light ? "calendar_day" : "calendar_bk_day", -1, -1);
  s.focus = GetStockBitmap("calendar_focus", -1, -1);
  s.mark[0] = GetStockBitmap("calendar_alarm", -1, -1);
  s.mark[1] = GetStockBitmap("calendar_plan", -1, -1);
  s.mark[2] = GetStockBitmap("calendar_record", -1, -1);
  return s.year && s.week && s.day && s.focus && s.mark[0] && s.mark[1] && s.mark[2];
}

int NeededHeight(uint32_t style, const Data& d) {
  const int year = (style & MCS_NOYEARBAR) ? 0 : static_cast<int>(d.skins.year->bmHeight);
  return year + static_cast<int>(d.skins.week->bmHeight) + 6 * static_cast<int>(d.skins.day->bmHeight);
}

LResult Create(WindowHandle hwnd) {
  auto d = std::unique_ptr<Data>(new (std::nothrow) Data);
  if (!d) return -1;
  d->colors.reset(new (std::nothrow) MonthCalColors(DefaultColors()));
  if (!d->colors || !LoadSkins(GetWindowStyle(hwnd), d->skins)) return -1;
  d->today = Today();
  d->year = d->confYear = d->today.year;
  d->month = d->confMonth = d->today.month;
  d->day = d->confDay = d->today.day;
  d->noneWidth = DeviceConfigLanguageId() == 2 ? 1 : 2;
  Refresh(*d);
  SetWindowAdditionalData2(hwnd, reinterpret_cast<LParam>(d.release()));
  return 0;
}

void WriteDate(LParam out, int year, int month, int day, int weekday) {
  if (!out) return;
  *reinterpret_cast<MonthCalDate*>(out) = MonthCalDate{year, month, day, weekday};
}

LResult SetDate(WindowHandle hwnd, Data& d, const MonthCalDate* date) {
  if (!date) return 0;
  d.year = std::max(date->year, d.earliestYear);
  d.month = std::clamp(date->month, 1, 12);
  d.day = std::max(date->day, 1);
  Refresh(d);
  Confirm(d);
  InvalidateAll(hwnd);
  return 0;
}

void SetColors(Data& d, const MonthCalColors* in) {
  if (!in) return;
  // Every entry, not just the first two, keeps its old value when the new
  // one is negative: callers pass -1 for "leave as it is".
  for (int i = 0; i < MC_COLOR_COUNT; ++i)
    if (static_cast<int32_t>(in->pixel[i]) >= 0) d.colors->pixel[i] = in->pixel[i];
}

LResult SetRange(WindowHandle hwnd, Data& d, int earliest, int latest, WParam wParam, LParam lParam) {
  auto inside = [](int y) { return y >= MC_EARLIEST_YEAR && y <= MC_LATEST_YEAR; };
  if (earliest <= latest) {
    if (inside(earliest)) d.earliestYear = earliest;
    if (inside(latest)) d.latestYear = latest;
    InvalidateAll(hwnd);
  }
  return Default(hwnd, MCM_SETYEARRANGE, wParam, lParam);
}

LResult Dates(WindowHandle hwnd, Data& d, int msg, WParam wParam, LParam lParam) {
  const int w = static_cast<int>(wParam);
  switch (msg) {
    case MCM_SETDATEKIND: {
      const int month = static_cast<int>(wParam >> 16) & 0xFFFF, day = std::clamp(w & 0xFFFF, 1, 31);
      if (month >= 1 && month <= 12) d.kinds[month - 1][day - 1] = static_cast<int32_t>(lParam);
      InvalidateAll(hwnd);
      return 0;
    }
    case MCM_GETDAY: return d.day;
    case MCM_GETMONTH: return d.month;
    case MCM_GETYEAR: return d.year;
    case MCM_GETWEEKDAY: return (d.firstWeekday + d.day - 1) % 7;
    case MCM_GETMONTHDAYS: return d.monthDays;
    case MCM_SETDAY: {
      const int old = d.day;
      d.day = std::clamp(w, 1, d.monthDays);
      Confirm(d);
      InvalidateDay(hwnd, d, old);
      InvalidateDay(hwnd, d, d.day);
      return 0;
    }
    case MCM_SETMONTH: d.month = std::clamp(w, 1, 12); break;
    case MCM_SETYEAR: d.year = std::max(w, d.earliestYear); break;
    case MCM_SETTODAY:
      d.year = d.today.year, d.month = d.today.month, d.day = d.today.day;
      break;
    case MCM_GETFIRSTWEEKDAY: return d.firstWeekday;
    case MCM_GETCURDATE: WriteDate(lParam, d.year, d.month, d.day, (d.firstWeekday + d.day - 1) % 7); return 0;
    case MCM_GETTODAY: WriteDate(lParam, d.today.year, d.today.month, d.today.day, d.today.weekday); return 0;
    case MCM_SETCURDATE: return SetDate(hwnd, d, reinterpret_cast<const MonthCalDate*>(lParam));
  }
  Refresh(d);
  InvalidateAll(hwnd);
  return 0;
}

LResult Settings(WindowHandle hwnd, Data& d, int msg, WParam wParam, LParam lParam) {
  switch (msg) {
    case MCM_GETMINWIDTH: return MCM_MINWIDTH;
    case MCM_GETMINHEIGHT: return MCM_MINHEIGHT;
    case MCM_SETCOLOR: SetColors(d, reinterpret_cast<const MonthCalColors*>(lParam)); InvalidateAll(hwnd); return 0;
    case MCM_GETCOLOR:
      if (lParam) *reinterpret_cast<MonthCalColors*>(lParam) = *d.colors;
      return 0;
    case MCM_SETDAYCOLOR:
      if (wParam < 1 || wParam > 31) return 0;
      d.dayColorMask |= 1u << wParam;
      d.dayColors[wParam] = static_cast<GalPixel>(lParam);
      InvalidateDay(hwnd, d, static_cast<int>(wParam));
      return 0;
    case MCM_CLEARDAYCOLORS: d.dayColorMask = 0; InvalidateAll(hwnd); return 0;
    case MCM_GETDAYSOFMONTH: {
      const int days = DaysIn(static_cast<int>(wParam), static_cast<int>(lParam));
      return days ? days : -1;
    }
    case MCM_SETYEARRANGE:
      return SetRange(hwnd, d, static_cast<int>(wParam), static_cast<int>(lParam), wParam, lParam);
    case MCM_GETYEARRANGE:
      if (wParam) *reinterpret_cast<int*>(wParam) = d.earliestYear;
      if (lParam) *reinterpret_cast<int*>(lParam) = d.latestYear;
      return Default(hwnd, msg, wParam, lParam);
    case MCM_GETFOCUSPART: return d.focusPart;
    case MCM_SETFOCUSPART: d.focusPart = static_cast<uint32_t>(wParam); InvalidateAll(hwnd); return 0;
  }
  return Default(hwnd, msg, wParam, lParam);
}

LResult WindowMessage(WindowHandle hwnd, Data& d, int msg, WParam wParam, LParam lParam) {
  switch (msg) {
    case MSG_PAINT: {
      HDC hdc = BeginPaint(hwnd);
      Paint(hwnd, hdc, d);
      EndPaint(hwnd, hdc);
      return 0;
    }
    case MSG_GETDLGCODE: return DialogCode();
    case MSG_SIZECHANGING: {
      Default(hwnd, msg, wParam, lParam);
      if (lParam) {
        Rect* placed = reinterpret_cast<Rect*>(lParam);
        // Placing follows creation, so the minimum width is kept here.
        placed->right = placed->left + std::max(placed->right - placed->left, MCM_MINWIDTH);
        placed->bottom = placed->top + NeededHeight(GetWindowStyle(hwnd), d);
      }
      return 0;
    }
    case MSG_LBUTTONDOWN: Click(hwnd, d, LowX(lParam), HighY(lParam), false); return 0;
    case MSG_LBUTTONUP: Release(hwnd, d); return Default(hwnd, msg, wParam, lParam);
    case MSG_LBUTTONDBLCLK: Click(hwnd, d, LowX(lParam), HighY(lParam), true); return 0;
    case MSG_KEYDOWN: Key(hwnd, d, static_cast<int>(wParam)); return 0;
  }
  return Default(hwnd, msg, wParam, lParam);
}

LResult Proc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_CREATE) return Create(hwnd);
  Data* d = Record(hwnd);
  if (!d) return Default(hwnd, msg, wParam, lParam);
  if (msg == MSG_DESTROY) {
    SetWindowAdditionalData2(hwnd, 0);
    delete d;
    return Default(hwnd, msg, wParam, lParam);
  }
  // The two size questions sit inside the date range but change nothing.
  const bool sizeQuestion = msg == MCM_GETMINWIDTH || msg == MCM_GETMINHEIGHT;
  if (msg >= MCM_SETDATEKIND && msg <= MCM_SETCURDATE && !sizeQuestion) return Dates(hwnd, *d, msg, wParam, lParam);
  if (sizeQuestion || (msg > MCM_SETCURDATE && msg <= MCM_SETFOCUSPART)) return Settings(hwnd, *d, msg, wParam, lParam);
  return WindowMessage(hwnd, *d, msg, wParam, lParam);
}

}  // namespace

Data* Record(WindowHandle hwnd) { return reinterpret_cast<Data*>(GetWindowAdditionalData2(hwnd)); }

void Notify(WindowHandle hwnd, int code) {
  if (code == MCN_DBLCLICK || (GetWindowStyle(hwnd) & MCS_NOTIFY)) NotifyParentEx(hwnd, code, 0);
}

}  // namespace monthcalendar

namespace controls {

BOOL RegisterMonthCalendarControl() {
  return RegisterBuiltinClass("monthcalendar", 0, WinElementColors[WEC_BKC_CONTROL_NORMAL], monthcalendar::Proc);
}

}  // namespace controls
