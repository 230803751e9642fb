// What the camera library registers: the camera menu of the main menu and
// the camera windows the live view opens.
#include "app/camera.h"
#include "app/camera/camera_windows.h"
#include "app/camera_pages.h"
#include "app/menus.h"
#include "app/page_registry.h"
#include "app/window_calls.h"

namespace camera_windows {
int showCameraMenu(WindowHandle owner) { return runCameraMenu(owner); }
}  // namespace camera_windows

extern "C" void registerCameraPages(void) {
  registerPage(APP_MENU_MAIN, "cameraconfig", showCameraMenu);
#define IMPL(result, name, params, args, unfilled) camera_windows::name,
  static const CameraWindowCalls kCalls{CAMERA_WINDOW_CALLS(IMPL)};
#undef IMPL
  registerCameraWindows(&kCalls);
}
