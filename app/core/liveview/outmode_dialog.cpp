// The output image mode dialog: standard, bright, soft or glaring pictures on
// every video output, previewed per click and stored on OK.
#include "app/msgbox.h"
#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/device_ability.h"
#include "app/liveview_dialogs.h"
#include "app/login_rights.h"
#include "app/page_ids.h"
#include "app/popup_drag.h"
#include "gui/app_hooks.h"
#include "gui/button.h"
#include "gui/control_paint.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"

using liveview_dialogs::DialogItem;

namespace {

constexpr int kStandard = 12576, kGlaring = 12579;

const DialogItem kItems[] = {
    {kStandard, "button", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | BS_FRAMED,
        EDIT_CORNER_TOPRIGHT | EDIT_CORNER_TOPLEFT, "standard"},
    {12577, "button", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | BS_FRAMED, 0, "bright"},
    {12578, "button", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | BS_FRAMED, 0, "soft"},
    {kGlaring, "button", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | BS_FRAMED,
        EDIT_CORNER_BOTTOMRIGHT | EDIT_CORNER_BOTTOMLEFT, "glaring"},
    {PAGE_ID_OK, "button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, "ok"},
    {IDCANCEL, "button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, "cancel"},
};

DeviceConfig g_config{};
PopupDrag g_drag{};

int outputBlock(int output) { return output >= 0 && output < 4 ? output : 0; }

void previewOnOutputs(int mode) {
  for (int out = 1; out <= getVideoOutNum(); ++out) previewPictureMode(out, mode);
}

void onInit(WindowHandle dlg) {
  const int output = getCurOutput();
  setOutModeSetWnd(dlg);
  setOutputState(output, OUTSTATE_OUTMODE);
  g_config = DeviceConfig{};
  getDeviceConfig(getOutputLogin(output), &g_config);
  liveview_dialogs::createDialogItems(dlg, "outmodeset", kItems, 6, IDCANCEL);
  if (output < 4) {
    const int mode = g_config.outputs[outputBlock(output)].pictureMode;
    liveview_dialogs::checkExclusive(dlg, kStandard, kGlaring, mode <= 3 ? kStandard + mode : 0);
  }
}

void onModeClicked(WindowHandle, int id) { previewOnOutputs(id - kStandard); }

void onOk(WindowHandle dlg) {
  const int checked = liveview_dialogs::firstChecked(dlg, kStandard, kGlaring);
  const int mode = checked ? checked - kStandard : 0;
  OutputLogin* login = getOutputLogin(getCurOutput());
  DeviceConfig fresh{};
  getDeviceConfig(login, &fresh);
  for (auto& block : fresh.outputs) block.pictureMode = static_cast<uint8_t>(mode);
  int rc = setDeviceConfig(login, &fresh, 1);
  if (rc == 0) {
    g_config = fresh;
    rc = applyPictureMode(login);
  }
  if (rc == 0) rc = saveDeviceParams();
  if (rc != 0) showMsgBoxNum(dlg, "commons", "savefailed_code", rc);
  SendMessage(dlg, MSG_CLOSE, 0, 0);
}

void onClose(WindowHandle dlg) {
  for (int out = 1; out <= getVideoOutNum(); ++out) endPictureModePreview(out);
  setOutModeSetWnd(GUI_INVALID_HANDLE);
  setOutputState(getCurOutput(), OUTSTATE_LIVEVIEW);
  EndDialog(dlg, 0);
}

const liveview_dialogs::ModeDialog kDialog{OUTSTATE_OUTMODE, kStandard, kGlaring, onInit, onModeClicked, onOk, onClose,
    &g_drag};

}  // namespace

extern "C" int showOutModeSet(WindowHandle owner) {
  g_drag = PopupDrag{};
  return liveview_dialogs::runCentredDialog(owner, "outmodeset", "outmodeset_win",
                                            liveview_dialogs::modeDialogProc<kDialog>);
}
