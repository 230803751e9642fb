/* What controls tell the bubble-tip window about texts they show cut. */
#ifndef GUI_CONTROL_TIP_H
#define GUI_CONTROL_TIP_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* 404: whether the control offers a tip (2 cut text, 1 always, 0 none).
 * 405: lParam a TipTextRecord; the answer is the length copied. */
#define MSG_TIPQUERY 404
#define MSG_TIPTEXT 405

typedef struct TipTextRecord {
  int32_t size; /* bytes of the buffer, the terminator included */
  uint32_t flags;
  char* buffer;
} TipTextRecord;

GUI_EXTERN_C_END

#endif
