/* The "combine" control: a caption the control draws itself over one
 * child, a list-spin combo box or (style CMBS_EDIT) a single-line edit with
 * a clear mark at its right end. */
#ifndef GUI_COMBINE_H
#define GUI_COMBINE_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

#define CMBS_EDIT 0x0001u
#define CMBS_NOTIFY 0x0008u
#define CMBS_EX_NOCLEARMARK 0x20000000u /* extended style */

#define CMB_COMBO_ID 200
#define CMB_EDIT_ID 201
#define CMB_CAPTION_MAX 255

#define CMB_GETCHILD 0xF250
#define CMB_ADDSTRING 0xF251
#define CMB_SETVALUE 0xF252
#define CMB_SETCAPTION 0xF253
#define CMB_GETVALUE 0xF254
#define CMB_GETCAPTION 0xF255 /* wParam characters, the buffer holds one more */
#define CMB_GETSELVALUE 0xF256
#define CMB_DELETEALL 0xF257
#define CMB_DELETESTRING 0xF258
#define CMB_DELETECURRENT 0xF259
#define CMB_SETVALUETEXT 0xF25A
#define CMB_GETTEXT 0xF25B
#define CMB_SETHILITE 0xF25C
#define CMB_GETHILITE 0xF25D

/* Notification codes. */
#define CMBN_CHANGED 2
#define CMBN_SETFOCUS 3
#define CMBN_KILLFOCUS 4
#define CMBN_CLEARED 5
#define CMBN_CLICKED 6

GUI_EXTERN_C_END

#endif
