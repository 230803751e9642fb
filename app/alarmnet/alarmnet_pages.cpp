// What the alarm and network library registers with the page registry.
#include "app/alarmnet_pages.h"
#include "app/page_registry.h"

namespace {

int openNetSet(WindowHandle owner) { return createNetSetWindow(owner) == GUI_INVALID_HANDLE ? -1 : 0; }
int openMotionSet(WindowHandle owner) { return createMotionSetWindow(owner) == GUI_INVALID_HANDLE ? -1 : 0; }
int openVideoLoss(WindowHandle owner) { return createVideoLossSetWindow(owner) == GUI_INVALID_HANDLE ? -1 : 0; }
int openVideoTamper(WindowHandle owner) { return createVideoTamperSetWindow(owner) == GUI_INVALID_HANDLE ? -1 : 0; }

}  // namespace

extern "C" void registerAlarmNetPages(void) {
  registerPage(APP_MENU_SYSTEM, "netset", openNetSet);
  registerPage(APP_MENU_CAMERA, "motionset", openMotionSet);
  registerPage(APP_MENU_SYSTEM, "alarmset", createAlarmSetWindow);
  registerPage(APP_MENU_SYSTEM, "exception", createExceptionSetWindow);
  registerPage(APP_MENU_MANUAL, "manual_alarm", createManualAlarmWindow);
  registerPage(APP_MENU_CAMERA, "videolossset", openVideoLoss);
  registerPage(APP_MENU_CAMERA, "videotamperset", openVideoTamper);
  registerPage(APP_MENU_MAINTENANCE, "netda", createNetDaWindow);
}
