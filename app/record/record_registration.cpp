// What the record library registers with the page registry: its pages under
// the record menu, the storage menu with its pages, and the S.M.A.R.T.
// window of the maintenance menu.
#include "app/page_registry.h"
#include "app/record_pages.h"
#include "app/storage_pages.h"

extern "C" void registerRecordPages(void) {
  // Schedules and holidays.
  registerPage(APP_MENU_RECORD, "scheduleset", createScheduleSetWindow);
  registerPage(APP_MENU_RECORD, "holidayset", createHolidaySetWindow);
  // Encoding and advanced record settings.
  registerEncodePages();
  registerPage(APP_MENU_RECORD, "advanceset", createAdvRecordSetWindow);
  // Manual record and snapshot beside the manual menu.
  registerPage(APP_MENU_MANUAL, "manual_rec", createManualRecordWindow);
  registerPage(APP_MENU_MANUAL, "manual_pic", createManualSnapshotWindow);
  // The storage menu with its disk list and advanced disk settings, and the
  // S.M.A.R.T. window of the maintenance menu.
  registerStoragePages();
  registerPage(APP_MENU_STORAGE, "disk_advance", createDiskAdvanceWindow);
  registerPage(APP_MENU_MAINTENANCE, "disk_smart", createDiskSmartInfoWindow);
}
