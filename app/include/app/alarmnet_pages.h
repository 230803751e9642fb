/* The alarm, event and network settings pages: the network settings window
 * and the interface combo fillers it shares with the other network dialogs. */
#ifndef APP_ALARMNET_PAGES_H
#define APP_ALARMNET_PAGES_H

#include "app/nic_fillers.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* The network settings window "netset" (modeless, hosted by `host`); its
 * handle, or GUI_INVALID_HANDLE. */
WindowHandle createNetSetWindow(WindowHandle host);

/* Registers the pages of this library with the page registry. */
void registerAlarmNetPages(void);

GUI_EXTERN_C_END

#endif
