// Channel checks that go with rights, and the area and page helpers.
#include <cstring>

#include "app/app_registry.h"
#include "app/core/services/per_output.h"
#include "app/core/toolkit_calls.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "gui/app_hooks.h"
#include "gui/combobox.h"
#include "gui/window_attr.h"

namespace {

constexpr int kLastChannel = 16 + IP_CHANNEL_BOUND;
constexpr int kShow = 16;
constexpr int kHide = 0;

app::Word<WindowHandle> g_curPageWnd{GUI_INVALID_HANDLE};
int g_longOpState[LONG_OP_STATE_WORDS];

bool inRange(int channel) { return channel >= 1 && channel <= kLastChannel; }
bool isAnalog(int channel) { return channel >= 1 && channel <= 16; }

bool inIpMask(int channel) {
  uint64_t mask = 0;
  getIpChannelNum(&mask);
  return ((mask >> (channel - 17)) & 1u) != 0;
}

int floorTo8(int v) { return v >= 0 ? v & ~7 : -((-v + 7) & ~7); }

}  // namespace

extern "C" {

int isChanValid(int channel, int flag) {
  if (!inRange(channel)) return 0;
  if (isAnalog(channel) || flag == 0) return 1;
  // Present, and online unless the flag is -1: the device answers both.
  return isChannelUsable(channel) ? 1 : 0;
}

int hasUsableChan(int mode, int flag) {
  if (hasAnalogChan()) return 1;
  for (int channel = 17; channel <= kLastChannel; ++channel) {
    if (!inIpMask(channel) || !isChanValid(channel, flag)) continue;
    if (mode != 1 || isChannelUsable(channel)) return 1;
  }
  return 0;
}

int checkChanSupported(WindowHandle owner, int comboId, int channel, int previous, int flag) {
  if (!inRange(channel) || !inRange(previous)) return 0;
  if (isAnalog(channel) || isChanValid(channel, flag)) return 1;
  showMsgBox(owner, "commons", "chan_not_sup", MSGBOX_INFO);
  SendDlgItemMessage(owner, comboId, CB_SELECTVALUE, static_cast<WParam>(previous), 0);
  return 0;
}

void enableCtrlByChan(WindowHandle owner, int id, int channel) {
  const bool analog = isAnalog(channel);
  if (!hasAnalogChan())
    ShowWindow(GetDlgItem(owner, id), analog ? kShow : kHide);
  else
    SendDlgItemMessage(owner, id, MSG_ENABLE, analog ? 1 : 0, 0);
}

int isChanAvailable(int channel) {
  if (!inRange(channel)) return 0;
  if (isAnalog(channel)) return 1;
  const int output = getCurOutput();
  // The administrator's playback lists every IP slot.
  if (isAdminUser(getLoginUserIndex(output)) && getOutputState(output) == OUTSTATE_PLAYBACK) return 1;
  return inIpMask(channel) ? 1 : 0;
}

int getVideoAreaSize(int* width, int* height, int mode) {
  if (!width && !height) return -1;
  int w = 0, h = 0;
  if (getChannelStreamSize(&w, &h, mode, 1, 3) != 0) {
    const bool wide = mode == 2 || mode == 3;
    w = wide ? 264 : 232;
    h = wide ? 200 : 192;
  }
  if (width) *width = w;
  if (height) *height = h;
  return 0;
}

void alignAreaRect(WindowHandle owner, int* x, int* y, int* w, int* h, int screen) {
  int sx = x ? *x : 0, sy = y ? *y : 0;
  ClientToScreen(owner, &sx, &sy);
  sx = floorTo8(sx);
  if (!screen) ScreenToClient(owner, &sx, &sy);
  if (x) *x = sx < 0 ? 0 : sx;
  if (y) *y = sy < 0 ? 0 : sy;
  if (w) *w = floorTo8(*w);
  (void)h;  // the height keeps its value
}

void setCurPageWnd(WindowHandle hwnd) { g_curPageWnd.set(hwnd); }
WindowHandle getCurPageWnd(void) { return g_curPageWnd.get(); }

int findDiskIndex(int n) {
  DiskInfo disks[DISK_LIST_ROWS];
  const int count = getDiskList(disks);
  for (int i = 0; i < count && i < DISK_LIST_ROWS; ++i) {
    const uint64_t id = static_cast<uint64_t>(disks[i].bus) | static_cast<uint64_t>(disks[i].port) << 16;
    if (diskNoFromId(id) == n + 1) return i;
  }
  return -1;
}

int* getLongOpState(void) { return g_longOpState; }

void beginLongOp(const DeviceConfig* config) {
  static_assert(sizeof *config <= (LONG_OP_STATE_WORDS - 1) * sizeof(int), "the record fits the block");
  if (!config) return;
  std::memcpy(g_longOpState + 1, config, sizeof *config);
  __atomic_store_n(&g_longOpState[0], 1, __ATOMIC_RELEASE);
}

void endLongOp(void) { __atomic_store_n(&g_longOpState[0], 0, __ATOMIC_RELEASE); }

int longOpConfig(DeviceConfig* config) {
  if (!config || __atomic_load_n(&g_longOpState[0], __ATOMIC_ACQUIRE) == 0) return 0;
  std::memcpy(config, g_longOpState + 1, sizeof *config);
  return 1;
}

}  // extern "C"
