// What the record library registers with the page registry: one call per
// group of pages.
#include "app/record_pages.h"

extern "C" void registerRecordPages(void) {
  registerEncodePages();
}
