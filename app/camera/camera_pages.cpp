// What the camera library registers: the camera menu of the main menu.
#include "app/camera.h"
#include "app/page_registry.h"

extern "C" void registerCameraPages(void) { registerPage(APP_MENU_MAIN, "cameraconfig", showCameraMenu); }
