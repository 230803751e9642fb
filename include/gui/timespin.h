/* The "spintime" control: one to four numeric fields side by side, each
 * with an up and a down arrow; the drop-down of the time combo box. */
#ifndef GUI_TIMESPIN_H
#define GUI_TIMESPIN_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Style bit: stepping past one end of a field gives the other end. */
#define TSS_WRAP 0x0200u

#define TSM_LINESTEP 0xF160  /* wParam 0 up, else down; the current field */
#define TSM_PAGESTEP 0xF161
#define TSM_WRITEBACK 0xF162 /* the fields' text into the combo box's edit */

#define TS_MAX_FIELDS 4

GUI_EXTERN_C_END

#endif
