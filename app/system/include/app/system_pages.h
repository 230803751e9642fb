/* What the live view and the menus use of the system pages: the settings
 * pages, the language and shutdown dialogs and the registrations. The menus
 * reach the pages themselves through the page registry. */
#ifndef APP_SYSTEM_PAGES_H
#define APP_SYSTEM_PAGES_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* The live view settings page (modeless under the system menu). */
int createPreviewSetWindow(WindowHandle host);
/* The general settings: language, outputs, clock, daylight saving, device
 * name and output mode (modeless under the system menu). */
int createDisplaySetWindow(WindowHandle owner);
/* The serial port page (modeless under the system menu). */
int createRs232SetWindow(WindowHandle owner);

/* The user page (modeless under the system menu): the user list for the
 * administrator, the own-password page for every other user. */
int createUserSetWindow(WindowHandle host);
/* Registers the login dialog that createLoginWindow opens. */
void registerLoginPages(void);
/* Registers the start-up wizard that createStartGuideWindow opens. */
void registerStartGuidePages(void);

/* The log search window (modeless under the maintenance menu). */
int createLogSearchWindow(WindowHandle owner);

/* The language dialog itself, registered as the main menu's "langsel". */
int showLangSelDialog(WindowHandle owner);
/* The shutdown dialog: lock, shutdown, reboot and cancel. */
int createShutdownWindow(WindowHandle owner);
/* The hint shown while the device shuts down (kind 0), reboots (1) or
 * reboots after an upgrade (other kinds); closes itself after a second. */
int createShutdownHintWindow(WindowHandle owner, int mode);
/* Registers the system pages with the page registry. */
void registerSystemPages(void);

GUI_EXTERN_C_END

#endif
