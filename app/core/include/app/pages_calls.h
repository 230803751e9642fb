// Entry points the core's windows share: the login dialog (registered by the
// system pages, see page_registry.h), the main menu's reshow, and the live
// view's side menu.
#pragma once

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Opens the login dialog; on success the output's login state is set, its
 * login flag 1 and its relogin word 0. */
int createLoginWindow(WindowHandle owner);
/* Shows the main menu again after a page that hid it has ended. */
void reshowMainMenu(int output, WindowHandle menu);
/* Reloads the captions of an output's live-view side menu. */
void refreshLeftMenuCaptions(int output);

/* Creates an output's live-view side menu; GUI_INVALID_HANDLE when none. */
WindowHandle createLeftMenuWindow(WindowHandle host, int output);

GUI_EXTERN_C_END
