/* The live view's right-button pop-up menu: one per output, built anew for
 * every right click from captions and pictures loaded once. */
#ifndef APP_LIVEVIEW_MENU_H
#define APP_LIVEVIEW_MENU_H

#include "gui/common.h"
#include "gui/menu.h"

GUI_EXTERN_C_BEGIN

/* Loads the captions and pictures of the pop-up menus (live-view creation). */
void loadLiveViewMenuRes(void);
/* Destroys the output's pop-up menu and builds it anew; the new menu, which
 * the output keeps until the next build (0 when none could be built). */
MenuHandle buildLiveViewMenu(int output);
/* The output's kept pop-up menu (0 when none). */
MenuHandle getLiveViewMenu(int output);
/* A command (MSG_COMMAND) of the live-view window: 1 when `id` is one of the
 * pop-up menu's items and was handled, 0 otherwise. */
int onLiveViewMenuCommand(WindowHandle hwnd, int output, int id);
/* Destroys both outputs' menus and drops the loaded captions and pictures
 * (before the toolkit shuts down). */
void releaseLiveViewMenus(void);

GUI_EXTERN_C_END

#endif
