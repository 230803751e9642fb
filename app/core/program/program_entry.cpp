// The program's entry: the device side, the toolkit, the device parameters
// and the live-view window, whose message loop runs until it closes.
#include <atomic>
#include <cstdio>
#include <initializer_list>

#include "app/app_callbacks.h"
#include "app/app_registry.h"
#include "app/core/program/program_internal.h"
#include "app/core/program/program_seam.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/liveview_menu.h"
#include "app/login_rights.h"
#include "app/program.h"
#include "gui/app_hooks.h"
#include "gui/cursor.h"
#include "gui/desktop.h"
#include "gui/display.h"
#include "gui/gal.h"
#include "gui/keyboard.h"
#include "gui/message.h"
#include "gui/startup.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr uint32_t kLiveViewStyle = WS_VISIBLE;
constexpr uint32_t kLiveViewExStyle = WS_EX_PREVIEW;
constexpr int kNobody = -2;

std::atomic<WindowProc> g_liveViewProc{nullptr};
std::atomic<bool> g_reboot{false};
std::atomic<void (*)(bool)> g_endRequests{nullptr};
std::atomic<void (*)()> g_adjustAbility{nullptr};

void sayWhyStartUpFailed(int code) {
  const char* reason = GetStartupFailureReason();
  std::fprintf(stderr, "recorder_gui: InitGUI failed with code %d (%s)%s%s\n", code, GetStartupFailureStage(),
               reason[0] ? ": " : "", reason);
}

void runLoop(WindowHandle live) {
  Message msg{};
  while (GetMessage(&msg, live)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

// After the loop: nothing may still be sending to the live view or running
// in a tool window or a worker (disk work) when the toolkit goes.
void endRun(WindowHandle live) {
  // A live-view window refuses DestroyMainWindow for as long as it is one,
  // so its close leaves it standing; at the program's end it goes like any
  // other window, which also answers a start-up send still waiting for it.
  ExcludeWindowExStyle(live, kLiveViewExStyle);
  program::closeStartUpSends();
  DestroyMainWindow(live);
  program::stopQuitWatch();
  stopMenuMainThread();
  // Its window is gone by now, so a worker's last report is answered at once.
  waitForWorkerThreads();
  MainWindowThreadCleanup(live);
  releaseLiveViewMenus();
  TerminateGUI(0);
}

// What a reboot gives back before the start-up runs again: no flag left
// from the way down, and every output logged out and showing its live view.
void resetForRestart() {
  SetPowerKeyDownFlag(0);
  // A restore that asked for the reboot is over once the recorder is back.
  endLongOp();
  setDispSwitchEnabled(1);
  for (int output : {getMainOutput(), getAuxOutput()}) {
    setLiveViewActive(output, 1);
    setOutputState(output, OUTSTATE_LIVEVIEW);
    setLoginState(output, kNobody, kNobody);
    setLoginFlag(output, 0);
  }
}

int runOnce() {
  initDeviceAbility();
  if (void (*adjust)() = g_adjustAbility.load()) adjust();
  // The toolkit asks the device for the display ids through the call-backs.
  installAppCallbacks();
  const int mainOutput = GetMainDisplayId();
  setCurOutput(mainOutput);
  setMainOutput(mainOutput);
  setAuxOutput(GetAuxDisplayId());
  std::fputs("~~~~~~~~~~~~InitGUI Start!\n", stdout);
  std::fflush(stdout);
  if (int code = InitGUI(0, nullptr)) {
    sayWhyStartUpFailed(code);
    return 1;
  }
  std::fputs("~~~~~~~~~~~~InitGUI End!\n", stdout);
  std::fflush(stdout);
  if (HasNoOutput()) {
    // The toolkit's threads end with it rather than outlive the program.
    TerminateGUI(0);
    return 0;
  }
  if (!loadDeviceParams()) {
    TerminateGUI(0);
    return 3;
  }
  MainWinCreate create{};
  initPreviewCreateInfo(&create);
  program::startQuitWatch();
  const WindowHandle live = CreateMainWindow(&create);
  if (live == GUI_INVALID_HANDLE) {
    program::stopQuitWatch();
    stopMenuMainThread();
    releaseLiveViewMenus();
    TerminateGUI(0);
    return 3;
  }
  program::setQuitWatchWindow(live);
  program::liveViewMade();
  runLoop(live);
  endRun(live);
  return 0;
}

}  // namespace

namespace program {

WindowProc liveViewProc() {
  WindowProc proc = g_liveViewProc.load();
  return proc ? proc : previewMainWinProc;
}

}  // namespace program

namespace program_seam {

void setLiveViewProc(WindowProc proc) { g_liveViewProc = proc; }
void setAbilityAdjustment(void (*adjust)()) { g_adjustAbility = adjust; }
void setEndRequests(void (*end)(bool reboot)) { g_endRequests = end; }

}  // namespace program_seam

extern "C" {

void initPreviewCreateInfo(MainWinCreate* info) {
  if (!info) return;
  const int output = getCurOutput();
  *info = MainWinCreate{};
  info->dwStyle = kLiveViewStyle;
  info->dwExStyle = kLiveViewExStyle;
  info->spCaption = "";
  info->hMenu = 0;
  info->hCursor = static_cast<uintptr_t>(GetSystemCursor(0));
  info->hIcon = 0;
  info->hHosting = __gui_hwnd_desktop;
  info->MainWindowProc = program::liveViewProc();
  info->lx = 0;
  info->ty = 0;
  info->rx = getScreenWidth(output);
  info->by = getScreenHeight(output);
  info->iBkColor = SysPixelIndex[SYSPIXEL_KEY];
  info->dwAddData = 0;
}

int runRecorder(void) {
  // Once, before the toolkit first starts: it reads the device configuration
  // as it starts, and a restart keeps what the device holds.
  loadSavedDeviceParams();
  g_reboot.store(false);
  for (;;) {
    const int code = runOnce();
    // Every way out (a quit signal, the window's close, the shutdown entry)
    // comes here: what the last message applied is written by now, this
    // retries a write that failed.
    finishDeviceParams();
    if (code != 0 || !g_reboot.exchange(false)) return code;
    resetForRestart();
  }
}

void requestShutdown(void) {
  if (void (*end)(bool) = g_endRequests.load()) return end(false);
  RequestQuit();
}

void requestReboot(void) {
  if (void (*end)(bool) = g_endRequests.load()) return end(true);
  g_reboot.store(true);
  RequestQuit();
}

void lockScreen(void) {
  const int output = getCurOutput();
  setLoginState(output, kNobody, kNobody);
  setLoginFlag(output, 0);
  SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEALLWINS, 0, 0);
}

}  // extern "C"
