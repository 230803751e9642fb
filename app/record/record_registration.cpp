// What the record library registers with the page registry: its pages under
// the record menu, and the storage menu with its disk list.
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
  // The storage menu and its disk list; the advanced disk item keeps the
  // placeholder page until it has a page of its own.
  registerStoragePages();
}
