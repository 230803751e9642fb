// What the playback library registers: the search pages of the export menu.
#include "app/page_registry.h"
#include "app/playback.h"

extern "C" void registerPlaybackPages(void) {
  registerPage(APP_MENU_EXPORT, "export_gen", createSearchGenWindow);
  registerPage(APP_MENU_EXPORT, "export_event", createSearchEventWindow);
  registerPage(APP_MENU_EXPORT, "export_pic", createSearchPicWindow);
}
