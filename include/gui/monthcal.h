/* The "monthcalendar" control: one month as a grid of day cells under a
 * year bar and a weekday bar. */
#ifndef GUI_MONTHCAL_H
#define GUI_MONTHCAL_H

#include <time.h>

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Style bits. */
#define MCS_NOTIFY 0x0008u
#define MCS_LIGHTSKIN 0x0010u
#define MCS_NOYEARBAR 0x0020u
#define MCS_NONECELL 0x0040u

/* Years the calendar can show. */
#define MC_EARLIEST_YEAR 1970
#define MC_LATEST_YEAR 2037

/* Per-date kinds. */
#define MCK_NONE 0
#define MCK_ALARM 1
#define MCK_PLAN 2
#define MCK_RECORD 3

/* Focus parts (bits 0-1 of MCM_GETFOCUSPART). */
#define MCF_DAYS 0
#define MCF_MONTH 1
#define MCF_YEAR 2
#define MCF_NONE_PICKED 3

#define MCM_SETDATEKIND 0xF2FF  /* wParam month << 16 | day, lParam kind */
#define MCM_GETDAY 0xF300
#define MCM_GETMONTH 0xF301
#define MCM_GETYEAR 0xF302
#define MCM_GETWEEKDAY 0xF303
#define MCM_GETMONTHDAYS 0xF304
#define MCM_SETDAY 0xF305
#define MCM_SETMONTH 0xF306
#define MCM_SETYEAR 0xF307
#define MCM_SETTODAY 0xF308
#define MCM_GETFIRSTWEEKDAY 0xF309
#define MCM_GETCURDATE 0xF310    /* lParam MonthCalDate* */
#define MCM_GETTODAY 0xF311      /* lParam MonthCalDate* */
#define MCM_GETMINWIDTH 0xF312
#define MCM_GETMINHEIGHT 0xF313
#define MCM_SETCURDATE 0xF314    /* lParam MonthCalDate* (weekday unused) */
#define MCM_SETCOLOR 0xF315      /* lParam MonthCalColors*; negative entries kept */
#define MCM_GETCOLOR 0xF316      /* lParam MonthCalColors* */
#define MCM_SETDAYCOLOR 0xF317   /* wParam day, lParam pixel */
#define MCM_CLEARDAYCOLORS 0xF318
#define MCM_GETDAYSOFMONTH 0xF319 /* wParam year, lParam month */
#define MCM_SETYEARRANGE 0xF31A   /* wParam earliest, lParam latest */
#define MCM_GETYEARRANGE 0xF31B   /* wParam int* earliest, lParam int* latest */
#define MCM_GETFOCUSPART 0xF31C
#define MCM_SETFOCUSPART 0xF31D

#define MCM_MINWIDTH 200
#define MCM_MINHEIGHT 120

/* Notification codes. */
#define MCN_DATECHANGE 1
#define MCN_DAYCLICK 2
#define MCN_SAMEDAYCLICK 3
#define MCN_DBLCLICK 4
#define MCN_KEYMOVE 5
#define MCN_MONTHCLICK 6

typedef struct MonthCalDate {
  int32_t year, month, day, weekday;
} MonthCalDate;

/* 0 background (kept only), 1 text of marked days, 2 arrow pen, 3 pressed
 * arrow pen, 4 weekday bar, 5 weekday texts and the "none" text, 6 day
 * background, 7 background of a deselected day, 8 month, year and day
 * texts, 9 and 10 kept only. */
#define MC_COLOR_COUNT 11
typedef struct MonthCalColors {
  GalPixel pixel[MC_COLOR_COUNT];
} MonthCalColors;

/* The wall clock behind "today" of the calendars and the date boxes; a
 * null function restores the system clock. */
typedef time_t (*WallClockFn)(void);
void SetWallClock(WallClockFn clock);
time_t WallClockNow(void);

GUI_EXTERN_C_END

#endif
