// What the system library registers: its pages under the system and main
// menus, the shutdown hint the live view and the power key open, and the
// start-up wizard.
#include "app/maintenance_pages.h"
#include "app/page_registry.h"
#include "app/system_pages.h"

extern "C" void registerSystemPages(void) {
  registerPage(APP_MENU_SYSTEM, "previewset", createPreviewSetWindow);
  // Display, serial port and language pages.
  registerPage(APP_MENU_SYSTEM, "display", createDisplaySetWindow);
  registerPage(APP_MENU_SYSTEM, "232set", createRs232SetWindow);
  registerLanguageDialog(showLangSelDialog);
  registerPage(APP_MENU_MAIN, "shutdown", createShutdownWindow);
  registerShutdownHint(createShutdownHintWindow);
  registerPage(APP_MENU_SYSTEM, "userset", createUserSetWindow);
  registerLoginPages();
  registerPage(APP_MENU_MAINTENANCE, "log", createLogSearchWindow);
  registerStartGuidePages();
  registerPage(APP_MENU_MAINTENANCE, "sysinfo", createSystemInfoWindow);
  registerPage(APP_MENU_MAINTENANCE, "config", createConfigurationWindow);
  registerPage(APP_MENU_MAINTENANCE, "upgrade", createUpgradeWindow);
  registerPage(APP_MENU_MAINTENANCE, "default", createDefaultSetWindow);
}
