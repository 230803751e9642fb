/* The "combobox" control: the toolkit's value selector, a single-line edit
 * with, by kind (the low three style bits), a list, spin arrows or a
 * drop-down. List messages answer the list box's codes (gui/listbox.h). */
#ifndef GUI_COMBOBOX_H
#define GUI_COMBOBOX_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Kinds. */
#define CBS_SIMPLE 0
#define CBS_SPINNUMBER 1
#define CBS_SPINLIST 2
#define CBS_DROPDOWNLIST 3
#define CBS_DATE 4
#define CBS_FIXEDLIST 5
#define CBS_TIME 6
#define CBS_TYPEMASK 0x7u

/* Style bits. */
#define CBS_NOTIFY 0x0008u
#define CBS_SPINARROW_TOPBOTTOM 0x0010u
#define CBS_SPINARROW_LEFTRIGHT 0x0020u
#define CBS_GRIDLIST 0x0040u
#define CBS_TRANSPARENT 0x0080u
#define CBS_SORT 0x0100u
#define CBS_AUTOLOOP 0x0200u
#define CBS_CONTROLBKGND 0x0400u
#define CBS_ITEMFONT 0x0800u
#define CBS_READONLY 0x1000u
#define CBS_UPPERCASE 0x2000u
#define CBS_LOWERCASE 0x4000u
#define CBS_CALENDARSTYLE 0x8000u

/* Children's identifiers. */
#define CB_EDIT_ID 100
#define CB_LIST_ID 101
#define CB_CALENDAR_ID 102
#define CB_SPINNER_ID 103
#define CB_CALENDAR_ID 102
#define CB_SPINTIME_ID 103

/* Messages of every kind. */
#define CB_GETCHILDREN 0xF172

/* Number spin (kind 1). */
#define CB_SETSPINFORMAT 0xF162
#define CB_SETSPINRANGE 0xF163
#define CB_GETSPINRANGE 0xF164
#define CB_SETSPINVALUE 0xF165
#define CB_GETSPINVALUE 0xF166
#define CB_SETSPINPACE 0xF167
#define CB_GETSPINPACE 0xF168
#define CB_SPIN 0xF169     /* wParam 0 up, else down */
#define CB_FASTSPIN 0xF170 /* the page step */
#define CB_CLEARSPIN 0xF17A

/* List kinds (0, 2, 3, 5). */
#define CB_GETEDITSEL 0xF140
#define CB_LIMITTEXT 0xF141
#define CB_SETEDITSEL 0xF142
#define CB_ADDSTRING 0xF143
#define CB_DELETESTRING 0xF144
#define CB_DIR 0xF145
#define CB_GETCOUNT 0xF146
#define CB_GETCURSEL 0xF147
#define CB_GETLBTEXT 0xF148
#define CB_GETLBTEXTLEN 0xF149
#define CB_INSERTSTRING 0xF14A
#define CB_RESETCONTENT 0xF14B
#define CB_FINDSTRING 0xF14C
#define CB_SELECTSTRING 0xF14D
#define CB_SETCURSEL 0xF14E
#define CB_GETITEMDATA 0xF150
#define CB_SETITEMDATA 0xF151
#define CB_GETDROPPEDCONTROLRECT 0xF152
#define CB_SETITEMHEIGHT 0xF153
#define CB_GETITEMHEIGHT 0xF154
#define CB_GETDROPPEDSTATE 0xF157
#define CB_FINDSTRINGEXACT 0xF158
#define CB_ADDALL 0xF169 /* shares its number with the spin step */
#define CB_ADDSTYLE2 0xF16A
#define CB_ADDSTYLE3 0xF16B
#define CB_ADDSTYLE4 0xF16C
#define CB_SETSTRCMPFUNC 0xF171
#define CB_GETSELVALUE 0xF181
#define CB_SELECTVALUE 0xF182
#define CB_DELETEALL 0xF183
#define CB_DELETECURRENT 0xF184
#define CB_ADDDISABLED 0xF191

/* The date box (kind 4). */
#define CB_GETYEAR 0xF173      /* -1 while the box shows no date */
#define CB_GETMONTH 0xF174
#define CB_GETDAY 0xF175
#define CB_SETYEAR 0xF176      /* wParam year, or -1 for no date */
#define CB_SETMONTH 0xF177
#define CB_SETDAY 0xF178
#define CB_SETDATEKIND 0xF179  /* as the calendar's MCM_SETDATEKIND */
#define CB_SETYEARRANGE 0xF180 /* as the calendar's MCM_SETYEARRANGE */
#define CB_SETTODAY 0xF190

/* The time box (kind 6): fields 1 to 4 of its spinner. */
#define CB_SETFIELDCOUNT 0xF185  /* wParam 1..4 */
#define CB_GETFIELD 0xF186       /* wParam field */
#define CB_SETFIELD 0xF187       /* wParam field, lParam 0..100 */
#define CB_SETSEPARATORS 0xF18A  /* answers 0: the spinner sets its own */
#define CB_SETFIELDRANGE1 0xF18B /* wParam minimum, lParam maximum */
#define CB_SETFIELDRANGE2 0xF18C
#define CB_SETFIELDRANGE3 0xF18D
#define CB_SETFIELDRANGE4 0xF18E

/* Notification codes. */
#define CBN_SELCHANGE 1
#define CBN_DBLCLK 2
#define CBN_SETFOCUS 3
#define CBN_KILLFOCUS 4
#define CBN_EDITCHANGE 5
#define CBN_DROPDOWN 7
#define CBN_CLOSEUP 8
#define CBN_SELECTOK 9
#define CBN_SELECTCANCEL 10
#define CBN_CLICKED 11
#define CBN_SPINSTEP 12

GUI_EXTERN_C_END

#endif
