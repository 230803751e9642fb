/* The alarm, event and network settings pages: the network settings window
 * and the interface combo fillers it shares with the other network dialogs. */
#ifndef APP_ALARMNET_PAGES_H
#define APP_ALARMNET_PAGES_H

#include "app/device_records.h"
#include "app/nic_fillers.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* The network settings window "netset" (modeless, hosted by `host`); its
 * handle, or GUI_INVALID_HANDLE. */
WindowHandle createNetSetWindow(WindowHandle host);

/* The camera menu's video loss and video tamper pages (modeless, hosted by
 * `host`); the handle, or GUI_INVALID_HANDLE. */
WindowHandle createVideoLossSetWindow(WindowHandle host);
WindowHandle createVideoTamperSetWindow(WindowHandle host);

/* The motion detection page (modeless, hosted by the camera menu); its
 * handle, or GUI_INVALID_HANDLE. */
WindowHandle createMotionSetWindow(WindowHandle host);
/* The area capability record of the motion page's channel (zeroed while
 * no channel is shown). */
AreaCaps* getMotionZoneState(void);
/* The alarm window (status, input and output pages), the exception page
 * beside the system menu and the manual alarm page beside the manual menu;
 * 0, or -1 when the page could not be created. */
int createAlarmSetWindow(WindowHandle host);
int createExceptionSetWindow(WindowHandle host);
int createManualAlarmWindow(WindowHandle host);
/* The network detection window "netda" (modeless beside the maintenance
 * menu); 0, or -1 when it could not be made. */
int createNetDaWindow(WindowHandle owner);

/* The network settings dialog of network detection (modal); its result. */
int showNetDaNetSetDialog(WindowHandle parent);


/* Registers the pages of this library with the page registry. */
void registerAlarmNetPages(void);

GUI_EXTERN_C_END

#endif
