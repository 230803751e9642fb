// What the camera library registers: the camera menu of the main menu and
// the camera windows the live view opens.
#include "app/camera.h"
#include "app/camera/camera_windows.h"
#include "app/page_registry.h"
#include "app/window_calls.h"

extern "C" void registerCameraPages(void) {
  registerPage(APP_MENU_MAIN, "cameraconfig", showCameraMenu);
#define IMPL(result, name, params, args, unfilled) camera_windows::name,
  static const CameraWindowCalls kCalls{CAMERA_WINDOW_CALLS(IMPL)};
#undef IMPL
  registerCameraWindows(&kCalls);
}
