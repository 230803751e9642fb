// What the record library registers with the page registry: one call per
// group of pages.
#include "app/page_registry.h"
#include "app/record_pages.h"

extern "C" void registerRecordPages(void) {
  registerEncodePages();
  registerPage(APP_MENU_RECORD, "advanceset", createAdvRecordSetWindow);
}
