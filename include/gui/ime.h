/* The input method for Chinese text: its configuration and its window. */
#ifndef GUI_IME_H
#define GUI_IME_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Reads [imeinfo] of the main configuration ("imetabpath", "imenumber",
 * "ime0".."ime4"); 0 when a needed key is missing, else 1. The tables load
 * when the window is created. */
int InitIME(void);

/* Creates the input-method window on a thread of its own (hidden) and
 * answers its handle; 0 when one exists already, all ones when the tables
 * cannot be loaded. The argument is not used. */
WindowHandle GBIMEWindow(WindowHandle hosting);

GUI_EXTERN_C_END

#endif
