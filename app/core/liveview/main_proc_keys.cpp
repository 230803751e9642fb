// Keys and timers of the live view: the channel typed on the numeric keys,
// the power key's shut-down question and the idle time-out.
#include "app/app_messages.h"
#include "app/app_registry.h"
#include "app/camera.h"
#include "app/core/liveview/main_proc.h"
#include "app/pages_calls.h"
#include "app/device_backend.h"
#include "app/format_text.h"
#include "app/formatting.h"
#include "app/liveview.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/numkeys.h"
#include "app/page_registry.h"
#include "gui/app_hooks.h"
#include "gui/desktop.h"
#include "gui/message.h"
#include "gui/timer.h"
#include "gui/paint.h"
#include "gui/window_attr.h"

namespace liveproc {
namespace {

constexpr int kTwoDigits = 2;
constexpr int kChanTextSize = 128;
constexpr int kLastAnalog = 16;

// A box over the live view; the PTZ panel, when open, is disabled and told
// before it and re-enabled after it.
class PanelCover {
 public:
  explicit PanelCover(bool covers) : panel_(covers ? getPtzPlayWindow() : GUI_INVALID_HANDLE) {
    if (!IsValidHandle(panel_)) return;
    EnableWindow(panel_, FALSE);
    SendMessage(panel_, MSG_PTZCOVERED, 0, 0);
  }
  ~PanelCover() {
    if (!IsValidHandle(panel_)) return;
    EnableWindow(panel_, TRUE);
    SendMessage(panel_, MSG_PTZSHOW, 0, 0);
  }
  PanelCover(const PanelCover&) = delete;
  PanelCover& operator=(const PanelCover&) = delete;

 private:
  WindowHandle panel_;
};

void infoBox(WindowHandle hwnd, bool ptz, const char* key) {
  PanelCover cover(ptz);
  showMsgBox(hwnd, "preview", key, MSGBOX_INFO);
}

void unusableBox(WindowHandle hwnd, bool ptz, int channel) {
  char name[CHAN_NAME_SIZE] = {};
  char text[kChanTextSize] = {};
  formatChanName(channel, name);
  formatChecked(text, sizeof text, lookupText("preview", "channel_hint"), "s", name);
  PanelCover cover(ptz);
  showMsgBoxText(hwnd, text, MSGBOX_INFO);
}

// In PTZ mode the channel becomes the panel's, when its camera turns.
void takePtzChannel(WindowHandle hwnd, int output, int channel) {
  if (isChanValid(channel, 3)) {
    refreshPtzPlayLists(output, channel);
    return;
  }
  const WindowHandle panel = getPtzPlayWindow();
  if (!IsValidHandle(panel)) {
    showMsgBox(hwnd, "commons", "chan_not_sup", MSGBOX_INFO);
    return;
  }
  EnableWindow(hwnd, FALSE);
  showMsgBox(panel, "commons", "chan_not_sup", MSGBOX_INFO);
  EnableWindow(hwnd, TRUE);
}

// A channel number typed on the numeric keys.
void onChannelEntered(WindowHandle hwnd, int channel) {
  const int output = getCurOutput();
  const int state = getOutputState(output);
  if ((state != OUTSTATE_LIVEVIEW && state != OUTSTATE_PTZ) || channel < 1) return;
  const bool ptz = state == OUTSTATE_PTZ;
  if (!isChanAvailable(channel)) return infoBox(hwnd, ptz, "chanhint_notexist");
  if (channel <= kLastAnalog && !isChannelUsable(channel)) return unusableBox(hwnd, ptz, channel);
  if (!ptz && !isChannelPreviewEnabled(channel)) return infoBox(hwnd, ptz, "chanprevdisable_hint");
  if (ptz && !checkUserRight(RIGHT_LOCAL_PTZ, channel)) {
    PanelCover cover(true);
    showNoPermission(hwnd);
    return;
  }
  showLiveChannel(output, channel);
  InvalidateRect(hwnd, nullptr, TRUE);
  if (ptz) takePtzChannel(hwnd, output, channel);
}

}  // namespace

void onKeyDown(WindowHandle hwnd, int key) {
  if (!isNumKeyA(key) && !isNumKeyB(key)) {
    onNumKeyFirst(hwnd, key);
    return;
  }
  const int channel = onNumKey(hwnd, key, kTwoDigits);
  if (channel == NUMKEY_NONE) return;
  resetNumKeyEntry(hwnd);
  onChannelEntered(hwnd, channel);
}

void onNumKeyTimer(WindowHandle hwnd) {
  KillTimer(hwnd, NUMKEY_TIMER_ID);
  const int channel = getNumKeyEntryValue();
  resetNumKeyEntry(hwnd);
  onChannelEntered(hwnd, channel);
}

void onPowerKey(WindowHandle hwnd) {
  const int output = getCurOutput();
  if (getOutputState(output) == OUTSTATE_ZOOM) endLiveZoom(hwnd);
  setOutputState(output, OUTSTATE_LIVEVIEW);
  // A cancelled login asks nothing more.
  if (!ensureLogin(hwnd)) return;
  setLoginFlag(output, 1);
  if (!mayShutDown(output)) {
    showNoPermission(hwnd);
    confirmLogin(output);
    return;
  }
  if (confirmMsgBox(hwnd, "shutdown", "shutdownhint")) openShutdownHint(hwnd, 0);
}

void onIdle(WindowHandle hwnd, int output) {
  const int state = getOutputState(output);
  if (state != OUTSTATE_LIVEVIEW && state != OUTSTATE_ZOOM) return;
  if (output == getCurOutput() && state == OUTSTATE_LIVEVIEW) {
    dropSideMenu(hwnd);
    hideAddChanButton(hwnd);
  }
  if (isLoginRequired()) {
    setOutputRelogin(output, 1);
    confirmLogin(output);
  }
}

}  // namespace liveproc
