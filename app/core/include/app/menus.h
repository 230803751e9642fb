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

/* The five sub-menus of the main menu, modal; each answers the dialog's
 * result (0). */
int showExportMenu(WindowHandle owner);
int showManualMenu(WindowHandle owner);
int showRecordMenu(WindowHandle owner);
int showSystemMenu(WindowHandle owner);
int showMaintenanceMenu(WindowHandle owner);
/* The storage menu: the disk list and the advanced disk page. */
int showStorageMenu(WindowHandle owner);
/* The camera menu: the motion, video loss and tamper pages. */
int runCameraMenu(WindowHandle owner);

/* 1 while a page opened from the main menu runs and the menu is hidden;
 * per output (main and auxiliary slots). */
void setMenuHidden(int output, int hidden);
int isMenuHidden(int output);

/* Which export runs: 0 none, bit 1 a local one, bit 2 a remote one. The
 * export dialogs set it; the main menu keeps some users out meanwhile. */
#define EXPORT_RUNNING_LOCAL 1
#define EXPORT_RUNNING_REMOTE 2
void setExportRunning(int kinds);
int getExportRunning(void);

GUI_EXTERN_C_END

#endif
