// What the alarm and network library registers with the page registry.
#include "app/alarmnet_pages.h"
#include "app/page_registry.h"

namespace {

int openNetSet(WindowHandle owner) { return createNetSetWindow(owner) == GUI_INVALID_HANDLE ? -1 : 0; }

}  // namespace

extern "C" void registerAlarmNetPages(void) {
  registerPage(APP_MENU_SYSTEM, "netset", openNetSet);
  registerPage(APP_MENU_MAINTENANCE, "netda", createNetDaWindow);
}
