/* The "listbox" control: text items with optional check boxes, images,
 * multiple selection, sorted insertion and a six-across grid form. Its
 * messages answer LB_ERR_* for a missing item, a failed allocation or an
 * item that cannot be chosen. */
#ifndef GUI_LISTBOX_H
#define GUI_LISTBOX_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Style bits. */
#define LBS_NOTIFY 0x0001u
#define LBS_SORT 0x0002u
#define LBS_MULTIPLESEL 0x0008u
#define LBS_GRADIENT 0x0010u
#define LBS_ITEMFONT 0x0100u
#define LBS_GRID 0x0800u
#define LBS_CHECKBOX 0x1000u
#define LBS_USEICON 0x2000u
#define LBS_AUTOCHECK 0x4000u
#define LBS_DISABLENOSCROLL 0x8000u

/* Results besides indexes and 0. */
#define LB_ERRSPACE (-2)
#define LB_ERR (-3)
#define LB_ERR_DISABLED (-4)

/* Messages. */
#define LB_ADDSTRING 0xF180
#define LB_INSERTSTRING 0xF181
#define LB_DELETESTRING 0xF182
#define LB_RESETCONTENT 0xF184
#define LB_SETSEL 0xF185
#define LB_SETCURSEL 0xF186
#define LB_GETSEL 0xF187
#define LB_GETCURSEL 0xF188
#define LB_GETTEXT 0xF189
#define LB_GETTEXTLEN 0xF18A
#define LB_GETCOUNT 0xF18B
#define LB_GETTOPINDEX 0xF18E
#define LB_FINDSTRING 0xF18F
#define LB_GETSELCOUNT 0xF190
#define LB_GETSELITEMS 0xF191
#define LB_SETTOPINDEX 0xF197
#define LB_GETITEMRECT 0xF198
#define LB_GETITEMADDDATA 0xF199
#define LB_SETITEMADDDATA 0xF19A
#define LB_SETCARETINDEX 0xF19E
#define LB_GETCARETINDEX 0xF19F
#define LB_SETITEMHEIGHT 0xF1A0
#define LB_GETITEMHEIGHT 0xF1A1
#define LB_FINDSTRINGEXACT 0xF1A2
#define LB_SETTEXT 0xF1AA
#define LB_GETCHECKMARK 0xF1AB
#define LB_SETCHECKMARK 0xF1AC
#define LB_GETITEMDATA 0xF1AD
#define LB_SETITEMDATA 0xF1AE
#define LB_SETSTRCMPFUNC 0xF1AF
#define LB_ADDDISABLED 0xF1B0
#define LB_ADDALL 0xF1B1
#define LB_ADDSTYLE2 0xF1B2
#define LB_GETSELVALUE 0xF1B3
#define LB_SELECTVALUE 0xF1B4
#define LB_ADDSTYLE3 0xF1B8
#define LB_ADDSTYLE4 0xF1B9
#define LB_RESETALL 0xF1BA

/* Notification codes. */
#define LBN_SELCHANGE 1
#define LBN_DBLCLK 2
#define LBN_CLICKCHECKMARK_OFF 3 /* also: focus lost */
#define LBN_SETFOCUS 4
#define LBN_KILLFOCUS 5
#define LBN_CLICKCHECKMARK 6
#define LBN_CLICKED 7
#define LBN_ENTER 8
#define LBN_ERRSPACE 255

/* Check flags of ListBoxItemInfo. */
#define LBIF_CHECKED 0x01u
#define LBIF_PARTCHECKED 0x02u
#define LBIF_BITMAP 0x10u

/* An item as the add and set messages take it with LBS_CHECKBOX or
 * LBS_USEICON. */
typedef struct ListBoxItemInfo {
  const char* string;
  uint32_t cmFlag;
  uintptr_t hIcon; /* an icon handle, or a Bitmap* with LBIF_BITMAP */
  uint32_t flags;
} ListBoxItemInfo;

typedef int (*ListBoxCompare)(const char* a, const char* b, size_t n);

GUI_EXTERN_C_END

#endif
