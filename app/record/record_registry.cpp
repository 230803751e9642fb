// What the record library registers with the page registry.
#include "app/record_pages.h"
#include "app/storage_pages.h"

extern "C" void registerRecordPages(void) {
  // The storage menu and its disk list; the advanced disk item keeps the
  // placeholder page until it has a page of its own.
  registerStoragePages();
}
