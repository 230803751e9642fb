/* The "newtoolbar" control: image buttons cut from one bitmap (rows are
 * pictures, columns the states normal, hot, pressed or checked, disabled),
 * with optional labels, separators, check and drop-down buttons. */
#ifndef GUI_NEWTOOLBAR_H
#define GUI_NEWTOOLBAR_H

#include "gui/bitmap.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

#define NTBS_WITHTEXT 0x01u
#define NTBS_TEXTRIGHT 0x02u
#define NTBS_DRAWSTATES 0x04u    /* a frame round the hot item */
#define NTBS_DRAWSEPARATOR 0x08u /* grooves of 5 pixels, else blanks of 10 */
#define NTBS_VERTICAL 0x10u
#define NTBS_MULTLINE 0x20u /* keeps its size; draws past new lines */

/* Item flags: bits 0..3 the type. */
#define NTBIF_PUSHBUTTON 1u
#define NTBIF_HOTSPOTBUTTON 2u
#define NTBIF_SEPARATOR 3u
#define NTBIF_CHECKBUTTON 5u
#define NTBIF_NEWLINE 8u
#define NTBIF_TYPEMASK 0x0Fu
#define NTBIF_DISABLED 0x10u
#define NTBIF_CHECKED 0x20u

/* Fields of NtbItemInfo.which for get and set. */
#define MTB_WHICH_FLAGS 0x01u
#define MTB_WHICH_ID 0x02u
#define MTB_WHICH_TEXT 0x04u
#define MTB_WHICH_TIP 0x08u
#define MTB_WHICH_CELL 0x10u
#define MTB_WHICH_HOTSPOT 0x20u
#define MTB_WHICH_ADDDATA 0x40u

#define NTBM_ADDITEM 0xFE00
#define NTBM_GETITEM 0xFE01 /* wParam the id */
#define NTBM_SETITEM 0xFE02 /* wParam the id */
#define NTBM_ENABLEITEM 0xFE03
#define NTBM_SETBITMAP 0xFE04

/* Called on a release in a drop-down button's arrow area: the bar, the
 * item id, the item rectangle on the screen and the release point. */
typedef void (*NtbHotspotProc)(WindowHandle bar, int id, const Rect* itemRect, int x, int y);

typedef struct NtbItemInfo {
  uint32_t which;
  uint32_t flags;
  intptr_t id;
  char* text; /* get: a buffer of at least 16 bytes */
  char* tip;  /* get: a buffer of at least 256 bytes */
  intptr_t row;
  NtbHotspotProc hotspot;
  Rect arrow; /* relative to the item's top-left corner */
  LParam addData;
} NtbItemInfo;

/* Additional data of CreateWindowEx and lParam of NTBM_SETBITMAP. */
typedef struct NtbCreateData {
  const Bitmap* image;
  intptr_t rows;
  intptr_t columns;    /* 0: 4 */
  intptr_t cellWidth;  /* 0: image width / columns */
  intptr_t cellHeight; /* 0: image height / rows */
} NtbCreateData;

#define NTB_RIGHT_CLICK 0x8000

GUI_EXTERN_C_END

#endif
