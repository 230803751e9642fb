// The two start-up messages the tool-window thread sends the live view: the
// start-up wizard (after the language choice) and the check for disks that
// need initialising.
#include "app/app_registry.h"
#include "app/core/liveview/main_proc.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/record_pages.h"
#include "app/system_pages.h"
#include "gui/app_hooks.h"
#include "gui/desktop.h"
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
  for (int i = 0; i < count && i < DISK_LIST_ROWS && kept < kMaxFormatDisks; ++i) {
    if (rows[i].status != kDiskNeedsInit) continue;
    setFormatDiskArg(rows[i]);
    numbers[kept++] = diskNoFromId(static_cast<uint64_t>(rows[i].bus) | static_cast<uint64_t>(rows[i].port) << 16);
  }
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
    // The list goes whole; formatDisks reads only `count` of it.
    formatDisks(output, count, n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7], n[8], n[9], n[10], n[11], n[12],
                n[13], n[14], n[15], n[16], n[17], n[18], n[19], n[20], n[21], n[22], n[23], n[24], n[25], n[26],
                n[27], n[28], n[29], n[30], n[31]);
  }
}

}  // namespace

void onStartWizard(WindowHandle hwnd) {
  const int output = getCurOutput();
  if (!IsWindowEnabled(hwnd)) EnableWindow(hwnd, TRUE);
  holdLiveView(output);
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
  const int output = getCurOutput();
  holdLiveView(output);
  if (hasDiskToInit() && askMsgBox(hwnd, "preview", "checkdisk_hint") == MSGBOX_ANSWER_YES)
    formatNewDisks(hwnd, output);
  releaseLiveView(output);
}

}  // namespace liveproc
