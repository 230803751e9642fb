/* The "button" control: push buttons, check boxes, radio buttons,
 * three-state boxes, on/off switches, image and arrow buttons, chosen by
 * the low four bits of its style. */
#ifndef GUI_BUTTON_H
#define GUI_BUTTON_H

#include "gui/bitmap.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

#define BS_TYPEMASK 0x0Fu
#define BS_PUSHBUTTON 0x00u
/* BS_DEFPUSHBUTTON (0x01) is in gui/dialog.h. */
#define BS_CHECKBOX 0x02u
#define BS_AUTOCHECKBOX 0x03u
#define BS_RADIOBUTTON 0x04u
#define BS_3STATE 0x05u
#define BS_AUTO3STATE 0x06u
#define BS_IMAGEBUTTON 0x07u
#define BS_FRAMEBUTTON 0x08u
#define BS_AUTORADIOBUTTON 0x09u
#define BS_BITMAPBUTTON 0x0Au
#define BS_AUTO3STATESWITCH 0x0Bu
#define BS_ONOFF 0x0Cu
#define BS_ARROW 0x0Du
#define BS_PLAINPUSHBUTTON 0x0Eu

#define BS_CONTENTMASK 0xF0u
#define BS_LEFTTEXT 0x20u
#define BS_BITMAP 0x40u
#define BS_TIPALWAYS 0x50u
#define BS_TRANSPARENTTEXT 0x60u
#define BS_ELLIPSIS 0x70u

#define BS_PLACEMASK 0xF00u
#define BS_RIGHT 0x200u
#define BS_CENTER 0x300u
#define BS_TOP 0x400u
#define BS_BOTTOM 0x800u
#define BS_NOFRAME 0x900u

#define BS_PUSHLIKE 0x1000u
#define BS_MULTLINE 0x2000u
#define BS_NOTIFY 0x4000u
#define BS_AUTOSIZE 0x8000u
#define BS_FRAMED 0x01000000u

/* State word. */
#define BST_UNCHECKED 0x00u
#define BST_CHECKED 0x01u
#define BST_INDETERMINATE 0x02u
#define BST_PUSHED 0x04u
#define BST_FOCUS 0x08u

/* Notifications (code in the high word of the command's wParam). */
#define BN_CLICKED 0
#define BN_PUSHED 2
#define BN_UNPUSHED 3
#define BN_DBLCLK 5
#define BN_SETFOCUS 6
#define BN_KILLFOCUS 7

/* BM_GETCHECK (0xF0F0) and BM_SETCHECK (0xF0F1) are in gui/dialog.h. */
#define BM_GETSTATE 0xF0F2
#define BM_SETSTATE 0xF0F3
#define BM_SETSTYLE 0xF0F4
#define BM_CLICK 0xF0F5
#define BM_GETIMAGE 0xF0F6
#define BM_SETIMAGE 0xF0F7

/* The 16 x 12 check mark; null until it has pixels. */
const Bitmap* GetCheckMarkBitmap(void);

GUI_EXTERN_C_END

#endif
