// The call-back table: each entry forwards to the service that owns the
// state the toolkit asks about.
#include "app/app_callbacks.h"

#include "app/app_registry.h"
#include "app/pages_calls.h"
#include "app/playback.h"
#include "app/control_services.h"
#include "app/camera.h"
#include "app/system_services.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_registry.h"
#include "app/numkeys.h"
#include "gui/app_hooks.h"
#include "gui/display.h"
#include "gui/message.h"

namespace {

int outputScreenSize(int output, Size* size) { return getOutputScreenSize(output, cachedDeviceConfig(), size); }
void* outputLogin(int output) { return getOutputLogin(output); }
// The toolkit fills the application's copy through this at its start: that
// goes through the copy's one write.
int deviceConfig(void* login, void* config) {
  if (config != cachedDeviceConfigAddress())
    return getDeviceConfig(static_cast<OutputLogin*>(login), static_cast<DeviceConfig*>(config));
  DeviceConfig fresh{};
  const int rc = getDeviceConfig(static_cast<OutputLogin*>(login), &fresh);
  if (rc == 0) storeCachedDeviceConfig(&fresh);
  return rc;
}
void outputState(int state, int output) { setOutputState(output, state); }
WindowHandle sideBarWnd() { return getSideBarWnd(getCurOutput()); }
WindowHandle playbackExtraWnd() { return getPlaybackExtraWnd(getCurOutput()); }
WindowHandle previewExtraWnd() { return getPreviewExtraWnd(getCurOutput()); }
WindowHandle loginWnd() { return getLoginWnd(getCurOutput()); }
int loginFlag() { return isLoginFlag(getCurOutput()); }
void setCurLoginFlag(int value) { setLoginFlag(getCurOutput(), value); }
void openShutdownWnd(WindowHandle owner) { openShutdownHint(owner, 0); }

GuiAppCallbacks table() {
  GuiAppCallbacks t{};
  t.getCurOutput = getCurOutput;
  t.getMainOutput = getMainOutput;
  t.getAuxOutput = getAuxOutput;
  t.setCurOutput = setCurOutput;
  t.getDisplayOutputIds = getDisplayOutputIds;
  t.getDisplayOutputType = getDisplayOutputType;
  t.getVideoOutNum = getVideoOutNum;
  t.getOutputResolution = getOutputResolution;
  t.getOutputScreenSize = outputScreenSize;
  t.getVideoOutputCount = getVideoOutputCount;
  // The colour depth stays the toolkit's: the host window shows a 32-bit
  // frame buffer whatever depth the device's own video output runs at.
  t.hasLiveVideoAreaCapability = hasLiveVideoAreaCapability;
  t.gui_get_galengin = gui_get_galengin;
  t.getCachedDeviceConfig = cachedDeviceConfigAddress;
  t.getOutputLogin = outputLogin;
  t.getDeviceConfig = deviceConfig;
  t.setOutputLogoRect = setOutputLogoRect;
  t.getLongOpState = getLongOpState;
  t.isDispSwitchEnabled = isDispSwitchEnabled;
  t.getSessionFlag = getSessionFlag;
  t.isRightToLeftLang = isRightToLeftLang;
  t.getDateFormat = getDateFormat;
  t.getOutputState = getOutputState;
  t.setOutputState = outputState;
  t.isLiveViewActive = isLiveViewActive;
  t.getPlaybackWnd = getPlaybackWnd;
  t.getSideBarWnd = sideBarWnd;
  t.getPlaybackExtraWnd = playbackExtraWnd;
  t.getPreviewExtraWnd = previewExtraWnd;
  t.getOutputExtraWnd = getOutputExtraWnd;
  t.getLoginWnd = loginWnd;
  t.isLoginFlag = loginFlag;
  t.setLoginFlag = setCurLoginFlag;
  t.getPtzPlayWindow = getPtzPlayWindow;
  t.isResolutionChangePending = isResolutionChangePending;
  t.logoutOutput = logoutOutputOnIdle;
  t.stopPlayback = stopPlayback;
  t.confirmOutputSwitch = confirmOutputSwitch;
  t.askShutdown = askShutdown;
  t.openShutdownWnd = openShutdownWnd;
  t.showNoPermission = showNoPermission;
  t.isNumKeyA = isNumKeyA;
  t.isNumKeyB = isNumKeyB;
  return t;
}

}  // namespace

extern "C" {

void installAppCallbacks(void) {
  const GuiAppCallbacks t = table();
  SetAppCallbacks(&t);
  // The device keeps what a page applied by the end of the message that
  // applied it: many records of one Apply give one write of the file.
  SetMessageHandledHook(writeChangedDeviceParams);
}

void logoutOutputOnIdle(int output) {
  DeviceConfig config;
  if (getDeviceConfig(getOutputLogin(output), &config) != 0 || config.loginRequired == 0) return;
  if (!HasAuxOutput() && output == getAuxOutput()) return;
  logoutDevice(getLoginId(output));
  setLoginState(output, -2, -2);
  setOutputRelogin(output, 1);
}

int isMainOutputHdmi(void) {
  int type = 0;
  getDisplayOutputType(getMainOutput(), &type);
  return type == 2 ? 1 : 0;
}

}  // extern "C"
