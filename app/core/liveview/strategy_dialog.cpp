// The live view strategy dialog: real time, balanced or fluent pictures for
// the selected channel, kept only when the device accepts the choice.
#include "app/msgbox.h"
#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/liveview.h"
#include "app/liveview_dialogs.h"
#include "app/login_rights.h"
#include "app/page_ids.h"
#include "app/popup_drag.h"
#include "gui/app_hooks.h"
#include "gui/button.h"
#include "gui/control_paint.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window.h"
#include "gui/window_attr.h"

using liveview_dialogs::DialogItem;

namespace {

constexpr int kRealTime = 20672, kBalanced = 20673, kFluent = 20674;

const DialogItem kItems[] = {
    {kRealTime, "button", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | BS_ELLIPSIS | BS_FRAMED,
        EDIT_CORNER_TOPRIGHT | EDIT_CORNER_TOPLEFT, "realtime"},
    {kBalanced, "button", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | BS_ELLIPSIS | BS_FRAMED, 0, "balanced"},
    {kFluent, "button", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | BS_ELLIPSIS | BS_FRAMED,
        EDIT_CORNER_BOTTOMRIGHT | EDIT_CORNER_BOTTOMLEFT, "fluency"},
    {PAGE_ID_OK, "button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, "ok"},
    {IDCANCEL, "button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, "cancel"},
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
  setOutputState(output, OUTSTATE_STRATEGY);
  g_drag = PopupDrag{};
  g_channel = getPreviewSelChan(output);
  int reported = g_strategy;
  if (getPreviewStrategy(getOutputLogin(output), g_channel, &reported) == 0) g_strategy = reported;
  liveview_dialogs::createDialogItems(dlg, "previewstrategy", kItems, 5, IDCANCEL);
  if (output < 4) liveview_dialogs::checkExclusive(dlg, kRealTime, kFluent, buttonOf(g_strategy));
}

void onOk(WindowHandle dlg) {
  const int value = strategyOf(liveview_dialogs::firstChecked(dlg, kRealTime, kFluent));
  int rc = setPreviewStrategy(getOutputLogin(getCurOutput()), g_channel, value);
  if (rc == 0) {
    g_strategy = value;
    rc = saveDeviceParams();
  }
  if (rc != 0) showMsgBoxNum(dlg, "commons", "savefailed_code", rc);
  SendMessage(dlg, MSG_CLOSE, 0, 0);
}

void onClose(WindowHandle dlg) {
  const int output = getCurOutput();
  refreshLoginState(output, getLoginId(output));
  setPreviewStrategyWnd(GUI_INVALID_HANDLE);
  setOutputState(output, OUTSTATE_LIVEVIEW);
  EndDialog(dlg, 0);
  refreshLivePicture(g_channel);
  setLiveViewPopup(output, 0);
  const WindowHandle live = getTopMainWindow();
  if (IsValidHandle(live)) InvalidateRect(live, nullptr, TRUE);
}

const liveview_dialogs::ModeDialog kDialog{OUTSTATE_STRATEGY, kRealTime, kFluent, onInit, nullptr, onOk, onClose,
    &g_drag};

}  // namespace

extern "C" {

int showPreviewStrategy(WindowHandle owner) {
  return liveview_dialogs::runCentredDialog(owner, "previewstrategy", "previewstrategy_win",
                                            liveview_dialogs::modeDialogProc<kDialog>);
}

int getKeptPreviewStrategy(void) { return g_strategy; }

}  // extern "C"
