// Stand-ins for the recording and storage pages, which land separately:
// their entry points open the placeholder page, the rest answers as the
// finished pages do on the default device.
#include <cstdarg>
#include <cstdio>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/liveview_dialogs.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/placeholder_page.h"
#include "app/record_pages.h"
#include "gui/bitmap.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kMaxFormatDisks = 32;
constexpr int kApplyId = 4098;

int openPage(WindowHandle owner, const char* key, void (*registerWnd)(WindowHandle)) {
  PlaceholderPage page{"recordpages", key, 1};
  if (registerWnd) page.registerWnd = registerWnd;
  return runPlaceholderPage(owner, page);
}

// A disk-list row names its disk number in its port word.
bool hasLocalDiskRow() {
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = getDiskList(rows);
  for (int i = 0; i < count && i < DISK_LIST_ROWS; ++i)
    if (isValidDiskNo(rows[i].port)) return true;
  return false;
}

int askRecordAll(int output, WindowHandle owner, const char* key, int motion) {
  if (!checkUserRight(RIGHT_LOCAL_RECORD, -1)) return showNoPermission(owner);
  if (askMsgBox(owner, "preview", key) != MSGBOX_ANSWER_YES) return 0;
  return setAllDayRecord(getLoginId(output), motion);
}

}  // namespace

extern "C" {

int createManualRecordWindow(WindowHandle owner) { return openPage(owner, "manualrecord", setManualPageWnd); }
int createManualSnapshotWindow(WindowHandle owner) { return openPage(owner, "manualsnapshot", setManualPageWnd); }
int createScheduleSetWindow(WindowHandle owner) { return openPage(owner, "schedule", setRecordPageWnd); }
int createEncodeSetWindow(WindowHandle owner) { return openPage(owner, "encode", setRecordPageWnd); }
int createAdvRecordSetWindow(WindowHandle owner) { return openPage(owner, "advrecord", setRecordPageWnd); }
int createHolidaySetWindow(WindowHandle owner) { return openPage(owner, "holiday", setRecordPageWnd); }
int createDiskSmartInfoWindow(WindowHandle owner) { return openPage(owner, "disksmart", setDiskPageWnd); }
int showDiskMenu(WindowHandle owner) { return openPage(owner, "diskmenu", setDiskMenuWnd); }

int enableApply(WindowHandle page, WParam, LParam) {
  SendDlgItemMessage(page, kApplyId, MSG_ENABLE, 1, 0);
  return 0;
}

int eraseBkgndGrey50(WindowHandle page, WParam wParam, LParam lParam) {
  liveview_dialogs::eraseGrey(page, wParam, lParam);
  return 0;
}

int hasLocalDisk(void) { return hasLocalDiskRow() ? 1 : 0; }
int hasDetectableDisk(void) { return hasDiskDetect() && hasLocalDiskRow() ? 1 : 0; }

int formatDisks(int output, int count, ...) {
  uint8_t disks[kMaxFormatDisks] = {};
  int kept = 0;
  va_list args;
  va_start(args, count);
  for (int i = 0; i < count; ++i) {
    const int disk = va_arg(args, int);
    // Numbers past the 32nd or outside a byte would not fit the request.
    if (disk > 0 && disk <= 255 && kept < kMaxFormatDisks) disks[kept++] = static_cast<uint8_t>(disk);
  }
  va_end(args);
  return formatDiskList(getLoginId(output), disks, kept);
}

int showManualSnapError(WindowHandle owner, int code) {
  if (code == -1) return showMsgBox(owner, "manualsnapshot", "manualsnapshot_err_snapshot", MSGBOX_INFO);
  if (!lookupText("manualsnapshot", "manualsnapshot_err_default")) return 0;
  return showMsgBoxNum(owner, "manualsnapshot", "manualsnapshot_err_default", code);
}

int startTimingRecordAll(int output, WindowHandle owner, WParam, LParam) {
  return askRecordAll(output, owner, "startrec_timing_hint", 0);
}

int startMotionRecordAll(int output, WindowHandle owner, WParam, LParam) {
  return askRecordAll(output, owner, "startrec_motion_hint", 1);
}

}  // extern "C"
