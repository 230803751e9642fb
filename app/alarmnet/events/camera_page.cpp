// The camera-menu pages' keys and live-view set-up.
#include "app/alarmnet/events/camera_page.h"

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/page_keys.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/layout.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/startup.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kMenuListId = 19200;

}  // namespace

int onCameraPageKeyUp(WindowHandle page, int key, int) {
  switch (key) {
    case KEY_ESC:
      SendMessage(GetHosting(page), MSG_CLOSE, 0, 0);
      return 0;
    case KEY_LEFT: {
      if (GetInputHelperState() != 0) return -1;
      const WindowHandle menu = getCameraMenuWnd();
      if (menu != GUI_INVALID_HANDLE && IsValidHandle(menu)) {
        SetActiveWindow(menu);
        SetFocusChild(GetDlgItem(menu, kMenuListId));
      }
      return 0;
    }
    case KEY_RIGHT:
      return GetInputHelperState() != 0 ? -1 : 0;
    default:
      return -1;
  }
}

void initCameraVideoPage(WindowHandle page) {
  setCameraPageWnd(page);
  ClearPreviewViewRect(page, 1);
  if (IsLowResDisplay(getMainOutput())) setCtrlScale(5, 5);
}

void releaseCameraVideoPage(WindowHandle) {
  setCameraPageWnd(GUI_INVALID_HANDLE);
  ClearPreviewViewRect(GUI_INVALID_HANDLE, 0);
  stopSmallVideo(-1);
}

void destroyCameraVideoPage(WindowHandle page, WParam, LParam) {
  releaseCameraVideoPage(page);
  DestroyMainWindow(page);
  MainWindowThreadCleanup(page);
}

void applyLowResCtrlScale(WindowHandle, WParam, LParam) {
  if (!IsLowResDisplay(getMainOutput())) return;
  CtrlResInfo* scale = nullptr;
  if (!GetCtrlResInfo("commons", "rirur_ctrl_scale", &scale) || !scale) return;
  if (scale->x > 0 && scale->y > 0)
    setCtrlScale(scale->x, scale->y);
  else
    setCtrlScale(3, 7);
}
