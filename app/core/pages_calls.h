// Entry points of pages that are built separately (system, playback, PTZ and
// live-view pages). Until they land, pages_seams.cpp answers for them as the
// finished pages would on the default device.
#pragma once

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Opens the login dialog; on success the output's login state is set, its
 * login flag 1 and its relogin word 0. */
int createLoginWindow(WindowHandle owner);
/* Modal hint while the device shuts down (mode 0). */
int createShutdownHintWindow(WindowHandle owner, int mode);
/* Shows the main menu again after a page that hid it has ended. */
void reshowMainMenu(int output, WindowHandle menu);
/* Reloads the captions of an output's live-view side menu. */
void refreshLeftMenuCaptions(int output);

/* Creates an output's live-view side menu; GUI_INVALID_HANDLE when none. */
WindowHandle createLeftMenuWindow(WindowHandle host, int output);

GUI_EXTERN_C_END
