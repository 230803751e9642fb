// What the record library registers: its pages under the record menu.
#include "app/page_registry.h"
#include "app/record_pages.h"

extern "C" void registerRecordPages(void) {
  // Schedules and holidays.
  registerPage(APP_MENU_RECORD, "scheduleset", createScheduleSetWindow);
  registerPage(APP_MENU_RECORD, "holidayset", createHolidaySetWindow);
}
