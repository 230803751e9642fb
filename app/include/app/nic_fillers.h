/* Combo fillers of the interface rows, from section "netset": work modes,
 * present interfaces, the bonded interface, and the speed rows interface
 * `nicIndex` supports. Each empties the combo first. Shared by the network
 * settings and the start-up pages. */
#ifndef APP_NIC_FILLERS_H
#define APP_NIC_FILLERS_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

void fillNetWorkModeCombo(WindowHandle window, int comboId);
void fillNicCombo(WindowHandle window, int comboId);
void fillBondNicCombo(WindowHandle window, int comboId);
void fillNicSpeedCombo(WindowHandle window, int comboId, int nicIndex);

GUI_EXTERN_C_END

#endif
