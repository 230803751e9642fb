// The live view strategy dialog: real time, balanced or fluent pictures for
// the selected channel, kept only when the device accepts the choice.
#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/liveview.h"
#include "app/liveview_dialogs.h"
#include "app/login_rights.h"
#include "app/popup_drag.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

using liveview_dialogs::DialogItem;

namespace {

constexpr int kRealTime = 20672, kBalanced = 20673, kFluent = 20674, kOk = 4097, kCancel = 2;
constexpr int kState = 19;

const DialogItem kItems[] = {
    {kRealTime, "button", 0x49000079u, 0x10001u, "realtime"},
    {kBalanced, "button", 0x49000079u, 0, "balanced"},
    {kFluent, "button", 0x49000079u, 0x80010u, "fluency"},
    {kOk, "button", 0x48000000u, 0, "ok"},
    {kCancel, "button", 0x48000000u, 0, "cancel"},
};

// Kept for the whole run.
int g_strategy = 3;
int g_channel = 1;
PopupDrag g_drag{};

int buttonOf(int strategy) {
  switch (strategy) {
    case 1: return kRealTime;
    case 5: return kFluent;
    case 3: return kBalanced;
    default: return 0;
  }
}

int strategyOf(int button) { return button == kRealTime ? 1 : button == kFluent ? 5 : 3; }

void onInit(WindowHandle dlg) {
  const int output = getCurOutput();
  setPreviewStrategyWnd(dlg);
  setOutputState(output, kState);
  g_drag = PopupDrag{};
  g_channel = getPreviewSelChan(output);
  int reported = g_strategy;
  if (getPreviewStrategy(getOutputLogin(output), g_channel, &reported) == 0) g_strategy = reported;
  liveview_dialogs::createDialogItems(dlg, "previewstrategy", kItems, 5, kCancel);
  if (output < 4) liveview_dialogs::checkExclusive(dlg, kRealTime, kFluent, buttonOf(g_strategy));
}

void onOk(WindowHandle dlg) {
  const int value = strategyOf(liveview_dialogs::firstChecked(dlg, kRealTime, kFluent));
  if (setPreviewStrategy(getOutputLogin(getCurOutput()), g_channel, value) == 0) {
    g_strategy = value;
    saveDeviceParams();
  }
  SendMessage(dlg, MSG_CLOSE, 0, 0);
}

void onClose(WindowHandle dlg) {
  const int output = getCurOutput();
  refreshLoginState(output, getLoginId(output));
  setPreviewStrategyWnd(GUI_INVALID_HANDLE);
  setOutputState(output, 0);
  EndDialog(dlg, 0);
  refreshLivePicture(g_channel);
  setLiveViewPopup(output, 0);
  const WindowHandle live = getTopMainWindow();
  if (live != 0 && live != GUI_INVALID_HANDLE) InvalidateRect(live, nullptr, TRUE);
}

const liveview_dialogs::ModeDialog kDialog{kState, kRealTime, kFluent, onInit, nullptr, onOk, onClose, &g_drag};

LResult strategyProc(WindowHandle dlg, int message, WParam wParam, LParam lParam) {
  return liveview_dialogs::modeDialogProc(kDialog, dlg, message, wParam, lParam);
}

}  // namespace

extern "C" {

int showPreviewStrategy(WindowHandle owner) {
  return static_cast<int>(
      liveview_dialogs::runCentredDialog(owner, "previewstrategy", "previewstrategy_win", strategyProc));
}

int getKeptPreviewStrategy(void) { return g_strategy; }

}  // extern "C"
