// The log search window's pages and the dialogs they open.
#pragma once

#include "app/device_backend.h"
#include "app/page_building.h"

namespace logs {

LResult searchPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
LResult exportPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
int showLogDetailDialog(WindowHandle owner);

// The last search: kept until the next one; the detail dialog reads it.
LogSearchState* getLogSearchState();
// Entries the last search listed (0 when it found none).
int getLogCount();

// Runs a dialog with the maintenance menu disabled around it.
int runWithMaintenanceMenuDisabled(int (*open)(WindowHandle), WindowHandle owner);


}  // namespace logs
