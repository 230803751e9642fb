/* Combo fillers of the interface rows, from section "netset": work modes,
 * present interfaces, the bonded interface, and the speed rows interface
 * `nicIndex` supports. Each empties the combo first. Shared by the network
 * settings and the start-up pages. */
#ifndef APP_NIC_FILLERS_H
#define APP_NIC_FILLERS_H

#include "app/device_records.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

void fillNetWorkModeCombo(WindowHandle window, int comboId);
void fillNicCombo(WindowHandle window, int comboId);
void fillBondNicCombo(WindowHandle window, int comboId);
void fillNicSpeedCombo(WindowHandle window, int comboId, int nicIndex);
/* Writes the address of the PoE field `id` when the device has PoE ports
 * and the field differs from the stored address (an empty field clears
 * it); 0, NET_ERR_POE_INVALID for a text that is no address, or the
 * device's refusal. */
int savePoeAddress(WindowHandle window, int id, OutputLogin* login);

GUI_EXTERN_C_END

#endif
