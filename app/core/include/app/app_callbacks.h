/* The application's answers to the toolkit's questions, installed before
 * InitGUI. */
#ifndef APP_APP_CALLBACKS_H
#define APP_APP_CALLBACKS_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Installs the whole table (SetAppCallbacks). */
void installAppCallbacks(void);
/* Idle time-out on an output: its user is logged out when logins are
 * required. */
void logoutOutputOnIdle(int output);
/* Whether the main output is an HDMI output. */
int isMainOutputHdmi(void);

GUI_EXTERN_C_END

#endif
