/* The "ListView" control: rows of cells under a header of columns. Rows may
 * carry a check box, be disabled, carry an item data word and a key, and
 * form a tree that folds and unfolds. A row is named by the handle the
 * add-row message returns. Messages the list view does not handle go to the
 * scroll view (gui/scrolled.h). */
#ifndef GUI_LISTVIEW_H
#define GUI_LISTVIEW_H

#include "gui/common.h"
#include "gui/control_tip.h"
#include "gui/scrolled.h"

GUI_EXTERN_C_BEGIN

typedef struct ListViewRow* HLVROW;

#define LVM_ADDITEM 0xF110
#define LVM_FILLSUBITEM 0xF111
#define LVM_ADDCOLUMN 0xF112
#define LVM_DELITEM 0xF113
#define LVM_DELCOLUMN 0xF115
#define LVM_COLSORT 0xF116
#define LVM_SETSUBITEMCOLOR 0xF117
#define LVM_FINDITEM 0xF118
#define LVM_GETSUBITEMTEXT 0xF119
#define LVM_GETITEMCOUNT 0xF11A
#define LVM_GETCOLUMNCOUNT 0xF11B
#define LVM_GETSELECTEDITEM 0xF11C
#define LVM_DELALLITEM 0xF11D
#define LVM_MODIFYHEAD 0xF11E
#define LVM_SELECTITEM 0xF11F
#define LVM_SHOWITEM 0xF120
#define LVM_GETSUBITEMLEN 0xF121
#define LVM_SETCOLUMN 0xF122
#define LVM_SETSUBITEMTEXT 0xF123
#define LVM_SETSUBITEM 0xF124
#define LVM_GETCOLUMN 0xF125
#define LVM_GETCOLUMNWIDTH 0xF126
#define LVM_GETITEM 0xF127
#define LVM_GETCHECKED 0xF12A
#define LVM_SETCHECKED 0xF12B
#define LVM_SETUNCHECKED 0xF12C
#define LVM_SETCARET 0xF12D
#define LVM_GETCARET 0xF12E
#define LVM_GETITEMBYINDEX 0xF12F
#define LVM_DISABLEITEM 0xF132
#define LVM_ENABLEITEM 0xF133
#define LVM_SORTITEMS 0xF134
#define LVM_SETITEMHEIGHT 0xF135
#define LVM_SETHEADHEIGHT 0xF136
#define LVM_GETITEMADDDATA 0xF137
#define LVM_SETITEMADDDATA 0xF138
#define LVM_CHOOSEITEM 0xF139
#define LVM_STOPREDRAW 0xF13A
#define LVM_STARTREDRAW 0xF13B
#define LVM_GETCHECKEDBYKEY 0xF13D
#define LVM_SETCHECKEDBYKEY 0xF13E
#define LVM_SETUNCHECKEDBYKEY 0xF13F
#define LVM_SETSTRCMPFUNC 0xF140
#define LVM_GETRELATEDITEM 0xF141
#define LVM_FOLDITEM 0xF142
#define LVM_SETCUSTOMDRAW 0xF143
#define LVM_GETITEMKEY 0xF144
#define LVM_SETHEADCHECK 0xF145
#define LVM_SETCHECKALLLOCKA 0xFF43
#define LVM_VSCROLL 0xFF44
#define LVM_TOGGLECHECKALL 0xFF46
#define LVM_SETCHECKALLLOCKB 0xFF47

/* Style bits. */
#define LVS_NOTIFY_ON_RELEASE 0x0001u
#define LVS_CARET 0x0004u
#define LVS_ELLIPSIS 0x0008u
#define LVS_STRIPED 0x0010u
#define LVS_TREE 0x4000u /* no sorting */
#define LVS_NOHILIGHT 0x8000u

/* Row flags. */
#define LVIF_FOLD 0x01u
#define LVIF_CHECKBOX 0x04u
#define LVIF_DISABLE 0x20u

/* Cell flags. */
#define LVFLAG_BITMAP 0x01u
#define LVFLAG_ICON 0x02u
#define LVFLAG_CHECKBOX 0x04u
#define LVFLAG_COMBOBOX 0x08u
#define LVFLAG_BAR 0x10u

/* Column flags. */
#define LVCF_RIGHTALIGN 0x01u
#define LVCF_CENTERALIGN 0x02u
#define LVHF_RIGHTALIGN 0x04u
#define LVHF_CENTERALIGN 0x08u
#define LVCF_CHECKBOX 0x10u
#define LVHF_NOSCROLL 0x20u

/* Notification codes (besides the item view's 1, 2 and 4). */
#define LVN_CLICKNOWHERE 3
#define LVN_RBUTTONDOWN 4
#define LVN_RBUTTONUP 5
#define LVN_HEADRDOWN 6
#define LVN_HEADRUP 7
#define LVN_KEYDOWN 8
#define LVN_ITEMDBCLK 9
#define LVN_FOLDED 12
#define LVN_UNFOLDED 13
#define LVN_ITEMCHECKED 14
#define LVN_ITEMUNCHECKED 15
#define LVN_CHECKALL 16
#define LVN_UNCHECKALL 17
#define LVN_CELLCLICK 20 /* + column index */

typedef struct ListViewItemInfo {
  int32_t index; /* position among the siblings, and the row's key */
  int32_t height;
  uintptr_t addData;
  uint32_t flags;
} ListViewItemInfo;

typedef struct ListViewSubItemInfo {
  uint32_t flags;
  int32_t rowIndex;
  int32_t column;
  char* text;
  uintptr_t bufferSize; /* 0xF119: the destination's size (0: unknown) */
  GalPixel barColor;
  int32_t barStart, barEnd;
  GalPixel textColor;
  uintptr_t image;
} ListViewSubItemInfo;

typedef struct ListViewSortInfo {
  int32_t column;
  int32_t reserved;
  WindowHandle hwnd;
} ListViewSortInfo;

typedef int (*ListViewCompare)(WindowHandle hwnd, HLVROW a, HLVROW b, ListViewSortInfo* info);
typedef int (*ListViewTextCompare)(const char* a, const char* b, size_t length);

typedef struct ListViewColumnInfo {
  int32_t index;
  int32_t width;
  char* text;
  int32_t textSize; /* get only */
  uintptr_t image;
  ListViewCompare compare;
  uint32_t flags;
} ListViewColumnInfo;

typedef struct ListViewFindInfo {
  uint32_t flags; /* 2 item data, 1 cell texts */
  int32_t startIndex;
  int32_t lastColumn;
  const char** texts;
  uintptr_t addData;
} ListViewFindInfo;

typedef struct ListViewHeadText {
  int32_t column;
  int32_t reserved;
  const char* text;
} ListViewHeadText;

typedef void (*ListViewHeaderProc)(WindowHandle hwnd, int column, HDC hdc, Rect* rc);
typedef struct ListViewHeaderProcs {
  ListViewHeaderProc background;
  ListViewHeaderProc column;
} ListViewHeaderProcs;

/* lParam of 8 (LVN_KEYDOWN). */
typedef struct ListViewKeyInfo {
  WParam scanCode;
  LParam keyFlags;
} ListViewKeyInfo;

GUI_EXTERN_C_END

#endif
