// The camera and PTZ entry points the live view calls: channel lists, the
// PTZ panel's mouse mode, add-camera errors, and placeholders answering as
// the finished pages do when no camera page is open.
#include <atomic>
#include <cstdio>
#include <cstring>

#include "app/camera.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/app_registry.h"
#include "app/msgbox.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/window.h"

namespace {

std::atomic<int> g_ptzMouseMode{0};
std::atomic<int> g_addIpcSlot{0};

}  // namespace

extern "C" {

int formatChannelList(uint32_t low, uint32_t high, char* buf, int size) {
  if (!buf || size <= 0) return -1;
  buf[0] = '\0';
  const uint64_t mask = (static_cast<uint64_t>(high) << 32) | low;
  const int analog = getAnalogChanNum();
  int used = 0;
  for (int bit = 0; bit < 64 && used < size; ++bit) {
    if (!((mask >> bit) & 1u)) continue;
    const int channel = bit + 1;
    const int n = channel <= analog ? std::snprintf(buf + used, size - used, "A%d ", channel)
                                    : std::snprintf(buf + used, size - used, "D%d ", channel - analog);
    if (n < 0) break;
    used += n;
  }
  if (mask == 0) {
    const char* none = lookupText("logdetail", "none");
    std::snprintf(buf, size, "%s", none ? none : "");
  }
  return 0;
}

void attachCameraPage(WindowHandle page) {
  setCameraPageWnd(page);
  ClearPreviewViewRect(page, 1);
}

void closeCameraMenu(WindowHandle, WParam, LParam) {
  const WindowHandle menu = getCameraMenuWnd();
  if (IsValidHandle(menu)) SendMessage(menu, MSG_CLOSE, 0, 0);
}

int getPtzMouseMode(void) { return g_ptzMouseMode.load(); }
void setPtzMouseMode(int mode) { g_ptzMouseMode.store(mode); }

// The PTZ pages keep no status window, lists or patrols yet.
void createPtzStatusWindow(int, WindowHandle) {}
void refreshPtzPlayLists(int, int) {}
void ptzMoveByDirection(void) {}
void freePtzPatrolTables(void) {}
void setAddIpcChannel(int slot) { g_addIpcSlot.store(slot); }

int showIpcAddError(WindowHandle owner, int code) {
  return showMsgBox(owner, "commons", code == -3 ? "ipcadd_nofree" : "ipcadd_failed", MSGBOX_INFO);
}

// The device shows the picture under the menus; whatever it answers, the
// page goes on as with a picture.
int showViewPosVideo(WindowHandle, int channel, int x, int y) {
  startSmallVideo(channel, x, y);
  return 0;
}

}  // extern "C"
