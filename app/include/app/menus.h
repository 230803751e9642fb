/* The recorder's menus over the live view. */
#ifndef APP_MENUS_H
#define APP_MENUS_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Asks the user to keep a changed VGA or HDMI resolution; without an answer
 * the previous one comes back after 15 seconds. Returns when it closes. */
int showResolutionConfirm(WindowHandle owner);

/* The main menu over the live view, modal; returns when it closes. */
int showMainMenu(WindowHandle owner);

GUI_EXTERN_C_END

#endif
