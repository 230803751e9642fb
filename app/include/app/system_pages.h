/* Entry points of the system, alarm, network, user and log pages, and the
 * words the display settings share with the resolution confirmation. Each
 * page opener shows a placeholder page that is registered while open and
 * closes on MSG_CLOSE. */
#ifndef APP_SYSTEM_PAGES_H
#define APP_SYSTEM_PAGES_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Pages opened beside the system or maintenance menu (owner). */
int createDisplaySetWindow(WindowHandle owner);
int createRs232SetWindow(WindowHandle owner);
int createUserSetWindow(WindowHandle owner);
int createSystemInfoWindow(WindowHandle owner);
int createLogSearchWindow(WindowHandle owner);
int createConfigurationWindow(WindowHandle owner);
int createUpgradeWindow(WindowHandle owner);
int createDefaultSetWindow(WindowHandle owner);
int createManualAlarmWindow(WindowHandle owner);
int createNetSetWindow(WindowHandle owner);
int createAlarmSetWindow(WindowHandle owner);
int createExceptionSetWindow(WindowHandle owner);
int createNetDaWindow(WindowHandle owner);
/* The live view settings page (modeless under the system menu). */
int createPreviewSetWindow(WindowHandle host);

/* First-start language choice and the start-up wizard. */
int createLangSelWindow(WindowHandle owner);
int createStartGuideWindow(WindowHandle owner);
/* The shut-down dialog; the program ends when the user agrees. */
int createShutdownWindow(WindowHandle owner);

/* Resolutions of outputs 3 and 2 saved before the display settings changed
 * them, and whether such a change waits for confirmation. */
int getPrevResolutionOut3(void);
int getPrevResolutionOut2(void);
void setPrevResolutionOut3(int value);
void setPrevResolutionOut2(int value);
int isResolutionChangePending(void);
void setResolutionChangePending(int flag);

/* Sends 102 to the open system settings menu. */
void closeSystemMenu(void);
/* Enables Apply (4098) when the notification code (high word) is 1. */
int enableApplyOnNotify1(WindowHandle page, WParam wParam, LParam lParam);
/* 1 when the device has alarm inputs (outputs). */
int hasAlarmIn(void);
int hasAlarmOut(void);
void registerSystemPage(WindowHandle page);
/* Box ("commons", "savefailed_code") with the code; answers 0. */
int reportSaveFailed(WindowHandle hwnd, int code);
/* Key hook of the pages under the system menu: code 1 closes the hosting
 * window; 0 means handled. */
int systemPageHook(WindowHandle hwnd, int code, int argument);

GUI_EXTERN_C_END

#endif
