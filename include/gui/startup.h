/* Start-up and shut-down of the toolkit. */
#ifndef GUI_STARTUP_H
#define GUI_STARTUP_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

int InitGUI(int argc, const char* const* argv);
void TerminateGUI(int rcByGUI);
void ExitGUISafely(int exitcode);

/* Blocks the calling thread until an orderly quit is requested (host window
 * closed, SIGTERM, Ctrl+Alt+Backspace). Used by the program's main until the
 * application's own window loop replaces it. */
void RunUntilQuit(void);

GUI_EXTERN_C_END

#endif
