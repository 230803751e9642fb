// Stand-ins for what the live view and the menus ask of the system pages:
// the wizard asks nothing, and the alarm counts are the device's own.
#include "app/device_ability.h"
#include "app/page_registry.h"
#include "app/system_pages.h"

extern "C" {

int createStartGuideWindow(WindowHandle) { return 0; }

// The simulated device has no IP cameras that report alarms of their own.
int hasAlarmIn(void) { return getAlarmInNum() > 0; }
int hasAlarmOut(void) { return getAlarmOutNum() > 0; }

}  // extern "C"
