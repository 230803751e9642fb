/* The "propsheet" control: a row of tabs and one page window per tab. */
#ifndef GUI_PROPSHEET_H
#define GUI_PROPSHEET_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Tab layouts (style & 0x0F) and header positions (style & 0xF0). */
#define PSS_EQUAL 0x00u
#define PSS_COMPACT 0x01u
#define PSS_SCROLLABLE 0x02u
#define PSS_BOTTOM 0x10u
#define PSS_PLAIN 0x20u
#define PSS_NOHEADER 0x40u

#define PSM_GETACTIVEPAGE 0xF1C0
#define PSM_SETACTIVEINDEX 0xF1C2
#define PSM_GETPAGE 0xF1C3
#define PSM_GETACTIVEINDEX 0xF1C4
#define PSM_GETPAGEINDEX 0xF1C5
#define PSM_GETPAGECOUNT 0xF1C6
#define PSM_GETTITLELENGTH 0xF1C7
#define PSM_GETTITLE 0xF1C8
#define PSM_SETTITLE 0xF1C9
#define PSM_ENABLEPAGE 0xF1CA
#define PSM_ADDPAGE 0xF1D0
#define PSM_REMOVEPAGE 0xF1D1
#define PSM_SHEETCMD 0xF1D2

/* To pages: 297 once after the page's controls exist (lParam the
 * template's additional data); 298 asks whether the page may be left (the
 * settings pages answer 1); 299 the sheet command. */
#define MSG_INITPAGE 297
#define MSG_QUERYPAGE 298
#define MSG_SHEETCMD 299

#define PSN_ACTIVE_CHANGED 1

/* The page-switch key of MSG_KEYDOWN. */
#define PS_SWITCH_KEY 156

GUI_EXTERN_C_END

#endif
