/* What controls tell the bubble-tip window about texts they show cut. */
#ifndef GUI_CONTROL_TIP_H
#define GUI_CONTROL_TIP_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* 404: whether the control offers a tip (2 cut text, 1 always, 4 the list
 * view's cut cells, 0 none); the core asks every control under the pointer.
 * 405: wParam the bubble tip's exchange record, lParam the cursor (screen,
 * y << 16 | x); the control writes its placement kind into the flags and
 * its text into the buffer, cut to the buffer size and terminated, and
 * answers the length copied. Every control answers in this one record. */
#define MSG_TIPQUERY 404
#define MSG_TIPTEXT 405

/* The answer of a control whose shown text is cut. */
#define TIP_OFFER_CUT 2

#define BUBBLETIP_TEXT_SIZE 256
typedef struct BubbleTipExchange {
  uint32_t bufferSize; /* bytes of text, the terminator included */
  uint32_t flags;      /* placement: 1 centred above the control, 2 at the cursor's x, 4 above the cursor */
  char text[BUBBLETIP_TEXT_SIZE];
} BubbleTipExchange;

GUI_EXTERN_C_END

#endif
