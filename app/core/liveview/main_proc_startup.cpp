// The two start-up messages the tool-window thread sends the live view: the
// start-up wizard (after the language choice) and the check for disks that
// need initialising.
#include "app/page_registry.h"
#include "app/app_registry.h"
#include "app/core/liveview/main_proc.h"
#include "app/core/program/program_internal.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/system_services.h"
#include "gui/app_hooks.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/host.h"
#include "gui/window_attr.h"

namespace liveproc {
namespace {

constexpr int kMaxFormatDisks = 32;
constexpr uint32_t kDiskNeedsInit = 1;

void holdLiveView(int output) {
  setOutputState(output, OUTSTATE_MENU);
  setLiveViewActive(output, 0);
}

void releaseLiveView(int output) {
  setOutputState(output, OUTSTATE_LIVEVIEW);
  setLiveViewActive(output, 1);
}

// The disks of the device's list that need initialising, by disk number.
int disksToFormat(int numbers[kMaxFormatDisks]) {
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = getDiskList(rows);
  int kept = 0;
  FormatDiskArg arg{};
  for (int i = 0; i < count && i < DISK_LIST_ROWS && kept < kMaxFormatDisks; ++i) {
    if (rows[i].status != kDiskNeedsInit) continue;
    numbers[kept] = diskNoFromId(static_cast<uint64_t>(rows[i].bus) | static_cast<uint64_t>(rows[i].port) << 16);
    arg.disks[kept] = static_cast<uint32_t>(numbers[kept]);
    arg.results[kept] = 1;
    ++kept;
  }
  arg.count = static_cast<uint32_t>(kept);
  setFormatDiskArg(arg);
  return kept;
}

void formatNewDisks(WindowHandle hwnd, int output) {
  if (!ensureLogin(hwnd)) return;
  if (!checkUserRight(RIGHT_LOCAL_ADVANCE, -1)) {
    showNoPermission(hwnd);
    return;
  }
  int n[kMaxFormatDisks] = {};
  const int count = disksToFormat(n);
  if (isDiskRepairing()) {
    showMsgBox(hwnd, "format", "format_err_repairing", MSGBOX_INFO);
  } else if (isDiskFormatting()) {
    showMsgBox(hwnd, "format", "formating_error", MSGBOX_INFO);
  } else if (isDiskExpanding()) {
    showMsgBox(hwnd, "format", "format_err_expanding", MSGBOX_INFO);
  } else if (count > 0) {
    // The storage pages lie above the core: reached through the registry.
    openDiskFormat(output, count, n);
  }
}

}  // namespace

void onStartWizard(WindowHandle hwnd) {
  // A send that was under way when the program began to end is answered
  // while the live view goes: a modal wizard there would never be closed.
  if (!program::startUpSendsOpen()) return;
  const int output = getCurOutput();
  if (!IsWindowEnabled(hwnd)) EnableWindow(hwnd, TRUE);
  holdLiveView(output);
  // The page opened here completes the first screen: the window appears
  // with it, not with the live view alone a moment before.
  HostReleaseStartGate(HOST_GATE_RELEASE_WITH_NEXT_WINDOW);
  if (needsLanguageChoice()) {
    createLangSelWindow(hwnd);
    if (GetPowerKeyDownFlag()) {
      releaseLiveView(output);
      return;
    }
  }
  createStartGuideWindow(hwnd);
}

void onDiskCheck(WindowHandle hwnd) {
  if (!program::startUpSendsOpen()) return;  // as the wizard: the program is ending
  const int output = getCurOutput();
  // The check may come once the user has opened a dialog over the live view
  // (or the wizard still runs): the state it holds is given back as found,
  // or that dialog would be left in the live view's state, deaf to Escape.
  const int state = getOutputState(output), active = isLiveViewActive(output);
  holdLiveView(output);
  const bool ask = hasDiskToInit();
  // As the wizard's page: a question at start-up is part of the first screen.
  if (ask) HostReleaseStartGate(HOST_GATE_RELEASE_WITH_NEXT_WINDOW);
  if (ask && askMsgBox(hwnd, "preview", "checkdisk_hint") == IDYES) formatNewDisks(hwnd, output);
  setOutputState(output, state);
  setLiveViewActive(output, active);
}

}  // namespace liveproc
