// Stand-ins for what the live view and the menus ask of the system pages:
// the language stays as configured, the wizard asks nothing, the resolution
// words are kept here, and the alarm counts are the device's own.
#include "app/device_ability.h"
#include "app/page_registry.h"
#include "app/system_pages.h"
#include "app/usbdev.h"

namespace {

// The resolution words the display settings keep between a change and its
// confirmation; each one word, written and read whole. Until the settings
// open, the previous codes are the device's first ones: 3 on output 3 and
// 10 on output 2.
int gPrevResolutionOut3 = 3;
int gPrevResolutionOut2 = 10;
int gResolutionPending = 0;

}  // namespace

extern "C" {

int createStartGuideWindow(WindowHandle) { return 0; }

int getPrevResolutionOut3(void) { return gPrevResolutionOut3; }
int getPrevResolutionOut2(void) { return gPrevResolutionOut2; }
void setPrevResolutionOut3(int value) { gPrevResolutionOut3 = value; }
void setPrevResolutionOut2(int value) { gPrevResolutionOut2 = value; }
int isResolutionChangePending(void) { return gResolutionPending; }
void setResolutionChangePending(int flag) { gResolutionPending = flag; }

// The simulated device has no IP cameras that report alarms of their own.
int hasAlarmIn(void) { return getAlarmInNum() > 0; }
int hasAlarmOut(void) { return getAlarmOutNum() > 0; }

// The removable device's new-folder dialog: no folder is made.
int showNewFolderDialog(WindowHandle) { return -1; }

}  // extern "C"
