/* What the live view, the menus and the pages share of the system
 * services: the first-start dialogs, opened through the page registry, the
 * words the display settings share with the resolution confirmation, and
 * the alarm counts. */
#ifndef APP_SYSTEM_SERVICES_H
#define APP_SYSTEM_SERVICES_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* First-start language choice and the start-up wizard. */
int createLangSelWindow(WindowHandle owner);
int createStartGuideWindow(WindowHandle owner);

/* Resolutions of outputs 3 and 2 saved before the display settings changed
 * them (3 and 10 until the settings open), and whether such a change waits
 * for confirmation. */
int getPrevResolutionOut3(void);
int getPrevResolutionOut2(void);
void setPrevResolutionOut3(int value);
void setPrevResolutionOut2(int value);
int isResolutionChangePending(void);
void setResolutionChangePending(int flag);

/* 1 when the device has alarm inputs (outputs). */
int hasAlarmIn(void);
int hasAlarmOut(void);

GUI_EXTERN_C_END

#endif
