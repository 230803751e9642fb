// The copy-to-channels dialog of the image settings: a check box per
// channel, OK gives the mask of the checked ones, Cancel an empty mask. It
// is dragged by its caption and remembers where it was left.
#include <atomic>
#include <mutex>

#include "app/app_registry.h"
#include "app/camera/camera_windows.h"
#include "app/camera.h"
#include "app/device_ability.h"
#include "app/dialog_hooks.h"
#include "app/device_backend.h"
#include "app/control_services.h"
#include "app/liveview_dialogs.h"
#include "app/page_ids.h"
#include "app/popup_drag.h"
#include "gui/app_hooks.h"
#include "gui/button.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kIpLast = CHANBOX_IP_FIRST + 127;  // the last IP channel's box
constexpr uint32_t kBoxStyle = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;  // visible auto check box
constexpr int kColumns = 8;

std::atomic<uint64_t> g_mask{0};
std::mutex g_rectLock;
Rect g_lastRect{};
int g_source = 1;
int g_mode = 1;
int g_stateBefore = 0;
PopupDrag g_drag{};

const liveview_dialogs::DialogItem kButtons[] = {
    {PAGE_ID_OK, "button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, "ok"},
    {IDCANCEL, "button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, "cancel"},
};

// Mode 0 offers only the IP channels the device has.
void hideAbsentIpChannels(WindowHandle dlg) {
  uint64_t present = 0;
  getIpChannelNum(&present);
  bool any = false;
  for (int n = 0; n < IP_CHANNEL_BOUND; ++n) {
    const WindowHandle box = GetDlgItem(dlg, CHANBOX_IP_FIRST + n);
    if (!IsValidHandle(box)) continue;
    if ((present >> n) & 1u) {
      any = true;
      continue;
    }
    ShowWindow(box, SW_HIDE);
    EnableWindow(box, FALSE);
  }
  if (!any) ShowWindow(GetDlgItem(dlg, CHANBOX_ALL_IP), SW_HIDE);
}

void onInit(WindowHandle dlg) {
  const int output = getCurOutput();
  setCopyChanWnd(dlg);
  g_stateBefore = getOutputState(output);
  setOutputState(output, OUTSTATE_COPYCHAN);
  g_drag = PopupDrag{};
  createChanCheckBoxes(dlg, "copychan", "all_analog", "all_ipc", "chan_item", kBoxStyle, 0, 0, kColumns, 0);
  liveview_dialogs::createDialogItems(dlg, "copychan", kButtons, 2, IDCANCEL);
  if (g_mode == 0) hideAbsentIpChannels(dlg);
  // The source channel is copied from, never to.
  const int source = g_source <= getAnalogChanNum() ? CHANBOX_ANALOG_FIRST + g_source - 1
                                                    : CHANBOX_IP_FIRST + g_source - getAnalogChanNum() - 1;
  SendDlgItemMessage(dlg, source, MSG_ENABLE, 0, 0);
}

void finish(WindowHandle dlg, int result) {
  {
    std::lock_guard<std::mutex> hold(g_rectLock);
    GetWindowRect(dlg, &g_lastRect);
  }
  setCopyChanWnd(GUI_INVALID_HANDLE);
  setOutputState(getCurOutput(), g_stateBefore);
  EndDialog(dlg, result);
}

void onCommand(WindowHandle dlg, int id, int) {
  if (id == CHANBOX_ALL_ANALOG || id == CHANBOX_ALL_IP) {
    onChanAllCheckBox(dlg, id);
  } else if (id >= CHANBOX_ANALOG_FIRST && id <= kIpLast) {
    onChanCheckBox(dlg, id);
  } else if (id == PAGE_ID_OK) {
    g_mask.store(getCheckedChanMask(dlg));
    finish(dlg, 1);
  } else if (id == IDCANCEL) {
    SendMessage(dlg, MSG_CLOSE, 0, 0);
  }
}

void onClose(WindowHandle dlg) {
  g_mask.store(0);
  finish(dlg, 0);
}

bool onMessage(WindowHandle dlg, int message, WParam wParam, LParam lParam, LResult*) {
  return liveview_dialogs::smallDialogMessage(dlg, message, wParam, lParam, &g_drag, true);
}

const app::DialogHooks kHooks{onInit, app::takesAll<onCommand>, liveview_dialogs::erasePage, onClose, nullptr,
                              onMessage};

}  // namespace

namespace camera_windows {

int showImageCopyChanDialog(WindowHandle host, int sourceChannel, int mode) {
  g_source = sourceChannel;
  g_mode = mode;
  return liveview_dialogs::runCentredDialog(host, "copychan", "copychan_win", app::dialogProc<kHooks>);
}

uint64_t getImageCopyChanMask(void) { return g_mask.load(); }

void getImageCopyChanRect(Rect* out) {
  if (!out) return;
  std::lock_guard<std::mutex> hold(g_rectLock);
  *out = g_lastRect;
}

}  // namespace camera_windows
