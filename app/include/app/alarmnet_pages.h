/* The alarm, event and network settings pages: the network settings window
 * and the interface combo fillers it shares with the other network dialogs. */
#ifndef APP_ALARMNET_PAGES_H
#define APP_ALARMNET_PAGES_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* The network settings window "netset" (modeless, hosted by `host`); its
 * handle, or GUI_INVALID_HANDLE. */
WindowHandle createNetSetWindow(WindowHandle host);

/* The network detection window "netda" (modeless beside the maintenance
 * menu); 0, or -1 when it could not be made. */
int createNetDaWindow(WindowHandle owner);

/* The network settings dialog of network detection (modal); its result. */
int showNetDaNetSetDialog(WindowHandle parent);

/* Combo fillers of the interface rows, from section "netset": work modes,
 * present interfaces, the bonded interface, and the speed rows interface
 * `nicIndex` supports. Each empties the combo first. */
void fillNetWorkModeCombo(WindowHandle window, int comboId);
void fillNicCombo(WindowHandle window, int comboId);
void fillBondNicCombo(WindowHandle window, int comboId);
void fillNicSpeedCombo(WindowHandle window, int comboId, int nicIndex);

/* Registers the pages of this library with the page registry. */
void registerAlarmNetPages(void);

GUI_EXTERN_C_END

#endif
