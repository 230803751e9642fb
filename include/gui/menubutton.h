/* The "menubutton" control: a push button with a down-arrow area that pops
 * up a menu of its items and shows the chosen one. */
#ifndef GUI_MENUBUTTON_H
#define GUI_MENUBUTTON_H

#include "gui/bitmap.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

#define MBS_SORT 0x01u
#define MBS_LEFTARROW 0x02u
#define MBS_NOBUTTON 0x04u
#define MBS_ALIGNMASK 0xF0u
#define MBS_ALIGNRIGHT 0x10u
#define MBS_ALIGNCENTER 0x20u

#define MBM_ADDITEM 0xF200 /* wParam -1 end, 0 front, n after n items */
#define MBM_DELITEM 0xF201
#define MBM_RESETCTRL 0xF202
#define MBM_SETITEMDATA 0xF203
#define MBM_GETITEMDATA 0xF204
#define MBM_GETCURITEM 0xF206
#define MBM_SETCURITEM 0xF207
#define MBM_SETSTRCMPFUNC 0xF208

#define MB_OKAY 0
#define MB_ERR (-1)
#define MB_INV_ITEM (-2)
#define MB_ERR_SPACE (-3)

#define MB_WHICH_TEXT 0x01u
#define MB_WHICH_BMP 0x02u
#define MB_WHICH_ATTDATA 0x04u

#define MBN_CHANGED 1
#define MBN_SELECTED 2
#define MBN_STARTMENU 4
#define MBN_ENDMENU 5
#define MBN_CLICKED 6
#define MBN_ERRSPACE 255

/* Entries of the pop-up menu have identifiers 100 + the item's index. */
#define MB_MENU_ID_BASE 100

typedef int (*MenuButtonCompare)(const char* a, const char* b, size_t n);

typedef struct MenuButtonItemInfo {
  uint32_t which;
  const char* text; /* get: points at the item's own text */
  const Bitmap* bitmap;
  LParam data;
} MenuButtonItemInfo;

GUI_EXTERN_C_END

#endif
