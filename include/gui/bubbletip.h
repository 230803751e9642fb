/* The bubble tip: one window for the program, on a thread of its own, that
 * shows the whole text of a cut cell or header next to its control. */
#ifndef GUI_BUBBLETIP_H
#define GUI_BUBBLETIP_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Creates the tip window and its thread; answers its handle, 0 when it
 * exists already, GUI_INVALID_HANDLE when it could not be created. Close it
 * with MSG_CLOSE. */
WindowHandle bubbletipWindow(void);

GUI_EXTERN_C_END

#endif
