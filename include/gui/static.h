/* The "static" control: texts, icons, bitmaps, frames and coloured boxes
 * chosen by the low four bits of its style. */
#ifndef GUI_STATIC_H
#define GUI_STATIC_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

#define SS_TYPEMASK 0x0Fu
#define SS_LEFT 0x00u
#define SS_CENTER 0x01u
#define SS_RIGHT 0x02u
#define SS_ICON 0x03u
#define SS_WHITERECT 0x04u
#define SS_GRAYTEXT 0x05u
#define SS_GRAYRECT 0x06u
#define SS_BLACKFRAME 0x07u
#define SS_GRAYFRAME 0x08u
#define SS_WHITEFRAME 0x09u
#define SS_GROUPBOX 0x0Au
#define SS_SIMPLE 0x0Bu
#define SS_LEFTNOWORDWRAP 0x0Cu
#define SS_EDITFRAME 0x0Du
#define SS_BITMAP 0x0Eu
#define SS_LEFTTEXT 0x0Fu

#define SS_NOPREFIX 0x0080u
#define SS_NOTIFY 0x0100u
#define SS_CENTERIMAGE 0x0200u
#define SS_VCENTER 0x0400u
#define SS_REALSIZEIMAGE 0x0800u
#define SS_HILITE 0x1000u
#define SS_DISABLEDTEXT 0x2000u
#define SS_ELLIPSIS 0x4000u
/* Set by some pages; the static reads no meaning from it. */
#define SS_RESERVED15 0x8000u

#define STN_DBLCLK 1
#define STN_CLICKED 4

#define MSG_SETBKCOLOR 310
#define STM_SETIMAGE 0xF172
#define STM_GETIMAGE 0xF173

GUI_EXTERN_C_END

#endif
